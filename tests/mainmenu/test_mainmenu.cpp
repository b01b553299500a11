// The main menu: dashboard lists, totals, sorting, the day's note, the settings
// file and window, the menu column and the printouts.
#include "app/sample_company.h"
#include "data/data_context.h"
#include "data/query.h"
#include "data/table.h"
#include "mainmenu/colour_box.h"
#include "mainmenu/dashboard_statements.h"
#include "mainmenu/menu_bars.h"
#include "mainmenu/menu_settings.h"
#include "mainmenu/tayarlarf.h"
#include "mainmenu/tfrmmain.h"
#include "support/test_home.h"
#include "widgets/dataset_grid.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

namespace {

const QDate kFrom(2024, 3, 5);
const QDate kTo(2024, 6, 30);

struct Cheque {
    QDate due;
    double amount = 100;
    QString currency = QStringLiteral("TL");
    double rate = 1;
};

// Rows of one cheque table; extra fields set on each row.
void addCheques(const QString &table, const QVector<Cheque> &cheques, const QVariantMap &extra = {})
{
    Table t(&DataContext::instance().ADOConnection1, table);
    t.open();
    for (const Cheque &c : cheques) {
        t.append();
        t.fieldByName("cek_tarihi").setValue(c.due);
        t.fieldByName("cek_tutari").setValue(c.amount);
        t.fieldByName("para_birimi").setValue(c.currency);
        t.fieldByName("cek_doviz_kuru").setValue(c.rate);
        t.fieldByName("cekTL_karsiligi").setValue(c.currency == u"TL" ? c.amount : c.amount * c.rate);
        for (auto it = extra.begin(); it != extra.end(); ++it) t.fieldByName(it.key()).setValue(it.value());
        t.post();
    }
}

void addMovement(const QString &account, const QString &currency, double debit, double credit)
{
    TestHome::insertRow(DataContext::instance().kasaConnection, QStringLiteral("carihareket"),
                        {{"cari_hesap_adi", account}, {"doviz_cinsi", currency}, {"borc_tutari", debit}, {"alacak_tutari", credit}});
}


void writeSettings(const QVariantMap &values)
{
    QSettings s(MenuSettings::filePath(), QSettings::IniFormat);
    s.beginGroup(QStringLiteral("AnaMenu"));
    for (auto it = values.begin(); it != values.end(); ++it) s.setValue(it.key(), it.value());
    s.endGroup();
    s.sync();
}

void prepare(TfrmMain &w)
{
    w.DateTimePicker1->setDate(kFrom);
    w.DateTimePicker2->setDate(kTo);
    w.prepareDashboard();
}

void typeText(QWidget *w, const QString &text)
{
    for (QChar ch : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

QStringList column(Dataset &d, const QString &field)
{
    QStringList out;
    for (int r = 0; r < d.recordCount(); ++r) out << d.recordAt(r).asString(field);
    return out;
}

} // namespace

class TestMainMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void statementsHaveTheirExactLines()
    {
        const QStringList p = Dashboard::portfolioStatement(QDate(2024, 3, 5), QDate(2024, 12, 31));
        // Returned and bounced cheques are no longer in hand, at a bank or to be paid.
        QCOMPARE(p, (QStringList{"SELECT * FROM cekgiris", "WHERE cek_tarihi<#2025-1-1# AND cek_tarihi>#2024-3-4#",
                                 "AND (cek_ciro_id IS NULL )", "AND (cek_tahsilat_tarihi IS NULL )",
                                 "AND (cek_iade_tarihi IS NULL)", "AND (cek_karsiliklsiz_tarihi IS NULL)",
                                 "ORDER BY cek_tarihi  ASC;"}));
        QCOMPARE(Dashboard::bankStatement(kFrom, kTo, "ORDER BY cek_tutari DESC").mid(2),
                 (QStringList{"AND cek_banka_id=2", "AND cek_iade_tarihi IS NULL", "AND cek_karsiliklsiz_tarihi IS NULL",
                              "ORDER BY cek_tutari DESC"}));
        QCOMPARE(Dashboard::ownChequeStatement(kFrom, kTo).first(), QStringLiteral("SELECT * FROM cekkendi"));
        QCOMPARE(Dashboard::ownChequeStatement(kFrom, kTo).mid(2),
                 (QStringList{"AND (cek_tahsilat_tarihi IS NULL )", "AND cek_iade_tarihi IS NULL",
                              "AND cek_karsiliklsiz_tarihi IS NULL", "ORDER BY cek_tarihi  ASC;"}));
        QCOMPARE(Dashboard::balanceStatement().join(QString()),
                 QStringLiteral("Select cari_hesap_adi,doviz_cinsi,SUM(alacak_tutari) as SUMalacak_tutari,"
                                "SUM(borc_tutari) as SUMborc_tutari from carihareket GROUP BY cari_hesap_adi,doviz_cinsi;"));
    }

    // The first and last day of the range are in every cheque list; a day outside is not.
    void rangeEndsAreIncluded()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        const QVector<Cheque> dues = {{kFrom.addDays(-1)}, {kFrom}, {kTo}, {kTo.addDays(1)}};
        addCheques("cekgiris", dues);
        addCheques("cekgiris", {{kFrom, 7}}, {{"cek_ciro_id", 3}});              // endorsed: not in the portfolio
        addCheques("cekgiris", {{kFrom, 8}}, {{"cek_tahsilat_tarihi", kFrom}});  // collected
        addCheques("cekciro", dues, {{"cek_banka_id", 2}});
        addCheques("cekciro", {{kFrom, 9}}, {{"cek_banka_id", 1}});
        addCheques("cekkendi", dues);
        addCheques("cekkendi", {{kFrom, 10}}, {{"cek_tahsilat_tarihi", kFrom}});
        // Taken back from the bank / an own cheque taken back: in neither list.
        addCheques("cekciro", {{kFrom, 11}}, {{"cek_banka_id", 2}, {"cek_iade_tarihi", kFrom}});
        addCheques("cekkendi", {{kTo, 12}}, {{"cek_iade_tarihi", kFrom}});
        TfrmMain w;
        prepare(w);
        const QStringList expected{"2024-03-05", "2024-06-30"};
        for (Query *q : {&w.ffQuery2, &w.ffQuery4, &w.ffQuery5}) {
            QStringList dates;
            for (int r = 0; r < q->recordCount(); ++r) dates << q->recordAt(r).asDate("cek_tarihi").toString(Qt::ISODate);
            QCOMPARE(dates, expected);
        }
        QCOMPARE(w.DBGrid1->model()->rowCount(), 2);
        QCOMPARE(w.TLEdit->text(), QStringLiteral("200,00"));
    }

    void chequeTotalsPerCurrency()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        addCheques("cekgiris", {{kFrom, 100, "USD", 30}, {kFrom, 50, "TL", 1}, {kTo, 1000, "EURO", 35.5}, {kTo, 10, "GBP", 40}});
        addCheques("cekciro", {{kFrom, 1234.5, "TL", 0}}, {{"cek_banka_id", 2}});
        TfrmMain w;
        prepare(w);
        QCOMPARE(w.TLEdit->text(), QStringLiteral("50,00"));
        QCOMPARE(w.USDEdit->text(), QStringLiteral("100,00"));
        QCOMPARE(w.EUROEdit->text(), QStringLiteral("1.000,00"));
        // 3000 + 50 + 35500 + 400 (a code of no column still has its TL value)
        QCOMPARE(w.cekbakiye->text(), QStringLiteral("38.950,00"));
        QCOMPARE(w.TLEditC->text(), QStringLiteral("1.234,50"));
        QCOMPARE(w.cekbakiyeC->text(), QStringLiteral("1.234,50"));
        QCOMPARE(w.USDEditD->text(), QStringLiteral(",00"));
        QCOMPARE(w.ffQuery2.recordAt(0).asFloat("TLkarsiligi"), 3000.0);
        QCOMPARE(w.ffQuery2.recNo(), 1);
    }

    void balancesAndNetBalances()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        addMovement("Ağaç Ürünleri", "TL", 500, 0);
        addMovement("Ağaç Ürünleri", "TL", 0, 200);
        addMovement("Çelik Döküm", "TL", 50, 500);
        addMovement("Sıfır Ltd.", "TL", 100, 100);
        addMovement("Ağaç Ürünleri", "USD", 70, 0);
        addMovement("Deniz AŞ", "EURO", 0, 25);
        TfrmMain w;
        QAbstractItemModelTester tester(w.JvDBGrid1->model());
        prepare(w);
        QCOMPARE(column(w.ffQuery1, "cari_hesap_adi"), (QStringList{"Ağaç Ürünleri", "Ağaç Ürünleri"}));
        QCOMPARE(column(w.ffQuery1, "bakiye"), (QStringList{"300", "70"}));
        QStringList creditors = column(w.ffQuery3, "cari_hesap_adi");
        creditors.sort();
        QCOMPARE(creditors, (QStringList{"Deniz AŞ", "Çelik Döküm"}));
        QCOMPARE(w.alacakTL->text(), QStringLiteral("300,00"));
        QCOMPARE(w.alacakUSD->text(), QStringLiteral("70,00"));
        QCOMPARE(w.borcTL->text(), QStringLiteral("450,00"));
        QCOMPARE(w.borcEURO->text(), QStringLiteral("25,00"));
        QCOMPARE(w.bakiyeTL->text(), QStringLiteral("-150,00"));
        QCOMPARE(w.bakiyeUSD->text(), QStringLiteral("70,00"));
        QCOMPARE(w.bakiyeEURO->text(), QStringLiteral("-25,00"));

        // A refresh reads the movements again.
        addMovement("Çelik Döküm", "TL", 1000, 0);
        w.yenile();
        QCOMPARE(w.borcTL->text(), QStringLiteral(",00"));
        QCOMPARE(w.alacakTL->text(), QStringLiteral("850,00"));
    }

    // The three cheque grids share one direction text.
    void sortDirectionIsShared()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        addCheques("cekgiris", {{kTo, 30}, {kFrom, 10}, {kFrom.addDays(3), 20}});
        addCheques("cekciro", {{kFrom, 1}, {kTo, 2}, {kFrom.addDays(1), 3}}, {{"cek_banka_id", 2}});
        TfrmMain w;
        prepare(w);
        Q_EMIT w.DBGrid1->horizontalHeader()->sectionClicked(1);  // "Çek Tutarı"
        QCOMPARE(w.ffQuery2.sql().last(), QStringLiteral("ORDER BY cek_tutari ASC"));
        QCOMPARE(column(w.ffQuery2, "cek_tutari"), (QStringList{"10", "20", "30"}));
        Q_EMIT w.JvDBGrid3->horizontalHeader()->sectionClicked(0);  // "Çek Vadesi"
        QCOMPARE(w.ffQuery4.sql().last(), QStringLiteral("ORDER BY cek_tarihi DESC"));
        QCOMPARE(column(w.ffQuery4, "cek_tutari"), (QStringList{"2", "3", "1"}));
        QCOMPARE(w.ffQuery4.sql().size(), Dashboard::bankStatement(kFrom, kTo).size());  // order line replaced, not added
    }

    void dayNoteIsTypedAndKept()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        {
            TfrmMain w;
            prepare(w);
            const QDate today = QDate::currentDate();
            QCOMPARE(w.notTarihi->date(), today);
            QVERIFY(w.notMemo->toPlainText().isEmpty());
            typeText(w.notMemo, QStringLiteral("Çek öde"));
            QCOMPARE(w.ffTable1.state(), Dataset::State::Insert);
            QTest::mouseClick(w.notSaklaBut, Qt::LeftButton);
            QCOMPARE(w.ffTable1.state(), Dataset::State::Browse);

            // Another day has its own (empty) note; back on the day the text returns.
            w.notTarihi->setDate(today.addDays(1));
            QVERIFY(w.notMemo->toPlainText().isEmpty());
            w.notTarihi->setDate(today);
            QCOMPARE(w.notMemo->toPlainText(), QStringLiteral("Çek öde"));

            // Typing again edits the same record; changing the day saves it.
            w.notMemo->moveCursor(QTextCursor::End);
            typeText(w.notMemo, QStringLiteral("!"));
            QCOMPARE(w.ffTable1.state(), Dataset::State::Edit);
            w.notTarihi->setDate(today.addDays(2));
        }
        Table t(&DataContext::instance().ADOConnection1, "gunluknot");
        t.open();
        QCOMPARE(t.recordCount(), 1);
        QCOMPARE(t.field("tarih").asDate(), QDate::currentDate());
        QCOMPARE(t.field("not").asString(), QStringLiteral("Çek öde!"));
        TfrmMain again;
        prepare(again);
        QCOMPARE(again.notMemo->toPlainText(), QStringLiteral("Çek öde!"));
    }

    void settingsFileDecidesWhatShows_data()
    {
        QTest::addColumn<QVariantMap>("file");  // empty: no file at all
        QTest::addColumn<QString>("hidden");    // objectless panels named as below
        const QString all = "E";
        QTest::newRow("no file") << QVariantMap() << "eldeki";
        QTest::newRow("every list") << QVariantMap{{"eldecekA", all}, {"duzenlenenA", all}, {"bankalardakiA", all},
                                                   {"alacakA", all}, {"borcA", all}, {"gunnotA", all}}
                                    << "";
        QTest::newRow("cheque area off") << QVariantMap{{"eldecekA", "E"}, {"cirocekA", "H"}} << "cekAlani";
        QTest::newRow("odd value keeps the layout") << QVariantMap{{"eldecekA", "x"}, {"borcA", "x"}} << "eldeki";
        QTest::newRow("some off") << QVariantMap{{"eldecekA", "E"}, {"duzenlenenA", "H"}, {"borcA", "H"}}
                                  << "duzenlenen,borc";
        QTest::newRow("lower strip off") << QVariantMap{{"alacakA", "H"}, {"borcA", "H"}, {"gunnotA", "H"}}
                                         << "eldeki,alacak,borc,not,altSerit";
    }

    void settingsFileDecidesWhatShows()
    {
        QFETCH(QVariantMap, file);
        QFETCH(QString, hidden);
        TestHome home;
        QFile::remove(MenuSettings::filePath());
        if (!file.isEmpty()) writeSettings(file);
        TfrmMain w;
        const QMap<QString, QWidget *> panels{{"eldeki", w.eldekiPanel},       {"bankalardaki", w.bankalardakiPanel},
                                              {"duzenlenen", w.duzenlenenPanel}, {"cekAlani", w.cekAlani},
                                              {"alacak", w.alacakPanel},         {"borc", w.borcPanel},
                                              {"not", w.notPanel},               {"altSerit", w.altSerit}};
        const QStringList expectedHidden = hidden.split(',', Qt::SkipEmptyParts);
        for (auto it = panels.begin(); it != panels.end(); ++it)
            QVERIFY2(it.value()->isHidden() == expectedHidden.contains(it.key()), qPrintable(it.key()));
    }

    void firstStartWritesEveryList()
    {
        TestHome home;
        QFile::remove(MenuSettings::filePath());
        QVERIFY(MenuSettings::writeDefaultSettingsIfMissing());
        QVERIFY(!MenuSettings::writeDefaultSettingsIfMissing());
        TfrmMain w;
        for (QWidget *p : {w.eldekiPanel, w.bankalardakiPanel, w.duzenlenenPanel, w.alacakPanel, w.borcPanel, w.notPanel})
            QVERIFY(!p->isHidden());
    }

    void coloursAreStoredAsBgr()
    {
        QCOMPARE(MenuSettings::colourToInt(QColor(128, 0, 0)), 128);
        QCOMPARE(MenuSettings::colourToInt(QColor(0, 128, 128)), 8421376);
        QCOMPARE(MenuSettings::colourToInt(QColor(192, 220, 192)), 12639424);
        QCOMPARE(MenuSettings::colourFromInt(0xFF0000), QColor(0, 0, 255));
        QVERIFY(!MenuSettings::colourFromInt(-2147483643).isValid());
    }

    void savingSettingsWritesKeysAndMainMenuApplies()
    {
        TestHome home;
        QFile::remove(MenuSettings::filePath());
        writeSettings({{"cirocekA", "E"}});
        TfrmMain w;
        TayarlarF *f = w.ayarlarF();
        QCOMPARE(f->windowTitle(), QStringLiteral("Brenvo Çek Senet Takip   - Program Çalışma Ayarları"));
        // A missing file: nothing ticked, the design colours.
        for (QCheckBox *c : {f->eldekicekACheck, f->duzenlenencekACheck, f->bankalardakicekACheck, f->alacaklarACheck,
                             f->borclarACheck, f->gununnotACheck})
            QVERIFY(!c->isChecked());
        QCOMPARE(f->ColorBox2->colour(), QColor(0, 128, 128));
        f->eldekicekACheck->setChecked(true);
        f->bankalardakicekACheck->setChecked(true);
        f->alacaklarACheck->setChecked(true);
        f->gununnotACheck->setChecked(true);
        f->ColorBox1->setColour(QColor(0, 0, 255));
        f->ColorBox3->setColour(QColor(10, 20, 30));
        f->show();
        QTest::mouseClick(f->JvXPButton1, Qt::LeftButton);
        QVERIFY(f->isHidden());

        QSettings s(MenuSettings::filePath(), QSettings::IniFormat);
        s.beginGroup("AnaMenu");
        const QStringList keys{"eldecekA", "duzenlenenA", "bankalardakiA", "alacakA", "borcA", "gunnotA"};
        QStringList flags;
        for (const QString &k : keys) flags << s.value(k).toString();
        QCOMPARE(flags, (QStringList{"E", "H", "E", "E", "H", "E"}));
        QCOMPARE(s.value("yanpanrenA").toLongLong(), 16711680);
        QCOMPARE(s.value("zeminrenA").toLongLong(), 8421376);
        QCOMPARE(s.value("yanrenA").toLongLong(), 30 * 65536 + 20 * 256 + 10);
        QCOMPARE(s.value("cirocekA").toString(), QStringLiteral("E"));  // never written by the window

        QVERIFY(!w.eldekiPanel->isHidden());
        QVERIFY(w.duzenlenenPanel->isHidden());
        QVERIFY(w.borcPanel->isHidden());
        QVERIFY(!w.alacakPanel->isHidden());
        QCOMPARE(w.menuColumn->palette().color(QPalette::Window), QColor(0, 0, 255));
        QCOMPARE(w.cntDetails->palette().color(QPalette::Window), QColor(0, 128, 128));
        QCOMPARE(w.menuColumn->bar("Ayarlar")->body()->palette().color(QPalette::Window), QColor(10, 20, 30));
        QCOMPARE(w.splitters[1]->handle(1)->palette().color(QPalette::Window), QColor(10, 20, 30));

        // "Default Renkler" paints the design colours and writes nothing.
        f->show();
        QTest::mouseClick(f->JvXPButton2, Qt::LeftButton);
        QVERIFY(f->isVisible());
        QCOMPARE(w.menuColumn->palette().color(QPalette::Window), QColor(128, 0, 0));
        QSettings again(MenuSettings::filePath(), QSettings::IniFormat);
        QCOMPARE(again.value("AnaMenu/yanpanrenA").toLongLong(), 16711680);
    }

    // The colour boxes offer the system colours and "Yok", stored as the platform
    // numbers: a system colour negative, "Yok" 0x1FFFFFFF. A system colour is painted
    // at once but not taken back at the next start; "Yok" paints nothing.
    void systemColoursAndNone()
    {
        TestHome home;
        QFile::remove(MenuSettings::filePath());
        TfrmMain w;
        TayarlarF *f = w.ayarlarF();
        const int face = f->ColorBox1->findText(QStringLiteral("Düğme Yüzü"));
        const int none = f->ColorBox2->findText(QStringLiteral("Yok"));
        QVERIFY(face >= 0 && none >= 0);
        f->ColorBox1->setCurrentIndex(face);
        f->ColorBox2->setCurrentIndex(none);
        const QColor backgroundBefore = w.cntDetails->palette().color(QPalette::Window);
        f->show();
        QTest::mouseClick(f->JvXPButton1, Qt::LeftButton);
        QSettings s(MenuSettings::filePath(), QSettings::IniFormat);
        QCOMPARE(s.value("AnaMenu/yanpanrenA").toLongLong(), -16777201);  // 0xFF00000F
        QCOMPARE(s.value("AnaMenu/zeminrenA").toLongLong(), 536870911);
        QCOMPARE(w.menuColumn->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Button));
        QCOMPARE(w.cntDetails->palette().color(QPalette::Window), backgroundBefore);  // "Yok" paints nothing
        TfrmMain next;
        QCOMPARE(next.ayarlarF()->ColorBox1->colour(), QColor(128, 0, 0));
        QCOMPARE(next.ayarlarF()->ColorBox2->currentText(), QStringLiteral("Yok"));
    }

    void menuColumnBars()
    {
        TestHome home;
        TfrmMain w;
        MenuColumn *m = w.menuColumn;
        for (const char *open : {"Kasa ve Cariler", "Çek Alımları", "Çek Çıkışları"}) QVERIFY(m->bar(QString::fromUtf8(open))->isExpanded());
        MenuBar *ayarlar = m->bar("Ayarlar"), *yedekler = m->bar("Yedekler"), *yardim = m->bar("Yardım");
        QVERIFY(!ayarlar->isExpanded() && !yedekler->isExpanded() && !yardim->isExpanded());
        ayarlar->header()->click();
        QVERIFY(ayarlar->isExpanded());
        yedekler->header()->click();
        QVERIFY(yedekler->isExpanded() && !ayarlar->isExpanded() && !yardim->isExpanded());
        m->bar("Kasa ve Cariler")->setExpanded(true);
        QVERIFY(yedekler->isExpanded());
        // The first three never collapse: a click on their header leaves them open.
        for (const char *open : {"Kasa ve Cariler", "Çek Alımları", "Çek Çıkışları"}) {
            MenuBar *bar = m->bar(QString::fromUtf8(open));
            bar->header()->click();
            QVERIFY(bar->isExpanded());
            QVERIFY(bar->body()->isVisibleTo(m));
        }

        QVERIFY(!w.menuItem("Kasa İşlemleri")->isEnabled());
        QVERIFY(w.menuItem("Anamenü Görünüm ve Ayarları")->isEnabled());
        QVERIFY(w.menuItem("tahsilatItem") && !w.menuItem("tahsilatItem")->isEnabled());
        QCOMPARE(w.menuItem("Yedekten Geri Al")->text(), QStringLiteral("Yedekten Geri Al"));
        QVERIFY(!w.menuItem("Yok Böyle"));
        // A later window enables and connects its item.
        QAction *kasa = w.menuItem("Kasa İşlemleri");
        kasa->setEnabled(true);
        QSignalSpy triggered(kasa, &QAction::triggered);
        kasa->trigger();
        QCOMPARE(triggered.count(), 1);

        // Settings window from the menu; closing the menu goes back to the login.
        w.menuItem("Anamenü Görünüm ve Ayarları")->trigger();
        QVERIFY(w.ayarlarF()->isVisible());
        w.ayarlarF()->hide();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSignalSpy closed(&w, &TfrmMain::closedByUser);
        w.menuItem("Programı Kapat")->trigger();
        QCOMPARE(closed.count(), 1);
        QVERIFY(w.isHidden());
        QCOMPARE(w.windowTitle(), QStringLiteral("Brenvo Çek Senet Takip Programı   - Ana Menü"));
    }

    void printoutsHaveTitlesAndMemos_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("memos");
        QTest::newRow("portfolio") << "Eldeki Çekler" << "ÇEK VE SENET LİSTESİ" << QStringList{"Ahmet Yılmaz"};
        QTest::newRow("own") << "Düzenlenen Çekler" << "DÜZENLENEN ÇEKLER" << QStringList{"Kendi Bankamız"};
        QTest::newRow("banks") << "Bankalardaki Çekler" << "BANKALARDAKİ ÇEK VE SENET LİSTESİ" << QStringList{"Ziraat"};
        QTest::newRow("debtors") << "Alacaklar (Borçlu Cari)" << "CARİ HESAP BAKİYELERİ (SADECE ALACAKLAR)"
                                 << QStringList{"300,00", "70,00", ",00", "Ağaç Ürünleri"};
        QTest::newRow("creditors") << "Borçlar (Alacaklı Cari)" << "CARİ HESAP BAKİYELERİ (SADECE BORÇLAR)"
                                   << QStringList{"450,00", "Çelik Döküm"};
    }

    void printoutsHaveTitlesAndMemos()
    {
        QFETCH(QString, item);
        QFETCH(QString, title);
        QFETCH(QStringList, memos);
        TestHome home;
        home.openCompany("A1", 2024);
        TestHome::addCompanyRecord();
        addCheques("cekgiris", {{kFrom, 100}}, {{"ceki_duzenleyen", "Ahmet Yılmaz"}});
        addCheques("cekkendi", {{kFrom, 100}}, {{"banka_adi", "Kendi Bankamız"}});
        addCheques("cekciro", {{kFrom, 100}}, {{"cek_banka_id", 2}, {"ciro_firma", "Ziraat"}});
        addMovement("Ağaç Ürünleri", "TL", 500, 200);
        addMovement("Ağaç Ürünleri", "USD", 70, 0);
        addMovement("Çelik Döküm", "TL", 50, 500);
        TfrmMain w;
        prepare(w);
        std::optional<Report> report = w.dashboardPrintout(item);
        QVERIFY(report);
        const PreparedReport pages = report->prepare();
        QCOMPARE(pages.pageCount(), 1);
        const QStringList texts = pages.pageTexts(0);
        for (const QString &t : QStringList{title, "Öztürk Gıda Ltd. Şti.", "İzmir Şubesi", "Sayfa 1 / 1"} + memos)
            QVERIFY2(texts.contains(t), qPrintable(t + " in " + texts.join(" | ")));
        QVERIFY(!w.dashboardPrintout("Başka"));
    }

    // A generated company at the smallest supported screen: every panel has rows
    // and the window fits. MAINMENU_SCREENSHOT names a file to keep the picture in.
    void generatedCompanyAt1366x768()
    {
        TestHome home;
        const int year = QDate::currentDate().year();
        generateSampleCompany("D1", 120, year - 1, year + 1);
        DataContext &ctx = DataContext::instance();
        ctx.openStartupConnections();
        ctx.aktifSirketKodu = "D1";
        ctx.ADOConnection1.setConnectionString(DataContext::companyConnectionString("D1"));
        ctx.ADOConnection1.open();
        QVERIFY(kasadegistir(year));
        MenuSettings::writeDefaultSettingsIfMissing();
        TfrmMain w;
        w.JvNavPanelHeader1->setText("Örnek Ticaret A.Ş.");
        w.kisinoedit->setText(QString::number(year));
        w.prepareDashboard();
        w.setWindowState(Qt::WindowNoState);
        w.resize(1366, 768);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QImage shot = w.grab().toImage();
        if (const QByteArray file = qgetenv("MAINMENU_SCREENSHOT"); !file.isEmpty()) QVERIFY(shot.save(QString::fromLocal8Bit(file)));
        QCOMPARE(shot.size(), QSize(1366, 768));
        QVERIFY(w.ffQuery2.recordCount() > 0);
        QVERIFY(w.ffQuery1.recordCount() > 0);
        QVERIFY(w.DBGrid1->height() >= 80);
        QVERIFY(w.JvDBGrid1->height() >= 80);
    }
};

QTEST_MAIN(TestMainMenu)
#include "test_mainmenu.moc"
