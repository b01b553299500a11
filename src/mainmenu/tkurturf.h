#pragma once
// The currencies and their exchange rates by day: a list of currency codes
// (`kurturu`) and, for a chosen day, the rates of each currency (`kurlar`), both
// typed straight into their grids. Nothing else in the program reads them.
#include <QDate>
#include <QWidget>
#include <memory>

class DatasetGrid;
class PanelStatusBar;
class QDateEdit;
class QLabel;
class QPushButton;
class QTabWidget;
class Table;

class TkurturF : public QWidget {
    Q_OBJECT
public:
    explicit TkurturF(QWidget *parent = nullptr);
    ~TkurturF() override;

    // From the main menu: both tables opened, today's rates shown.
    void ac();
    // "KAPAT": a row still being typed is dropped, the tables closed, the window hidden.
    void kapat();
    void setDay(const QDate &day);
    QDate day() const { return m_day; }
    static QString dayLabel(const QDate &day);  // "Tarih  05 Mart 2024 Salı "

    QTabWidget *pages = nullptr;
    DatasetGrid *kurturuGrid = nullptr;
    DatasetGrid *kurlarGrid = nullptr;
    QLabel *Label1 = nullptr;
    QDateEdit *DateTimePicker1 = nullptr;
    QPushButton *kapatBut = nullptr;      // `kapat` on the currency page
    QPushButton *JvXPButton7 = nullptr;   // "Günlük Kur Girişleri"
    QPushButton *SpeedButton1 = nullptr;  // "KAPAT" on the rates page
    QPushButton *JvXPButton2 = nullptr;   // "Kur Kodu Ekle"
    PanelStatusBar *StatusBar1 = nullptr;
    std::unique_ptr<Table> kurturuTable;
    std::unique_ptr<Table> kurlarTable;

private:
    void showPage(int page);
    void applyDayFilter();
    QStringList currencyCodes() const;
    QDate m_day;
};
