#pragma once
// The cash register view: the days that have cash movements, the movements of the
// selected day, and for that day the opening balance, the money in and out, the
// day's net and the closing balance, in one currency or, with "Hepsi", per currency
// side by side. Movements are added, corrected and deleted from here with the cash
// entry form; the day is printed and exported.
#include <QDate>
#include <QMainWindow>
#include <QSet>

class DatasetGrid;
class PanelStatusBar;
class QButtonGroup;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class Query;
class Table;
class TkasaF;
class TikitarihF;
class TraporKasaF;
class TyardimF;
class SpreadsheetWorkbook;
class Report;

class TkasaRF : public QMainWindow {
    Q_OBJECT
public:
    explicit TkasaRF(QWidget *parent = nullptr);
    ~TkasaRF() override;

    void setEntryForm(TkasaF *form) { m_entry = form; }
    void setYardim(TyardimF *help);
    // The period reports: the two-date dialog and the type report.
    void setPeriodDialog(TikitarihF *dialog) { m_periodDialog = dialog; }
    void setTypeReport(TraporKasaF *report) { m_typeReport = report; }

    // The opening from the main menu: the datasets opened, the day computed, shown.
    void ac();

    // "BİLGİLERİ GÜNCELLE" and a change of currency: the day list rebuilt, the
    // newest day selected and computed again from the files.
    void yenileButClick();
    void KasaBakiye();
    void GunlukBakiye();
    void ParaBirimiDurum();
    // Selecting a day: the three computations, then the closing balance.
    void gunSecildi();
    // "GİT".
    void GitButClick();
    // The hand-offs to the cash entry form.
    void yeniHareket();
    void duzelt();
    void sil();
    // "YAZDIR" and "Excel".
    void yazdir();
    void excel();
    // "İşlem Türü Detay Raporu": the type report over the cash year.
    void islemTuruRaporu();

    // A movement found for the windows that correct or delete it from elsewhere:
    // its day made current (the datasets opened when closed) and the movement made
    // current among the day's movements. False, with nothing more done, when the
    // day is not in the list or the movement not among the day's.
    bool hareketeGit(const QDate &day, qint64 nid);

    // After the cash database was switched to another year: the view's tables and
    // queries on the new file (only while the view or the entry form uses them).
    void reopenAfterSwitch();
    // After a save dated day: the day made current (the list rebuilt when it lacks
    // the day), the balances computed again.
    void showDay(const QDate &day);

    QDate seciliGun() const;       // the selected day; invalid when the list is empty
    QString paraBirimi() const;    // the currency choice, "Hepsi" for all
    // The movement rows of the selected day as the spreadsheet export lays them out.
    void fillWorkbook(SpreadsheetWorkbook &book);
    // The day's printout (frReport1 or frReport6), bound to the view's datasets.
    Report dayReport(int kind);
    // The names of the transaction types, for the type column.
    void loadTypeNames();

    Table *kasaGTable;             // every cash row, for the entry form's row
    Table *kasaRTable;             // the selected day's movements
    Query *kasaRQuery;             // the day list
    Query *gunbasikasaQuery;       // the opening balance
    Query *guniciQuery;            // the day's sums
    Query *guntoplamtumuQuery;     // the per-currency summary ("Hepsi")
    QComboBox *dovizBox;
    QDateEdit *vadesiDate;
    QLabel *kasaTarihiLabel;
    QButtonGroup *yazayar;
    QLineEdit *gunbasiEdit, *girenEdit, *cikanEdit, *gunbakiyeEdit;
    QLabel *Label10;
    DatasetGrid *DBGrid2, *DBGrid1, *DBGrid3;
    QSplitter *Splitter1;
    PanelStatusBar *StatusBar1;

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void buildTopBar(class QVBoxLayout *root);
    void followDay();
    void showBalances();
    void closeDatasets();
    void openDatasets();
    bool ensureOpen();
    double bakiye(Query *q) const;
    void reportError(const QString &message);

    // A computation done for a day and currency, on the file as it then was.
    struct Remembered {
        QDate day;
        QString currency;
        quint64 version = 0;
        bool valid = false;
    };
    bool stillValid(const Remembered &r) const;
    void remember(Remembered &r);
    Remembered m_openingFor, m_dayFor;

    TkasaF *m_entry = nullptr;
    TikitarihF *m_periodDialog = nullptr;
    TraporKasaF *m_typeReport = nullptr;
    QPushButton *m_help = nullptr;
    QLabel *m_dayOfTotals = nullptr;  // the day beside the day's totals
    QSet<QString> m_typeNames;
    bool m_following = false;
};
