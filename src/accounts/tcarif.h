#pragma once
// The account cards window: customers, suppliers and banks, with their interest and
// slip settings. It is also the account picker of the whole program: a window that
// needs an account opens it with its context word (ac), and a pick hands the card
// back through AccountPicker.
#include "widgets/record_binder.h"

#include <QMainWindow>

class DatasetGrid;
class PanelStatusBar;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Query;
class Table;
class TyardimF;

class TcariF : public QMainWindow {
    Q_OBJECT
public:
    explicit TcariF(TyardimF *help = nullptr, QWidget *parent = nullptr);

    void setYardim(TyardimF *help);

    // The opening of the window: sets cariSecimYeri, opens the cards, searches for
    // the opener's account (the name wins over the code when both are given) and
    // shows the window maximised. The main menu opens it with "anamenu".
    void ac(const QString &context, const QString &kod = QString(), const QString &ad = QString());

    // The buttons' actions.
    void yeniKart();
    // A new card carrying a code and a name typed elsewhere (an unknown code on a slip).
    void yeniKart(const QString &kod, const QString &ad);
    void kaydet();
    void duzelt();
    void sil();
    void vazgec();
    void arafirma();
    void SecButClick();
    void evrakEkleBak();

    void Editleriac();
    void EditleriKapa();

    bool hasChanges() const { return m_dirty; }

    Table *FirmaTakip;           // the cards, in name order
    Query *firmaQuery;           // the duplicate-code check
    QLabel *baslikLabel;         // the header band
    QLabel *riskLabel = nullptr; // the account's current risk beside its limits
    // Shows the current card's risk (cheques held or endorsed not yet due, plus its balance).
    void showRisk();
    PanelStatusBar *StatusBar1;  // four panels; the opener writes company and year

Q_SIGNALS:
    // "EVRAK EKLE/BAK" on a card: the document image window is to show this card.
    void evrakIstendi();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using Kind = RecordBinder::Kind;

    Table &cards();
    void stateFollows();
    void rateLeft(QLineEdit *edit);
    bool ask(const QString &text);

    RecordBinder *m_binder = nullptr;
    QLineEdit *m_kodu = nullptr;
    QComboBox *m_tur = nullptr;
    QPlainTextEdit *m_aciklama = nullptr;
    QLineEdit *m_arama = nullptr;
    DatasetGrid *m_grid = nullptr;
    QPushButton *m_help = nullptr;
    bool m_dirty = false;
};
