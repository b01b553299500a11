// The currencies and exchange rates window: both grids edited in place, the rates
// of the chosen day only.
#include "data/data_context.h"
#include "data/query.h"
#include "data/table.h"
#include "mainmenu/tkurturf.h"
#include "support/test_home.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/message_box.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

namespace {

DataContext &ctx() { return DataContext::instance(); }

// Every stored rates row as "code|day|md_alis".
QStringList storedRates()
{
    Query q(&ctx().ADOConnection1);
    q.sql() << "SELECT kur_kodu, kur_tarihi, md_alis FROM kurlar ORDER BY kurt_id";
    q.open();
    QStringList out;
    for (q.first(); !q.eof(); q.next())
        out << q.field("kur_kodu").asString() + u'|' + q.field("kur_tarihi").asDate().toString("dd.MM.yyyy") + u'|' +
                   q.field("md_alis").asString();
    return out;
}

struct Fixture {
    TestHome home;
    TkurturF form;
    Fixture()
    {
        home.openCompany(QStringLiteral("A1"), 2024);
        MessageBox::clearShown();
        form.ac();
    }
    DatasetGridModel *rates() { return form.kurlarGrid->gridModel(); }
    // Types a row into the rates grid: a new row, its cells, then leaves it.
    void typeRate(const QString &code, const QString &mdAlis)
    {
        QTest::keyClick(form.kurlarGrid, Qt::Key_Insert);
        const int row = rates()->rowCount() - 1;
        if (!code.isNull()) QVERIFY(rates()->setData(rates()->index(row, 0), code));
        QVERIFY(rates()->setData(rates()->index(row, 1), mdAlis));
        form.kurlarTable->checkBrowseMode();
    }
    void addCurrency(const QString &code)
    {
        QTest::keyClick(form.kurturuGrid, Qt::Key_Insert);
        DatasetGridModel *m = form.kurturuGrid->gridModel();
        QVERIFY(m->setData(m->index(m->rowCount() - 1, 0), code));
        form.kurturuTable->checkBrowseMode();
    }
};

} // namespace

class TestRates : public QObject {
    Q_OBJECT
private slots:
    void pagesAndTexts();
    void ratesBelongToTheirDay();
    void lookUpOfTheCurrencyList();
    void typingReadsNumbersAndRefusesOthers();
    void rowsAddedAndDeletedInTheGrid();
    void closingDropsATypedRow();
    void emptyNewRowIsNeverStored_data();
    void emptyNewRowIsNeverStored();
    void currencyDeletedPastAnEmptyRow();
    void screenshot();
};

void TestRates::pagesAndTexts()
{
    Fixture fx;
    QCOMPARE(fx.form.windowTitle(), QStringLiteral("Brenvo Çek Senet Takip Kurlar"));
    QVERIFY(fx.form.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(fx.form.windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(TkurturF::dayLabel(QDate(2024, 3, 5)), QStringLiteral("Tarih  05 Mart 2024 Salı "));
    fx.form.DateTimePicker1->setDate(QDate(2024, 3, 5));
    QCOMPARE(fx.form.Label1->text(), QStringLiteral("Tarih  05 Mart 2024 Salı "));
    // Only the page shown has its tab.
    QTabBar *tabs = fx.form.pages->tabBar();
    QCOMPARE(fx.form.pages->currentIndex(), 1);
    QVERIFY(!tabs->isTabVisible(0) && tabs->isTabVisible(1));
    fx.form.JvXPButton2->click();
    QCOMPARE(fx.form.pages->currentIndex(), 0);
    QVERIFY(tabs->isTabVisible(0) && !tabs->isTabVisible(1));
    fx.form.JvXPButton7->click();
    QCOMPARE(fx.form.pages->currentIndex(), 1);
    const QStringList titles{"Kur Kodu", "MBD Alış", "MBD Satış", "SPD Alış", "SPD Satış", "MBE Alış", "MBE Satış"};
    for (int c = 0; c < titles.size(); ++c) QCOMPARE(fx.rates()->headerData(c, Qt::Horizontal).toString(), titles[c]);
}

void TestRates::ratesBelongToTheirDay()
{
    Fixture fx;
    fx.form.DateTimePicker1->setDate(QDate(2024, 3, 5));
    QCOMPARE(fx.rates()->rowCount(), 0);  // a day without rates
    fx.typeRate(QString(), "32,5");
    fx.form.DateTimePicker1->setDate(QDate(2024, 3, 6));
    QCOMPARE(fx.rates()->rowCount(), 0);
    fx.typeRate(QString(), "33");
    QCOMPARE(fx.rates()->rowCount(), 1);
    fx.form.DateTimePicker1->setDate(QDate(2024, 3, 5));
    QCOMPARE(fx.rates()->rowCount(), 1);
    QCOMPARE(fx.rates()->index(0, 1).data().toString(), QStringLiteral("32,500000"));
    QCOMPARE(storedRates(), (QStringList{"|05.03.2024|32,5", "|06.03.2024|33"}));
    // Changed on its own day, it stays there.
    QVERIFY(fx.rates()->setData(fx.rates()->index(0, 1), "32,75"));
    fx.form.DateTimePicker1->setDate(QDate(2024, 3, 7));
    QCOMPARE(storedRates(), (QStringList{"|05.03.2024|32,75", "|06.03.2024|33"}));
}

void TestRates::lookUpOfTheCurrencyList()
{
    Fixture fx;
    GridColumn code = fx.rates()->column(0);
    QVERIFY(code.lookup().isEmpty());  // an empty currency list: an empty drop-down
    fx.typeRate(QString(), "1");       // a row without a currency is still stored
    fx.addCurrency("USD");
    fx.addCurrency("EURO");
    QCOMPARE(code.lookup(), (QStringList{"EURO", "USD"}));
    fx.typeRate("USD", "32,5");
    QCOMPARE(fx.rates()->index(1, 0).data().toString(), QStringLiteral("USD"));
    // The currency deleted from the list: its rates stay, the column shows empty.
    fx.form.kurturuTable->locate("kur_kodu", "USD");
    MessageBox::queueAnswer(MessageBox::Yes);
    QTest::keyClick(fx.form.kurturuGrid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(TestHome::countRows(ctx().ADOConnection1, "kurturu"), 1);
    QCOMPARE(fx.rates()->index(1, 0).data().toString(), QString());
    QCOMPARE(fx.rates()->index(1, 0).data(DatasetGridModel::RawValueRole).toString(), QStringLiteral("USD"));
    QCOMPARE(storedRates().last(), QStringLiteral("USD|") + QDate::currentDate().toString("dd.MM.yyyy") + "|32,5");
}

void TestRates::typingReadsNumbersAndRefusesOthers()
{
    Fixture fx;
    fx.typeRate(QString(), "1.234,5");
    const QModelIndex cell = fx.rates()->index(0, 1);
    QCOMPARE(cell.data(Qt::DisplayRole).toString(), QStringLiteral("1.234,500000"));
    QCOMPARE(cell.data(Qt::EditRole).toString(), QStringLiteral("1234,500000"));
    for (const char *bad : {"abc", "1,2,3", "12-5"}) QVERIFY(!fx.rates()->setData(cell, QString::fromLatin1(bad)));
    QVERIFY(fx.rates()->setData(fx.rates()->index(0, 2), ""));  // empty stays empty, never 0
    fx.form.kurlarTable->checkBrowseMode();
    Query q(&ctx().ADOConnection1);
    q.sql() << "SELECT md_alis, md_satis FROM kurlar";
    q.open();
    QCOMPARE(q.field("md_alis").asFloat(), 1234.5);
    QVERIFY(q.field("md_satis").isNull());
}

void TestRates::rowsAddedAndDeletedInTheGrid()
{
    Fixture fx;
    DatasetGrid *grid = fx.form.kurlarGrid;
    // Down on an empty grid starts a row; Down again adds none until something is typed.
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(fx.rates()->rowCount(), 1);
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(fx.rates()->rowCount(), 1);
    QVERIFY(fx.rates()->setData(fx.rates()->index(0, 1), "5"));
    QTest::keyClick(grid, Qt::Key_Down);  // posts the first, starts the second
    QCOMPARE(TestHome::countRows(ctx().ADOConnection1, "kurlar"), 1);
    QCOMPARE(fx.rates()->rowCount(), 2);
    QTest::keyClick(grid, Qt::Key_Escape);  // the empty new row goes
    QCOMPARE(fx.rates()->rowCount(), 1);
    // Ctrl+Delete asks first; No keeps the row.
    MessageBox::queueAnswer(MessageBox::No);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(TestHome::countRows(ctx().ADOConnection1, "kurlar"), 1);
    MessageBox::queueAnswer(MessageBox::Yes);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(TestHome::countRows(ctx().ADOConnection1, "kurlar"), 0);
    QCOMPARE(fx.rates()->rowCount(), 0);
}

void TestRates::closingDropsATypedRow()
{
    Fixture fx;
    const QString today = QDate::currentDate().toString("dd.MM.yyyy");
    fx.typeRate(QString(), "7");
    QTest::keyClick(fx.form.kurlarGrid, Qt::Key_Insert);
    QVERIFY(fx.rates()->setData(fx.rates()->index(1, 1), "8"));
    fx.form.SpeedButton1->click();
    QVERIFY(!fx.form.isVisible());
    QVERIFY(!fx.form.kurlarTable->isActive());
    QCOMPARE(storedRates(), QStringList{"|" + today + "|7"});
    fx.form.ac();
    QCOMPARE(fx.rates()->rowCount(), 1);
}

void TestRates::emptyNewRowIsNeverStored_data()
{
    QTest::addColumn<QString>("leave");  // how the cursor leaves the empty new row
    QTest::newRow("Up") << "up";
    QTest::newRow("click on the row above") << "click";
    QTest::newRow("day changed at once") << "day";
}

void TestRates::emptyNewRowIsNeverStored()
{
    QFETCH(QString, leave);
    Fixture fx;
    DatasetGrid *grid = fx.form.kurlarGrid;
    fx.form.DateTimePicker1->setDate(QDate(2024, 3, 5));
    QTest::keyClick(grid, Qt::Key_Down);
    QVERIFY(fx.rates()->setData(fx.rates()->index(0, 1), "5"));
    grid->setCurrentIndex(fx.rates()->index(0, 1));
    QTest::keyClick(grid, Qt::Key_Down);  // the typed row is stored, an empty one begins
    QCOMPARE(fx.rates()->rowCount(), 2);
    if (leave == "up") QTest::keyClick(grid, Qt::Key_Up);
    if (leave == "click") grid->setCurrentIndex(fx.rates()->index(0, 1));
    fx.form.DateTimePicker1->setDate(QDate(2024, 3, 6));
    fx.form.DateTimePicker1->setDate(QDate(2024, 3, 5));
    QCOMPARE(storedRates(), QStringList{"|05.03.2024|5"});
    QCOMPARE(fx.rates()->rowCount(), 1);
}

void TestRates::currencyDeletedPastAnEmptyRow()
{
    Fixture fx;
    fx.addCurrency("USD");
    fx.addCurrency("EURO");
    DatasetGrid *grid = fx.form.kurturuGrid;
    DatasetGridModel *m = grid->gridModel();
    grid->setCurrentIndex(m->index(m->rowCount() - 1, 0));
    QTest::keyClick(grid, Qt::Key_Down);  // an empty new row
    QCOMPARE(m->rowCount(), 3);
    QTest::keyClick(grid, Qt::Key_Up);
    QCOMPARE(m->rowCount(), 2);
    const QString current = m->index(grid->currentIndex().row(), 0).data().toString();
    MessageBox::clearShown();
    MessageBox::queueAnswer(MessageBox::Yes);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(TestHome::countRows(ctx().ADOConnection1, "kurturu"), 1);
    Query q(&ctx().ADOConnection1);
    q.sql() << "SELECT kur_kodu FROM kurturu";
    q.open();
    QVERIFY(q.field("kur_kodu").asString() != current);
}

void TestRates::screenshot()
{
    Fixture fx;
    fx.addCurrency("USD");
    fx.addCurrency("EURO");
    fx.typeRate("USD", "32,4512");
    fx.typeRate("EURO", "35,0875");
    QVERIFY(fx.rates()->setData(fx.rates()->index(1, 2), "35,2031"));
    fx.form.kurlarTable->checkBrowseMode();
    QTest::qWait(50);
    QVERIFY(fx.form.grab().save(QStringLiteral("/tmp/tkurturf.png")));
}

QTEST_MAIN(TestRates)
#include "test_rates.moc"
