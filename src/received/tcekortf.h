#pragma once
// The entry slip: the cheques and notes received from one account, typed on a
// grid with their day counts, maturity differences and net amounts, the slip's
// totals and average due date; saving writes the slip, its cheques and the
// account's credit movement.
#include "received/entry_slip_calc.h"
#include "received/entry_slip_load.h"
#include "received/entry_slip_print.h"
#include "received/entry_slip_save.h"
#include "widgets/slip_grid.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class Table;
class TForm2;
class TcariF;
class TceklerF;
class TcekbordroF;
class TyardimF;
class PanelStatusBar;
struct PickedAccount;

class TcekortF : public QWidget {
    Q_OBJECT
public:
    explicit TcekortF(QWidget *parent = nullptr);
    ~TcekortF() override;

    void setWaitWindow(TForm2 *w) { m_wait = w; }
    void setCardWindow(TcariF *w) { m_cards = w; }
    void setListWindow(TceklerF *w);
    void setYardim(TyardimF *help);
    void setRegister(TcekbordroF *w);

    // Header.
    QDateEdit *DateTimePicker15 = nullptr;
    QLineEdit *KoduEdit = nullptr;
    QPushButton *JvXPButton2 = nullptr;  // "Bul"
    QLineEdit *JustaEdit23 = nullptr;    // account name
    QComboBox *dovizBox = nullptr;
    QLineEdit *kuruEdit = nullptr;
    QRadioButton *accountType[3] = {};   // RadioGroup1: "Müşteri", "Satıcı", "Banka"
    QCheckBox *CheckBox1 = nullptr;      // weekend shift
    QCheckBox *vadefarkiCheck = nullptr;
    QCheckBox *masrafCheck = nullptr;
    QCheckBox *BSMVCheck = nullptr;
    QLineEdit *Edit61 = nullptr;         // "Yıldaki Gün"
    QLineEdit *Edit62 = nullptr;         // "Yıllık Faiz"
    QLineEdit *Edit63 = nullptr;         // "Aylık Faiz"
    QLineEdit *JustaEdit57 = nullptr;    // BSMV percent
    QLineEdit *Edit64 = nullptr;         // "Masraf" of the card
    QLineEdit *Edit371 = nullptr;        // "Gün Ekle"
    QLineEdit *JustaEdit1 = nullptr;     // "No"
    QPushButton *JvXPButton1 = nullptr;  // "KAYDET"
    // Grid.
    SlipGrid *StringGrid1 = nullptr;
    // Footer.
    QLineEdit *JustaEdit5 = nullptr, *JustaEdit6 = nullptr, *JustaEdit7 = nullptr, *JustaEdit8 = nullptr;
    QLineEdit *JustaEdit70 = nullptr;    // BSMV amount
    QDateEdit *DateTimePicker16 = nullptr;
    QLineEdit *Edit59 = nullptr;         // average days
    QPlainTextEdit *JvDotNetMemo1 = nullptr;
    QPushButton *BitBtn12 = nullptr;     // "KAYDET"
    QGroupBox *yazayar = nullptr;        // "Raporlama Seçenekleri"
    QRadioButton *yazayarItems[3] = {};  // "Çek Alındısı", "Çek Alındısı Detaylı", "Çek Alındısı Detaylı 2"
    QPushButton *STRG1Yaz = nullptr;     // "SEÇİLİ RAPORU YAZDIR"
    QPushButton *BitBtn25 = nullptr;     // "Excel'e Aktar"
    QLabel *headingLabel = nullptr;
    PanelStatusBar *StatusBar1 = nullptr;

    bool girisDegisti = false;

    // The row step on the current row; false when a due date stopped the action.
    bool StringGrid1Exit();
    void hesapla();          // full recalculation
    bool sakla();            // save; true when saved
    void yeniBordro();       // "YENİ BORDRO" with its question
    void gridibosalt2();     // the same emptying without the question
    void satirEkle();
    void satirSil();
    void ceKopyala();
    void cariBul();          // lookup of the typed code
    void fillFromCard(const PickedAccount &card);
    // "BORDRO AÇ": the register, after the question when there are unsaved changes.
    void bordroAc();
    // Whether unsaved changes may go: true without changes, or after a Yes (a Yes
    // already given for the same changes counts).
    bool degisiklikleriBirak();
    // A saved slip read back for correction into the form.
    void yukle(const EntrySlip::LoadedSlip &slip);

    // Rows as cell texts, and back (the grid's data rows).
    QVector<QStringList> rows() const;
    QStringList rowCells(int row) const;
    // "SEÇİLİ RAPORU YAZDIR": the chosen receipt in the preview, after the refusals.
    void raporYazdir();
    // The chosen receipt of the saved slip, or null after showing why it cannot be
    // printed (tests look at its pages).
    std::unique_ptr<EntrySlipPrint::Printout> printout();
    EntrySlipPrint::Layout chosenLayout() const;
    // "Excel'e Aktar": the grid, header and results in a new workbook, opened.
    void cekExcel();
    SpreadsheetWorkbook excelWorkbook() const;

    // The cheque table the slip saves through, for the operations on a stored cheque.
    Table *CekTakip() const { return m_cheques.get(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildHeader(class QVBoxLayout *root);
    void buildGrid(class QVBoxLayout *root);
    void buildFooter(class QVBoxLayout *root);
    void setFocusOrder();
    EntrySlip::Params params() const;
    void showTotals(const EntrySlip::Totals &t);
    void markChanged() { girisDegisti = true; m_discardAgreed = false; }
    // The row step without the totals: whether it calculated the row, found no
    // date to calculate, or stopped the action.
    enum class StepResult { Calculated, NotCalculated, Stopped };
    StepResult rowStep();
    bool saveGrid(const QVector<qint64> &deletedCheques);

    TForm2 *m_wait = nullptr;
    TcariF *m_cards = nullptr;
    TceklerF *m_lists = nullptr;
    TcekbordroF *m_register = nullptr;
    QPushButton *m_acBut = nullptr;
    bool m_discardAgreed = false;
    QPushButton *m_ceklerBut = nullptr;
    QPushButton *m_helpBut = nullptr;
    class RateCoupling *m_rates = nullptr;
    std::unique_ptr<Table> m_slips, m_cheques;
};
