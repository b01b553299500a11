// The export workbook written and read back, hand-made .xlsx and .ods files, and
// files that are no spreadsheets.
#include "spreadsheet_fixtures.h"
#include "data/engine_error.h"
#include "data/spreadsheet_reader.h"
#include "data/spreadsheet_writer.h"
#include "support/test_home.h"

#include <QtTest>
#include <zip.h>

namespace {

QByteArray zipEntry(const QString &path, const char *name)
{
    int error = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!z) return {};
    zip_stat_t st;
    QByteArray data;
    if (zip_stat(z, name, 0, &st) == 0) {
        data.resize(qsizetype(st.size));
        zip_file_t *f = zip_fopen(z, name, 0);
        zip_fread(f, data.data(), st.size);
        zip_fclose(f);
    }
    zip_discard(z);
    return data;
}

void saveBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void expectUnreadable(const QString &path)
{
    try {
        readSpreadsheet(path);
        QFAIL(qPrintable("read without error: " + path));
    } catch (const EngineError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("okunamadı")), qPrintable(e.message()));
    }
}

// A figure of /proc/self/status in kB ("VmRSS", "VmHWM"); -1 when unknown.
qint64 statusKb(const char *name)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray key = QByteArray(name) + ':';
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key)) return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

struct Cost {
    qint64 ms = 0;
    qint64 peakGrowthKb = -1;  // -1 when the peak could not be measured
};

// Time and peak memory growth of one call. The kernel's peak mark is reset first
// ("5" into clear_refs), so an earlier test's peak cannot hide this one's.
template<typename F>
Cost measure(F &&call)
{
    QFile reset(QStringLiteral("/proc/self/clear_refs"));
    const bool resettable = reset.open(QIODevice::WriteOnly) && reset.write("5") == 1 && reset.flush();
    reset.close();
    const qint64 before = statusKb("VmRSS");
    const bool peakKnown = resettable && before > 0 && statusKb("VmHWM") - before < 4096;
    QElapsedTimer timer;
    timer.start();
    call();
    Cost cost;
    cost.ms = timer.elapsed();
    if (peakKnown) cost.peakGrowthKb = statusKb("VmHWM") - before;
    return cost;
}

} // namespace

class TestSpreadsheet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { SpreadsheetExport::setOpener({}); }

    void writesAndReadsBack()
    {
        TestHome home;
        SpreadsheetWorkbook book;
        book.setBold("A1:IV3");                  // a title band set before its cells
        book.setCell(1, 1, QStringLiteral("Alınan Çekler Listesi"));
        book.setCell(2, 1, QStringLiteral("Çek No"));
        book.setCell(2, 2, QStringLiteral("Vade"));
        book.setCell(2, 3, QStringLiteral("Tutar"));
        book.setCell(2, 4, QStringLiteral("Gün"));
        const QDate due(2024, 12, 31);
        for (int r = 4; r <= 6; ++r) {
            book.setCell(r, 1, QStringLiteral("A-%1").arg(r));
            book.setCell(r, 2, due.addDays(r));
            book.setCell(r, 3, 1000.25 * r);
            book.setCell(r, 4, r * 10);
        }
        book.setNumberFormat(parseRange("C4", "C7"), "#,##0.00");
        book.setFontSize("A1", 14);
        book.setFormula("C7", "=SUM(C4:C6)");
        book.autoFit("A1", "D7");
        const QString file = home.path("liste.xlsx");
        QCOMPARE(book.save(file), QString());

        const SheetData sheet = readSpreadsheet(file);
        QCOMPARE(sheet.lastRow, 7);
        QCOMPARE(sheet.lastColumn, 4);
        const auto a = sheet.array();
        QCOMPARE(a[1][1].toString(), QStringLiteral("Alınan Çekler Listesi"));
        QCOMPARE(a[4][1].toString(), QStringLiteral("A-4"));
        QCOMPARE(a[5][2].typeId(), QMetaType::QDate);
        QCOMPARE(a[5][2].toDate(), due.addDays(5));
        QCOMPARE(a[6][3].typeId(), QMetaType::Double);
        QCOMPARE(a[6][3].toDouble(), 6001.5);
        QCOMPARE(a[4][4].toDouble(), 40.0);
        QCOMPARE(a[7][3].toDouble(), 1000.25 * 15);  // the sum is stored with the formula
        QVERIFY(!a[3][1].isValid());
        QVERIFY(!sheet.value(8, 1).isValid());

        const auto fmt = [&](int r, int c) { return sheet.formats.value({r, c}); };
        QVERIFY(fmt(2, 3).bold);
        QVERIFY(!fmt(4, 3).bold);
        QCOMPARE(fmt(1, 1).fontSize, 14.0);
        QCOMPARE(fmt(5, 3).numberFormat, QStringLiteral("#,##0.00"));
        QCOMPARE(fmt(7, 3).formula, QStringLiteral("SUM(C4:C6)"));

        const QByteArray xml = zipEntry(file, "xl/worksheets/sheet1.xml");
        QVERIFY(xml.contains("<f>SUM(C4:C6)</f>"));
        // The title column was widened to its long text.
        QVERIFY2(xml.contains("<col min=\"1\" max=\"1\" width="), xml.left(600).constData());
    }

    void showsTheWorkbookOrSaysWhy()
    {
        TestHome home;
        SpreadsheetWorkbook book;
        book.setCell(1, 1, QStringLiteral("Kasa"));

        QStringList opened;
        SpreadsheetExport::setOpener([&](const QString &p) { opened << p; return true; });
        auto result = SpreadsheetExport::show(book, "Kasa");
        QCOMPARE(result.outcome, SpreadsheetExport::Outcome::Opened);
        QCOMPARE(opened, QStringList{result.path});
        QVERIFY(result.path.startsWith(home.path("Gecici/Kasa-")));
        QCOMPARE(readSpreadsheet(result.path).value(1, 1).toString(), QStringLiteral("Kasa"));

        // No application for .xlsx: the message, and the file is still there.
        SpreadsheetExport::setOpener([](const QString &) { return false; });
        result = SpreadsheetExport::show(book, "Kasa");
        QCOMPARE(result.outcome, SpreadsheetExport::Outcome::NoApplication);
        QVERIFY(result.message.startsWith(SpreadsheetExport::kNoApplication));
        QVERIFY(result.message.contains(result.path));
        QVERIFY(QFile::exists(result.path));

        // The temporary folder cannot be made: the system's message.
        QDir(home.path("Gecici")).removeRecursively();
        QFile blocker(home.path("Gecici"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        result = SpreadsheetExport::show(book, "Kasa");
        QCOMPARE(result.outcome, SpreadsheetExport::Outcome::WriteFailed);
        QVERIFY2(result.message.startsWith(QStringLiteral("Excel açılamadı. Sistem Mesajı: ")), qPrintable(result.message));
        QVERIFY(!result.message.contains(QLatin1String("%s")));
    }

    // A workbook as other programs write it: rich-text and phonetic runs in shared
    // strings, an inline string, a custom date format, cells without addresses.
    void readsHandMadeXlsx()
    {
        TestHome home;
        const QString file = home.path("el.xlsx");
        writeHandMadeXlsx(file);
        const SheetData sheet = readSpreadsheet(file);
        QCOMPARE(sheet.lastRow, 3);
        QCOMPARE(sheet.lastColumn, 4);
        QCOMPARE(sheet.value(2, 2).toString(), QStringLiteral("Düz"));
        QCOMPARE(sheet.value(2, 3).toString(), QStringLiteral("Kalın Çek"));
        QCOMPARE(sheet.value(2, 4).toString(), QStringLiteral("içeri"));
        QCOMPARE(sheet.value(3, 1).toDate(), QDate(2024, 12, 31));
        QCOMPARE(sheet.value(3, 2).toDouble(), 1234.5);            // quoted "TL" is no date
        QCOMPARE(sheet.value(3, 3).toDate(), QDate(1900, 3, 1));  // past the 1900 leap-year slip
        QCOMPARE(sheet.value(3, 4).toBool(), true);
    }

    void readsOds()
    {
        TestHome home;
        const QString file = home.path("liste.ods");
        writeOdsFixture(file);
        const SheetData sheet = readSpreadsheet(file);
        QCOMPARE(sheet.lastRow, 4);
        QCOMPARE(sheet.lastColumn, 3);
        QCOMPARE(sheet.value(1, 2).toString(), QStringLiteral("Tutar  TL"));
        QCOMPARE(sheet.value(3, 1).toDate(), QDate(2025, 1, 15));
        QCOMPARE(sheet.value(3, 2).toDouble(), 250.75);
        QCOMPARE(sheet.value(4, 3).toBool(), true);
        QVERIFY(!sheet.value(4, 1).isValid());
    }

    void refusesWhatIsNoSpreadsheet()
    {
        TestHome home;
        SpreadsheetWorkbook book;
        for (int r = 1; r <= 200; ++r) book.setCell(r, 1, QStringLiteral("satır %1").arg(r));
        const QString good = home.path("iyi.xlsx");
        QCOMPARE(book.save(good), QString());
        QFile in(good);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray bytes = in.readAll();

        const auto write = [&](const QString &name, const QByteArray &data) {
            QFile f(home.path(name));
            if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write");
            f.write(data);
            return f.fileName();
        };
        expectUnreadable(write("yarim.xlsx", bytes.left(bytes.size() / 2)));
        expectUnreadable(write("bos.xlsx", {}));
        expectUnreadable(write("metin.xlsx", "Bu bir Excel dosyası değil.\n"));
        expectUnreadable(write("ole.xls", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, '\0')));
        QByteArray flipped = bytes;
        flipped[flipped.size() / 3] = char(flipped[flipped.size() / 3] ^ 0x5A);  // a damaged deflate stream
        expectUnreadable(write("bozuk.xlsx", flipped));
        expectUnreadable(home.path("yok.xlsx"));
        writeZip(home.path("baska.xlsx"), {{"readme.txt", "zip, ama tablo değil"}});
        expectUnreadable(home.path("baska.xlsx"));
    }

    // Crafted files that overflowed the row or column counter (a write before the
    // array), looped, or asked for gigabytes: each refused with the reader's message
    // within a second and in under 100 MB. A part whose header understates its size
    // is read only up to the limit of the texts or of a part.
    void refusesCraftedFiles()
    {
        TestHome home;
        struct Case {
            const char *name;
            void (*write)(const QString &);
            const char *why;
            qint64 maxMs = 1000;
        };
        const Case cases[] = {
            {"rows.ods", writeOdsRowsRepeatedPastTheEnd, "sınırının dışında"},
            {"columns.ods", writeOdsColumnsRepeatedPastTheEnd, "sınırının dışında"},
            {"spaces.ods", writeOdsSpacesBomb, "karakteri aşıyor"},
            {"past.ods", writeOdsValueRowsPastTheEnd, "sınırının dışında"},
            {"cells.ods", writeOdsTooManyCells, "kadar büyük"},
            {"row.xlsx", writeXlsxCellBeyondLastRow, "sınırının dışında"},
            {"target.xlsx", writeXlsxLoopingTarget, "bozuk"},
            {"shared.xlsx", [](const QString &f) { writeXlsxSharedStringsBomb(f, 250LL * 1024 * 1024); }, "kadar büyük"},
            {"understated.xlsx",
             [](const QString &f) {
                 writeXlsxSharedStringsBomb(f, 250LL * 1024 * 1024);
                 understateEntrySize(f, "xl/sharedStrings.xml", 1000);
             },
             "kadar büyük", 3000},  // read up to the limit of the texts: about 0.4 s
            {"understated-markup.xlsx",
             [](const QString &f) {
                 writeXlsxSharedStringsBomb(f, 250LL * 1024 * 1024, "<!-- yorum -->\n");
                 understateEntrySize(f, "xl/sharedStrings.xml", 1000);
             },
             "kadar büyük", 3000},  // no text kept: read up to the limit of a part, 32 MB
            // Twenty sheets each declaring A1:IV65536 in an 8 KB file; five of a
            // million cells each, every one within the limit, their sum past it.
            {"sheets.xls", [](const QString &f) { saveBytes(f, xlsBytes(QList<XlsSheet>(20, {65536, 256, {}}))); },
             "kadar büyük"},
            {"sum.xls", [](const QString &f) { saveBytes(f, xlsBytes(QList<XlsSheet>(5, {1000, 1000, {}}))); },
             "kadar büyük"},
            {"nobook.xls",
             [](const QString &f) {
                 QByteArray b = xlsBytes({{3, 2, {}}});
                 b.replace(QByteArray("W\0o\0r\0k\0b\0o\0o\0k\0", 16), QByteArray("X\0o\0r\0k\0b\0o\0o\0k\0", 16));
                 saveBytes(f, b);
             },
             "bozuk"},
        };
        for (const Case &c : cases) {
            const QString file = home.path(QString::fromLatin1(c.name));
            c.write(file);
            QVERIFY2(QFileInfo(file).size() < 1024 * 1024, c.name);  // the bombs are small files
            QString message;
            const Cost cost = measure([&] {
                try {
                    readSpreadsheet(file);
                } catch (const EngineError &e) {
                    message = e.message();
                }
            });
            qInfo("%s: %lld ms, peak +%lld kB", c.name, cost.ms, cost.peakGrowthKb);
            QVERIFY2(message.startsWith(QStringLiteral("'%1' dosyası okunamadı: ").arg(QString::fromLatin1(c.name))),
                     qPrintable(QString::fromLatin1(c.name) + ": " + message));
            QVERIFY2(message.contains(QString::fromUtf8(c.why)), qPrintable(message));
            QVERIFY2(cost.ms < c.maxMs, c.name);
            if (cost.peakGrowthKb >= 0) QVERIFY2(cost.peakGrowthKb < 100 * 1024, c.name);
        }
    }

    // A small .xls is read through freexl once its declared sizes pass.
    void readsXls()
    {
        TestHome home;
        const QString file = home.path("kucuk.xls");
        saveBytes(file, xlsBytes({{3, 2, {{{0, 0}, 1500.5}, {{2, 1}, -7}}}, {10, 3, {}}}));
        const SheetData sheet = readSpreadsheet(file);
        QCOMPARE(sheet.lastRow, 3);
        QCOMPARE(sheet.lastColumn, 2);
        QCOMPARE(sheet.value(1, 1).toDouble(), 1500.5);
        QCOMPARE(sheet.value(3, 2).toDouble(), -7.0);
    }

    // A number in a date format is a date only within the years a sheet can show;
    // a number that is none is a damaged file.
    void readsNumbersInDateFormats()
    {
        TestHome home;
        const QString file = home.path("sayi.xlsx");
        writeXlsxNumbers(file, "45657");
        QCOMPARE(readSpreadsheet(file).value(1, 1).toDate(), QDate(2024, 12, 31));
        writeXlsxNumbers(file, "1e300");
        QCOMPARE(readSpreadsheet(file).value(1, 1).toDouble(), 1e300);
        writeXlsxNumbers(file, "-5");
        QCOMPARE(readSpreadsheet(file).value(1, 1).toDouble(), -5.0);
        for (const char *notANumber : {"nan", "inf", "-inf", "1e999"}) {
            writeXlsxNumbers(file, notANumber);
            expectUnreadable(file);
        }
    }

    // LibreOffice fills a sheet to its last row with repeated empty rows (readsOds);
    // a large sheet of values within the limits is read whole.
    void readsALargeSheet()
    {
        TestHome home;
        const QString file = home.path("buyuk.ods");
        writeOdsLargeSheet(file);
        SheetData sheet;
        const Cost cost = measure([&] { sheet = readSpreadsheet(file); });
        qInfo("655,360 cells: %lld ms, peak +%lld kB", cost.ms, cost.peakGrowthKb);
        QCOMPARE(sheet.lastRow, 65536);
        QCOMPARE(sheet.lastColumn, 10);
        QCOMPARE(sheet.value(65536, 10).toDouble(), 1.0);
        QVERIFY(!sheet.value(65537, 1).isValid());
    }
};

QTEST_MAIN(TestSpreadsheet)
#include "test_spreadsheet.moc"
