// The received cheque lists: the statements for each filter, and the window over a
// company holding a cheque in every state.
#include "accounts/account_picker.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/query.h"
#include "data/table.h"
#include "received/cheque_list_statements.h"
#include "received/tceklerf.h"
#include "reports/preview_window.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/message_box.h"
#include "widgets/row_paint_delegate.h"

#include <QAbstractItemModelTester>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace ChequeList;

namespace {

struct Cheque {
    int bordro;
    QString firmaKodu;
    QString firma;
    QString duzenleyen;
    QDate vade;
    QString para;
    double tutar;
    QVariant ciroId;
    QDate banka, tahsilat, iade, karsiliksiz;
};

// cek_ind follows this order, 1 to 8.
const QList<Cheque> kFixture = {
    {12, "M1", "Öztürk Gıda", "Ali Veli", {2024, 3, 5}, "TL", 100, {}, {}, {}, {}, {}},          // 1 portfolio
    {12, "M1", "Öztürk Gıda", "Can Er", {2024, 3, 6}, "USD", 200, 5, {2024, 3, 1}, {}, {}, {}},   // 2 at the bank
    {13, "B1", "Ziraat Bankası", "Ece Su", {2024, 4, 10}, "TL", 300, {}, {2024, 3, 1}, {}, {}, {}}, // 3 from a bank account
    {13, "M1", "Öztürk Gıda", "Ali Veli", {2024, 3, 4}, "TL", 400, 6, {}, {}, {}, {}},            // 4 endorsed
    {14, "M2", "Kaya Ltd", "Deniz Ak", {2024, 2, 1}, "EURO", 500, {}, {}, {2024, 2, 1}, {}, {}},  // 5 collected
    {14, "M2", "Kaya Ltd", "Deniz Ak", {2024, 3, 5}, "TL", 600, 7, {}, {}, {}, {2024, 3, 6}},     // 6 endorsed, then bounced
    {15, "M2", "Kaya Ltd", "Ece Su", {2024, 5, 1}, "TL", 700, {}, {}, {}, {2024, 4, 2}, {}},      // 7 returned
    {15, "M3", "D'Souza Ticaret", "Oya Gül", {2024, 3, 5}, "USD", 50, {}, {}, {}, {}, {}},       // 8 portfolio
};

QVariant date(const QDate &d) { return d.isValid() ? QVariant(d) : QVariant(); }

void insertCheques(const QList<Cheque> &cheques)
{
    Table t(&DataContext::instance().ADOConnection1, QStringLiteral("cekgiris"));
    t.open();
    for (const Cheque &c : cheques) {
        t.append();
        t.field("bordro_ind") = c.bordro;
        t.field("alindigi_firma_kodu") = c.firmaKodu;
        t.field("alindigi_firma") = c.firma;
        t.field("ceki_duzenleyen") = c.duzenleyen;
        t.field("cek_tarihi") = c.vade;
        t.field("islem_tarihi") = QDate(2024, 1, 15);
        t.field("para_birimi") = c.para;
        t.field("cek_tutari") = c.tutar;
        t.field("cek_ciro_id") = c.ciroId;
        t.field("cek_banka_tarihi") = date(c.banka);
        t.field("cek_tahsilat_tarihi") = date(c.tahsilat);
        t.field("cek_iade_tarihi") = date(c.iade);
        t.field("cek_karsiliklsiz_tarihi") = date(c.karsiliksiz);
        t.field("cek_bankasi") = QStringLiteral("Garanti");
        t.field("cek_no") = QString::number(1000 + c.bordro);
        t.post();
    }
}

QList<int> listed(Query &q)
{
    QList<int> ids;
    for (int r = 0; r < q.recordCount(); ++r) ids << q.recordAt(r).asInteger(QStringLiteral("cek_ind"));
    return ids;
}

QList<int> sorted(QList<int> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

// The three kinds of cheque list: received (bracketed, two names), given (bracketed,
// three names) and issued (bare conditions, one name).
Shape shapeOf(const QString &kind)
{
    if (kind == u"given")
        return {QStringLiteral("cekciro"), QStringLiteral("ciro_bordro_ind"), QStringLiteral("Ciro_firma_kodu"),
                {QStringLiteral("ciro_firma"), QStringLiteral("ceki_duzenleyen"), QStringLiteral("alindigi_firma")}};
    if (kind == u"issued")
        return {QStringLiteral("cekkendi"), QStringLiteral("bordro_ind"), QStringLiteral("cirolandigi_firma_kodu"),
                {QStringLiteral("cirolandigi_firma")}, true};
    return receivedShape();
}

} // namespace

class TestChequeLists : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestHome> home;
    std::unique_ptr<TceklerF> form;

    void openFixture()
    {
        home = std::make_unique<TestHome>();
        home->openCompany(QStringLiteral("A1"), 2024);
        insertCheques(kFixture);
        form = std::make_unique<TceklerF>();
        form->islemDate->setDate(QDate(2024, 3, 1));
    }
    void choose(Choice c) { form->choiceGroup->button(int(c))->click(); }

private slots:
    void init() { MessageBox::clearShown(); }
    void cleanup()
    {
        form.reset();
        AccountPicker::reset();
        home.reset();
    }

    void statementLines()
    {
        Filters f;
        f.bordroNo = QStringLiteral("A12");
        f.firmaKodu = QStringLiteral("A12");
        f.paraCinsi = QStringLiteral("USD");
        const Statements s = build(f);
        QCOMPARE(s.list, QStringList({"SELECT * FROM cekgiris", "WHERE (cek_ciro_id IS NULL )",
                                      "AND (cek_tahsilat_tarihi IS NULL)", "AND (cek_iade_tarihi IS NULL)",
                                      "AND (cek_banka_tarihi IS NULL)", "AND (cek_karsiliklsiz_tarihi IS NULL)",
                                      "AND (bordro_ind=12)", "AND (alindigi_firma_kodu IN ('a12') AND alindigi_firma_kodu='A12' COLLATE TRNOCASE)",
                                      "AND (para_birimi='USD')", "ORDER BY cek_tarihi ASC;"}));
        QCOMPARE(s.total.first(), QStringLiteral("SELECT SUM(cek_tutari) AS Cek_Toplami FROM cekgiris"));
        QCOMPARE(s.total.last(), QStringLiteral("AND (para_birimi='USD')"));
        QCOMPARE(s.monthly.mid(s.monthly.size() - 2),
                 QStringList({"GROUP BY MONTH(cek_tarihi), YEAR(cek_tarihi) ,para_birimi",
                              "ORDER BY YEAR(cek_tarihi), MONTH(cek_tarihi) ASC"}));

        Filters g;
        g.choice = Choice::Tum;
        g.tarihAcik = true;
        g.basTarihi = QDate(2024, 3, 5);
        g.bitisTarihi = QDate(2024, 3, 5);
        g.firmaAdi = QStringLiteral("D'Souza");
        g.paraCinsi = QStringLiteral("Hepsi");
        QCOMPARE(filterLines(g), QStringList({"AND ((alindigi_firma LIKE '%D''Souza%')",
                                              "OR (ceki_duzenleyen LIKE '%D''Souza%'))",
                                              "AND cek_tarihi<#2024-3-6# AND cek_tarihi>#2024-3-4#"}));
        QCOMPARE(build(g, "ORDER BY cek_gun DESC").list.last(), QStringLiteral("ORDER BY cek_gun DESC"));
    }

    void slipNumberReading_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("digits and a letter") << "12a" << QStringList{"AND (bordro_ind=12)"};
        QTest::newRow("letters only") << "abc" << QStringList{};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("negative") << "-3" << QStringList{};
    }
    void slipNumberReading()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, lines);
        Filters f;
        f.bordroNo = typed;
        QCOMPARE(filterLines(f), lines);
    }

    void slipNumberTooLarge()
    {
        Filters f;
        f.bordroNo = QStringLiteral("99999999999999999999999");
        QVERIFY_THROWS_EXCEPTION(EngineError, filterLines(f));
    }

    // The assembler over every kind of list: each filter alone, then all in order.
    void assembledFilterLines_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("bordro");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("range");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("received, nothing") << "received" << "" << "" << "" << "" << false << QStringList{};
        QTest::newRow("issued, Hepsi") << "issued" << "" << "" << "Hepsi" << "" << false << QStringList{};
        QTest::newRow("received, slip 12a") << "received" << "12a" << "" << "" << "" << false
                                            << QStringList{"AND (bordro_ind=12)"};
        QTest::newRow("given, slip 12a") << "given" << "12a" << "" << "" << "" << false
                                         << QStringList{"AND (ciro_bordro_ind=12)"};
        QTest::newRow("issued, slip 12a is the number") << "issued" << "12a" << "" << "" << "" << false
                                                        << QStringList{"AND bordro_ind=12"};
        QTest::newRow("issued, slip abc") << "issued" << "abc" << "" << "" << "" << false << QStringList{};
        QTest::newRow("given, a quote in the code") << "given" << "" << "M'1" << "" << "" << false
                                                    << QStringList{"AND (Ciro_firma_kodu IN ('m''1') AND Ciro_firma_kodu='M''1' COLLATE TRNOCASE)"};
        QTest::newRow("issued, a quote in the code") << "issued" << "" << "M'1" << "" << "" << false
                                                     << QStringList{"AND cirolandigi_firma_kodu IN ('m''1') AND cirolandigi_firma_kodu='M''1' COLLATE TRNOCASE"};
        QTest::newRow("given, TL") << "given" << "" << "" << "TL" << "" << false
                                   << QStringList{"AND (para_birimi='TL')"};
        QTest::newRow("issued, EURO") << "issued" << "" << "" << "EURO" << "" << false
                                      << QStringList{"AND para_birimi='EURO'"};
        QTest::newRow("received, a quote in the name")
            << "received" << "" << "" << "" << "D'Souza" << false
            << QStringList{"AND ((alindigi_firma LIKE '%D''Souza%')", "OR (ceki_duzenleyen LIKE '%D''Souza%'))"};
        QTest::newRow("given, three names")
            << "given" << "" << "" << "" << "O'Brien" << false
            << QStringList{"AND ((ciro_firma LIKE '%O''Brien%')", "OR (ceki_duzenleyen LIKE '%O''Brien%')",
                           "OR (alindigi_firma LIKE '%O''Brien%'))"};
        QTest::newRow("issued, a percent sign is escaped")
            << "issued" << "" << "" << "" << "%50_'" << false
            << QStringList{"AND (cirolandigi_firma LIKE '%\\%50\\_''%' ESCAPE '\\')"};
        QTest::newRow("issued, one name keeps its brackets")
            << "issued" << "" << "" << "" << "O'Brien" << false
            << QStringList{"AND (cirolandigi_firma LIKE '%O''Brien%')"};
        QTest::newRow("issued, everything in order")
            << "issued" << "7" << "S1" << "USD" << "Kaya" << true
            << QStringList{"AND bordro_ind=7", "AND cirolandigi_firma_kodu IN ('s1') AND cirolandigi_firma_kodu='S1' COLLATE TRNOCASE", "AND para_birimi='USD'",
                           "AND (cirolandigi_firma LIKE '%Kaya%')",
                           "AND cek_tarihi<#2025-1-1# AND cek_tarihi>#2024-12-30#"};
    }
    void assembledFilterLines()
    {
        QFETCH(QString, kind);
        QFETCH(QString, bordro);
        QFETCH(QString, code);
        QFETCH(QString, currency);
        QFETCH(QString, name);
        QFETCH(bool, range);
        QFETCH(QStringList, lines);
        FilterValues f;
        f.bordroNo = bordro;
        f.firmaKodu = code;
        f.paraCinsi = currency;
        f.firmaAdi = name;
        f.tarihAcik = range;
        f.basTarihi = QDate(2024, 12, 31);
        f.bitisTarihi = QDate(2024, 12, 31);
        QCOMPARE(filterLines(shapeOf(kind), f), lines);
    }

    // The three statements and the slip list of every kind are valid on a company
    // file, with every filter on and a quote in the texts.
    void assembledStatementsRun_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("state");
        QTest::newRow("received") << "received" << "WHERE (cek_ind IS NOT NULL )";
        QTest::newRow("given") << "given" << "WHERE (ciro_cek_ind IS NOT NULL) AND (cek_iade_tarihi IS NULL)";
        QTest::newRow("issued") << "issued" << "WHERE cek_ind IS NOT NULL AND cek_karsiliklsiz_tarihi IS NULL ";
    }
    void assembledStatementsRun()
    {
        QFETCH(QString, kind);
        QFETCH(QString, state);
        home = std::make_unique<TestHome>();
        home->openCompany(QStringLiteral("A1"), 2024);
        const Shape shape = shapeOf(kind);
        FilterValues f;
        f.bordroNo = QStringLiteral("3");
        f.firmaKodu = QStringLiteral("M'1");
        f.paraCinsi = QStringLiteral("TL");
        f.firmaAdi = QStringLiteral("D'Souza");
        f.tarihAcik = true;
        f.basTarihi = f.bitisTarihi = QDate(2024, 3, 5);
        const Statements s = assemble(shape, {state}, f, QStringLiteral("ORDER BY cek_no DESC"));
        const QStringList conditions = QStringList{state} + filterLines(shape, f);
        QCOMPARE(s.list, QStringList{"SELECT * FROM " + shape.table} + conditions + QStringList{"ORDER BY cek_no DESC"});
        QCOMPARE(s.total, QStringList{"SELECT SUM(cek_tutari) AS Cek_Toplami FROM " + shape.table} + conditions);
        QCOMPARE(s.monthly.mid(2, conditions.size() + 1), QStringList{"FROM " + shape.table} + conditions);
        for (const QStringList &lines : {s.list, s.total, s.monthly, slipList(shape, f.bordroNo, shape.slipField)}) {
            Query q(&DataContext::instance().ADOConnection1);
            try {
                q.reopen(lines);
            } catch (const EngineError &e) {
                QFAIL(qPrintable(e.message() + u'\n' + lines.join(u'\n')));
            }
            QVERIFY(q.isActive());
        }
    }

    // "%", "_" and the escape character typed in "Firma Adı" are characters of the
    // name, not wildcards, on every list that filters by name.
    void wildcardsInTheNameAreLiteral_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        const QStringList kinds{"received", "given", "issued"};
        for (const QString &k : kinds) {
            QTest::addRow("%s, percent", qPrintable(k)) << k << "%" << QStringList{"Yüzde %50 İndirim"};
            QTest::addRow("%s, percent and digits", qPrintable(k)) << k << "%5" << QStringList{"Yüzde %50 İndirim"};
            QTest::addRow("%s, underscore", qPrintable(k)) << k << "_" << QStringList{"Alt_Çizgi"};
            QTest::addRow("%s, backslash", qPrintable(k)) << k << "\\" << QStringList{"Ters\\Bölü"};
            QTest::addRow("%s, underscore inside", qPrintable(k)) << k << "t_ç" << QStringList{"Alt_Çizgi"};
            QTest::addRow("%s, plain text", qPrintable(k)) << k << "ad" << QStringList{"Düz Ad"};
            QTest::addRow("%s, quote and percent", qPrintable(k)) << k << "'%" << QStringList{};
        }
    }
    void wildcardsInTheNameAreLiteral()
    {
        QFETCH(QString, kind);
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        home = std::make_unique<TestHome>();
        home->openCompany(QStringLiteral("A1"), 2024);
        const Shape shape = shapeOf(kind);
        const QStringList names{"Yüzde %50 İndirim", "Alt_Çizgi", "Düz Ad", "Ters\\Bölü", "Altıçizgi"};
        {
            Table t(&DataContext::instance().ADOConnection1, shape.table);
            t.open();
            for (const QString &n : names) {
                t.append();
                for (const QString &field : shape.nameFields) t.field(field) = n;
                t.field("cek_tarihi") = QDate(2024, 3, 5);
                t.field("para_birimi") = QStringLiteral("TL");
                t.field("cek_tutari") = 10.0;
                t.post();
            }
        }
        FilterValues f;
        f.firmaAdi = typed;
        const Statements s = assemble(shape, {QStringLiteral("WHERE (1=1)")}, f, QString());
        Query q(&DataContext::instance().ADOConnection1);
        try {
            q.reopen(s.list);
        } catch (const EngineError &e) {
            QFAIL(qPrintable(e.message() + u'\n' + s.list.join(u'\n')));
        }
        QStringList listed;
        for (q.first(); !q.eof(); q.next()) listed << q.field(shape.nameFields.first()).asString();
        QCOMPARE(listed, found);
    }

    void kalanOrdersByDueDate()
    {
        QCOMPARE(listOrderLine("ORDER BY kalangun DESC"), QStringLiteral("ORDER BY cek_tarihi DESC"));
        QCOMPARE(listOrderLine("ORDER BY cek_gun ASC"), QStringLiteral("ORDER BY cek_gun ASC"));
        QCOMPARE(monthName(1), QStringLiteral("Ocak"));
        QCOMPARE(monthName(8), QStringLiteral("Ağustos"));
        QCOMPARE(monthName(12), QStringLiteral("Aralık"));
        QCOMPARE(monthName(13), QString());
    }

    void eachChoiceListsItsCheques_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("Portföydeki Çekler") << int(Choice::Portfoy) << QList<int>{1, 8};
        QTest::newRow("Bankadaki Çekler") << int(Choice::Banka) << QList<int>{2};
        QTest::newRow("Portföy+Banka") << int(Choice::PortfoyBanka) << QList<int>{1, 2, 3, 8};
        QTest::newRow("Ciro Edilenler") << int(Choice::Ciro) << QList<int>{2, 4, 6};
        QTest::newRow("Tahsil Edilenler") << int(Choice::Tahsil) << QList<int>{5};
        QTest::newRow("Karşılıksızlar") << int(Choice::Karsiliksiz) << QList<int>{6};
        QTest::newRow("İade Edilenler") << int(Choice::Iade) << QList<int>{7};
        QTest::newRow("Tüm Çekler") << int(Choice::Tum) << QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
    }
    void eachChoiceListsItsCheques()
    {
        QFETCH(int, choice);
        QFETCH(QList<int>, ids);
        openFixture();
        QAbstractItemModelTester tester(form->eldekiceklerGrid->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        choose(Choice(choice));  // a click rebuilds at once
        QCOMPARE(sorted(listed(form->eldekiceklerQuery)), ids);
        QCOMPARE(form->eldekiceklerGrid->model()->rowCount(), ids.size());
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void filters_data()
    {
        QTest::addColumn<QString>("bordro");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<bool>("range");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QString>("total");
        QTest::newRow("nothing") << "" << "Hepsi" << false << "" << "" << QList<int>{1, 2, 3, 4, 5, 6, 7, 8}
                                 << "2.850,00";
        QTest::newRow("slip 12a") << "12a" << "Hepsi" << false << "" << "" << QList<int>{1, 2} << "300,00";
        QTest::newRow("slip abc") << "abc" << "Hepsi" << false << "" << "" << QList<int>{1, 2, 3, 4, 5, 6, 7, 8}
                                  << "2.850,00";
        QTest::newRow("USD") << "" << "USD" << false << "" << "" << QList<int>{2, 8} << "250,00";
        QTest::newRow("one day") << "" << "Hepsi" << true << "" << "" << QList<int>{1, 6, 8} << "750,00";
        QTest::newRow("a quote in the name") << "" << "Hepsi" << false << "D'Souza" << "" << QList<int>{8} << "50,00";
        QTest::newRow("a quote in the code") << "" << "Hepsi" << false << "" << "M'1" << QList<int>{} << "";
        QTest::newRow("drawer, Turkish case") << "" << "Hepsi" << false << "OYA GÜL" << "" << QList<int>{8} << "50,00";
        QTest::newRow("account name") << "" << "Hepsi" << false << "öztürk" << "M1" << QList<int>{1, 2, 4}
                                      << "700,00";
    }
    void filters()
    {
        QFETCH(QString, bordro);
        QFETCH(QString, currency);
        QFETCH(bool, range);
        QFETCH(QString, name);
        QFETCH(QString, code);
        QFETCH(QList<int>, ids);
        QFETCH(QString, total);
        openFixture();
        choose(Choice::Tum);
        type(form->bordroEdit, bordro);
        type(form->firmaEdit, code);
        type(form->firmaadiEdit, name);
        form->dovizBox->setCurrentText(currency);
        form->basDate->setDate(QDate(2024, 3, 5));
        form->bitDate->setDate(QDate(2024, 3, 5));
        form->tarihCheck->setChecked(range);
        form->guncelleButton->click();
        QVERIFY2(MessageBox::shown().isEmpty(), qPrintable(form->eldekiceklerQuery.sqlText()));
        QCOMPARE(sorted(listed(form->eldekiceklerQuery)), ids);
        QCOMPARE(form->toplamEdit->text(), total);
    }

    void monthlySummaryPerCurrency()
    {
        openFixture();
        choose(Choice::Tum);
        QAbstractItemModelTester tester(form->JvDBGrid1->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModel *m = form->JvDBGrid1->model();
        QStringList rows;
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < m->columnCount(); ++c) cells << m->index(r, c).data().toString();
            rows << cells.join(u' ');
        }
        QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("AY"));
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[0], QStringLiteral("2024 Şubat EURO 500,00"));
        QCOMPARE(QSet<QString>(rows.begin() + 1, rows.begin() + 3),
                 QSet<QString>({"2024 Mart TL 1.100,00", "2024 Mart USD 250,00"}));
        QCOMPARE(rows[3], QStringLiteral("2024 Nisan TL 300,00"));
        QCOMPARE(rows[4], QStringLiteral("2024 Mayıs TL 700,00"));
        // The total adds all currencies as they are.
        QCOMPARE(form->toplamEdit->text(), QStringLiteral("2.850,00"));
    }

    void emptyList()
    {
        home = std::make_unique<TestHome>();
        home->openCompany(QStringLiteral("A1"), 2024);
        form = std::make_unique<TceklerF>();
        form->guncelleButton->click();
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(form->eldekiceklerGrid->model()->rowCount(), 0);
        QCOMPARE(form->JvDBGrid1->model()->rowCount(), 0);
        QCOMPARE(form->toplamEdit->text(), QString());
    }

    void daysLeftFromTheOperationDate()
    {
        openFixture();
        choose(Choice::Portfoy);
        DatasetGridModel *m = form->eldekiceklerGrid->gridModel();
        const int kalan = m->columnOfField(QStringLiteral("kalangun"));
        QCOMPARE(m->headerData(kalan, Qt::Horizontal).toString(), QStringLiteral("Kalan"));
        QCOMPARE(m->index(0, kalan).data().toString(), QStringLiteral("4"));  // 05.03.2024 from 01.03.2024
        form->islemDate->setDate(QDate(2024, 3, 7));
        QCOMPARE(m->index(0, kalan).data().toString(), QStringLiteral("-2"));
    }

    void titleClicksSort()
    {
        openFixture();
        choose(Choice::Tum);
        DatasetGridModel *m = form->eldekiceklerGrid->gridModel();
        QHeaderView *header = form->eldekiceklerGrid->horizontalHeader();
        auto click = [&](const QString &field) -> QString {
            emit header->sectionClicked(m->columnOfField(field));
            return form->eldekiceklerQuery.sql().last();
        };
        QCOMPARE(click("cek_tutari"), QStringLiteral("ORDER BY cek_tutari ASC"));
        QCOMPARE(listed(form->eldekiceklerQuery), (QList<int>{8, 1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(click("cek_tutari"), QStringLiteral("ORDER BY cek_tutari DESC"));
        QCOMPARE(listed(form->eldekiceklerQuery), (QList<int>{7, 6, 5, 4, 3, 2, 1, 8}));
        QCOMPARE(click("cek_gun"), QStringLiteral("ORDER BY cek_gun ASC"));
        QCOMPARE(click("kalangun"), QStringLiteral("ORDER BY cek_tarihi DESC"));
        QCOMPARE(listed(form->eldekiceklerQuery).first(), 7);
        QVERIFY(MessageBox::shown().isEmpty());
        form->guncelleButton->click();
        QCOMPARE(form->eldekiceklerQuery.sql().last(), QStringLiteral("ORDER BY cek_tarihi ASC;"));
    }

    void enterWalksTheColumns()
    {
        openFixture();
        choose(Choice::Tum);
        DatasetGrid *grid = form->eldekiceklerGrid;
        const int shown = grid->model()->columnCount();
        int lastShown = shown - 1;
        while (grid->isColumnHidden(lastShown)) --lastShown;
        grid->setCurrentIndex(grid->model()->index(2, lastShown - 1));
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(grid->currentIndex().column(), lastShown);
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(grid->currentIndex().column(), 0);
        QCOMPARE(grid->currentIndex().row(), 2);
    }

    void dueDateColours()
    {
        openFixture();
        const RowPaintDelegate *painter = form->eldekiceklerGrid->rowPainter();
        const QDate today = painter->referenceDay();
        QCOMPARE(today, QDate::currentDate());
        QCOMPARE(painter->dueColour(today), QColor(Qt::red));
        QCOMPARE(painter->dueColour(today.addDays(1)), QColor(Qt::blue));
        QCOMPARE(painter->dueColour(today.addDays(2)), QColor(128, 0, 0));
        QCOMPARE(painter->dueColour(today.addDays(3)), QColor(0, 128, 128));
        QVERIFY(!painter->dueColour(today.addDays(4)).isValid());
    }

    void slipOfTheCorrection()
    {
        openFixture();
        choose(Choice::Tum);
        form->bordroEdit->setText(QStringLiteral("13"));
        form->DuzeltHazirla();
        QCOMPARE(sorted(listed(form->eldekiceklerQuery)), (QList<int>{3, 4}));
        QCOMPARE(form->toplamEdit->text(), QStringLiteral("2.850,00"));  // the total stays
    }

    void pickerFillsTheFilters()
    {
        openFixture();
        AccountPicker::cariSecimYeri() = QStringLiteral("cekler");
        PickedAccount card;
        card.kodu = QStringLiteral("M2");
        card.adi = QStringLiteral("Kaya Ltd");
        QCOMPARE(AccountPicker::handOver(card), AccountPicker::Outcome::HandedOver);
        QCOMPARE(form->firmaEdit->text(), QStringLiteral("M2"));
        QCOMPARE(form->firmaadiEdit->text(), QStringLiteral("Kaya Ltd"));
    }

    void disabledUntilTheirWindowsExist()
    {
        openFixture();
        QCOMPARE(form->popupItems.size(), 9);  // with "İadeyi Kaldır", the undo of a return
        for (QAction *a : form->popupItems) QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
        QVERIFY(!form->cirolaButton->isEnabled());
        QVERIFY(form->tumkolonCheck->isChecked());
        QCOMPARE(form->dovizBox->currentText(), QStringLiteral("Hepsi"));
    }

    void printoutOfAThousandCheques()
    {
        home = std::make_unique<TestHome>();
        home->openCompany(QStringLiteral("A1"), 2024);
        TestHome::addCompanyRecord();
        QList<Cheque> many;
        for (int i = 0; i < 1000; ++i)
            many << Cheque{i + 1, "M1", "Öztürk Gıda", "Ali Veli", QDate(2024, 1, 1).addDays(i % 300), "TL", 10.5,
                           {}, {}, {}, {}, {}};
        insertCheques(many);
        form = std::make_unique<TceklerF>();
        form->printGroup->button(1)->setChecked(true);
        form->guncelleButton->click();
        QCOMPARE(form->eldekiceklerQuery.recordCount(), 1000);
        QCOMPARE(form->toplamEdit->text(), QStringLiteral("10.500,00"));
        Report report = form->printout();
        QCOMPARE(report.memoText("Memo15"), QStringLiteral("ÇEKİ DÜZENLEYEN"));
        const PreparedReport pages = report.prepare();
        const int n = pages.pageCount();
        QVERIFY(n > 10);
        for (int p = 0; p < n; ++p)
            QVERIFY(pages.pageTexts(p).contains(QStringLiteral("Sayfa %1 / %2").arg(p + 1).arg(n)));
        const QStringList first = pages.pageTexts(0);
        QVERIFY(first.contains(QStringLiteral("Öztürk Gıda Ltd. Şti.")));
        QVERIFY(first.contains(QStringLiteral("ÇEKİ DÜZENLEYEN")));
        QVERIFY(first.contains(QStringLiteral("Ali Veli")));
        const QStringList last = pages.pageTexts(n - 1);
        QVERIFY(last.contains(QStringLiteral("Toplam Çek Tutarı : ")));
        QVERIFY2(last.contains(QStringLiteral("10.500,00")), qPrintable(last.join(" | ")));
        QVERIFY(last.contains(QStringLiteral("1000")));  // the last line number

        TRaporOnizlemeF preview(pages, TRaporOnizlemeF::kCaption);
        preview.resize(1100, 800);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        preview.setZoomPercent(100);
        QVERIFY(preview.grab().save(QStringLiteral("/tmp/tceklerf-preview.png")));
    }

    void screenshot()
    {
        openFixture();
        choose(Choice::Tum);
        form->setWindowState(Qt::WindowNoState);
        form->resize(1366, 740);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QVERIFY(form->grab().save(QStringLiteral("/tmp/tceklerf.png")));
    }
};

QTEST_MAIN(TestChequeLists)
#include "test_cheque_lists.moc"
