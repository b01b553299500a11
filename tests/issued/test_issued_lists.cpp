// The issued cheque lists and the payment of an own cheque: the statements for
// each state and filter, the window over a company holding an own cheque in every
// state and currency, the payment and its undo, and the main menu's way in.
#include "accounts/account_picker.h"
#include "accounts/tcarif.h"
#include "app/sample_company.h"
#include "app/uygulama.h"
#include "given/tcekcikisf.h"
#include "data/connection.h"
#include "data/connection_string.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/field_value.h"
#include "data/transaction.h"
#include "data/query.h"
#include "data/table.h"
#include "issued/issued_list_statements.h"
#include "issued/issued_payment.h"
#include "issued/tduzenlenencekodef.h"
#include "issued/tduzenlenenceklerf.h"
#include "mainmenu/tfrmmain.h"
#include "reports/layouts_issued.h"
#include "reports/preview_window.h"
#include "reports/report.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/message_box.h"
#include "widgets/row_paint_delegate.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QHideEvent>
#include <QSpontaneKeyEvent>
#include <QtTest>

#include <memory>

using IssuedList::Choice;

namespace {

const QDate kToday = QDate::currentDate();

struct OwnCheque {
    int bordro;
    QString kodu;
    QString firma;
    int dueInDays;  // from today
    QString para;
    double tutar;
    enum State { ToPay, Paid, Bounced, TakenBack } state = ToPay;
};

// cek_ind follows this order, 1 to 7.
const QList<OwnCheque> kFixture = {
    {7, "S1", "Kaya Ltd", 0, "TL", 100, OwnCheque::ToPay},              // 1 due today
    {7, "S2", "O'Brien Ltd", 1, "USD", 50, OwnCheque::ToPay},           // 2
    {8, "S1", "Kaya Ltd", -10, "EURO", 70, OwnCheque::Paid},            // 3
    {8, "S2", "O'Brien Ltd", -5, "TL", 30, OwnCheque::Bounced},         // 4
    {9, "S1", "Kaya Ltd", 3, "USD", 40, OwnCheque::TakenBack},          // 5
    {9, "S1", "Kaya Ltd", 40, "EURO", 25, OwnCheque::ToPay},            // 6
    {12, "S3", "Deniz Ticaret", 400, "TL", 1000, OwnCheque::ToPay},     // 7 beyond a year
};

Connection &company() { return DataContext::instance().ADOConnection1; }
Connection &cash() { return DataContext::instance().kasaConnection; }

void insertOwnCheques(const QList<OwnCheque> &cheques)
{
    TransactionScope tx{&company()};
    Table t(&company(), QStringLiteral("cekkendi"));
    t.open();
    int number = 0;
    for (const OwnCheque &c : cheques) {
        ++number;
        const QDate due = kToday.addDays(c.dueInDays);
        t.append();
        t.field("bordro_ind") = c.bordro;
        t.field("cirolandigi_firma_kodu") = c.kodu;
        t.field("cirolandigi_firma") = c.firma;
        t.field("islem_tarihi") = kToday.addDays(-30);
        t.field("cek_tarihi") = due;
        t.field("para_birimi") = c.para;
        t.field("cek_tutari") = c.tutar;
        t.field("cek_net_tutar") = c.tutar;
        t.field("cek_doviz_kuru") = c.para == u"TL" ? 1.0 : 30.0;
        t.field("cekTL_karsiligi") = c.para == u"TL" ? c.tutar : c.tutar * 30;
        t.field("cek_bankasi") = QStringLiteral("Garanti");
        t.field("cek_subesi") = QStringLiteral("Alsancak");
        t.field("cek_hesap_no") = QStringLiteral("600123");
        t.field("cek_no") = QString::number(5000 + number);
        t.field("aciklama") = QStringLiteral("Mal alımı");
        if (c.state == OwnCheque::Paid) t.field("cek_tahsilat_tarihi") = due.addDays(1);
        if (c.state == OwnCheque::Bounced) t.field("cek_karsiliklsiz_tarihi") = due.addDays(1);
        if (c.state == OwnCheque::TakenBack) t.field("cek_iade_tarihi") = kToday.addDays(-1);
        t.post();
    }
    tx.commit();
}

QList<int> listed(Query &q)
{
    QList<int> ids;
    for (int r = 0; r < q.recordCount(); ++r) ids << q.recordAt(r).asInteger(QStringLiteral("cek_ind"));
    return ids;
}

// Every field of a cheque's row, as the engine holds it.
QVariantMap storedRow(qint64 cekInd)
{
    Query q(&company());
    q.sql() << QStringLiteral("SELECT * FROM cekkendi WHERE cek_ind=%1").arg(cekInd);
    q.open();
    QVariantMap row;
    if (q.isEmpty()) return row;
    for (int c = 0; c < q.fieldCount(); ++c) row.insert(q.fieldInfo(c).name, q.value(c));
    return row;
}

QVariant paymentDate(qint64 cekInd) { return storedRow(cekInd).value(QStringLiteral("cek_tahsilat_tarihi")); }

// Closes the next modal window (a preview) as soon as it shows, noting its caption.
void closeNextModal(QString *caption)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, caption] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            *caption = w->windowTitle();
            w->close();
            timer->deleteLater();
        }
    });
    timer->start();
}

} // namespace

class TestIssuedLists : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestHome> home;
    std::unique_ptr<TduzenlenenceklerF> form;
    std::unique_ptr<TduzenlenencekodeF> odeme;

    void openFixture(const QList<OwnCheque> &cheques = kFixture)
    {
        home = std::make_unique<TestHome>();
        home->openCompany(QStringLiteral("A1"), 2024);
        insertOwnCheques(cheques);
        form = std::make_unique<TduzenlenenceklerF>();
        odeme = std::make_unique<TduzenlenencekodeF>();
        form->setOdemeF(odeme.get());
    }
    void choose(Choice c) { form->choiceGroup->button(int(c))->click(); }
    // Makes the cheque the current row of the list.
    void select(int cekInd)
    {
        QVERIFY(form->duzenlenenQuery.locate(QStringLiteral("cek_ind"), cekInd));
    }
    QAction *item(const char *name) { return form->findChild<QAction *>(QLatin1String(name)); }

private Q_SLOTS:
    void init()
    {
        MessageBox::setTestMode(true);
        MessageBox::clearShown();
    }
    void cleanup()
    {
        odeme.reset();
        form.reset();
        AccountPicker::reset();
        home.reset();
        QCOMPARE(MessageBox::pendingAnswers(), 0);
    }

    // The list statement of each state and filter, line by line.
    void statements_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("bordro");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("range");
        QTest::addColumn<QStringList>("lines");  // between the SELECT and the ORDER BY
        const QStringList toPay = {"WHERE cek_ind IS NOT NULL AND cek_karsiliklsiz_tarihi IS NULL ",
                                   "AND cek_iade_tarihi IS NULL AND cek_tahsilat_tarihi IS NULL"};
        const QStringList all = {"WHERE cek_ind IS NOT NULL"};
        QTest::newRow("to be paid") << 0 << "" << "" << "Hepsi" << "" << false << toPay;
        QTest::newRow("bounced") << 1 << "" << "" << "Hepsi" << "" << false
                                 << QStringList{"WHERE cek_karsiliklsiz_tarihi IS NOT NULL"};
        QTest::newRow("taken back") << 2 << "" << "" << "Hepsi" << "" << false
                                    << QStringList{"WHERE cek_iade_tarihi IS NOT NULL"};
        QTest::newRow("paid") << 3 << "" << "" << "Hepsi" << "" << false
                              << QStringList{"WHERE cek_tahsilat_tarihi IS NOT NULL"};
        QTest::newRow("all") << 4 << "" << "" << "" << "" << false << all;
        QTest::newRow("slip 7") << 4 << "7" << "" << "Hepsi" << "" << false << all + QStringList{"AND bordro_ind=7"};
        QTest::newRow("slip 12a reads 12") << 3 << "12a" << "" << "Hepsi" << "" << false
                                           << QStringList{"WHERE cek_tahsilat_tarihi IS NOT NULL", "AND bordro_ind=12"};
        QTest::newRow("slip abc reads 0") << 4 << "abc" << "" << "Hepsi" << "" << false << all;
        QTest::newRow("slip -3") << 4 << "-3" << "" << "Hepsi" << "" << false << all;
        QTest::newRow("code") << 4 << "" << "S1" << "Hepsi" << "" << false
                              << all + QStringList{"AND cirolandigi_firma_kodu IN ('s1') AND cirolandigi_firma_kodu='S1' COLLATE TRNOCASE"};
        QTest::newRow("a quote in the code") << 4 << "" << "O'1" << "Hepsi" << "" << false
                                             << all + QStringList{"AND cirolandigi_firma_kodu IN ('o''1') AND cirolandigi_firma_kodu='O''1' COLLATE TRNOCASE"};
        QTest::newRow("USD") << 4 << "" << "" << "USD" << "" << false << all + QStringList{"AND para_birimi='USD'"};
        QTest::newRow("a quote in the name") << 0 << "" << "" << "Hepsi" << "O'Brien" << false
                                             << toPay + QStringList{"AND (cirolandigi_firma LIKE '%O''Brien%')"};
        QTest::newRow("range") << 4 << "" << "" << "Hepsi" << "" << true
                               << all + QStringList{"AND cek_tarihi<#2025-1-1# AND cek_tarihi>#2024-3-4#"};
        QTest::newRow("everything, in order")
            << 0 << "9" << "S1" << "EURO" << "Kaya" << true
            << toPay + QStringList{"AND bordro_ind=9",
                                   "AND cirolandigi_firma_kodu IN ('s1') AND cirolandigi_firma_kodu='S1' COLLATE TRNOCASE",
                                   "AND para_birimi='EURO'", "AND (cirolandigi_firma LIKE '%Kaya%')",
                                   "AND cek_tarihi<#2025-1-1# AND cek_tarihi>#2024-3-4#"};
    }
    void statements()
    {
        QFETCH(int, choice);
        QFETCH(QString, bordro);
        QFETCH(QString, code);
        QFETCH(QString, currency);
        QFETCH(QString, name);
        QFETCH(bool, range);
        QFETCH(QStringList, lines);
        IssuedList::Filters f;
        f.choice = Choice(choice);
        f.bordroNo = bordro;
        f.firmaKodu = code;
        f.paraCinsi = currency;
        f.firmaAdi = name;
        f.tarihAcik = range;
        f.basTarihi = QDate(2024, 3, 5);
        f.bitisTarihi = QDate(2024, 12, 31);
        const ChequeList::Statements s = IssuedList::build(f);
        QCOMPARE(s.list, QStringList{"SELECT * FROM cekkendi"} + lines + QStringList{"ORDER BY cek_tarihi ASC;"});
        QCOMPARE(s.total, QStringList{"SELECT SUM(cek_tutari) AS Cek_Toplami FROM cekkendi"} + lines);
        QCOMPARE(s.monthly, QStringList({"SELECT YEAR(cek_tarihi) AS YIL, MONTH(cek_tarihi) AS AY,para_birimi ,",
                                         "SUM(cek_tutari) AS Toplam_Tutar", "FROM cekkendi"})
                                + lines
                                + QStringList({"GROUP BY MONTH(cek_tarihi), YEAR(cek_tarihi) ,para_birimi",
                                               "ORDER BY YEAR(cek_tarihi), MONTH(cek_tarihi) ASC"}));
        QCOMPARE(IssuedList::build(f, "ORDER BY cek_no DESC").list.last(), QStringLiteral("ORDER BY cek_no DESC"));
    }

    // The window: its defaults, names and the items waiting for other windows.
    void windowAtCreation()
    {
        openFixture();
        QCOMPARE(form->objectName(), QStringLiteral("TduzenlenenceklerF"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Brenvo Çek Senet Takip Programı   - Düzenlenen Çek ve Senet Listeleri"));
        QCOMPARE(form->baslikLabel->text(), QStringLiteral("Düzenlenen Çek ve Senet Listeleri"));
        QLabel *monthlyCaption = form->findChild<QLabel *>(QStringLiteral("aylikRaporLabel"));
        QVERIFY(monthlyCaption);
        QCOMPARE(monthlyCaption->text(), QStringLiteral("Aylık Rapor"));
        QCOMPARE(form->basDate->date(), kToday);
        QCOMPARE(form->bitDate->date(), kToday.addDays(365));
        QCOMPARE(form->islemDate->date(), kToday);
        QVERIFY(!form->tarihCheck->isChecked());
        QCOMPARE(form->dovizBox->currentText(), QStringLiteral("Hepsi"));
        QCOMPARE(form->RadioGroup1->title(), QStringLiteral("Gösterilecek Çekler"));
        QCOMPARE(form->choiceGroup->checkedId(), 0);
        QStringList states;
        for (QAbstractButton *b : form->choiceGroup->buttons()) states << b->text();
        QCOMPARE(states, IssuedList::choiceTexts());
        QVERIFY(!form->RadioGroup2);
        QVERIFY(form->tumkolonCheck->isChecked());
        QCOMPARE(form->FirmaGrid->objectName(), QStringLiteral("FirmaGrid"));
        QCOMPARE(form->DBEdit1->objectName(), QStringLiteral("DBEdit1"));
        QCOMPARE(form->FirmaGrid->model()->columnCount(), 19);
        QCOMPARE(form->FirmaGrid->model()->headerData(17, Qt::Horizontal).toString(), QStringLiteral("TL Karşılığı"));
        for (auto [name, text] : {std::pair{"SKonBut2", "GÜNCELLE"}, std::pair{"yenileBut", "YENİLE"},
                                  std::pair{"SpeedButton2", "YAZDIR"}, std::pair{"kapatButton", "KAPAT"}})
            QCOMPARE(form->button(name)->text(), QString::fromUtf8(text));

        // Pop-up items: the payment and its undo work; "Çeki Bas" is hidden; the
        // others wait for their windows.
        QStringList texts;
        for (QAction *a : form->popupItems) texts << a->text();
        QCOMPARE(texts, QStringList({"Ödeme Yap", "Evraklarına Bak/Ekle", "Çıkış Bordrosunu Bul", "Çeki Bas",
                                     "Ödeme İşlemini Sil", "Çeki Karşılıksız Yap", "Çeki İade Al"}));
        for (QAction *a : form->popupItems) {
            QCOMPARE(a->isVisible(), a->text() != u"Çeki Bas");
            if (!a->isVisible()) continue;  // a hidden item is never enabled in a menu
            QCOMPARE(a->isEnabled(), a->text() == u"Ödeme Yap" || a->text() == u"Ödeme İşlemini Sil");
        }
        // Nothing is listed before the first rebuild.
        QVERIFY(!form->duzenlenenQuery.isActive());

        // The picker's hand-off fills code and name.
        AccountPicker::cariSecimYeri() = QStringLiteral("duzenlenencek");
        PickedAccount card;
        card.kodu = QStringLiteral("S2");
        card.adi = QStringLiteral("O'Brien Ltd");
        QCOMPARE(AccountPicker::handOver(card), AccountPicker::Outcome::HandedOver);
        QCOMPARE(form->firmaEdit->text(), QStringLiteral("S2"));
        QCOMPARE(form->firmaadiEdit->text(), QStringLiteral("O'Brien Ltd"));
    }

    // Each state lists exactly its cheques, with their total and monthly summary.
    void listsPerState_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QString>("total");
        QTest::newRow("Ödenecek Çekler") << 0 << QList<int>{1, 2, 6, 7} << "1.175,00";
        QTest::newRow("Karşılıksızlar Çekler") << 1 << QList<int>{4} << "30,00";
        QTest::newRow("Geri İade Alınanlar") << 2 << QList<int>{5} << "40,00";
        QTest::newRow("Ödenen Çekler") << 3 << QList<int>{3} << "70,00";
        QTest::newRow("Tüm Düzenlenen Çekler") << 4 << QList<int>{3, 4, 1, 2, 5, 6, 7} << "1.315,00";
    }
    void listsPerState()
    {
        QFETCH(int, choice);
        QFETCH(QList<int>, ids);
        QFETCH(QString, total);
        openFixture();
        QAbstractItemModelTester tester(form->FirmaGrid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester monthlyTester(form->JvDBGrid1->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        if (choice == 0) form->button("SKonBut2")->click();
        else choose(Choice(choice));  // a state click rebuilds at once
        QCOMPARE(listed(form->duzenlenenQuery), ids);
        QCOMPARE(form->DBEdit1->text(), total);

        // The monthly summary: one row per year, month and currency of the listed cheques.
        QMap<std::tuple<int, int, QString>, double> expected;
        for (int id : ids) {
            const OwnCheque &c = kFixture[id - 1];
            const QDate due = kToday.addDays(c.dueInDays);
            expected[{due.year(), due.month(), c.para}] += c.tutar;
        }
        QAbstractItemModel *m = form->JvDBGrid1->model();
        QCOMPARE(m->rowCount(), int(expected.size()));
        QMap<std::tuple<int, int, QString>, double> shown;
        int lastYearMonth = 0;
        for (int r = 0; r < m->rowCount(); ++r) {
            const Record rec = form->AylikGrupDuzenlenenQuery.recordAt(r);
            const int year = int(rec.asInteger("YIL")), month = int(rec.asInteger("AY"));
            QVERIFY(year * 100 + month >= lastYearMonth);  // in order of year and month
            lastYearMonth = year * 100 + month;
            QCOMPARE(m->index(r, 0).data().toString(), QString::number(year));
            QCOMPARE(m->index(r, 1).data().toString(), ChequeList::monthName(month));
            shown[{year, month, m->index(r, 2).data().toString()}] = rec.asFloat("Toplam_Tutar");
        }
        QCOMPARE(shown, expected);
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // The filter lines over the fixture, typed as a user does.
    void filtersNarrowTheList()
    {
        openFixture();
        choose(Choice::Tum);
        QPushButton *guncelle = form->button("SKonBut2");
        struct Step {
            std::function<void()> set;
            QList<int> ids;
        };
        const QList<Step> steps = {
            {[&] { type(form->bordroEdit, "7"); }, {1, 2}},
            {[&] { retype(form->bordroEdit, "9a"); }, {5, 6}},  // read from its digits
            {[&] { retype(form->bordroEdit, "abc"); }, {3, 4, 1, 2, 5, 6, 7}},
            {[&] { form->bordroEdit->clear(); type(form->firmaEdit, "s1"); }, {3, 1, 5, 6}},
            {[&] { form->dovizBox->setCurrentText("USD"); }, {5}},
            {[&] { form->firmaEdit->clear(); form->dovizBox->setCurrentText("Hepsi"); type(form->firmaadiEdit, "o'brien"); }, {4, 2}},
            {[&] { form->firmaadiEdit->clear(); }, {3, 4, 1, 2, 5, 6, 7}},
        };
        for (const Step &s : steps) {
            s.set();
            guncelle->click();
            QCOMPARE(listed(form->duzenlenenQuery), s.ids);
            QCOMPARE(form->duzenlenenQuery.sql(), IssuedList::build(form->filters()).list);
        }
        // The default range, today to a year ahead, applies once the box is ticked
        // (which rebuilds at once); both ends are included.
        form->tarihCheck->click();
        QCOMPARE(listed(form->duzenlenenQuery), (QList<int>{1, 2, 5, 6}));
        form->basDate->setDate(kToday.addDays(-10));
        form->bitDate->setDate(kToday.addDays(1));
        guncelle->click();
        QCOMPARE(listed(form->duzenlenenQuery), (QList<int>{3, 4, 1, 2}));
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // Due dates are coloured against "Başla. tarihi" as it stood at creation.
    void painting()
    {
        openFixture();
        choose(Choice::Tum);
        form->basDate->setDate(kToday.addDays(-30));  // does not move the reference
        const RowPaintDelegate *painter = form->FirmaGrid->rowPainter();
        QCOMPARE(painter->referenceDay(), kToday);
        const DatasetGridModel *m = form->FirmaGrid->gridModel();
        QMap<int, QColor> colours;
        for (int r = 0; r < m->rowCount(); ++r)
            colours[int(m->rawValue(r, "cek_ind").toLongLong())] =
                painter->dueColour(FieldValue::asDate(m->rawValue(r, "cek_tarihi")));
        QCOMPARE(colours.value(1), QColor(Qt::red));          // due today: bold red
        QCOMPARE(colours.value(2), QColor(Qt::blue));         // tomorrow
        QCOMPARE(colours.value(5), QColor(0, 0x80, 0x80));    // three days later: teal
        for (int plain : {3, 4, 6, 7}) QVERIFY(!colours.value(plain).isValid());
    }

    // Title clicks on either grid flip one direction; "GÜNCELLE" returns to the due date.
    void threeClickSort()
    {
        openFixture();
        choose(Choice::Tum);
        DatasetGridModel *m = form->FirmaGrid->gridModel();
        QHeaderView *header = form->FirmaGrid->horizontalHeader();
        const auto click = [&](QHeaderView *h, int section) {
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(section) + 8, h->height() / 2));
            return form->duzenlenenQuery.sql().last();
        };
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const int tutar = m->columnOfField("cek_tutari");
        QCOMPARE(click(header, tutar), QStringLiteral("ORDER BY cek_tutari ASC"));
        QCOMPARE(listed(form->duzenlenenQuery), (QList<int>{6, 4, 5, 2, 3, 1, 7}));
        QCOMPARE(click(header, tutar), QStringLiteral("ORDER BY cek_tutari DESC"));
        QCOMPARE(listed(form->duzenlenenQuery), (QList<int>{7, 1, 3, 2, 5, 4, 6}));
        QCOMPARE(click(header, tutar), QStringLiteral("ORDER BY cek_tutari ASC"));
        QCOMPARE(listed(form->duzenlenenQuery).first(), 6);
        // The monthly summary's third title sorts the list by the list's third column.
        QCOMPARE(click(form->JvDBGrid1->horizontalHeader(), 2), QStringLiteral("ORDER BY cek_tarihi DESC"));
        QCOMPARE(listed(form->duzenlenenQuery), (QList<int>{7, 6, 5, 2, 1, 4, 3}));
        QCOMPARE(form->DBEdit1->text(), QStringLiteral("1.315,00"));
        form->button("yenileBut")->click();
        QCOMPARE(form->duzenlenenQuery.sql().last(), QStringLiteral("ORDER BY cek_tarihi ASC;"));
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // The exit slip register's correction: the slip's cheques alone, in their order.
    void slipOfTheCorrection_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("9") << "9" << "WHERE bordro_ind=9" << QList<int>{5, 6};
        QTest::newRow("9a reads 9") << "9a" << "WHERE bordro_ind=9" << QList<int>{5, 6};
        QTest::newRow("a quote") << "8'" << "WHERE bordro_ind=8" << QList<int>{3, 4};
        QTest::newRow("abc reads 0") << "abc" << "WHERE bordro_ind=0" << QList<int>{};
    }
    void slipOfTheCorrection()
    {
        QFETCH(QString, typed);
        QFETCH(QString, condition);
        QFETCH(QList<int>, ids);
        openFixture();
        choose(Choice::Odenecek);
        form->bordroEdit->setText(typed);
        form->DuzeltHazirla();
        QCOMPARE(form->duzenlenenQuery.sql(), QStringList({"SELECT * FROM cekkendi", condition, "ORDER BY cek_ind ASC;"}));
        QCOMPARE(listed(form->duzenlenenQuery), ids);
        QCOMPARE(form->DBEdit1->text(), QStringLiteral("1.175,00"));  // the total stays
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // "Çeki Bas" shows the net amount in words, the same for every currency, then
    // an empty page in the preview.
    void chequePrintWords()
    {
        openFixture({{1, "S1", "Kaya Ltd", 5, "TL", 1234.56}, {1, "S1", "Kaya Ltd", 6, "USD", 1234.56},
                     {1, "S1", "Kaya Ltd", 7, "EURO", 1234.56}, {1, "S1", "Kaya Ltd", 8, "TL", 0.5}});
        choose(Choice::Tum);
        const QStringList expected = {"BİNİKİYÜZOTUZDÖRT.TL / ELLİALTI.KR ", "BİNİKİYÜZOTUZDÖRT.TL / ELLİALTI.KR ",
                                      "BİNİKİYÜZOTUZDÖRT.TL / ELLİALTI.KR ", ".TL / ELLİ.KR "};
        for (int id = 1; id <= 4; ++id) {
            select(id);
            MessageBox::clearShown();
            QString caption;
            closeNextModal(&caption);
            item("cekBasItem")->trigger();
            QCOMPARE(MessageBox::shown().size(), 1);
            QCOMPARE(MessageBox::shown().first().icon, MessageBox::Icon::Information);
            QCOMPARE(MessageBox::shown().first().text, expected[id - 1]);
            QCOMPARE(caption, TRaporOnizlemeF::kCaption);
        }
        const PreparedReport page = Report(cekBasLayout()).prepare();
        QCOMPARE(page.pageCount(), 1);
        QVERIFY(page.pageTexts(0).isEmpty());
    }

    // A payment writes the payment date and nothing else; No writes nothing; the
    // list is rebuilt only by "GÜNCELLE".
    void paymentWritesOnlyItsDate()
    {
        openFixture();
        choose(Choice::Odenecek);
        form->setWindowState(Qt::WindowNoState);
        form->resize(1200, 700);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QVariantMap before = storedRow(2);

        // No: nothing written, the window stays with the cheque.
        // A double-click comes after the press and release of its first click.
        const QPoint at = form->FirmaGrid->visualRect(form->FirmaGrid->model()->index(1, 0)).center();
        QTest::mouseClick(form->FirmaGrid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(form->FirmaGrid->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(odeme->isVisible());
        QCOMPARE(odeme->windowTitle(), QStringLiteral("Brenvo Çek Senet Takip - Düzenlenen Çekler Ödeme İşlemi"));
        QCOMPARE(odeme->cekidEdit->text(), QStringLiteral("2"));
        QVERIFY(!odeme->cekidEdit->isVisible());
        QCOMPARE(odeme->vadesiDate->date(), kToday.addDays(1));
        QVERIFY(!odeme->vadesiDate->isEnabled());
        QCOMPARE(odeme->tutarEdit->text(), QStringLiteral("50,00"));
        QCOMPARE(odeme->dovizBox->currentText(), QStringLiteral("USD"));
        QVERIFY(!odeme->dovizBox->isEnabled());
        QCOMPARE(odeme->bankasiEdit->text(), QStringLiteral("Garanti"));
        QCOMPARE(odeme->subesiEdit->text(), QStringLiteral("Alsancak"));
        QCOMPARE(odeme->hesapnoEdit->text(), QStringLiteral("600123"));
        QCOMPARE(odeme->ceknoEdit->text(), QStringLiteral("5002"));
        QCOMPARE(odeme->aciklamaEdit->text(), QStringLiteral("Mal alımı"));
        for (QLineEdit *e : {odeme->tutarEdit, odeme->ceknoEdit, odeme->bankasiEdit, odeme->aciklamaEdit})
            QVERIFY(e->isReadOnly());
        QCOMPARE(odeme->OdemeTarihi->date(), kToday);
        MessageBox::queueAnswer(MessageBox::No);
        odeme->JvXPButton1->click();
        QCOMPARE(MessageBox::shown().last().text,
                 QStringLiteral("Bu Çek/Senete ait ödeme işlemi yapmak istediğinizden eminmisiniz?"));
        QCOMPARE(storedRow(2), before);
        QVERIFY(odeme->isVisible());

        // Yes: only cek_tahsilat_tarihi changes; no movement, no cash row.
        const QDate paid = kToday.addDays(2);
        odeme->OdemeTarihi->setDate(paid);
        MessageBox::queueAnswer(MessageBox::Yes);
        odeme->JvXPButton1->click();
        QVariantMap after = storedRow(2);
        QCOMPARE(FieldValue::asDate(after.take("cek_tahsilat_tarihi")), paid);
        QVariantMap expected = before;
        expected.remove("cek_tahsilat_tarihi");
        QCOMPARE(after, expected);
        QCOMPARE(TestHome::countRows(cash(), "carihareket"), 0);
        QCOMPARE(TestHome::countRows(cash(), "nakit"), 0);
        // The window hides, emptied.
        QVERIFY(!odeme->isVisible());
        QCOMPARE(odeme->cekidEdit->text(), QString());
        QCOMPARE(odeme->tutarEdit->text(), QString());
        QCOMPARE(odeme->dovizBox->currentText(), QString());
        QCOMPARE(odeme->OdemeTarihi->date(), kToday);

        // The list still shows it until "GÜNCELLE"; then it is under "Ödenen Çekler".
        QCOMPARE(listed(form->duzenlenenQuery), (QList<int>{1, 2, 6, 7}));
        form->button("SKonBut2")->click();
        QCOMPARE(listed(form->duzenlenenQuery), (QList<int>{1, 6, 7}));
        choose(Choice::Odenen);
        QCOMPARE(listed(form->duzenlenenQuery), (QList<int>{3, 2}));
        QCOMPARE(form->FirmaGrid->model()->index(1, 9).data().toString(), formatDate("dd.mm.yyyy", paid));
        QCOMPARE(MessageBox::shown().size(), 2);
    }

    // A paid cheque shows its date and a new payment overwrites it; the undo puts
    // the cheque back among those to be paid.
    void paidAgainAndUndone()
    {
        openFixture();
        choose(Choice::Odenen);
        select(3);
        item("odemeItem")->trigger();
        const QDate earlier = kToday.addDays(-9);
        QCOMPARE(odeme->OdemeTarihi->date(), earlier);
        odeme->OdemeTarihi->setDate(earlier.addDays(3));
        MessageBox::queueAnswer(MessageBox::Yes);
        odeme->JvXPButton1->click();
        QCOMPARE(FieldValue::asDate(paymentDate(3)), earlier.addDays(3));

        // Undo, first answered No, then Yes.
        select(3);
        MessageBox::queueAnswer(MessageBox::No);
        item("odemeSilItem")->trigger();
        QCOMPARE(MessageBox::shown().last().text,
                 QStringLiteral("Bu Çek/Senete ait ödeme işlemini silmek istediğinizden eminmisiniz?"));
        QVERIFY(!paymentDate(3).isNull());
        MessageBox::queueAnswer(MessageBox::Yes);
        item("odemeSilItem")->trigger();
        QVERIFY(paymentDate(3).isNull());
        QCOMPARE(listed(form->duzenlenenQuery), (QList<int>{3}));  // not rebuilt by the undo
        choose(Choice::Odenecek);
        QCOMPARE(listed(form->duzenlenenQuery), (QList<int>{3, 1, 2, 6, 7}));
        QCOMPARE(MessageBox::shown().size(), 3);
    }

    // A cheque deleted since the list was built: the payment and the undo say so and
    // write nothing; opening it shows nothing.
    void deletedCheque()
    {
        openFixture();
        choose(Choice::Tum);
        select(3);
        item("odemeItem")->trigger();
        QVERIFY(odeme->isVisible());
        QCOMPARE(odeme->cekidEdit->text(), QStringLiteral("3"));
        {
            Table t(&company(), "cekkendi");
            t.open();
            for (int id : {3, 4}) {
                QVERIFY(t.locate("cek_ind", id));
                t.remove();
            }
        }
        const qint64 rows = TestHome::countRows(company(), "cekkendi");

        MessageBox::queueAnswer(MessageBox::Yes);
        odeme->JvXPButton1->click();
        QCOMPARE(MessageBox::shown().last().text, QStringLiteral("Çek kaydı bulunamadı. İşlem yapılmadı."));
        QVERIFY(!odeme->isVisible());
        QCOMPARE(TestHome::countRows(company(), "cekkendi"), rows);
        QVERIFY(storedRow(3).isEmpty());

        select(4);
        MessageBox::queueAnswer(MessageBox::Yes);
        item("odemeSilItem")->trigger();
        QCOMPARE(MessageBox::shown().last().text, QStringLiteral("Çek kaydı bulunamadı. İşlem yapılmadı."));
        QCOMPARE(TestHome::countRows(company(), "cekkendi"), rows);

        MessageBox::clearShown();
        item("odemeItem")->trigger();
        QVERIFY(!odeme->isVisible());
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(IssuedPayment::odemeTarihiYaz(company(), 0, kToday), IssuedPayment::Outcome::NotFound);
    }

    // Closing the payment window, by its button or otherwise, empties it.
    void hidingEmptiesThePaymentWindow()
    {
        openFixture();
        choose(Choice::Tum);
        select(6);
        item("odemeItem")->trigger();
        QCOMPARE(odeme->tutarEdit->text(), QStringLiteral("25,00"));
        QCOMPARE(odeme->dovizBox->currentText(), QStringLiteral("EURO"));
        odeme->JvXPButton2->click();
        QVERIFY(!odeme->isVisible());
        for (QLineEdit *e : {odeme->tutarEdit, odeme->ceknoEdit, odeme->aciklamaEdit, odeme->bankasiEdit,
                             odeme->subesiEdit, odeme->hesapnoEdit, odeme->cekidEdit})
            QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
        QCOMPARE(odeme->vadesiDate->date(), kToday);
        select(5);
        item("odemeItem")->trigger();
        odeme->close();
        QCOMPARE(odeme->cekidEdit->text(), QString());

        // Another company opened while it shows: hidden and emptied, so that its
        // cheque number can never pay a cheque of the other company.
        select(5);
        item("odemeItem")->trigger();
        QVERIFY(odeme->isVisible());
        home->openCompany(QStringLiteral("B2"), 2024);
        QVERIFY(!odeme->isVisible());
        QCOMPARE(odeme->cekidEdit->text(), QString());
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // A double-click on either filter edit searches the account cards for the code.
    void pickerSearchesForTheCode()
    {
        openFixture();
        TestHome::addAccountCard(QStringLiteral("S1"), QStringLiteral("Kaya Ltd"));
        TcariF cards;
        form->setCariF(&cards);
        form->firmaEdit->setText(QStringLiteral("S1"));
        form->firmaadiEdit->setText(QStringLiteral("Başka"));
        QTest::mouseDClick(form->firmaadiEdit, Qt::LeftButton);
        QCOMPARE(AccountPicker::cariSecimYeri(), QStringLiteral("duzenlenencek"));
        QVERIFY(cards.isVisible());
        QCOMPARE(cards.findChild<QLineEdit *>("aramaEdit")->text(), QStringLiteral("S1"));
        cards.hide();
        form->setCariF(nullptr);
    }

    // The main menu's own cheques: "Ödeme Yap" fills the payment window from the
    // dashboard's row; "Düzenlenen Çek ve Senet Listeleri" shows the lists, built.
    void mainMenuWaysIn()
    {
        home = std::make_unique<TestHome>();
        Uygulama app;
        home->openCompany(QStringLiteral("A1"), kToday.year());
        insertOwnCheques(kFixture);
        TfrmMain *menu = app.frmMain();
        menu->prepareDashboard();
        QCOMPARE(listed(menu->ffQuery5), (QList<int>{1, 2, 6}));  // unpaid, due within the year; 5 is taken back

        QAction *pay = menu->menuItem("Ödeme Yap");
        QVERIFY(pay && pay->isEnabled());
        QVERIFY(menu->ffQuery5.locate("cek_ind", 6));
        pay->trigger();
        TduzenlenencekodeF *w = app.duzenlenencekodeF();
        QVERIFY(w->isVisible());
        QCOMPARE(w->cekidEdit->text(), QStringLiteral("6"));
        QCOMPARE(w->tutarEdit->text(), QStringLiteral("25,00"));
        QCOMPARE(w->vadesiDate->date(), kToday.addDays(40));
        MessageBox::queueAnswer(MessageBox::Yes);
        w->JvXPButton1->click();
        QCOMPARE(FieldValue::asDate(paymentDate(6)), kToday);
        QVERIFY(!w->isVisible());

        QAction *lists = menu->menuItem("Düzenlenen Çek ve Senet Listeleri");
        QVERIFY(lists && lists->isEnabled());
        lists->trigger();
        TduzenlenenceklerF *l = app.duzenlenenceklerF();
        QVERIFY(l->isVisible());
        QCOMPARE(listed(l->duzenlenenQuery), (QList<int>{1, 2, 7}));
        // Shown again, it keeps its list as it was.
        l->choiceGroup->button(int(Choice::Tum))->click();
        l->hide();
        lists->trigger();
        QCOMPARE(l->duzenlenenQuery.recordCount(), 7);
        // Its "Ödeme Yap" reaches the same payment window.
        QVERIFY(l->duzenlenenQuery.locate("cek_ind", 2));
        l->findChild<QAction *>("odemeItem")->trigger();
        QCOMPARE(w->cekidEdit->text(), QStringLiteral("2"));
        w->hide();
        l->hide();
        QCOMPARE(MessageBox::shown().size(), 1);
    }

    // The printout of a thousand own cheques: page numbers on every page, the total
    // on the last.
    // The exit slip's "Düzenlenen Çekler" opens the issued lists on the slip's own cheques.
    void exitSlipOpensItsIssuedCheques_data()
    {
        QTest::addColumn<QString>("slip");
        QTest::addColumn<QList<int>>("cheques");
        QTest::newRow("slip 7") << "7" << QList<int>{1, 2};
        QTest::newRow("slip 9") << "9" << QList<int>{6};  // 5 was taken back
    }
    void exitSlipOpensItsIssuedCheques()
    {
        QFETCH(QString, slip);
        QFETCH(QList<int>, cheques);
        home = std::make_unique<TestHome>();
        Uygulama app;
        home->openCompany(QStringLiteral("A1"), kToday.year());
        insertOwnCheques(kFixture);
        app.cekcikisF()->JustaEdit1->setText(slip);
        QPushButton *b = app.cekcikisF()->findChild<QPushButton *>(QStringLiteral("JvXPButton2"));
        QVERIFY(b && b->isEnabled());
        b->click();
        TduzenlenenceklerF *l = app.duzenlenenceklerF();
        QVERIFY(l->isVisible());
        QCOMPARE(listed(l->duzenlenenQuery), cheques);
        l->hide();
    }

    // Minimizing the payment window keeps its cheque; hiding (closing) empties it.
    void paymentWindowKeepsItsChequeWhenMinimized_data()
    {
        QTest::addColumn<bool>("minimized");
        QTest::addColumn<QString>("cekid");
        QTest::newRow("minimized") << true << "2";
        QTest::newRow("closed") << false << "";
    }
    void paymentWindowKeepsItsChequeWhenMinimized()
    {
        QFETCH(bool, minimized);
        QFETCH(QString, cekid);
        openFixture();
        odeme->odemeAc(2);
        QCOMPARE(odeme->cekidEdit->text(), QStringLiteral("2"));
        if (minimized) {
            // What the window system sends when the window is minimized.
            QHideEvent hide;
            QSpontaneKeyEvent::setSpontaneous(&hide);
            static_cast<QObject *>(odeme.get())->event(&hide);
        } else {
            odeme->hide();
        }
        QCOMPARE(odeme->cekidEdit->text(), cekid);
        QCOMPARE(odeme->tutarEdit->text().isEmpty(), cekid.isEmpty());
    }

    void printoutOfAThousandCheques()
    {
        QList<OwnCheque> many;
        for (int i = 0; i < 1000; ++i)
            many << OwnCheque{i / 3 + 1, "S1", "Kaya Ltd", i % 300, i % 2 ? "USD" : "TL", 10.5};
        openFixture(many);
        TestHome::addCompanyRecord();
        form->button("SKonBut2")->click();
        QCOMPARE(form->duzenlenenQuery.recordCount(), 1000);
        QCOMPARE(form->DBEdit1->text(), QStringLiteral("10.500,00"));
        const PreparedReport pages = form->printout().prepare();
        const int n = pages.pageCount();
        QVERIFY(n > 10);
        for (int p = 0; p < n; ++p) {
            const QStringList texts = pages.pageTexts(p);
            QVERIFY(texts.contains(QStringLiteral("Sayfa %1 / %2").arg(p + 1).arg(n)));
            QVERIFY(texts.contains(QStringLiteral("DÜZENLENEN ÇEKLER")));
            QVERIFY(texts.contains(QStringLiteral("Öztürk Gıda Ltd. Şti.")));
        }
        const QStringList first = pages.pageTexts(0);
        for (const char *t : {"DÜZENLENDİĞİ FİRMA", "Kaya Ltd", "Garanti", "Alsancak", "600123", "10,50", "ÇEK VADESİ"})
            QVERIFY2(first.contains(QString::fromUtf8(t)), t);
        const QStringList last = pages.pageTexts(n - 1);
        QVERIFY(last.contains(QStringLiteral("Toplam Çek Tutarı : ")));
        QVERIFY2(last.contains(QStringLiteral("10.500,00")), qPrintable(last.join(" | ")));
        QVERIFY(last.contains(QStringLiteral("1000")));

        TRaporOnizlemeF preview(pages, TRaporOnizlemeF::kCaption);
        preview.resize(1100, 800);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        preview.setZoomPercent(100);
        QVERIFY(preview.grab().save(QStringLiteral("/tmp/tduzenlenenceklerf-preview.png")));
    }

    // The demo and bench companies issue own cheques: about one for ten received,
    // in every state and currency, each on an exit slip that exists; in the demo
    // nothing is paid, bounced or taken back before it happened.
    void sampleCompanyOwnCheques_data()
    {
        QTest::addColumn<bool>("aroundToday");
        QTest::newRow("demo, around today") << true;
        QTest::newRow("bench, spread over the years") << false;
    }
    void sampleCompanyOwnCheques()
    {
        QFETCH(bool, aroundToday);
        TestHome home;
        generateSampleCompany("D1", 400, kToday.year() - 1, kToday.year(), aroundToday ? kToday : QDate());
        Connection c;
        c.setConnectionString(ConnectionString::build(home.path("Data/D1.mdb")));
        c.open();
        const auto count = [&c](const QString &where) {
            Query q(&c);
            q.sql() << "SELECT COUNT(*) AS n FROM cekkendi WHERE " + where;
            q.open();
            return q.field("n").asInteger();
        };
        QCOMPARE(count("1=1"), 40);
        for (const QString &state : IssuedList::choiceTexts()) {
            const auto lines = IssuedList::stateLines(Choice(IssuedList::choiceTexts().indexOf(state)));
            QVERIFY2(count(lines.join(' ').mid(6)) > 0, qPrintable(state));
        }
        for (const char *currency : {"TL", "USD", "EURO"})
            QVERIFY2(count(QStringLiteral("para_birimi='%1'").arg(currency)) > 0, currency);
        QCOMPARE(count("bordro_ind NOT IN (SELECT bordro_ind FROM cikisbordro)"), 0);
        QCOMPARE(count("cek_net_tutar <> cek_tutari OR cirolandigi_firma_kodu IS NULL"), 0);
        if (aroundToday) {
            const QString today = "'" + kToday.toString("yyyy-MM-dd") + "'";
            QCOMPARE(count("islem_tarihi > " + today + " OR cek_tahsilat_tarihi > " + today + " OR cek_iade_tarihi > "
                           + today + " OR cek_karsiliklsiz_tarihi > " + today),
                     0);
            QCOMPARE(count("(cek_tahsilat_tarihi IS NOT NULL OR cek_karsiliklsiz_tarihi IS NOT NULL) AND cek_tarihi >= " + today), 0);
            QVERIFY(count("cek_tahsilat_tarihi IS NULL AND cek_tarihi >= " + today) > 5);  // still to pay
        }
    }

    void screenshots()
    {
        openFixture();
        choose(Choice::Tum);
        form->setWindowState(Qt::WindowNoState);
        form->resize(1366, 740);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QVERIFY(form->grab().save(QStringLiteral("/tmp/tduzenlenenceklerf.png")));
        select(2);
        item("odemeItem")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(odeme.get()));
        QVERIFY(odeme->grab().save(QStringLiteral("/tmp/tduzenlenencekodef.png")));
        odeme->hide();
    }
};

QTEST_MAIN(TestIssuedLists)
#include "test_issued_lists.moc"
