#pragma once
// The exit slip: portfolio cheques endorsed to an account or handed to a bank,
// and the company's own cheques issued to it, gathered on a grid with their day
// counts, maturity differences and net amounts; saving writes the slip, its
// given and own cheques and the account's debit movement.
#include "given/exit_slip_print.h"
#include "given/exit_slip_rows.h"
#include "given/exit_slip_save.h"
#include "widgets/slip_grid.h"

#include <QWidget>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class PanelStatusBar;
class MemoryDataset;
class Query;
class Report;
class Table;
class TForm2;
class TcariF;
class TceklerF;
class TcekduzenleF;
class TcikisceklerF;
class TcikisozetF;
class TduzenlenenceklerF;
class TyardimF;
struct PickedAccount;

class TcekcikisF : public QWidget {
    Q_OBJECT
public:
    explicit TcekcikisF(QWidget *parent = nullptr);
    ~TcekcikisF() override;

    void setWaitWindow(TForm2 *w) { m_wait = w; }
    void setCardWindow(TcariF *w) { m_cards = w; }
    void setListWindow(TceklerF *w);
    void setSummaryWindow(TcikisozetF *w);
    void setOwnChequeWindow(TcekduzenleF *w);
    // The given and the issued cheque lists a printed receipt narrows to its slip.
    void setSlipLists(TcikisceklerF *given, TduzenlenenceklerF *issued);
    void setYardim(TyardimF *help);

Q_SIGNALS:
    // A slip was saved (the register shows every slip again).
    void saved();

public:

    // Header.
    QLineEdit *JustaEdit1 = nullptr;     // "No"
    QDateEdit *DateTimePicker15 = nullptr;
    QLineEdit *KoduEdit = nullptr;
    QLineEdit *JustaEdit23 = nullptr;    // account name
    QGroupBox *RadioGroup1 = nullptr;
    QRadioButton *exitType[3] = {};      // "Müşteri", "Satıcı", "Banka"
    QComboBox *dovizBox = nullptr;
    QLineEdit *kuruEdit = nullptr;
    QLineEdit *Edit61 = nullptr;         // "Yıldaki Gün"
    QLineEdit *Edit62 = nullptr;         // "Yıllık Faiz"
    QLineEdit *Edit63 = nullptr;         // "Aylık Faiz"
    QLineEdit *Edit64 = nullptr;         // "Masraf" of the card
    QLineEdit *Edit371 = nullptr;        // "Gün Ekle"
    QCheckBox *CheckBox1 = nullptr;      // weekend shift
    QCheckBox *vadefarkiCheck = nullptr, *masrafCheck = nullptr, *BSMVCheck = nullptr;
    QLineEdit *JustaEdit57 = nullptr;    // BSMV percent
    QPushButton *BitBtn1 = nullptr;      // "Çek Ekle (Ciro)"
    QPushButton *JvXPButton1 = nullptr;  // "Çek Düzenle"
    QPushButton *JvXPButton3 = nullptr;  // "KAYDET"
    QPushButton *JvXPButton4 = nullptr;  // "Bul"
    // Grid.
    SlipGrid *StringGrid1 = nullptr;
    // Footer.
    QLineEdit *JustaEdit5 = nullptr, *JustaEdit6 = nullptr, *JustaEdit7 = nullptr, *JustaEdit8 = nullptr;
    QLineEdit *JustaEdit70 = nullptr;    // BSMV total
    QDateEdit *DateTimePicker16 = nullptr;
    QLineEdit *Edit59 = nullptr;         // average days
    QPlainTextEdit *JvDotNetMemo1 = nullptr;
    QPushButton *BitBtn10 = nullptr;     // "HESAPLA"
    QPushButton *BitBtn2 = nullptr;      // "YENİ BORDRO"
    QPushButton *BitBtn12 = nullptr;     // "KAYDET"
    QPushButton *BitBtn20 = nullptr;     // "BORDRO AÇ"
    QGroupBox *yazayar = nullptr;        // "Raporlama Seçenekleri"
    QRadioButton *reportChoice[3] = {};  // "Çek Alındısı", "... Detaylı", "... Detaylı 2"
    QPushButton *STRG1Yaz = nullptr;     // "SEÇİLİ RAPORU YAZDIR"
    QPushButton *BitBtn25 = nullptr;     // "Excel'e Aktar"
    QLabel *headingLabel = nullptr;
    PanelStatusBar *StatusBar1 = nullptr;

    bool cikisDegisti = false;

    // The row calculation and the totals on the current row (the BSMV total stays).
    void hesapla();
    // The grid-exit step on the current row; false when a due date stopped the action.
    bool StringGrid1Exit();
    // The full recalculation ("HESAPLA").
    void BitBtn10Click();
    void ozeteekle();
    bool sakla();
    void satirsilClick();
    void yeniBordro();        // "YENİ BORDRO" with its question
    bool gridibosalt();       // the emptying with its question; true when emptied
    void gridibosalt2();      // the same emptying without the question
    void cekEkle();           // "Çek Ekle (Ciro)": the received lists to pick from
    void cirola();            // adds the received lists' current cheque
    void ciroyuTamamla();
    void cekDuzenle();        // the own cheque window, empty
    void duzelt();            // F2: the own cheque window on the current row
    void ceKopyala();         // F10
    void cariBul();           // lookup of the typed code
    void fillFromCard(const PickedAccount &card);
    // Writes an own cheque from the own cheque window into the grid; false when
    // nothing was written (no amount, another currency).
    bool kendiCekiYaz(const ExitSlip::OwnCheque &cheque);

    QVector<QStringList> rows() const;

    // "SEÇİLİ RAPORU YAZDIR": the chosen receipt of the saved slip in the preview,
    // or the reason it cannot be printed.
    void STRG1YazClick();
    // "Excel'e Aktar": the grid as it stands, saved or not.
    void CekExcel();
    // The slip as the window shows it, for the workbook and the receipts.
    ExitSlipPrint::Slip slipTexts() const;
    // The receipt of the saved slip, bound to its cheques and the company record.
    Report printout(ExitSlipPrint::Receipt receipt);
    ExitSlipPrint::Receipt chosenReceipt() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildHeader(class QVBoxLayout *root);
    void buildGrid(class QVBoxLayout *root);
    void buildFooter(class QVBoxLayout *root);
    QAction *formCommand(const char *name, const QString &text, const QKeySequence &keys, void (TcekcikisF::*run)());
    EntrySlip::Params params() const;
    void showTotals(const EntrySlip::Totals &t, bool withBsmv);
    void markChanged() { cikisDegisti = true; }
    void setCirolaShown(bool on);
    void hideSummary();
    // Puts a new empty last row after the target row when it was the last one.
    void grow(int target);
    enum class StepResult { Calculated, NotCalculated, Stopped };
    StepResult rowStep();
    bool saveGrid(const ExitSlip::Deleted &deleted);
    QString companyTitle() const;

    TForm2 *m_wait = nullptr;
    TcariF *m_cards = nullptr;
    TceklerF *m_lists = nullptr;
    TcikisozetF *m_summary = nullptr;
    TcekduzenleF *m_ownWindow = nullptr;
    TcikisceklerF *m_givenLists = nullptr;
    TduzenlenenceklerF *m_issuedLists = nullptr;
    QPushButton *m_helpBut = nullptr;
    class RateCoupling *m_rates = nullptr;
    std::unique_ptr<Table> m_slips, m_given, m_received, m_own;
    std::unique_ptr<Query> m_printGiven, m_printOwn;  // the printed slip's cheques
    std::unique_ptr<Table> m_companyInfo;             // firmabilgileri, for the receipts' header
    std::unique_ptr<MemoryDataset> m_printTexts;      // the receipt's texts set by the print step
    QStringList m_correcting;  // the row handed to the own cheque window for correction
};
