// The column chooser shows and hides a grid's columns and keeps at least one.
#include "data/data_context.h"
#include "data/query.h"
#include "support/test_home.h"
#include "widgets/column_chooser.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/message_box.h"

#include <QtTest>

class TestColumnChooser : public QObject {
    Q_OBJECT
private slots:
    void showsHidesAndKeepsOne();
};

void TestColumnChooser::showsHidesAndKeepsOne()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    Query q(&DataContext::instance().ADOConnection1);
    q.sql() << QStringLiteral("SELECT firma_kodu, firma_adi, adres_sehir FROM firma");
    q.open();
    DatasetGrid grid;
    grid.setDataset(&q, {gridColumn("firma_kodu", "Kodu", 60), gridColumn("firma_adi", "Adı", 120),
                         gridColumn("adres_sehir", "Şehir", 50, QString(), true)});
    const ColumnChooserTexts texts{"Kolonları Seç", "[Veritabanı İsimlerini Göster]", "&Tamam",
                                   "En az bir tanesi seçilmelidir"};
    MessageBox::clearShown();
    ColumnChooser::queueChoice({false, true, true});
    ColumnChooser::choose(&grid, texts);
    QCOMPARE((QVector<bool>{grid.isColumnHidden(0), grid.isColumnHidden(1), grid.isColumnHidden(2)}),
             (QVector<bool>{true, false, false}));
    QVERIFY(grid.columnWidth(2) > 0);
    q.refresh();  // the rows read again keep the choice
    QVERIFY(grid.isColumnHidden(0) && !grid.isColumnHidden(2));
    // None shown: the warning, and the grid stays as it was.
    QVERIFY(!ColumnChooser::apply(&grid, {false, false, false}, texts));
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().text, texts.atLeastOne);
    QVERIFY(!grid.isColumnHidden(1));
    // Nothing queued: nothing changes.
    ColumnChooser::choose(&grid, texts);
    QVERIFY(grid.isColumnHidden(0));
}

QTEST_MAIN(TestColumnChooser)
#include "test_column_chooser.moc"
