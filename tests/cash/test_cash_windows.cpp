// placeholder replaced below
#include <QtTest>
class TestCashWindows : public QObject { Q_OBJECT };
QTEST_MAIN(TestCashWindows)
#include "test_cash_windows.moc"
