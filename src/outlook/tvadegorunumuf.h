#pragma once
// "Vade Görünümü": the coming weeks or months at a glance. Per period, the received
// cheques the company holds falling due, the own cheques to pay and the endorsed
// cheques not yet due, as bars, with the projected balance as a line, and the same
// figures in a table under the chart. A bar opens its cheques in their list window.
#include "data/table.h"
#include "outlook/outlook_statements.h"

#include <QWidget>

class ChequeListWindow;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class Report;

class TvadeGorunumuF : public QWidget {
    Q_OBJECT
public:
    explicit TvadeGorunumuF(QWidget *parent = nullptr);

    // The received and the own cheque lists the bars open; either may be null.
    void setListWindows(ChequeListWindow *received, ChequeListWindow *own);

    // Reads the figures again and redraws. False when a statement failed (reported).
    bool Yenile();
    // The options as the controls hold them (today as the day).
    Outlook::Options options() const;
    const Outlook::Result &result() const { return m_result; }
    // The printout: the chart as a picture, the table beside it.
    Report printout();
    void yazdir();
    // The spreadsheet of the table; returns the saved file's path (empty on failure).
    QString excel();
    // The cheques of one bar in their list window: kind 0 held, 1 own, 2 endorsed.
    void openPeriod(int kind, int period);

    // The chart of a result, for the window and the printout.
    static QChart *makeChart(const Outlook::Result &r);

    QComboBox *donemBox = nullptr;   // "Haftalık" / "Aylık"
    QSpinBox *sayiSpin = nullptr;    // how many periods
    QComboBox *paraBox = nullptr;    // "TL Karşılığı" or one currency
    QPushButton *yenileBut = nullptr;
    QPushButton *yazdirBut = nullptr;
    QPushButton *excelBut = nullptr;
    QPushButton *kapatBut = nullptr;
    QLabel *kasaLabel = nullptr;
    QLabel *uyariLabel = nullptr;
    QChartView *vadeChart = nullptr;
    QTableWidget *vadeTable = nullptr;

    Table firmabilgileri;  // the company's own record, for the printout's header

    static inline const QString kTlKarsiligi = QStringLiteral("TL Karşılığı");

private:
    void showResult();
    Outlook::Inputs m_inputs;
    Outlook::Result m_result;
    Outlook::Options m_options;
    ChequeListWindow *m_received = nullptr;
    ChequeListWindow *m_own = nullptr;
};
