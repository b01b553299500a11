#pragma once
// The payment and collection entry: one free movement on a current account (an
// invoice, a bank transfer, an opening balance), or the correction of any
// movement. Its edits are bound to the row the ledger has appended or put into
// edit state on its movement table; "SAKLA" checks the row and writes it through
// the movement writer.
#include <QHash>
#include <QWidget>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class RecordBinder;
class Table;
class TcariF;
class TcarihareketF;
struct PickedAccount;

class TcarihareketDF : public QWidget {
    Q_OBJECT
public:
    explicit TcarihareketDF(TcarihareketF *ledger, QWidget *parent = nullptr);
    ~TcarihareketDF() override;

    void setCardWindow(TcariF *cards) { m_cards = cards; }

    // Shows the form on the ledger's pending row.
    void goster();
    // Shows the pending row again (after the ledger changed it).
    void satiriGoster();
    // A correction: the currency and both dates come from the movement.
    void duzeltmeIcinAyarla(const QString &currency, const QDate &islem, const QDate &vade);
    // Before the ledger begins another movement: true when no typed movement is
    // pending, or the user agreed to drop it.
    bool mayDropPending();

    // The buttons.
    void firmaSec();     // "FİRMA SEÇ"
    void yeniHareket();  // "YENİ HAREKET"
    void sakla();        // "SAKLA"
    void vazgec();       // "VAZGEÇ"
    // Leaving the code or name edit: the code is checked against the cards.
    void koduDenetle();

    QDateEdit *islemtarihiDate = nullptr;
    QDateEdit *islemvadesiDate = nullptr;
    QComboBox *dovizBox = nullptr;
    QLineEdit *DBEdit5 = nullptr;  // account code
    QLineEdit *DBEdit6 = nullptr;  // account name, from the card only
    QLineEdit *DBEdit1 = nullptr;  // debit
    QLineEdit *DBEdit2 = nullptr;  // credit
    QLineEdit *DBEdit3 = nullptr;  // exchange rate
    QLineEdit *DBEdit4 = nullptr;  // description

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    Table &table() const;
    bool isPending() const;
    bool hasTypedContent() const;
    void pick(const PickedAccount &card);
    void stateFollows();
    QString unreadableNumber();

    TcarihareketF *m_ledger;
    TcariF *m_cards = nullptr;
    RecordBinder *m_binder = nullptr;
    // What was typed into a number edit that does not read as a number, by edit.
    QHash<QLineEdit *, QString> m_unreadable;
    bool m_checkingCode = false;
};
