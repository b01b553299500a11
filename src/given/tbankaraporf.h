#pragma once
// The bank report: the cheques handed to banks on exit slips whose due dates fall in
// a range, for every bank or one, with their totals per bank and currency and per
// currency, and a printed list.
#include "data/memory_dataset.h"
#include "data/query.h"
#include "data/table.h"

#include <QWidget>

class DatasetGrid;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class Report;

class TbankaraporF : public QWidget {
    Q_OBJECT
public:
    explicit TbankaraporF(QWidget *parent = nullptr);

    // Rebuilds the bank choice, the list, both totals and the title from the dates
    // and the chosen bank. Returns false when a statement failed (and was reported).
    bool Yenile();
    // "YAZDIR": the list with the per-bank totals in the preview.
    void yazdir();
    // The printout as "YAZDIR" shows it, for the preview and for tests.
    Report printout();

    QDateEdit *DateTimePicker1 = nullptr;  // "Çek Baş.Tarihi"
    QDateEdit *DateTimePicker2 = nullptr;  // "Çek Bit.Tarihi"
    QComboBox *ComboBox1 = nullptr;        // the bank, or "Tüm Bankalar"
    QLabel *Label13 = nullptr;             // the title
    QPushButton *yenileBut = nullptr;
    QPushButton *yazdirBut = nullptr;
    QPushButton *kapatBut = nullptr;
    DatasetGrid *JvDBGrid3 = nullptr;      // the cheques
    DatasetGrid *JvDBGrid1 = nullptr;      // totals per bank and currency
    DatasetGrid *JvDBGrid2 = nullptr;      // totals per currency

    Query ffQuery4;   // the cheques
    Query ADOQuery1;  // ciro_firma, para_birimi, cektutari
    Query ADOQuery2;  // para_birimi, cektutari
    Query bankQuery;  // the banks of the choice list
    Table firmabilgileri;

private:
    void closeAll();
    // What the printout reads besides the list: the title and one row per bank total.
    MemoryDataset m_printTitle;
    MemoryDataset m_printTotals;
};
