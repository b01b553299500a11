#pragma once
// The cash entry form: one movement of money into or out of the cash register, in
// one currency, optionally on behalf of an account, with a transaction type. The
// edits write into the pending row of the cash register view's table; saving checks
// the row, moves it into the cash file of its date's year when needed and writes it
// with its account's mirror movement.
#include <QDate>
#include <QPair>
#include <QVariant>
#include <QVector>
#include <QWidget>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class RecordBinder;
class Table;
class TcariF;
class TkasaRF;
class TnakitnedenF;
class TyardimF;
struct PickedAccount;

class TkasaF : public QWidget {
    Q_OBJECT
public:
    explicit TkasaF(QWidget *parent = nullptr);
    ~TkasaF() override;

    void setView(TkasaRF *view);
    void setCardWindow(TcariF *cards) { m_cards = cards; }
    void setTypeWindow(TnakitnedenF *types) { m_types = types; }
    void setYardim(TyardimF *help);

    // The view's hand-offs: a new row on the date and currency set, or the current
    // row of the cash table put into correction. Both show the form.
    // A new row: asks first when a typed row would be lost; then the day and
    // currency given (when valid / not empty) are put into the form.
    void yeniSatir(const QDate &day = QDate(), const QString &currency = QString());
    void duzeltSatir();

    // The buttons.
    void sakla();         // "SAKLA"
    void yeniHareket();   // "YENİ HAREKET"
    void vazgec();        // "VAZGEÇ"
    void firmaBilgiSil(); // "Firma Bilg.Sil"
    void firmaBul();      // "Bul"
    void turGirisi();     // "Kasa İşlem Türü Girişi"
    void fillFromCard(const PickedAccount &card);
    // The type list changed: the combo offers the names again.
    void loadTypes();

    // The switch of the cash database to the year of the date.
    bool kasadegistir();
    // The view's switch to another year: a typed row is dropped only after the
    // question; false when the user keeps it or the switch failed.
    bool yilDegistir(int year);

    bool hasPendingRow() const;
    // A row typed but not saved may be dropped for another one: asks when
    // something was typed; true when there is nothing to lose or the user agrees.
    bool satirBirakilsin();

    QDateEdit *vadesiDate;
    QComboBox *dovizBox;
    QLineEdit *DBEdit1, *DBEdit2, *DBEdit3, *DBEdit4;
    QLineEdit *kisinoedit, *FirmaAdiEdit;
    QComboBox *DBLookupComboBox1;

protected:
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The pending row as typed: its fields, and the stored row it corrects.
    struct Typed {
        bool active = false;
        qint64 nid = 0;  // the row under correction, 0 for a new one
        int year = 0;    // the year of the file it is stored in
        QVector<QPair<QString, QVariant>> values;
    };
    Table &cashTable();
    bool beginPending(Table &t);
    void cancelPending();
    void keepTyped();
    // The typed row again in the table after the cash file changed under it.
    void putBack(const Typed &typed);
    bool moveToYear(int year);
    void forgetRow();

    TkasaRF *m_view = nullptr;
    TcariF *m_cards = nullptr;
    TnakitnedenF *m_types = nullptr;
    RecordBinder *m_binder = nullptr;
    QPushButton *m_help = nullptr;
    qint64 m_shownNid = 0;      // the stored row the form last showed
    // A saved row of another year's file that the pending row replaces.
    int m_formerYear = 0;
    qint64 m_formerNid = 0;
    bool m_typed = false;       // something was typed into the pending row
    bool m_switching = false;   // this form is switching the cash file
    Typed m_lastTyped;          // kept up to date while a row is pending
};
