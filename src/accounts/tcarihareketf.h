#pragma once
// The account movements window: on the left every account with its debit, credit
// and balance per currency as of a day, on the right the movements of the chosen
// account between two dates after the balance carried forward, with a running
// balance. It owns the movement table ffTable1 on which the payment and
// collection entry (TcarihareketDF) types a movement; every write to the movements
// goes through the movement writer.
#include <QHash>
#include <functional>
#include <QMainWindow>
#include <QVariant>
#include <QVector>

class DatasetGrid;
class PanelStatusBar;
class QAction;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class Query;
class Report;
class SpreadsheetWorkbook;
class Table;
class TcarihareketDF;
class Tvadefark2F;
class TyardimF;

class TcarihareketF : public QMainWindow {
    Q_OBJECT
public:
    explicit TcarihareketF(TyardimF *help = nullptr, QWidget *parent = nullptr);
    ~TcarihareketF() override;

    void setYardim(TyardimF *help);
    void setEntryForm(TcarihareketDF *entry) { m_entry = entry; }
    // The calculator the statement is handed to; "Vade Farkı Hesapla" waits for it.
    void setCalculator(Tvadefark2F *calculator);

    // Opening from the main menu: the account list, the first account's movements,
    // the window maximised.
    void ac();

    void FirmaAyarla();        // the account list and its currency totals
    void CariHareketAyarla();  // the four lists of the current account
    void yenile();             // "BİLGİLERİ GÜNCELLE"
    void ara();                // "Ara" over the account list
    void hareketleriGoster();  // the current account's movements and their heading
    // New movements: with no account, for the current account of the list, for the
    // account of the current movement.
    void yeniHareket();
    void cariyeYeniHareket();
    void hareketinCarisineYeniHareket();
    void hareketiDuzelt();
    void hareketiSil();
    // A title click on the movement grid: every movement of the file in that field's order.
    void hareketleriSirala(const QString &field);
    // A title click on the account grid.
    void hesaplariSirala();
    // Closes the movement table and the two lists before the cash file is switched.
    void yilDegisecek();

    // The bottom bar's documents: "YAZDIR" and "EXCEL" run the balance list or the
    // statement by the report choice; "Vade Farkı Hesapla" hands the statement over.
    void STRG1YazClick();
    void excelClick();
    void CariHesapYaz();
    void HesapHareketYaz();
    void CariHesapExcel();
    void HesapExcel();
    void vadefarkButtonClick();
    // The printouts bound to the window's datasets and the company record, after
    // their lists were rebuilt; the workbooks from the datasets as they are.
    Report balanceListPrintout();
    Report statementPrintout();
    SpreadsheetWorkbook balanceListWorkbook();
    SpreadsheetWorkbook statementWorkbook();

    Table *ffTable1;
    Query *ffQuery1;
    Query *toplamQuery1;
    Query *devirQuery3;
    Query *devir2Query3;
    Query *ffQuery3;
    Query *toplamQuery3;

    QLabel *baslikLabel = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *CariBox = nullptr;
    QComboBox *HareketBox = nullptr;
    QDateEdit *gununtarihiDate = nullptr;
    QDateEdit *ilktarihDate = nullptr;
    QDateEdit *sontarihiDate = nullptr;
    QLineEdit *araEdit = nullptr;
    DatasetGrid *DBGrid2 = nullptr;  // accounts
    DatasetGrid *DBGrid3 = nullptr;  // their currency totals
    DatasetGrid *DBGrid1 = nullptr;  // movements
    DatasetGrid *DBGrid4 = nullptr;  // their currency totals
    QLineEdit *devirBorcEdit = nullptr, *devirAlacakEdit = nullptr, *devirBakiyeEdit = nullptr;
    QLineEdit *borcEdit = nullptr, *alacakEdit = nullptr, *bakiyeEdit = nullptr;
    PanelStatusBar *StatusBar1 = nullptr;
    QGroupBox *yazayar = nullptr;                           // "Raporlama Seçenekleri"
    QRadioButton *mizanRadio = nullptr, *muavinRadio = nullptr;
    QPushButton *STRG1Yaz = nullptr, *JvXPButton5 = nullptr, *vadefarkButton = nullptr;

    // The sort direction texts of the account list and of the movement grid.
    QString listeYonu;
    QString hareketYonu;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildAccounts();
    QWidget *buildMovements();
    QWidget *buildBottomBar();
    void buildPopupMenus();
    Table &movementTable();
    QString currentCode() const;
    void showSums(Query &sums, QLineEdit *borc, QLineEdit *alacak, QLineEdit *bakiye);
    void setMovementHeading();
    void reopenMovementList();
    bool beginNewMovement(const QString &code, const QString &name);
    void keepPendingForSwitch();
    void restorePendingAfterSwitch();
    void followData(int what);
    void runGuarded(const std::function<void()> &step);

    void rebuildAccountList();  // FirmaAyarla keeping the current account
    Table &companyInfo();

    TcarihareketDF *m_entry = nullptr;
    Tvadefark2F *m_calculator = nullptr;
    Table *m_companyInfo = nullptr;  // firmabilgileri, for the printouts' header
    QPushButton *m_help = nullptr;
    QString m_code;                  // the account whose movements are shown
    QHash<qint64, double> m_running; // bakiyetop by chid, worked out once per opening
    QStringList m_movementSql;       // the movement list's present statement
    QVector<QVariant> m_carried;     // a new movement typed when the cash file was switched
};
