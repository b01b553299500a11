// The shared window pieces: the dataset grid with its painting and sorting, the
// help and wait windows, the keyboard conventions and the dialog helpers.
#include "data/data_context.h"
#include "data/program_home.h"
#include "data/query.h"
#include "data/table.h"
#include "widgets/currency_box.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/file_dialog.h"
#include "widgets/help_window.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/row_paint_delegate.h"
#include "widgets/spreadsheet_show.h"
#include "widgets/title_sort.h"
#include "widgets/wait_window.h"
#include "widgets/window_texts.h"
#include "support/test_home.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const QDate kToday = QDate::currentDate();

// Cheques due from yesterday to three days later, amounts 100, 200, ...
void addCheques(int count)
{
    Table t(&DataContext::instance().ADOConnection1, "cekgiris");
    t.open();
    for (int i = 0; i < count; ++i) {
        t.append();
        t.fieldByName("cek_no").setValue(QStringLiteral("C%1").arg(i + 1));
        t.fieldByName("cek_tarihi").setValue(kToday.addDays(i - 1));
        t.fieldByName("cek_tutari").setValue(100.0 * (i + 1) + 0.5);
        t.fieldByName("para_birimi").setValue(QStringLiteral("TL"));
        t.post();
    }
}

QVector<GridColumn> chequeColumns()
{
    return {{"cek_no", "Çek No", {}, 90},
            {"cek_tarihi", "Çekin Vadesi", "dd.mm.yyyy", 100},
            {"cek_tutari", "Çekin Tutarı", "#,###.00", 110},
            {"cek_ind", "Index", {}, 40, true}};
}

} // namespace

class TestWidgets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void modelFollowsTheDataset()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        addCheques(3);
        Table table(&DataContext::instance().ADOConnection1, "cekgiris", "cek_tarihi");
        table.open();
        DatasetGridModel model(&table, chequeColumns());
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 4);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Çekin Vadesi"));
        QCOMPARE(model.index(0, 1).data().toString(), kToday.addDays(-1).toString("dd.MM.yyyy"));
        QCOMPARE(model.index(2, 2).data().toString(), QStringLiteral("300,50"));
        QCOMPARE(model.index(2, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight, Qt::AlignRight);
        QCOMPARE(model.index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignLeft, Qt::AlignLeft);

        // Reading values never moves the cursor.
        table.setRecNo(2);
        for (int r = 0; r < 3; ++r) model.index(r, 0).data();
        QCOMPARE(table.recNo(), 2);

        table.append();
        table.fieldByName("cek_no").setValue(QStringLiteral("YENİ"));
        table.fieldByName("cek_tarihi").setValue(kToday);
        table.post();
        QCOMPARE(model.rowCount(), table.recordCount());
        table.last();
        table.remove();
        QCOMPARE(model.rowCount(), table.recordCount());
        table.refresh();
        QCOMPARE(model.rowCount(), 3);
        table.close();
        QCOMPARE(model.rowCount(), 0);
    }

    // Alternating rows, selection following the dataset, and the title-click sort.
    void gridPaintsSyncsAndSorts()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        addCheques(5);
        Query q(&DataContext::instance().ADOConnection1);
        QString direction;
        QStringList orders;
        const auto build = [&](const QString &orderBy) {
            q.close();
            q.sql().clear();
            q.sql() << "SELECT * FROM cekgiris" << "WHERE (para_birimi='TL')";
            if (!orderBy.isEmpty()) q.sql() << orderBy;
            q.open();
            orders << orderBy;
        };
        build(QString());
        orders.clear();

        DatasetGrid grid;
        grid.setObjectName("DBGrid1");
        grid.setDataset(&q, chequeColumns());
        grid.rowPainter()->setDueDateColouring("cek_tarihi", 4);
        connectTitleSort(&grid, &direction, build);
        QAbstractItemModelTester tester(grid.gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        grid.resize(420, 260);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QVERIFY(grid.isColumnHidden(3));

        // Record 1 is selected; records 3 and 5 light yellow, 2 and 4 white.
        const QImage image = grid.viewport()->grab().toImage();
        const auto background = [&](int row) {
            const int x = grid.columnViewportPosition(0) + grid.columnWidth(0) - 6;
            const int y = grid.rowViewportPosition(row) + grid.rowHeight(row) / 2;
            return QColor(image.pixel(x * image.devicePixelRatio(), y * image.devicePixelRatio()));
        };
        // The style may shade the highlight slightly.
        const QColor selected = background(0), highlight = grid.palette().color(QPalette::Highlight);
        QVERIFY(qAbs(selected.red() - highlight.red()) + qAbs(selected.green() - highlight.green())
                    + qAbs(selected.blue() - highlight.blue()) < 12);
        QCOMPARE(background(1), QColor(Qt::white));
        QCOMPARE(background(2), RowPaintDelegate::kOddRow);
        QCOMPARE(background(3), QColor(Qt::white));
        QCOMPARE(background(4), RowPaintDelegate::kOddRow);
        image.save("/tmp/ceksenet-grid.png");

        // The selection follows the dataset and the dataset follows a click.
        q.setRecNo(3);
        QCOMPARE(grid.currentIndex().row(), 2);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                          QPoint(10, grid.rowViewportPosition(4) + grid.rowHeight(4) / 2));
        QCOMPARE(q.recNo(), 5);

        // Three clicks on a title: ascending, descending, ascending again.
        const auto clickTitle = [&](int col) {
            QHeaderView *h = grid.horizontalHeader();
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                              QPoint(h->sectionViewportPosition(col) + 10, h->height() / 2));
        };
        for (int i = 0; i < 3; ++i) clickTitle(2);
        QCOMPARE(orders, (QStringList{"ORDER BY cek_tutari ASC", "ORDER BY cek_tutari DESC", "ORDER BY cek_tutari ASC"}));
        clickTitle(1);
        QCOMPARE(orders.last(), QStringLiteral("ORDER BY cek_tarihi DESC"));  // one direction text per list
        QCOMPARE(grid.model()->index(0, 1).data().toString(), kToday.addDays(3).toString("dd.MM.yyyy"));
    }

    void dueDateColours_data()
    {
        QTest::addColumn<int>("levels");
        QTest::addColumn<int>("days");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("yesterday") << 4 << -1 << QColor();
        QTest::newRow("today") << 4 << 0 << QColor(Qt::red);
        QTest::newRow("tomorrow") << 4 << 1 << QColor(Qt::blue);
        QTest::newRow("day after tomorrow") << 4 << 2 << QColor(0x80, 0, 0);
        QTest::newRow("three days") << 4 << 3 << QColor(0, 0x80, 0x80);
        QTest::newRow("four days, four levels") << 4 << 4 << QColor();
        QTest::newRow("four days, five levels") << 5 << 4 << QColor(0, 0x80, 0);
        QTest::newRow("five days") << 5 << 5 << QColor();
    }
    void dueDateColours()
    {
        QFETCH(int, levels);
        QFETCH(int, days);
        QFETCH(QColor, colour);
        RowPaintDelegate d;
        const QDate reference(2024, 12, 30);  // fixed, whatever the clock says later
        d.setDueDateColouring("cek_tarihi", levels, reference);
        QCOMPARE(d.dueColour(reference.addDays(days)), colour);
    }

    void currencyBoxes()
    {
        QComboBox box;
        CurrencyBox::fill(&box, CurrencyBox::Order::HepsiFirst);
        QCOMPARE(CurrencyBox::items(CurrencyBox::Order::HepsiFirst), (QStringList{"Hepsi", "TL", "USD", "EURO"}));
        QCOMPARE(CurrencyBox::chosen(&box, CurrencyBox::Order::HepsiFirst), QStringLiteral("Hepsi"));
        CurrencyBox::fill(&box, CurrencyBox::Order::HepsiFourth);
        QCOMPARE(box.itemText(3), QStringLiteral("Hepsi"));
        box.setItemText(3, QStringLiteral("Tümü"));  // recognised by its position, not its text
        box.setCurrentIndex(3);
        QCOMPARE(CurrencyBox::chosen(&box, CurrencyBox::Order::HepsiFourth), QStringLiteral("Hepsi"));
        box.setCurrentIndex(1);
        QCOMPARE(CurrencyBox::chosen(&box, CurrencyBox::Order::HepsiFourth), QStringLiteral("USD"));
    }

    void helpWindow()
    {
        TestHome home;
        // The help texts are installed on the first start, and a text the user has
        // changed survives the next start.
        for (const auto &topic : TyardimF::topics()) QVERIFY2(QFileInfo(home.path(topic.second)).size() > 200, qPrintable(topic.second));
        {
            QFile own(home.path("ykasa"));
            QVERIFY(own.open(QIODevice::WriteOnly | QIODevice::Truncate));
            own.write("kendi notlarım");
        }
        ProgramHome::ensure();
        QFile kasa(home.path("ykasa"));
        QVERIFY(kasa.open(QIODevice::ReadOnly));
        QCOMPARE(kasa.readAll(), QByteArray("kendi notlarım"));

        TyardimF help;
        QCOMPARE(help.objectName(), QStringLiteral("TyardimF"));
        QCOMPARE(help.windowTitle(), QStringLiteral("Brenvo Çek ve Senet Takip Programı Yardım"));
        auto *box = help.findChild<QComboBox *>("konuBox");
        QVERIFY(box);
        QCOMPARE(box->count(), 8);
        QCOMPARE(box->itemText(3), QStringLiteral("Çek ve Senet Çıkış (Ciro) İşlemleri"));
        QCOMPARE(box->placeholderText(), QStringLiteral("Yardım Alınacak Konuyu Seçin"));
        QCOMPARE(help.findChild<QLabel *>("panel1")->text(), kVersionText);
        auto *memo = help.findChild<QPlainTextEdit *>("yardimMemo");
        QVERIFY(memo->isReadOnly());

        help.resize(640, 480);
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        box->setCurrentIndex(2);
        Q_EMIT box->activated(2);
        QVERIFY(memo->toPlainText().startsWith(QStringLiteral("ÇEK VE SENET GİRİŞ İŞLEMLERİ")));
        help.grab().save("/tmp/ceksenet-help.png");

        // A missing file leaves the text as it was.
        QVERIFY(QFile::remove(home.path("yana")));
        box->setCurrentIndex(1);
        Q_EMIT box->activated(1);
        QVERIFY(memo->toPlainText().startsWith(QStringLiteral("ÇEK VE SENET GİRİŞ İŞLEMLERİ")));

        // The help button of a window shows its own text.
        QWidget window;
        QPushButton *button = makeHelpButton(&window, "ycarikart", &help);
        QCOMPARE(button->objectName(), QStringLiteral("tfXPButton1"));
        button->click();
        QVERIFY(memo->toPlainText().startsWith(QStringLiteral("FİRMA CARİ KART TAKİP")));
        QCOMPARE(box->currentText(), QStringLiteral("Firma Cari Kart Takip İşlemleri"));
    }

    void waitWindow()
    {
        TForm2 wait;
        QCOMPARE(wait.objectName(), QStringLiteral("TForm2"));
        QCOMPARE(wait.windowTitle(), QStringLiteral("Bekleyin Kayıt Yapıyor"));
        QVERIFY(!(wait.windowFlags() & Qt::WindowCloseButtonHint));
        {
            WaitScope scope(wait, 3, TForm2::kHesaplama);
            QVERIFY(wait.isVisible());
            QCOMPARE(wait.windowTitle(), QStringLiteral("Bekleyin hesaplama yapıyor"));
            QCOMPARE(wait.progressBar()->maximum(), 3);
            scope.step();
            scope.step();
            QCOMPARE(wait.progressBar()->value(), 2);
            wait.grab().save("/tmp/ceksenet-wait.png");
        }
        QVERIFY(!wait.isVisible());
    }

    // Enter moves on in one-line controls, not in a multi-line text; key filters and masks.
    void keyboardConventions()
    {
        TestHome home;
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *code = new QLineEdit;
        auto *currency = new QComboBox;
        auto *date = new QDateEdit;
        auto *note = new QPlainTextEdit;
        auto *amount = new QLineEdit;
        auto *phone = new QLineEdit;
        CurrencyBox::fill(currency, CurrencyBox::Order::CurrenciesOnly);
        KeyFilters::setupDateEdit(date);
        for (QWidget *w : std::initializer_list<QWidget *>{code, currency, date, note, amount, phone}) layout->addWidget(w);
        KeyFilters::installEnterMovesFocus(&window);
        KeyFilters::installEnterMovesFocus(&window);
        KeyFilters::installDigitsOnly(code);
        KeyFilters::installDecimalKeys(amount);
        KeyFilters::setTelephoneMask(phone);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        code->setFocus();
        QTest::keyClicks(code, "12a-3");
        QCOMPARE(code->text(), QStringLiteral("123"));
        QTest::keyClick(code, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), currency);
        QTest::keyClick(currency, Qt::Key_Return);
        QVERIFY(date->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), note);
        // A click on the month selects it: the digits typed next replace it.
        date->setDate(QDate(2024, 3, 5));
        auto *dateText = date->findChild<QLineEdit *>();
        QVERIFY(dateText);
        const int monthX = dateText->fontMetrics().horizontalAdvance(QStringLiteral("05.0")) + 2;
        QTest::mouseClick(dateText, Qt::LeftButton, {}, QPoint(monthX, dateText->height() / 2));
        QCoreApplication::processEvents();
        QTest::keyClicks(dateText, "11");
        QCOMPARE(date->date(), QDate(2024, 11, 5));
        note->setFocus();
        QTest::keyClicks(note, "a");
        QTest::keyClick(note, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), note);
        QCOMPARE(note->toPlainText(), QStringLiteral("a\n"));

        // Decimal fields take digits and one decimal separator, nothing else.
        const struct { const char *typed, *shown; } amounts[] = {
            {"1.234,5 TL", "1234,5"}, {"+-12", "12"}, {"1.5", "15"}, {"2,5,0", "2,50"}, {"-3e2", "32"}};
        for (const auto &a : amounts) {
            amount->clear();
            amount->setFocus();
            QTest::keyClicks(amount, a.typed);
            QCOMPARE(amount->text(), QString::fromLatin1(a.shown));
        }
        amount->clear();
        QTest::keyClicks(amount, "7");
        QTest::keyClick(amount, Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClicks(amount, "25");
        QCOMPARE(amount->text(), QStringLiteral("7,25"));
        QCOMPARE(date->displayFormat(), QStringLiteral("dd.MM.yyyy"));
        QCOMPARE(phone->inputMask(), QStringLiteral("(000) 000 00 00;_"));
        QTest::keyClick(amount, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), phone);
        QTest::keyClicks(phone, "2125550011");
        QCOMPARE(phone->text(), QStringLiteral("(212) 555 00 11"));

        // Message boxes answer from the queue, offscreen.
        MessageBox::queueAnswer(MessageBox::No);
        QVERIFY(!MessageBox::askYesNo(QStringLiteral("Kaydı Silmek istediğinizden eminmisiniz?")));
        QCOMPARE(MessageBox::shown().last().caption, MessageBox::kCaption);

        // A spreadsheet export without an application for .xlsx warns and names the file.
        SpreadsheetExport::setOpener([](const QString &) { return false; });
        SpreadsheetWorkbook book;
        book.setCell(1, 1, 5);
        const auto result = showSpreadsheet(book);
        SpreadsheetExport::setOpener({});
        QCOMPARE(MessageBox::shown().last().icon, MessageBox::Icon::Warning);
        QVERIFY(MessageBox::shown().last().text.startsWith(SpreadsheetExport::kNoApplication));
        QVERIFY(MessageBox::shown().last().text.contains(result.path));

        // File choices answer from their queue; none queued reads as cancelled.
        FileDialog::queueFile(home.path("a.xlsx"));
        QCOMPARE(FileDialog::openFile("Dosya Seç", {}, "Excel Dosyaları|*.xls;*.xlsx"), home.path("a.xlsx"));
        QCOMPARE(FileDialog::folder("Klasör"), QString());
        QCOMPARE(FileDialog::calls().size(), 2);
        QCOMPARE(FileDialog::calls().first().filter, QStringLiteral("Excel Dosyaları|*.xls;*.xlsx"));
    }
};

QTEST_MAIN(TestWidgets)
#include "test_widgets.moc"
