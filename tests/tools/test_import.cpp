// Bringing cheques from a spreadsheet into the entry slip: the sheet read into the
// import grid, the chosen rows handed to the slip and calculated there.
#include "../data/spreadsheet_fixtures.h"
#include "data/spreadsheet_reader.h"
#include "data/spreadsheet_writer.h"
#include "received/entry_slip_calc.h"
#include "received/tcekortf.h"
#include "support/test_home.h"
#include "tools/import_steps.h"
#include "tools/tform3.h"
#include "widgets/file_dialog.h"
#include "widgets/message_box.h"
#include "widgets/slip_grid.h"

#include <QDateEdit>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

using namespace EntrySlip;

namespace {

// The most memory the process has held so far, in KB.
qint64 peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// A sheet of cheques: row 1 titles, then due date, a number, amount, a text, description.
QString writeSheet(const TestHome &home, const QString &name, const QVector<QVariantList> &rows)
{
    SpreadsheetWorkbook book;
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) book.setCell(r + 1, c + 1, rows[r][c]);
    const QString path = home.path(name);
    book.save(path);
    return path;
}

QVector<QVariantList> chequeSheet()
{
    return {{"Vade", "Sıra", "Tutar", "Not", "Açıklama"},
            {QDate(2024, 3, 5), 1, 1500.5, "x", "birinci"},
            {QDate(2024, 4, 10), 2, 2000, "y", "ikinci"},
            {QDate(2024, 5, 15), 3, 250.25, "z", "üçüncü"},
            {QDate(2024, 6, 20), 4, 99, "w", "dördüncü"}};
}

struct Fixture {
    TestHome home;
    TcekortF slip;
    TForm3 form;
    Fixture()
    {
        home.openCompany("A1", 2024);
        form.setSlip(&slip);
        slip.DateTimePicker15->setDate(QDate(2024, 3, 1));
        MessageBox::clearShown();
    }
    void columns(const char *first, const char *last, const char *date, const char *amount, const char *desc)
    {
        form.JvDotNetEdit20->setText(first);
        form.JvDotNetEdit21->setText(last);
        form.JvDotNetEdit19->setText(date);
        form.JvDotNetEdit3->setText(amount);
        form.JvDotNetEdit4->setText(desc);
    }
};

} // namespace

class TestImport : public QObject {
    Q_OBJECT
private slots:
    void cellTexts_data();
    void cellTexts();
    void sheetIntoTheGrid();
    void chosenRowsIntoTheSlip();
    void checksStopBeforeTheSlipChanges_data();
    void checksStopBeforeTheSlipChanges();
    void textAmounts_data();
    void textAmounts();
    void rowChecksStopBeforeTheSlipChanges_data();
    void rowChecksStopBeforeTheSlipChanges();
    void emptyDateCellKeepsItsRowEmpty();
    void wideOrEmptySheetRefused_data();
    void wideOrEmptySheetRefused();
    void savedOrTypedSlip();
    void screenshot();
};

void TestImport::cellTexts_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("date") << QVariant(QDate(2024, 3, 5)) << "05.03.2024";
    QTest::newRow("fraction") << QVariant(1500.5) << "1500,5";
    QTest::newRow("whole") << QVariant(2000.0) << "2000";
    QTest::newRow("cents") << QVariant(0.1 + 0.2) << "0,3";
    QTest::newRow("negative") << QVariant(-12.75) << "-12,75";
    QTest::newRow("large") << QVariant(1e15) << "1000000000000000";
    QTest::newRow("text") << QVariant("Ödeme 1.500") << "Ödeme 1.500";
    QTest::newRow("empty") << QVariant() << "";
}

void TestImport::cellTexts()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QCOMPARE(SheetImport::cellText(value), text);
}

void TestImport::sheetIntoTheGrid()
{
    Fixture fx;
    // 10 used rows and 4 used columns: 11 rows and 5 columns, the last ones empty.
    QVector<QVariantList> ten;
    for (int r = 1; r <= 10; ++r) ten << QVariantList{r, "a", "b", "c"};
    QVERIFY(fx.form.readFile(writeSheet(fx.home, "on.xlsx", ten)));
    QCOMPARE(fx.form.StringGrid1->rowCount(), 11);
    QCOMPARE(fx.form.StringGrid1->columnCount(), 5);
    QCOMPARE(fx.form.gridTexts()[9], (QStringList{"10", "a", "b", "c", ""}));
    QCOMPARE(fx.form.gridTexts()[10], QStringList(5));
    QCOMPARE(MessageBox::shown().last().text, QStringLiteral("Tablo aktarıldı!"));
    QVERIFY(fx.form.windowTitle().endsWith(fx.home.path("on.xlsx") + " - Dosyası Aktarıldı"));
    QVERIFY(fx.form.windowTitle().startsWith("Brenvo Çek Senet Takip Programı  - Excel Dosya Aktarma - "));

    // 10,000 rows are read up to row 6,500.
    QVector<QVariantList> many;
    for (int r = 1; r <= 10000; ++r) many << QVariantList{r};
    QVERIFY(fx.form.readFile(writeSheet(fx.home, "cok.xlsx", many)));
    QCOMPARE(fx.form.StringGrid1->rowCount(), 6500);
    QCOMPARE(fx.form.gridTexts()[6499][0], QStringLiteral("6500"));

    // A damaged file: its message, an empty grid.
    QFile bad(fx.home.path("bozuk.xlsx"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("bu bir tablo değil");
    bad.close();
    MessageBox::clearShown();
    QVERIFY(!fx.form.readFile(bad.fileName()));
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(int(MessageBox::shown()[0].icon), int(MessageBox::Icon::Critical));
    QVERIFY(fx.form.gridTexts()[0][0].isEmpty());

    // The dialog's cancel reads nothing; an answer reads that file.
    FileDialog::queueFile(fx.home.path("on.xlsx"));
    QVERIFY(fx.form.excelAl());
    QVERIFY(!fx.form.excelAl());
    QCOMPARE(fx.form.StringGrid1->rowCount(), 11);
}

void TestImport::chosenRowsIntoTheSlip()
{
    Fixture fx;
    QVERIFY(fx.form.readFile(writeSheet(fx.home, "cekler.xlsx", chequeSheet())));
    MessageBox::clearShown();
    fx.columns("2", "4", "1", "3", "5");
    QVERIFY(fx.form.ceklereAktar());
    // Sheet rows 2 to 4 into entry rows 1 to 3 and the empty last row; no message.
    QCOMPARE(MessageBox::shown().size(), 0);
    const QVector<QStringList> rows = fx.slip.rows();
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[0][ColVade], QStringLiteral("05.03.2024"));
    QCOMPARE(rows[0][ColTutar], QStringLiteral("1.500,50"));
    QCOMPARE(rows[0][ColAciklama], QStringLiteral("birinci"));
    QCOMPARE(rows[0][ColGun], QStringLiteral("4"));
    QCOMPARE(rows[2][ColVade], QStringLiteral("15.05.2024"));
    QCOMPARE(rows[2][ColTutar], QStringLiteral("250,25"));
    QVERIFY(rows[3][ColVade].isEmpty());
    QCOMPARE(rows[1][ColNo], QStringLiteral("2"));
    QCOMPARE(fx.slip.JustaEdit5->text(), QStringLiteral("3.750,75"));
    QVERIFY(fx.slip.girisDegisti);
    QVERIFY(!fx.form.isVisible());

    // An amount column of 0 takes dates and descriptions only; an empty
    // description column is column 1.
    fx.columns("2", "3", "1", "0", "");
    fx.slip.girisDegisti = false;
    QVERIFY(fx.form.ceklereAktar());
    const QVector<QStringList> dates = fx.slip.rows();
    QCOMPARE(dates.size(), 3);
    QVERIFY(dates[0][ColTutar].isEmpty());
    QCOMPARE(dates[1][ColAciklama], QStringLiteral("10.04.2024"));
    // Rows past the sheet end the walk.
    fx.columns("4", "99", "1", "3", "5");
    fx.slip.girisDegisti = false;
    QVERIFY(fx.form.ceklereAktar());
    QCOMPARE(fx.slip.rows().size(), 3);
}

void TestImport::checksStopBeforeTheSlipChanges_data()
{
    QTest::addColumn<QStringList>("fields");  // first, last, date, amount, description
    QTest::addColumn<QString>("message");
    QTest::newRow("no first row") << QStringList{"", "4", "1", "3", "5"} << "Başlangıç satırını boş geçemezsiniz!";
    QTest::newRow("no last row") << QStringList{"2", "", "1", "3", "5"} << "Bitiş satırını boş geçemezsiniz!";
    QTest::newRow("no date column") << QStringList{"2", "4", "", "3", "5"} << "Tarih sütununu boş geçemezsiniz!";
    QTest::newRow("no amount column") << QStringList{"2", "4", "1", "", "5"} << "Çek tutar sütununu boş geçemezsiniz!";
    QTest::newRow("last before first") << QStringList{"4", "2", "1", "3", "5"}
                                       << "Bitiş satırı başlangıç satırından küçük olamaz!";
    QTest::newRow("ISO date") << QStringList{"2", "3", "6", "3", "5"}
                              << "3. satırdaki tarih (2024-03-05) gg.aa.yyyy şeklinde olmalıdır. Aktarım yapılmadı.";
    QTest::newRow("short date") << QStringList{"2", "4", "7", "3", "5"}
                                << "4. satırdaki tarih (5.3.2024) gg.aa.yyyy şeklinde olmalıdır. Aktarım yapılmadı.";
}

void TestImport::checksStopBeforeTheSlipChanges()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, message);
    Fixture fx;
    QVector<QVariantList> sheet = chequeSheet();
    sheet[1] << "05.03.2024" << "05.03.2024";
    sheet[2] << "2024-03-05" << "05.03.2024";
    sheet[3] << "05.03.2024" << "5.3.2024";
    QVERIFY(fx.form.readFile(writeSheet(fx.home, "cekler.xlsx", sheet)));
    fx.slip.StringGrid1->writeRow(0, {"1", "01.04.2024", "100"});
    MessageBox::clearShown();
    fx.columns(qPrintable(fields[0]), qPrintable(fields[1]), qPrintable(fields[2]), qPrintable(fields[3]),
               qPrintable(fields[4]));
    QVERIFY(!fx.form.ceklereAktar());
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown()[0].text, message);
    QCOMPARE(fx.slip.rows()[0][ColVade], QStringLiteral("01.04.2024"));  // the slip is untouched
}

void TestImport::textAmounts_data()
{
    QTest::addColumn<QString>("text");    // the amount cell, stored as text
    QTest::addColumn<QString>("amount");  // the slip's amount, empty when refused
    QTest::newRow("Turkish grouping") << "1.500,50" << "1.500,50";
    QTest::newRow("one comma") << "1500,5" << "1.500,50";
    QTest::newRow("plain digits") << " 1500 " << "1.500,00";
    QTest::newRow("decimal point") << "1500.50" << "";
    QTest::newRow("dot alone") << "1.500" << "";
    QTest::newRow("English grouping") << "1,500.50" << "";
    QTest::newRow("with a word") << "12 TL" << "";
}

void TestImport::textAmounts()
{
    QFETCH(QString, text);
    QFETCH(QString, amount);
    Fixture fx;
    QVector<QVariantList> sheet = chequeSheet();
    sheet[2][2] = text;  // sheet row 3
    QVERIFY(fx.form.readFile(writeSheet(fx.home, "cekler.xlsx", sheet)));
    fx.slip.StringGrid1->writeRow(0, {"1", "01.04.2024", "100"});
    MessageBox::clearShown();
    fx.columns("2", "4", "1", "3", "5");
    QCOMPARE(fx.form.ceklereAktar(), !amount.isEmpty());
    if (amount.isEmpty()) {
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown()[0].text,
                 QString("3. satırdaki tutar (%1) tek türlü okunamıyor; 1.500,50, 1500,50 ya da 1500 şeklinde olmalıdır. "
                         "Aktarım yapılmadı.")
                     .arg(text.trimmed()));
        QCOMPARE(fx.slip.rows()[0][ColVade], QStringLiteral("01.04.2024"));  // the slip is untouched
        return;
    }
    QCOMPARE(fx.slip.rows()[1][ColTutar], amount);
    QCOMPARE(fx.slip.rows()[0][ColTutar], QStringLiteral("1.500,50"));  // the number cell as before
}

// Every row is checked before the slip changes: a cell the slip could not take
// stops the import with a message naming its row, the slip as it was.
void TestImport::rowChecksStopBeforeTheSlipChanges_data()
{
    QTest::addColumn<QByteArray>("row3");  // the cells of sheet row 3 (A: due date, C: amount) in the sheet's XML
    QTest::addColumn<QString>("message");
    const auto text = [](const char *ref, const char *t) {
        return QByteArray("<c r=\"") + ref + "\" t=\"inlineStr\"><is><t>" + t + "</t></is></c>";
    };
    QTest::newRow("amount with an exponent") << text("A3", "05.04.2024") + text("C3", "1e3")
                                             << "3. satırdaki tutar okunamadı: '1e3' geçerli bir sayı değil. Aktarım yapılmadı.";
    QTest::newRow("month 15") << text("A3", "01.15.2024") + text("C3", "100")
                              << "3. satırdaki tarih (01.15.2024) geçerli bir gün değil. Aktarım yapılmadı.";
    QTest::newRow("31 April") << text("A3", "31.04.2024") + text("C3", "100")
                              << "3. satırdaki tarih (31.04.2024) geçerli bir gün değil. Aktarım yapılmadı.";
    QTest::newRow("year 1900") << text("A3", "05.03.1900") + text("C3", "100")
                               << "3. satırdaki tarih (05.03.1900) geçerli bir gün değil. Aktarım yapılmadı.";
    QTest::newRow("date formula without its value")
        << QByteArray("<c r=\"A3\"><f>TODAY()+30</f></c>") + text("C3", "100")
        << "3. satırdaki tarih hücresinde hesaplanmış değeri olmayan bir formül var (=TODAY()+30). "
           "Dosyayı hesaplayan bir programda açıp kaydedin. Aktarım yapılmadı.";
    QTest::newRow("amount formula without its value")
        << text("A3", "05.04.2024") + "<c r=\"C3\"><f>C2*2</f></c>"
        << "3. satırdaki tutar hücresinde hesaplanmış değeri olmayan bir formül var (=C2*2). "
           "Dosyayı hesaplayan bir programda açıp kaydedin. Aktarım yapılmadı.";
}

void TestImport::rowChecksStopBeforeTheSlipChanges()
{
    QFETCH(QByteArray, row3);
    QFETCH(QString, message);
    Fixture fx;
    const QString file = fx.home.path("satirlar.xlsx");
    writeXlsxSheetData(file, "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Vade</t></is></c></row>"
                             "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>05.03.2024</t></is></c><c r=\"C2\"><v>250</v></c></row>"
                             "<row r=\"3\">" + row3 + "</row>"
                             "<row r=\"4\"><c r=\"A4\" t=\"inlineStr\"><is><t>05.05.2024</t></is></c><c r=\"C4\"><v>75</v></c></row>");
    QVERIFY(fx.form.readFile(file));
    fx.slip.StringGrid1->writeRow(0, {"1", "01.04.2024", "100"});
    fx.slip.hesapla();
    const QVector<QStringList> before = fx.slip.rows();
    const QString total = fx.slip.JustaEdit5->text();
    fx.slip.girisDegisti = false;
    MessageBox::clearShown();
    fx.columns("2", "4", "1", "3", "5");
    QVERIFY(!fx.form.ceklereAktar());
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown()[0].text, message);
    QCOMPARE(fx.slip.rows(), before);
    QCOMPARE(fx.slip.rows()[0][ColVade], QStringLiteral("01.04.2024"));
    QCOMPARE(fx.slip.JustaEdit5->text(), total);
    QVERIFY(!fx.slip.girisDegisti);
    // Rows 2 alone pass.
    fx.columns("2", "2", "1", "3", "5");
    QVERIFY(fx.form.ceklereAktar());
    QCOMPARE(fx.slip.rows()[0][ColTutar], QStringLiteral("250,00"));
}

// The sheet is refused before its grid is made when it is wider than the import
// shows or empty: a couple of cells far apart cost no memory, the grid keeps its
// old contents.
void TestImport::wideOrEmptySheetRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("xlsx, XFD1 and A6500")
        << "genis.xlsx" << "Sayfada 16.384 sütun kullanılmış; aktarılacak sayfa en çok 256 sütun olabilir.";
    QTest::newRow("ods, XFD1 and A6500")
        << "genis.ods" << "Sayfada 16.384 sütun kullanılmış; aktarılacak sayfa en çok 256 sütun olabilir.";
    QTest::newRow("xlsx, 257 columns") << "dar.xlsx" << "Sayfada 257 sütun kullanılmış;";
    QTest::newRow("empty sheet") << "bos.xlsx" << "Dosyanın ilk sayfası boş; aktarılacak bir çek yok.";
}

void TestImport::wideOrEmptySheetRefused()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    Fixture fx;
    const QString file = fx.home.path(name);
    const QByteArray one = "<v>1</v>";
    if (name == u"genis.xlsx")
        writeXlsxSheetData(file, "<row r=\"1\"><c r=\"XFD1\">" + one + "</c></row><row r=\"6500\"><c r=\"A6500\">" + one + "</c></row>");
    else if (name == u"dar.xlsx")
        writeXlsxSheetData(file, "<row r=\"1\"><c r=\"IW1\">" + one + "</c></row>");
    else if (name == u"bos.xlsx")
        writeXlsxSheetData(file, "");
    else
        writeOdsRows(file, R"(<table:table-row><table:table-cell table:number-columns-repeated="16383"/><table:table-cell office:value-type="float" office:value="1"/></table:table-row>)"
                           R"(<table:table-row table:number-rows-repeated="6498"><table:table-cell/></table:table-row>)"
                           R"(<table:table-row><table:table-cell office:value-type="float" office:value="1"/></table:table-row>)");
    QVERIFY(QFileInfo(file).size() < 4096);
    QVERIFY(fx.form.readFile(writeSheet(fx.home, "cekler.xlsx", chequeSheet())));
    MessageBox::clearShown();
    const qint64 before = peakKb();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!fx.form.readFile(file));
    const qint64 ms = clock.elapsed();
    const qint64 grownKb = peakKb() - before;
    qInfo("%s: refused in %lld ms, peak memory grew by %lld KB", qPrintable(name), ms, grownKb);
    QVERIFY(ms < 2000);
    QVERIFY(grownKb < 100 * 1024);
    QCOMPARE(MessageBox::shown().size(), 1);
    QVERIFY2(MessageBox::shown()[0].text.startsWith(message), qPrintable(MessageBox::shown()[0].text));
    QCOMPARE(MessageBox::shown()[0].icon, MessageBox::Icon::Critical);
}

void TestImport::emptyDateCellKeepsItsRowEmpty()
{
    Fixture fx;
    QVector<QVariantList> sheet = chequeSheet();
    sheet[2][0] = QVariant();       // row 3: no date
    QVERIFY(fx.form.readFile(writeSheet(fx.home, "cekler.xlsx", sheet)));
    MessageBox::clearShown();
    fx.columns("2", "5", "1", "3", "5");
    QVERIFY(fx.form.ceklereAktar());
    QStringList texts;
    for (const auto &s : MessageBox::shown()) texts << s.text;
    QCOMPARE(texts.first(), QStringLiteral("Tarih formatı gg.aa.yyyy. şeklinde olmalıdır."));
    QCOMPARE(texts.count(QStringLiteral("Tarih formatı gg.aa.yyyy. şeklinde olmalıdır.")), 1);
    const QVector<QStringList> rows = fx.slip.rows();
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows[0][ColVade], QStringLiteral("05.03.2024"));
    QVERIFY(rows[1][ColVade].isEmpty() && rows[1][ColTutar].isEmpty());
    QCOMPARE(rows[2][ColVade], QStringLiteral("15.05.2024"));
    QCOMPARE(rows[3][ColVade], QStringLiteral("20.06.2024"));
}

void TestImport::savedOrTypedSlip()
{
    Fixture fx;
    QVERIFY(fx.form.readFile(writeSheet(fx.home, "cekler.xlsx", chequeSheet())));
    fx.columns("2", "3", "1", "3", "5");
    // Rows typed and not saved: No keeps them.
    fx.slip.StringGrid1->writeRow(0, {"1", "01.04.2024", "100"});
    fx.slip.girisDegisti = true;
    fx.slip.JustaEdit1->setText("7");
    MessageBox::clearShown();
    MessageBox::queueAnswer(MessageBox::No);
    QVERIFY(!fx.form.ceklereAktar());
    QCOMPARE(MessageBox::shown().last().text, QStringLiteral("Dosyayı Boşaltmak istediğinizden eminmisiniz?"));
    QCOMPARE(fx.slip.rows()[0][ColVade], QStringLiteral("01.04.2024"));
    QCOMPARE(fx.slip.JustaEdit1->text(), QStringLiteral("7"));
    // Yes replaces them, and the slip's number goes: saving makes a new slip.
    MessageBox::queueAnswer(MessageBox::Yes);
    QVERIFY(fx.form.ceklereAktar());
    QCOMPARE(fx.slip.rows()[0][ColVade], QStringLiteral("05.03.2024"));
    QVERIFY(fx.slip.JustaEdit1->text().isEmpty());
}

void TestImport::screenshot()
{
    Fixture fx;
    QVERIFY(fx.form.readFile(writeSheet(fx.home, "cekler.xlsx", chequeSheet())));
    fx.columns("2", "5", "1", "3", "5");
    fx.form.show();
    QTest::qWait(50);
    const QString dir = qEnvironmentVariable("CEKSENET_SCREENSHOTS", QStringLiteral("/tmp"));
    QVERIFY(fx.form.grab().save(dir + QStringLiteral("/tform3.png")));
}

QTEST_MAIN(TestImport)
#include "test_import.moc"
