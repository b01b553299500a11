#pragma once
// The cash type report: over a period and a currency, the collections and the
// payments of the cash register summed per transaction type, the period totals and
// their difference; the movements of one type open in a detail window, and five
// printouts summarise the period or list one type.
#include <QDate>
#include <QWidget>

class CashDetailWindow;
class DatasetGrid;
class QButtonGroup;
class QComboBox;
class QDateEdit;
class QLineEdit;
class Query;
class Report;
class Table;

class TraporKasaF : public QWidget {
    Q_OBJECT
public:
    explicit TraporKasaF(QWidget *parent = nullptr);
    ~TraporKasaF() override;

    void setDetailWindows(CashDetailWindow *gelir, CashDetailWindow *gider);

    // The opening from the cash register view: the whole cash year, shown, computed.
    void acYil(int year);

    // The computations.
    void tahsilatlar();     // collections by type
    void odemeler();        // payments by type
    void raporuHazirla();   // both, then the difference
    // The detail of the current type of the collections (gelir) or payments (gider)
    // list into its window; shown when asked.
    void gelirDetay(bool show);
    void giderDetay(bool show);
    // The printout of a "Yazdırma Seçenekleri" choice, after its computation.
    Report rapor(int choice);
    void yazdir();          // "Yazdır"
    void kapat();           // "Kapat"

    double tahsilatToplami = 0;  // the collections sum, replaced by every computation of it
    double odemeToplami = 0;     // the payments sum

    QDateEdit *DateTimePicker2, *DateTimePicker1;  // "İlk Tarih", "Son Tarih"
    QComboBox *dovizBox;
    QLineEdit *donemgelirEdit, *donemgiderEdit, *donemkarzararEdit;
    QButtonGroup *yazayar;
    Query *ffQuery1, *ffQuery2;
    DatasetGrid *giderGrid, *hizligir;  // the collections grid (left) and the payments grid (right)

private:
    QString currency() const;
    void filter(Query *q);
    double sumOf(Query *q, const QString &field) const;
    void detay(CashDetailWindow *window, Query *list, bool show);
    void preview(Report report, DatasetGrid *frozen);

    CashDetailWindow *m_gelir = nullptr, *m_gider = nullptr;
    QString m_tahsilatBaslik, m_odemeBaslik, m_aralik;  // texts of the printouts' titles
    Table *m_company;
};
