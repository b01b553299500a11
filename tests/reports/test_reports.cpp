#include "data/data_context.h"
#include "data/query.h"
#include "data/table.h"
#include "data/transaction.h"
#include "reports/layouts_dashboard.h"
#include "reports/layouts_received.h"
#include "reports/page_painter.h"
#include "reports/page_view.h"
#include "reports/preview_window.h"
#include "reports/report.h"
#include "reports/report_error.h"
#include "reports/report_files.h"
#include "reports/report_output.h"
#include "support/test_home.h"
#include "widgets/message_box.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QPrinterInfo>
#include <QProcess>
#include <QToolBar>
#include <QtTest>
#include <memory>

namespace {

const QString kTurkish = QStringLiteral("ÇĞİÖŞÜ çğıöşü");
const QDateTime kNow(QDate(2024, 2, 1), QTime(10, 11, 12));


// n received cheques; the first has the amount 1234.5 and Turkish letters in its issuer.
void addCheques(int n)
{
    Connection *c = &DataContext::instance().ADOConnection1;
    TransactionScope tx{c};
    Table t(c, QStringLiteral("cekgiris"));
    t.open();
    for (int i = 0; i < n; ++i) {
        t.append();
        t.fieldByName("cek_tarihi").setValue(QDate(2024, 3, 15).addDays(i));
        t.fieldByName("cek_tutari").setValue(i == 0 ? 1234.5 : 100.0 * (i + 1));
        t.fieldByName("para_birimi").setValue(QStringLiteral("TL"));
        t.fieldByName("ceki_duzenleyen").setValue(i == 0 ? kTurkish : QStringLiteral("Düzenleyen %1").arg(i + 1));
        t.fieldByName("alindigi_firma").setValue(QStringLiteral("Alınan Firma %1").arg(i + 1));
        t.fieldByName("cek_bankasi").setValue(QStringLiteral("Ziraat"));
        t.fieldByName("cek_subesi").setValue(QStringLiteral("Kızılay"));
        t.fieldByName("cek_hesap_no").setValue(QStringLiteral("H-%1").arg(i + 1));
        t.fieldByName("cek_no").setValue(QStringLiteral("N-%1").arg(i + 1));
        t.post();
    }
    tx.commit();
}

// The received cheque list bound as the list window binds it.
struct ReceivedList {
    Query list{&DataContext::instance().ADOConnection1, QStringLiteral("eldekiceklerQuery")};
    Query total{&DataContext::instance().ADOConnection1, QStringLiteral("ceklertoplamQuery")};
    Table firma{&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri")};
    Report report{cekVeSenetListesiLayout()};

    ReceivedList()
    {
        list.sql() << "SELECT * FROM cekgiris" << "ORDER BY cek_ind ASC;";
        list.open();
        total.sql() << "SELECT SUM(cek_tutari) AS Cek_Toplami FROM cekgiris";
        total.open();
        firma.open();
        report.registerDataset("eldekiceklerQuery", &list);
        report.registerDataset("ceklertoplamQuery", &total);
        report.registerDataset("firmabilgileri", &firma);
        report.setClock([] { return kNow; });
    }
};

QStringList allTexts(const PreparedReport &r)
{
    QStringList out;
    for (int p = 0; p < r.pageCount(); ++p) out << r.pageTexts(p);
    return out;
}

bool samePages(const PreparedReport &a, const PreparedReport &b)
{
    if (a.pageCount() != b.pageCount() || a.fonts != b.fonts || a.title != b.title) return false;
    if (!a.pageLayout.isEquivalentTo(b.pageLayout)) return false;
    for (int p = 0; p < a.pageCount(); ++p) {
        const auto &x = a.pages[p].items, &y = b.pages[p].items;
        if (x.size() != y.size()) return false;
        for (int i = 0; i < x.size(); ++i)
            if (x[i].rect != y[i].rect || x[i].text != y[i].text || x[i].font != y[i].font
                || x[i].alignment != y[i].alignment || x[i].frame != y[i].frame || x[i].wordWrap != y[i].wordWrap)
                return false;
    }
    return true;
}

QString pdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { ReportFiles::setChooser({}); }

    void receivedListPrintsFieldsWithTheirFormats()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        TestHome::addCompanyRecord();
        addCheques(2);
        ReceivedList r;
        const PreparedReport pages = r.report.prepare();
        QCOMPARE(pages.pageCount(), 1);
        const QStringList texts = pages.pageTexts(0);
        for (const QString &expected : {
                 QStringLiteral("Öztürk Gıda Ltd. Şti."), QStringLiteral("İzmir Şubesi"), QStringLiteral("Tarih : 01.02.2024"),
                 QStringLiteral("Saat : 10:11:12"), QStringLiteral("ÇEK VE SENET LİSTESİ"), QStringLiteral("ÇEK VADESİ"),
                 QStringLiteral("ÇEK BANKASI"), QStringLiteral("ŞUBESİ"), QStringLiteral("BİRİMİ"), QStringLiteral("HESAP NO"),
                 QStringLiteral("ÇEK NUMARASI"), QStringLiteral("ÇEKİ DÜZENLEYEN/ ALINDIĞI FİRMA"),
                 QStringLiteral("15.03.2024"), QStringLiteral("16.03.2024"), QStringLiteral("1.234,50"), QStringLiteral("200,00"),
                 QStringLiteral("Kızılay"), QStringLiteral("N-2"), kTurkish + QStringLiteral("/ Alınan Firma 1"),
                 QStringLiteral("Toplam Çek Tutarı : "), QStringLiteral("1.434,50"), QStringLiteral("Sayfa 1 / 1")})
            QVERIFY2(texts.contains(expected), qPrintable(expected));
        // Line numbers run 1, 2 in the SN column, right after the column header.
        const int first = int(texts.indexOf(QStringLiteral("1")));
        QVERIFY(first > texts.indexOf(QStringLiteral("ÇEKİ DÜZENLEYEN/ ALINDIĞI FİRMA")));
        QCOMPARE(texts.at(first + 1), QStringLiteral("15.03.2024"));
        QVERIFY(texts.indexOf(QStringLiteral("2"), first + 1) > first);
    }

    void printChoiceSetsMemosByName_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("printed");
        QTest::newRow("both") << "ÇEKİ DÜZENLEYEN/ ALINDIĞI FİRMA"
                              << "[eldekiceklerQuery.\"ceki_duzenleyen\"]/ [eldekiceklerQuery.\"alindigi_firma\"]"
                              << kTurkish + "/ Alınan Firma 1";
        QTest::newRow("issuer") << "ÇEKİ DÜZENLEYEN" << "[eldekiceklerQuery.\"ceki_duzenleyen\"]" << kTurkish;
        QTest::newRow("firm") << "ALINDIĞI FİRMA" << "[eldekiceklerQuery.\"alindigi_firma\"]" << "Alınan Firma 1";
    }
    void printChoiceSetsMemosByName()
    {
        QFETCH(QString, heading);
        QFETCH(QString, column);
        QFETCH(QString, printed);
        TestHome home;
        home.openCompany("A1", 2024);
        addCheques(1);
        ReceivedList r;
        r.report.setMemoText("Memo15", heading);
        r.report.setMemoText("Memo16", column);
        const QStringList texts = r.report.prepare().pageTexts(0);
        QVERIFY(texts.contains(heading));
        QVERIFY(texts.contains(printed));
        QVERIFY_THROWS_EXCEPTION(ReportError, r.report.setMemoText("Memo99", "x"));
    }

    void longListBreaksPagesAndKeepsTheCursor()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        TestHome::addCompanyRecord();
        addCheques(60);
        ReceivedList r;
        r.list.setRecNo(7);
        const PreparedReport pages = r.report.prepare();
        QCOMPARE(r.list.recNo(), 7);
        QCOMPARE(pages.pageCount(), 3);
        int lastLine = 0;
        for (int p = 0; p < 3; ++p) {
            const QStringList texts = pages.pageTexts(p);
            QVERIFY(texts.contains(QStringLiteral("Öztürk Gıda Ltd. Şti.")));
            QVERIFY(texts.contains(QStringLiteral("ÇEK VE SENET LİSTESİ")));
            QVERIFY(texts.contains(QStringLiteral("ÇEK VADESİ")));
            QVERIFY(texts.contains(QStringLiteral("Sayfa %1 / 3").arg(p + 1)));
            QCOMPARE(texts.contains(QStringLiteral("Toplam Çek Tutarı : ")), p == 2);
            // Line numbers go on from page to page: the first row of a page follows the last of the one before.
            const int firstRow = int(texts.indexOf(QRegularExpression(QStringLiteral("^N-\\d+$"))));
            QCOMPARE(texts.at(firstRow), QStringLiteral("N-%1").arg(lastLine + 1));
            lastLine = int(std::count_if(texts.begin(), texts.end(), [](const QString &t) { return t.startsWith(u"N-"); }))
                       + lastLine;
        }
        QCOMPARE(lastLine, 60);
        // Every page item lies on the paper.
        const QRectF paper = pages.pageLayout.fullRect(QPageLayout::Millimeter);
        for (const PreparedPage &p : pages.pages)
            for (const PageItem &it : p.items) QVERIFY(paper.contains(it.rect));
    }

    void emptyListAndLandscape()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        ReceivedList r;
        r.report.layout().orientation = QPageLayout::Landscape;
        const PreparedReport pages = r.report.prepare();
        QCOMPARE(pages.pageCount(), 1);
        QVERIFY(pages.pageTexts(0).contains(QStringLiteral("Toplam Çek Tutarı : ")));
        const QRectF paper = pages.pageLayout.fullRect(QPageLayout::Millimeter);
        QCOMPARE(qRound(paper.width()), 297);
        QCOMPARE(qRound(paper.height()), 210);
    }

    void expressionsAndErrors()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        addCheques(3);
        ReceivedList r;
        ReportMemo *m = r.report.layout().findMemo("ToplamTutar");
        m->text = "[COUNT] çek, [SUM(eldekiceklerQuery.\"cek_tutari\")] TL";
        QVERIFY(r.report.prepare().pageTexts(0).contains(QStringLiteral("3 çek, 1.734,50 TL")));

        for (const QString &bad : {QStringLiteral("[eldekiceklerQuery.\"yok\"]"), QStringLiteral("[bilinmeyen.\"x\"]"),
                                   QStringLiteral("[eldekiceklerQuery]"), QStringLiteral("[DATE")}) {
            m->text = bad;
            QVERIFY_THROWS_EXCEPTION(ReportError, r.report.prepare());
        }
        // The preview shows the error instead of a broken report.
        MessageBox::clearShown();
        QVERIFY(!r.report.showPreview());
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().caption, TRaporOnizlemeF::kCaption);
    }

    void dashboardLayouts_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("portfolio") << "Eldeki Çekler"
                                   << QStringList{"ÇEK VE SENET LİSTESİ", "ÇEKİ DÜZENLEYEN", "TUTARI", "1.234,50",
                                                  "15.03.2024", "Portföy Düzenleyen", "Ziraat"};
        QTest::newRow("own") << "Düzenlenen Çekler"
                             << QStringList{"DÜZENLENEN ÇEKLER", "DÜZENLENDİĞİ FİRMA", "ÇEK NUMARASI", "Halkbank",
                                            "Şahin Yapı", "2.000,00"};
        QTest::newRow("banks") << "Bankalardaki Çekler"
                               << QStringList{"BANKALARDAKİ ÇEK VE SENET LİSTESİ", "VERİLDİĞİ BANKA", "ÇEKİ DÜZENLEYEN",
                                              "Garanti Bankası", "750,00"};
        QTest::newRow("debtors") << "Alacaklar (Borçlu Cari)"
                                 << QStringList{"CARİ HESAP BAKİYELERİ (SADECE ALACAKLAR)", "FİRMA ADI", "ALACAK BAKİYE",
                                                "Ağaç Ürünleri", "300,00", "CARİ HESAP TOPLAMLARI", "TL", "USD", "EURO",
                                                "ALACAKLAR (CARİ BORÇ)", "11,00", "22,00", "33,00"};
        QTest::newRow("creditors") << "Borçlar (Alacaklı Cari)"
                                   << QStringList{"CARİ HESAP BAKİYELERİ (SADECE BORÇLAR)", "BAKİYE", "Çelik Döküm",
                                                  "450,00", "BORÇLAR (CARİ ALACAK)", "11,00", "22,00", "33,00"};
    }
    void dashboardLayouts()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, expected);
        TestHome home;
        home.openCompany("A1", 2024);
        TestHome::addCompanyRecord();
        DataContext &ctx = DataContext::instance();
        {
            Table t(&ctx.ADOConnection1, "cekgiris");
            t.open();
            t.append();
            t.fieldByName("cek_tarihi").setValue(QDate(2024, 3, 15));
            t.fieldByName("cek_tutari").setValue(1234.5);
            t.fieldByName("para_birimi").setValue("TL");
            t.fieldByName("ceki_duzenleyen").setValue("Portföy Düzenleyen");
            t.fieldByName("cek_bankasi").setValue("Ziraat");
            t.post();
            Table k(&ctx.ADOConnection1, "cekkendi");
            k.open();
            k.append();
            k.fieldByName("cek_tarihi").setValue(QDate(2024, 4, 1));
            k.fieldByName("cek_tutari").setValue(2000.0);
            k.fieldByName("banka_adi").setValue("Halkbank");
            k.fieldByName("cirolandigi_firma").setValue("Şahin Yapı");
            k.post();
            Table c(&ctx.ADOConnection1, "cekciro");
            c.open();
            c.append();
            c.fieldByName("cek_tarihi").setValue(QDate(2024, 5, 1));
            c.fieldByName("cek_tutari").setValue(750.0);
            c.fieldByName("ciro_firma").setValue("Garanti Bankası");
            c.fieldByName("cek_banka_id").setValue(2);
            c.post();
            Table h(&ctx.kasaConnection, "carihareket");
            h.open();
            for (auto [name, debit, credit] : {std::tuple{"Ağaç Ürünleri", 500.0, 200.0}, {"Çelik Döküm", 50.0, 500.0}}) {
                h.append();
                h.fieldByName("cari_hesap_adi").setValue(QString::fromUtf8(name));
                h.fieldByName("doviz_cinsi").setValue("TL");
                h.fieldByName("borc_tutari").setValue(debit);
                h.fieldByName("alacak_tutari").setValue(credit);
                h.post();
            }
        }
        const auto chosen = dashboardReport(item);
        QVERIFY(chosen);
        const bool balances = chosen->dataset == u"ffQuery1" || chosen->dataset == u"ffQuery3";
        Query list(balances ? &ctx.kasaConnection : &ctx.ADOConnection1);
        if (balances) {
            list.sql() << "Select cari_hesap_adi,doviz_cinsi,SUM(alacak_tutari) as SUMalacak_tutari,"
                       << "SUM(borc_tutari) as SUMborc_tutari from carihareket "
                       << "GROUP BY cari_hesap_adi,doviz_cinsi;";
            const double sign = chosen->dataset == u"ffQuery1" ? 1 : -1;
            list.addCalculatedField("bakiye", FieldType::Double, [sign](const Record &r) {
                return sign * (r.asFloat("SUMborc_tutari") - r.asFloat("SUMalacak_tutari"));
            });
            list.setFilter([sign](const Record &r) {
                return sign * (r.asFloat("SUMborc_tutari") - r.asFloat("SUMalacak_tutari")) > 0;
            });
            list.setFiltered(true);
        } else {
            const QString table = chosen->dataset == u"ffQuery2" ? "cekgiris" : chosen->dataset == u"ffQuery5" ? "cekkendi" : "cekciro";
            list.sql() << "SELECT * FROM " + table;
        }
        list.open();
        Table firma(&ctx.ADOConnection1, "firmabilgileri");
        firma.open();
        Report report(chosen->layout);
        report.registerDataset(chosen->dataset, &list);
        report.registerDataset("firmabilgileri", &firma);
        if (balances) {
            report.setMemoText("Memo39", "11,00");
            report.setMemoText("Memo16", "22,00");
            report.setMemoText("Memo25", "33,00");
        }
        const PreparedReport pages = report.prepare();
        QCOMPARE(pages.pageCount(), 1);
        const QStringList texts = pages.pageTexts(0);
        for (const QString &e : expected) QVERIFY2(texts.contains(e), qPrintable(e));
        for (const QString &e : {QStringLiteral("Öztürk Gıda Ltd. Şti."), QStringLiteral("İzmir Şubesi"), QStringLiteral("SN"),
                                 QStringLiteral("1"), QStringLiteral("Sayfa 1 / 1")})
            QVERIFY2(texts.contains(e), qPrintable(e));
        // A balance list shows only its own side.
        if (balances) QCOMPARE(list.recordCount(), 1);
    }

    void savedReportLoadsBackAndPdfHoldsTheWords()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        TestHome::addCompanyRecord();
        addCheques(60);
        ReceivedList r;
        TRaporOnizlemeF preview(r.report.prepare());
        QCOMPARE(preview.pageCount(), 3);

        const QString saved = home.path("liste");  // the suffix is added
        const QString pdf = home.path("liste.pdf");
        QStringList answers{saved, pdf};
        ReportFiles::setChooser([&answers](QWidget *, ReportFiles::Mode, const QString &, const QString &) {
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
        QVERIFY(preview.saveReport());
        QVERIFY(preview.savePdf());

        PreparedReport loaded;
        QString error;
        QVERIFY2(PreparedReport::load(saved + ".brp", &loaded, &error), qPrintable(error));
        QVERIFY(samePages(preview.report(), loaded));

        // Loading through the preview replaces its pages; a damaged file changes nothing.
        TRaporOnizlemeF other(PreparedReport{});
        answers = QStringList{saved + ".brp"};
        QVERIFY(other.loadReport());
        QVERIFY(samePages(other.report(), loaded));
        QCOMPARE(other.pageCount(), 3);
        QFile damaged(home.path("bozuk.brp"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        QFile whole(saved + ".brp");
        QVERIFY(whole.open(QIODevice::ReadOnly));
        damaged.write(whole.read(whole.size() / 2));
        damaged.close();
        MessageBox::clearShown();
        answers = QStringList{damaged.fileName()};
        QVERIFY(!other.loadReport());
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().icon, MessageBox::Icon::Critical);
        QCOMPARE(other.pageCount(), 3);

        const QString text = pdfText(pdf);
        for (const QString &w : {QStringLiteral("ÇEK VE SENET LİSTESİ"), QStringLiteral("Öztürk Gıda Ltd. Şti."),
                                 QStringLiteral("1.234,50"), QStringLiteral("15.03.2024"), QStringLiteral("Sayfa 2 / 3"),
                                 QStringLiteral("Sayfa 3 / 3"), QStringLiteral("Toplam Çek Tutarı"), kTurkish})
            QVERIFY2(text.contains(w), qPrintable(w));
        QCOMPARE(text.count(u'\f'), 3);  // one form feed per page
    }

    void printWithoutPrinterSavesPdf()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("this machine has a printer");
        TestHome home;
        home.openCompany("A1", 2024);
        addCheques(2);
        ReceivedList r;
        TRaporOnizlemeF preview(r.report.prepare());
        const QString pdf = home.path("yazici.pdf");
        ReportFiles::setChooser([&](QWidget *, ReportFiles::Mode, const QString &, const QString &) { return pdf; });
        MessageBox::clearShown();
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QTest::keyClick(&preview, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(pdfText(pdf).contains(QStringLiteral("1.234,50")));
    }

    void previewNavigatesFindsAndZooms()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        TestHome::addCompanyRecord();
        addCheques(60);
        ReceivedList r;
        TRaporOnizlemeF preview(r.report.prepare());
        QCOMPARE(preview.windowTitle(), QStringLiteral("Brenvo Rapor Önizleme"));
        QCOMPARE(TRaporOnizlemeF(PreparedReport{}, "Cari Ekstre").windowTitle(), QStringLiteral("Cari Ekstre"));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        preview.activateWindow();

        QCOMPARE(preview.currentPage(), 1);
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QCOMPARE(preview.currentPage(), 2);
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QCOMPARE(preview.currentPage(), 3);
        QTest::keyClick(&preview, Qt::Key_PageUp);
        QCOMPARE(preview.currentPage(), 2);

        // Find: every match is marked, "next" walks them across pages and wraps.
        auto *edit = preview.findChild<QLineEdit *>("bulEdit");
        QTest::keyClick(&preview, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(edit->hasFocus());
        for (QChar ch : QStringLiteral("düzenleyen 3"))
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        QTest::keyClick(edit, Qt::Key_Return);
        // "Düzenleyen 3", "Düzenleyen 30".."39" and the 3rd-page heading do not all match: count them.
        QCOMPARE(preview.matchCount(), 11);
        QCOMPARE(preview.currentMatch(), 0);
        QCOMPARE(preview.currentPage(), 1);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(preview.currentMatch(), 1);
        QCOMPARE(preview.currentPage(), 2);  // "Düzenleyen 30" is on the second page
        for (int i = 0; i < 10; ++i) QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(preview.currentMatch(), 0);

        MessageBox::clearShown();
        QCOMPARE(preview.find("bulunmayan metin"), 0);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(preview.find(QStringLiteral("ÇĞİÖŞÜ ÇĞIÖŞÜ")), 1);  // Turkish case folding: ı/I, i/İ

        preview.setZoomPercent(100);
        QCOMPARE(preview.zoomFactor(), 1.0);
        preview.goToPage(1);
        QVERIFY(preview.toolBar()->isVisible());
        preview.grab().save(QStringLiteral("/tmp/preview.png"));
        preview.fitPage();
        preview.fitWidth();

        QTest::keyClick(&preview, Qt::Key_Escape);
        QVERIFY(!preview.isVisible());
    }

    void findMarksArePaintedOnThePreviewOnly()
    {
        PreparedReport r;
        r.pageLayout = ReportLayout().pageLayout();
        r.fonts << ReportFont();
        r.pages.resize(1);
        r.pages[0].items << PageItem{QRectF(10, 10, 50, 10), QStringLiteral("Bul"), 0}
                         << PageItem{QRectF(10, 30, 50, 10), QStringLiteral("Başka"), 0};
        // A page image at 96 dpi: a millimetre is 96 / 25.4 pixels.
        auto pixelAt = [&r](const PageHighlight &h, double xMm, double yMm) {
            QImage image(794, 1123, QImage::Format_RGB32);
            image.setDotsPerMeterX(qRound(96 / 0.0254));
            image.setDotsPerMeterY(qRound(96 / 0.0254));
            QPainter painter(&image);
            paintPage(painter, r, 0, h);
            painter.end();
            return image.pixelColor(qRound(xMm * 96 / 25.4), qRound(yMm * 96 / 25.4));
        };
        PageHighlight h;
        h.items = {0, 1};
        h.current = 0;
        QCOMPARE(pixelAt(h, 55, 11), QColor(255, 165, 0));    // the current match
        QCOMPARE(pixelAt(h, 55, 31), QColor(255, 255, 120));  // another match
        QCOMPARE(pixelAt({}, 55, 11), QColor(Qt::white));     // printed pages carry no marks
    }

    void tenThousandRowsRenderUnderOneSecond()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        TestHome::addCompanyRecord();
        addCheques(10000);
        ReceivedList r;
        QElapsedTimer timer;
        timer.start();
        const PreparedReport pages = r.report.prepare();
        const qint64 ms = timer.elapsed();
        qInfo("10000 rows: %d pages prepared in %lld ms", pages.pageCount(), ms);
        QVERIFY(pages.pageTexts(pages.pageCount() - 1).contains(QStringLiteral("Sayfa %1 / %1").arg(pages.pageCount())));
        QVERIFY2(ms < 1000, qPrintable(QString::number(ms)));
        timer.restart();
        QString error;
        QVERIFY(writePdf(pages, home.path("buyuk.pdf"), &error));
        qInfo("10000 rows: PDF written in %lld ms", timer.elapsed());
        timer.restart();
        TRaporOnizlemeF preview(pages);
        qInfo("10000 rows: preview of %d pages ready in %lld ms", preview.pageCount(), timer.elapsed());
    }

    // The preview draws the pages that come into view, not every page first: the
    // first page of a 10,000-row list is on the screen at once, and the page count,
    // navigation, zoom and find work over every page all the same.
    void previewDrawsPagesAsTheyComeIntoView()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        TestHome::addCompanyRecord();
        addCheques(10000);
        ReceivedList r;
        const PreparedReport pages = r.report.prepare();
        QVERIFY(pages.pageCount() > 200);

        QElapsedTimer timer;
        timer.start();
        TRaporOnizlemeF preview(pages);
        int firstPainted = 0;
        connect(preview.previewWidget(), &PageView::pagePainted, &preview,
                [&firstPainted](int page) { if (!firstPainted) firstPainted = page; });
        preview.show();
        QTRY_VERIFY_WITH_TIMEOUT(firstPainted != 0, 5000);
        const qint64 ms = timer.elapsed();
        qInfo("10000 rows: first page of the preview on the screen in %lld ms", ms);
        QCOMPARE(firstPainted, 1);
        QVERIFY2(ms < 150, qPrintable(QString::number(ms)));
        QVERIFY(preview.previewWidget()->pagesDrawn() <= 3);

        QCOMPARE(preview.pageCount(), pages.pageCount());
        auto *label = preview.findChild<QLabel *>("sayfaLabel");
        QCOMPARE(label->text(), QStringLiteral("Sayfa 1 / %1").arg(pages.pageCount()));
        preview.goToPage(pages.pageCount());
        QCOMPARE(preview.currentPage(), pages.pageCount());
        QCOMPARE(label->text(), QStringLiteral("Sayfa %1 / %1").arg(pages.pageCount()));
        QTRY_VERIFY(preview.previewWidget()->pagesDrawn() >= 2);
        QVERIFY(preview.previewWidget()->pagesDrawn() <= 6);

        // Find reaches the last row on the last page.
        QCOMPARE(preview.find(QStringLiteral("N-10000")), 1);
        QCOMPARE(preview.currentPage(), pages.pageCount());
        preview.goToPage(1);
        preview.setZoomPercent(200);
        QCOMPARE(preview.zoomFactor(), 2.0);
        QCOMPARE(preview.currentPage(), 1);
        preview.fitPage();
        QVERIFY(preview.zoomFactor() < 2.0);

        // Scrolling by hand moves the current page along.
        preview.fitWidth();
        QScrollBar *bar = preview.previewWidget()->verticalScrollBar();
        bar->setValue(bar->maximum() / 2);
        QVERIFY(qAbs(preview.currentPage() - pages.pageCount() / 2) <= 2);
        QVERIFY(label->text().startsWith(QStringLiteral("Sayfa %1 / ").arg(preview.currentPage())));
    }
};

QTEST_MAIN(TestReports)
#include "test_reports.moc"
