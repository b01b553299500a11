#pragma once
// The two-date cash report dialog: one of four reports of the cash movements over a
// date range and a currency (the movements with the opening and closing cash, the
// movements under their day totals, the totals per transaction type, the totals per
// day), chosen by the cash register view before it shows the dialog. It reads only.
#include <QWidget>

class QComboBox;
class QDateEdit;
class Query;
class Report;
class Table;

class TikitarihF : public QWidget {
    Q_OBJECT
public:
    explicit TikitarihF(QWidget *parent = nullptr);
    ~TikitarihF() override;

    // The report kind set by the view: "ikitariharasi", "ikitariharasidetay",
    // "islemturu" or "guntoplamlari".
    QString raporTuru;

    // The datasets of the kind rebuilt for the chosen range and currency.
    void hazirla();
    // The kind's printout over the datasets as they stand, with its title.
    Report rapor();
    // "İKİ TARİH ARASI RAPORU YAZDIR": prepared, shown in the preview, dialog hidden.
    void yazdir();

    QComboBox *dovizBox;
    QDateEdit *ilkTarihDate, *SonTarihDate;
    Query *ikitarihQuery;     // the period's movements
    Query *islemturuQuery;    // sums per type and currency
    Query *tarihQuery;        // sums per currency and day
    Query *gunbasikasaQuery;  // the opening balance before the first day

private:
    Table *m_company;
};
