#include "data/connection.h"
#include "data/data_context.h"
#include "data/query.h"
#include "data/table.h"
#include "support/test_home.h"

#include <QtTest>

class TestData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensTemplate()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        Query q(&DataContext::instance().ADOConnection1);
        q.sql() << "SELECT * FROM cekgiris";
        q.open();
        QCOMPARE(q.recordCount(), 0);
    }
};

QTEST_MAIN(TestData)
#include "test_data.moc"
