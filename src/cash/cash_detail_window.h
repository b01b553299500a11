#pragma once
// The movements of one transaction type over the type report's period: the
// collections (TgelirdetayF) or the payments (TgiderdetayF), with their total. A
// movement is corrected, deleted or given its documents from here through the cash
// register view, which finds it by its day and key.
#include "cash/type_report_statements.h"

#include <QDate>
#include <QVariant>
#include <QWidget>
#include <functional>

class DatasetGrid;
class QLabel;
class Query;
class Report;
class TkasaRF;
class Table;

class CashDetailWindow : public QWidget {
    Q_OBJECT
public:
    using Side = TypeReportStatements::Side;
    CashDetailWindow(Side side, QWidget *parent = nullptr);
    ~CashDetailWindow() override;

    void setView(TkasaRF *view) { m_view = view; }
    // What "Yazdır" computes again before printing (the type report's detail of the
    // current row of the list this window serves).
    void setRecompute(std::function<void()> recompute) { m_recompute = std::move(recompute); }

    // The movements of the type over the range, in the currency ("Hepsi" or empty:
    // all). Returns their total.
    double yukle(const QString &type, const QDate &first, const QDate &last, const QString &currency);
    double toplam() const { return m_total; }
    // The printout over the list as it stands.
    Report rapor();

    // "Yazdır", "Kapat" and the pop-up menu.
    void yazdir();
    void kapat();
    void duzelt();
    void sil();
    // The key of the current movement for its documents, once the view stands on it;
    // empty when the movement is not among the view's movements of its day.
    QVariant evrakAnahtari();

    Side side() const { return m_side; }
    Query *query;  // detaygelirQuery or detaygiderQuery
    QLabel *Label1, *Label2, *Label3;
    DatasetGrid *DBGrid1;

protected:
    void closeEvent(class QCloseEvent *event) override;

private:
    // The view stands on the current movement: its day current, the movement found.
    bool viewOnCurrent();
    void reload();
    void showTotal();

    Side m_side;
    TkasaRF *m_view = nullptr;
    std::function<void()> m_recompute;
    QString m_type, m_currency, m_range;
    QDate m_first, m_last;
    double m_total = 0;
    bool m_loaded = false;
    Table *m_company;
};

class TgelirdetayF : public CashDetailWindow {
public:
    explicit TgelirdetayF(QWidget *parent = nullptr) : CashDetailWindow(Side::Collections, parent) {}
};

class TgiderdetayF : public CashDetailWindow {
public:
    explicit TgiderdetayF(QWidget *parent = nullptr) : CashDetailWindow(Side::Payments, parent) {}
};
