// The report engine's bands and expressions over small fixtures: several data bands
// in a row, detail bands under master rows, sums and their differences, line breaks
// and the Turkish date names.
#include "data/connection.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/query.h"
#include "data/table.h"
#include "reports/layout_common.h"
#include "reports/report.h"
#include "reports/report_error.h"
#include "support/test_home.h"

#include <QtTest>
#include <memory>

namespace {

const QDateTime kNow(QDate(2024, 2, 1), QTime(10, 11, 12));

// A query over literal rows, opened.
std::unique_ptr<Query> rows(const QString &name, const QString &select)
{
    auto q = std::make_unique<Query>(&DataContext::instance().ADOConnection1, name);
    q->setSql(select);
    q->open();
    return q;
}

// Collections 500 and 300, payments 100: the net is 700 - ... as the cash reports print it.
struct CashFixture {
    std::unique_ptr<Query> in = rows("girisler", "SELECT 'Tahsilat 1' AS aciklama, 500.0 AS tutar "
                                                 "UNION ALL SELECT 'Tahsilat 2', 300.0");
    std::unique_ptr<Query> out = rows("cikislar", "SELECT 'Ödeme 1' AS aciklama, 100.0 AS tutar");
};

ReportMemo memo(const QString &name, double x, const QString &text, const QString &format = QString())
{
    return makeMemo(name, QRectF(x, 0, 60, 6), text, Qt::AlignLeft | Qt::AlignVCenter, FrameNone, {}, format);
}

// A title on every page and the page number at the bottom.
ReportLayout plainLayout()
{
    ReportLayout l;
    l.name = QStringLiteral("KASA RAPORU");
    l.band(BandType::PageHeader).height = 10;
    l.band(BandType::PageHeader).memos << makeMemo("Baslik", QRectF(0, 0, 100, 8), "KASA RAPORU");
    l.band(BandType::PageFooter).height = 8;
    l.band(BandType::PageFooter).memos << makeMemo("SayfaNo", QRectF(0, 0, 100, 6), "Sayfa [Page#] / [TotalPages]");
    return l;
}

// Two data bands, each with a header and a footer, and a summary.
ReportLayout twoBandLayout(const QString &summaryText, const QString &summaryFormat = QString())
{
    ReportLayout l = plainLayout();
    l.addBand(BandType::MasterHeader, 6).memos << memo("GirisBaslik", 0, "TAHSİLATLAR");
    ReportBand &a = l.addBand(BandType::MasterData, 6, "girisler");
    a.memos << memo("GirisNo", 0, "[LINE#]") << memo("GirisAciklama", 20, "[girisler.\"aciklama\"]")
            << memo("GirisTutar", 90, "[girisler.\"tutar\"]");
    l.addBand(BandType::MasterFooter, 6).memos << memo("GirisToplam", 0, "Giriş: [SUM(girisler.\"tutar\")]");
    l.addBand(BandType::MasterHeader, 6).memos << memo("CikisBaslik", 0, "ÖDEMELER");
    ReportBand &b = l.addBand(BandType::MasterData, 6, "cikislar");
    b.memos << memo("CikisNo", 0, "[CURRENT#]") << memo("CikisAciklama", 20, "[cikislar.\"aciklama\"]")
            << memo("CikisTutar", 90, "[cikislar.\"tutar\"]");
    l.addBand(BandType::MasterFooter, 6).memos << memo("CikisToplam", 0, "Çıkış: [SUM(cikislar.\"tutar\")]");
    l.band(BandType::Summary).height = 6;
    l.band(BandType::Summary).memos << memo("Net", 0, summaryText, summaryFormat);
    return l;
}

Report bind(ReportLayout layout, const QHash<QString, Dataset *> &datasets)
{
    Report r(std::move(layout));
    for (auto it = datasets.begin(); it != datasets.end(); ++it) r.registerDataset(it.key(), it.value());
    r.setClock([] { return kNow; });
    return r;
}

// The texts of every page in order, without the page header and footer.
QStringList bodyTexts(const PreparedReport &pages)
{
    static const QStringList chrome{"KASA RAPORU"};
    QStringList out;
    for (int p = 0; p < pages.pageCount(); ++p)
        for (const QString &t : pages.pageTexts(p))
            if (!chrome.contains(t) && !t.startsWith(u"Sayfa "))
                out << t;
    return out;
}

} // namespace

class TestReportEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dataBandsPrintInTurnNumberedFromOne()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        CashFixture f;
        Report r = bind(twoBandLayout("Net: [SUM(girisler.\"tutar\") - SUM(cikislar.\"tutar\")]"),
                        {{"girisler", f.in.get()}, {"cikislar", f.out.get()}});
        const PreparedReport pages = r.prepare();
        QCOMPARE(pages.pageCount(), 1);
        QCOMPARE(bodyTexts(pages), (QStringList{"TAHSİLATLAR", "1", "Tahsilat 1", "500,00", "2", "Tahsilat 2", "300,00",
                                                "Giriş: 800,00", "ÖDEMELER", "1", "Ödeme 1", "100,00", "Çıkış: 100,00",
                                                "Net: 700,00"}));
    }

    void sumsAndDifferences_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("printed");
        QTest::newRow("sum, amount format by default") << "[SUM(girisler.\"tutar\")]" << "" << "800,00";
        QTest::newRow("difference") << "[SUM(girisler.\"tutar\") - SUM(cikislar.\"tutar\")]" << "" << "700,00";
        QTest::newRow("opening plus net") << "[SUM(girisler.\"tutar\") + 100 - SUM(cikislar.\"tutar\")]" << ""
                                          << "800,00";
        QTest::newRow("negative result") << "[SUM(cikislar.\"tutar\") - SUM(girisler.\"tutar\")]" << "" << "-700,00";
        QTest::newRow("named format") << "[SUM(girisler.\"tutar\") * 1000]" << "#,##0" << "800.000";
        QTest::newRow("precedence and parentheses")
            << "[(SUM(girisler.\"tutar\") - 200) / 2 + 0.5 * -SUM(cikislar.\"tutar\")]" << "" << "250,00";
        QTest::newRow("division by nothing prints zero") << "[SUM(girisler.\"tutar\") / 0]" << "" << "0,00";
        QTest::newRow("words around") << "Kasa: [SUM(girisler.\"tutar\")-SUM(cikislar.\"tutar\")] TL" << ""
                                      << "Kasa: 700,00 TL";
        QTest::newRow("count of the first band") << "[COUNT] satır" << "" << "2 satır";
        QTest::newRow("unquoted fields") << "[SUM(girisler.tutar) - SUM(cikislar.tutar)]" << "" << "700,00";
    }
    void sumsAndDifferences()
    {
        QFETCH(QString, text);
        QFETCH(QString, format);
        QFETCH(QString, printed);
        TestHome home;
        home.openCompany("A1", 2024);
        CashFixture f;
        Report r = bind(twoBandLayout(text, format), {{"girisler", f.in.get()}, {"cikislar", f.out.get()}});
        QCOMPARE(bodyTexts(r.prepare()).last(), printed);
    }

    void badExpressionsAreRefused()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        CashFixture f;
        for (const char *bad : {"[SUM(girisler.\"yok\") - 1]", "[SUM(bilinmeyen.\"tutar\")]", "[SUM(girisler.\"tutar\") -]",
                                "[SUM(girisler.\"tutar\") + + ]", "[girisler.\"tutar\" - yok.\"x\"]"}) {
            Report r = bind(twoBandLayout(QString::fromUtf8(bad)), {{"girisler", f.in.get()}, {"cikislar", f.out.get()}});
            QVERIFY_THROWS_EXCEPTION(ReportError, r.prepare());
        }
    }

    void fieldArithmeticPrintsPerRow()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        CashFixture f;
        ReportLayout l = twoBandLayout("x");
        l.findMemo("GirisTutar")->text = "[girisler.\"tutar\" - 50]";
        Report r = bind(l, {{"girisler", f.in.get()}, {"cikislar", f.out.get()}});
        const QStringList texts = bodyTexts(r.prepare());
        QVERIFY(texts.contains("450,00"));
        QVERIFY(texts.contains("250,00"));
    }

    // A detail band lists, under each master line, the rows whose fields hold the
    // master row's values: a date read from a text matches the same date, and a
    // master line without rows has nothing under it.
    void detailBandUnderEachMasterLine()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        auto days = rows("gunler", "SELECT 'TL' AS doviz, '2024-03-01' AS gun, 600.0 AS toplam "
                                   "UNION ALL SELECT 'USD', '2024-03-01', 50.0 "
                                   "UNION ALL SELECT 'TL', '2024-03-02', 0.0 "
                                   "UNION ALL SELECT 'TL', '2024-03-03', 70.0");
        Table moves(&DataContext::instance().ADOConnection1, QStringLiteral("cekgiris"));
        moves.open();
        const struct { const char *date; const char *currency; double amount; const char *text; } data[] = {
            {"2024-03-01", "TL", 400, "A"}, {"2024-03-03", "TL", 70, "B"}, {"2024-03-01", "USD", 50, "C"},
            {"2024-03-01", "TL", 200, "D"}};
        for (const auto &d : data) {
            moves.append();
            moves.fieldByName("cek_tarihi").setValue(QDate::fromString(QString::fromLatin1(d.date), Qt::ISODate));
            moves.fieldByName("para_birimi").setValue(QString::fromLatin1(d.currency));
            moves.fieldByName("cek_tutari").setValue(d.amount);
            moves.fieldByName("cek_no").setValue(QString::fromLatin1(d.text));
            moves.post();
        }
        moves.close();
        auto detail = rows("hareketler", "SELECT * FROM cekgiris ORDER BY cek_ind");

        ReportLayout l = plainLayout();
        ReportBand &m = l.addBand(BandType::MasterData, 6, "gunler");
        m.memos << memo("Gun", 0, "[gunler.\"gun\"] [gunler.\"doviz\"] [LINE#]")
                << memo("Toplam", 90, "[gunler.\"toplam\"]");
        ReportBand d;
        d.type = BandType::DetailData;
        d.height = 5;
        d.dataset = "hareketler";
        d.masterFields = QStringList{"doviz", "gun"};
        d.detailFields = QStringList{"para_birimi", "cek_tarihi"};
        d.memos << memo("Hareket", 10, "[LINE#]. [hareketler.\"cek_no\"] [hareketler.\"cek_tarihi\"]")
                << memo("HareketTutar", 90, "[hareketler.\"cek_tutari\"]");
        l.addBand(d);
        l.band(BandType::MasterFooter).height = 6;  // added with band(): still closes the data band
        l.band(BandType::MasterFooter).memos << memo("Genel", 0, "[SUM(hareketler.\"cek_tutari\")]");
        Report r = bind(l, {{"gunler", days.get()}, {"hareketler", detail.get()}});
        QCOMPARE(bodyTexts(r.prepare()),
                 (QStringList{"2024-03-01 TL 1", "600,00", "1. A 01.03.2024", "400,00", "2. D 01.03.2024", "200,00",
                              "2024-03-01 USD 2", "50,00", "1. C 01.03.2024", "50,00",
                              "2024-03-02 TL 3", "0,00",
                              "2024-03-03 TL 4", "70,00", "1. B 03.03.2024", "70,00", "720,00"}));

        // Fields that are not there, or lists of different lengths, are refused.
        ReportLayout bad = l;
        bad.bands[bad.bands.size() - 3].detailFields = QStringList{"yok", "cek_tarihi"};
        Report r2 = bind(bad, {{"gunler", days.get()}, {"hareketler", detail.get()}});
        QVERIFY_THROWS_EXCEPTION(ReportError, r2.prepare());
    }

    // A long data band goes on over pages with its header atop each, the next band
    // numbers its rows from 1 again and the cursors stay where they were.
    void dataBandsAcrossPages()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        QStringList selects;
        for (int i = 1; i <= 70; ++i) selects << QStringLiteral("SELECT 'G%1' AS aciklama, %1.0 AS tutar").arg(i);
        auto in = rows("girisler", selects.join(" UNION ALL "));
        auto out = rows("cikislar", "SELECT 'Ç1' AS aciklama, 1.0 AS tutar UNION ALL SELECT 'Ç2', 2.0");
        in->setRecNo(5);
        Report r = bind(twoBandLayout("Net: [SUM(girisler.\"tutar\") - SUM(cikislar.\"tutar\")]"),
                        {{"girisler", in.get()}, {"cikislar", out.get()}});
        const PreparedReport pages = r.prepare();
        QCOMPARE(in->recNo(), 5);
        QVERIFY(pages.pageCount() >= 2);
        int headers = 0;
        for (int p = 0; p < pages.pageCount(); ++p) {
            const QStringList t = pages.pageTexts(p);
            if (t.contains("TAHSİLATLAR")) ++headers;
            QVERIFY(t.contains(QStringLiteral("Sayfa %1 / %2").arg(p + 1).arg(pages.pageCount())));
        }
        QCOMPARE(headers, pages.pageCount());  // the first band fills the first page, then the last page
        const QStringList body = bodyTexts(pages);
        const int outHeader = int(body.indexOf("ÖDEMELER"));
        QCOMPARE(body.mid(outHeader, 4), (QStringList{"ÖDEMELER", "1", "Ç1", "1,00"}));
        QCOMPARE(body.at(body.indexOf("G70") - 1), QStringLiteral("70"));
        QCOMPARE(body.last(), QStringLiteral("Net: 2.482,00"));
        const QRectF paper = pages.pageLayout.fullRect(QPageLayout::Millimeter);
        for (const PreparedPage &p : pages.pages)
            for (const PageItem &it : p.items) QVERIFY(paper.contains(it.rect));
    }

    void valuesPrintInTheirFormats()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        auto q = rows("d", "SELECT 1234.5 AS tutar, 7 AS adet, 'metin' AS yazi, NULL AS bos");
        ReportLayout l = plainLayout();
        l.addBand(BandType::MasterData, 30, "d").memos
            << memo("a", 0, "[d.\"tutar\"]") << memo("b", 0, "[d.\"adet\"]") << memo("c", 0, "[d.\"tutar\"]", "#,##0")
            << memo("e", 0, "<[d.\"bos\"]>") << memo("f", 0, "[d.\"yazi\"]")
            << memo("g", 0, "Birinci\n\rİkinci") << memo("h", 0, "Bir\r\nİki\rÜç");
        Report r = bind(l, {{"d", q.get()}});
        QCOMPARE(bodyTexts(r.prepare()),
                 (QStringList{"1.234,50", "7", "1.235", "<>", "metin", "Birinci\nİkinci", "Bir\nİki\nÜç"}));
    }

    void turkishDateNames_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("printed");
        QTest::newRow("month name") << "mmmm" << QDate(2021, 4, 5) << "Nisan";
        QTest::newRow("day name") << "dddd" << QDate(2021, 4, 5) << "Pazartesi";
        QTest::newRow("both with numbers") << "dd mmmm yyyy dddd" << QDate(2024, 8, 31) << "31 Ağustos 2024 Cumartesi";
        QTest::newRow("plain date unchanged") << "dd.mm.yyyy" << QDate(2021, 4, 5) << "05.04.2021";
        QTest::newRow("sunday, december") << "dddd, d mmmm" << QDate(2023, 12, 31) << "Pazar, 31 Aralık";
        QTest::newRow("invalid date") << "mmmm" << QDate() << "";
    }
    void turkishDateNames()
    {
        QFETCH(QString, format);
        QFETCH(QDate, date);
        QFETCH(QString, printed);
        QCOMPARE(formatDate(format, date), printed);
        QCOMPARE(formatValue(format, date), printed);
    }

    void monthAndDayNames()
    {
        QCOMPARE(monthName(1), QStringLiteral("Ocak"));
        QCOMPARE(monthName(12), QStringLiteral("Aralık"));
        QCOMPARE(monthName(0), QString());
        QCOMPARE(dayName(3), QStringLiteral("Çarşamba"));
        QCOMPARE(dayName(8), QString());
    }

    void companyBlockHasFiveLines()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        Table t(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"));
        t.open();
        t.append();
        t.fieldByName("firma_unvani_1").setValue(QStringLiteral("Öztürk Gıda"));
        t.fieldByName("firma_unvani_2").setValue(QStringLiteral("Ltd. Şti."));
        t.fieldByName("firma_adresi_1").setValue(QStringLiteral("Atatürk Cad. 5"));
        t.fieldByName("adres_semt").setValue(QStringLiteral("Konak"));
        t.fieldByName("adres_sehir").setValue(QStringLiteral("İzmir"));
        t.fieldByName("telefon1_no").setValue(QStringLiteral("0232 111"));
        t.fieldByName("fax_no").setValue(QStringLiteral("0232 333"));
        t.post();
        ReportLayout l;
        l.name = "x";
        l.band(BandType::PageHeader).height = 25;
        l.band(BandType::PageHeader).memos << companyBlockMemo("FirmaBilgisi", QRectF(0, 0, 90, 22));
        Report r = bind(l, {{kCompanyDataset, &t}});
        QCOMPARE(r.prepare().pageTexts(0),
                 QStringList{"Öztürk Gıda Ltd. Şti.\nAtatürk Cad. 5 \nKonak İzmir\nTel: 0232 111 \nFax:0232 333"});
    }
};

QTEST_MAIN(TestReportEngine)
#include "test_report_engine.moc"
