#pragma once
// The main menu: the working window after a login. The left column of menu bars
// leads to every function; the dashboard shows the open company's cheque lists,
// account balances, their totals and the day's note. Closing it leads back to the
// login.
#include "data/query.h"
#include "data/table.h"
#include "reports/report.h"

#include <QDate>
#include <QMainWindow>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSplitter;
class DatasetGrid;
class MenuColumn;
class PanelStatusBar;
class TayarlarF;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    QLabel *JvNavPanelHeader1 = nullptr;
    QLineEdit *kisinoedit = nullptr;  // the working year
    PanelStatusBar *StatusBar1 = nullptr;

    // Top strip.
    QDateEdit *DateTimePicker1 = nullptr;  // "Çek Baş.Tarihi"
    QDateEdit *DateTimePicker2 = nullptr;  // "Çek Bit.Tarihi"
    QPushButton *yenileBut = nullptr, *kapat = nullptr, *STRG1Yaz = nullptr, *tfXPButton1 = nullptr;
    QLineEdit *bakiyeTL = nullptr, *bakiyeUSD = nullptr, *bakiyeEURO = nullptr;
    QComboBox *ComboBox1 = nullptr;  // report choice

    // Lists and their totals.
    DatasetGrid *DBGrid1 = nullptr;    // portfolio
    DatasetGrid *JvDBGrid3 = nullptr;  // handed to banks
    DatasetGrid *JvDBGrid4 = nullptr;  // own cheques
    DatasetGrid *JvDBGrid1 = nullptr;  // debtors
    DatasetGrid *JvDBGrid2 = nullptr;  // creditors
    QLineEdit *TLEdit = nullptr, *USDEdit = nullptr, *EUROEdit = nullptr, *cekbakiye = nullptr;
    QLineEdit *TLEditC = nullptr, *USDEditC = nullptr, *EUROEditC = nullptr, *cekbakiyeC = nullptr;
    QLineEdit *TLEditD = nullptr, *USDEditD = nullptr, *EUROEditD = nullptr, *cekbakiyeD = nullptr;
    QLineEdit *alacakTL = nullptr, *alacakUSD = nullptr, *alacakEURO = nullptr;
    QLineEdit *borcTL = nullptr, *borcUSD = nullptr, *borcEURO = nullptr;

    // The day's note.
    QDateEdit *notTarihi = nullptr;
    QPlainTextEdit *notMemo = nullptr;
    QPushButton *notSaklaBut = nullptr;

    // Panels the settings show and hide.
    QWidget *cekAlani = nullptr;        // the whole cheque area
    QWidget *eldekiPanel = nullptr, *bankalardakiPanel = nullptr, *duzenlenenPanel = nullptr;
    QWidget *altSerit = nullptr;        // the lower strip
    QWidget *alacakPanel = nullptr, *borcPanel = nullptr, *notPanel = nullptr;
    QWidget *cntDetails = nullptr;
    QScrollArea *sbxWinXPBar = nullptr;
    MenuColumn *menuColumn = nullptr;
    QList<QSplitter *> splitters;      // spltMain, Splitter1 .. Splitter6

    Query ffQuery1;  // debtor balances (cash)
    Query ffQuery2;  // portfolio
    Query ffQuery3;  // creditor balances (cash)
    Query ffQuery4;  // handed to banks
    Query ffQuery5;  // own cheques
    Table ffTable1;  // gunluknot
    Table firmabilgileri;

    void EldekiCeklerHazirla(const QString &orderBy = QString());
    void BankadakiCeklerHazirla(const QString &orderBy = QString());
    void KendiCeklerHazirla(const QString &orderBy = QString());
    void tablotoplamal();
    void yenile();
    // The dashboard of a fresh login, in the login's order of steps.
    void prepareDashboard();
    // Applies "csayar.apr": list visibility and the colours stored above 1.
    void ayarYukle();
    // Paints the three menu colours; splitters too when asked.
    void paintColours(const QColor &sidePanel, const QColor &background, const QColor &menuBars, bool splittersToo);

    // The printout of a report choice item, ready to prepare or preview; none for
    // an unknown item.
    std::optional<Report> dashboardPrintout(const QString &item);
    void raporuYazdir();

    // Posts the day's note when it is being edited or inserted.
    void notSakla();
    QDate referenceDay() const { return m_referenceDay; }
    QString sortDirection() const { return m_sortDirection; }

    // A menu bar item or pop-up item by its text or objectName; later windows enable
    // and connect their own items through it. nullptr when there is none.
    QAction *menuItem(const QString &textOrName) const;
    TayarlarF *ayarlarF() const { return m_ayarlarF.get(); }

Q_SIGNALS:
    void closedByUser();
    void helpRequested(const QString &topic);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildTopStrip();
    QWidget *buildMenuColumn();
    QWidget *buildDashboard();
    QWidget *chequePanel(const QString &title, DatasetGrid *&grid, QLineEdit *totals[4], const QString &suffix);
    QWidget *balancePanel(const QString &title, const QString &subtitle, DatasetGrid *&grid, QLineEdit *totals[3],
                          const QString &prefix);
    QWidget *buildNotePanel();
    void buildPopupMenus();
    void rebuild(Query &q, const QStringList &statement);
    void openQuery(Dataset &q);
    void showNote();
    void noteTyped();
    Dataset *listOfReport(const QString &item);

    QDate m_referenceDay;
    QString m_sortDirection;  // shared by the three cheque grids
    bool m_loadingNote = false;
    QList<QAction *> m_popupItems;
    QList<QWidget *> m_containers;  // the dashboard's cards and top strip
    std::unique_ptr<TayarlarF> m_ayarlarF;
};
