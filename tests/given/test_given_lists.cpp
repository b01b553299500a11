// The given cheque lists: the statements for each state and filter, the window over
// a company holding a given cheque in every state (to a customer, to a supplier,
// at a bank, bounced, taken back, without an exit type), its printout, and its
// ways in and out through the application (main menu, exit slip, bounce window,
// documents, take-back hand-over).
#include "accounts/account_picker.h"
#include "app/uygulama.h"
#include "data/connection.h"
#include "data/data_context.h"
#include "data/field_value.h"
#include "data/query.h"
#include "data/table.h"
#include "data/transaction.h"
#include "given/given_list_statements.h"
#include "given/tcekcikisf.h"
#include "given/tcekiadeverilenf.h"
#include "given/tcikisceklerf.h"
#include "issued/tduzenlenenceklerf.h"
#include "mainmenu/tfrmmain.h"
#include "received/received_operations.h"
#include "received/tcekkarsiliksizf.h"
#include "reports/preview_window.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "tools/document_window.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/message_box.h"
#include "widgets/row_paint_delegate.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using GivenList::Choice;

namespace {

const QDate kToday = QDate::currentDate();

struct GivenCheque {
    int bordro;
    QString kodu;
    QString firma;
    int dueInDays;  // from today
    QString para;
    double tutar;
    QVariant bankaId;  // 2: handed to a bank; null: exit type never stored
    enum State { Out, Bounced, TakenBack } state = Out;
};

// ciro_cek_ind follows this order, 1 to 9.
const QList<GivenCheque> kFixture = {
    {7, "M1", "Kaya Ltd", 0, "TL", 100, 1},                                   // 1 customer, due today
    {7, "S2", "O'Brien Ltd", 1, "USD", 50, 1},                                // 2 supplier
    {8, "B1", "Ziraat Bankası", 3, "TL", 200, 2},                             // 3 at a bank
    {8, "B1", "Ziraat Bankası", 4, "EURO", 70, 2},                            // 4 at a bank
    {9, "M1", "Kaya Ltd", -5, "TL", 30, 1, GivenCheque::Bounced},             // 5
    {9, "S2", "O'Brien Ltd", 40, "USD", 40, 1, GivenCheque::TakenBack},       // 6
    {12, "S3", "Deniz Ticaret", 400, "TL", 1000, QVariant()},                 // 7 no exit type
    {8, "B1", "Ziraat Bankası", -10, "TL", 60, 2, GivenCheque::Bounced},      // 8 bounced at the bank
    {8, "B1", "Ziraat Bankası", 2, "TL", 80, 2, GivenCheque::TakenBack},      // 9 taken back from the bank
};

Connection &company() { return DataContext::instance().ADOConnection1; }

void insertGivenCheques(const QList<GivenCheque> &cheques)
{
    TransactionScope tx{&company()};
    Table t(&company(), QStringLiteral("cekciro"));
    t.open();
    int number = 0;
    for (const GivenCheque &c : cheques) {
        ++number;
        const QDate due = kToday.addDays(c.dueInDays);
        t.append();
        t.field("ciro_bordro_ind") = c.bordro;
        t.field("Ciro_firma_kodu") = c.kodu;
        t.field("ciro_firma") = c.firma;
        t.field("islem_tarihi") = kToday.addDays(-20);
        t.field("alindigi_firma_kodu") = QStringLiteral("A9");
        t.field("alindigi_firma") = QStringLiteral("Ege Gıda");
        t.field("cek_alindigi_tarihi") = kToday.addDays(-40);
        t.field("cek_tarihi") = due;
        t.field("para_birimi") = c.para;
        t.field("cek_tutari") = c.tutar;
        t.field("cek_doviz_kuru") = c.para == u"TL" ? 1.0 : 30.0;
        t.field("cekTL_karsiligi") = c.para == u"TL" ? c.tutar : c.tutar * 30;
        t.field("ceki_duzenleyen") = QStringLiteral("Düzenleyen %1").arg(number);
        t.field("cek_bankasi") = QStringLiteral("Garanti");
        t.field("cek_subesi") = QStringLiteral("Alsancak");
        t.field("cek_hesap_no") = QStringLiteral("600123");
        t.field("cek_no") = QString::number(7000 + number);
        t.field("cek_giris_id") = 100 + number;
        t.field("aciklama") = QStringLiteral("Ciro");
        t.field("cek_banka_id") = c.bankaId;
        if (c.state == GivenCheque::Bounced) t.field("cek_karsiliklsiz_tarihi") = due.addDays(1);
        if (c.state == GivenCheque::TakenBack) t.field("cek_iade_tarihi") = kToday.addDays(-1);
        t.post();
    }
    tx.commit();
}

QList<int> listed(Query &q)
{
    QList<int> ids;
    for (int r = 0; r < q.recordCount(); ++r) ids << int(q.recordAt(r).asInteger(QStringLiteral("ciro_cek_ind")));
    return ids;
}

QString stored(const QString &table, const QString &keyField, qint64 key, const QString &field)
{
    Query q(&company());
    q.sql() << QStringLiteral("SELECT %1 AS v FROM %2 WHERE %3=%4").arg(field, table, keyField).arg(key);
    q.open();
    return q.isEmpty() ? QStringLiteral("<gone>") : q.field(QStringLiteral("v")).asString();
}

const QString kOut = QStringLiteral(
    "WHERE (ciro_cek_ind IS NOT NULL) AND (cek_iade_tarihi IS NULL) AND (cek_karsiliklsiz_tarihi IS NULL)");
const QString kBounced = QStringLiteral("WHERE (cek_karsiliklsiz_tarihi IS NOT NULL )");
const QString kTakenBack = QStringLiteral("WHERE (cek_iade_tarihi IS NOT NULL )");
const QString kNoBank = QStringLiteral("AND ((cek_banka_id IS NULL) OR (cek_banka_id<>2))");

} // namespace

class TestGivenLists : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestHome> home;
    std::unique_ptr<TcikisceklerF> form;

    void openFixture(const QList<GivenCheque> &cheques = kFixture)
    {
        home = std::make_unique<TestHome>();
        home->openCompany(QStringLiteral("A1"), kToday.year());
        insertGivenCheques(cheques);
        form = std::make_unique<TcikisceklerF>();
    }
    void choose(Choice c) { form->choiceGroup->button(int(c))->click(); }

private Q_SLOTS:
    void init()
    {
        MessageBox::setTestMode(true);
        MessageBox::clearShown();
    }
    void cleanup()
    {
        form.reset();
        AccountPicker::reset();
        home.reset();
        QCOMPARE(MessageBox::pendingAnswers(), 0);
    }

    // The three statements of each state and filter, line by line.
    void statements_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("bankaHaric");
        QTest::addColumn<QString>("bordro");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("range");
        QTest::addColumn<QStringList>("lines");  // between the SELECT and the ORDER BY
        QTest::newRow("out, bank excluded") << 0 << true << "" << "" << "Hepsi" << "" << false << QStringList{kOut, kNoBank};
        QTest::newRow("out") << 0 << false << "" << "" << "Hepsi" << "" << false << QStringList{kOut};
        QTest::newRow("bounced, bank excluded") << 1 << true << "" << "" << "Hepsi" << "" << false
                                                << QStringList{kBounced, kNoBank};
        QTest::newRow("bounced") << 1 << false << "" << "" << "Hepsi" << "" << false << QStringList{kBounced};
        QTest::newRow("taken back, bank excluded") << 2 << true << "" << "" << "Hepsi" << "" << false
                                                   << QStringList{kTakenBack, kNoBank};
        QTest::newRow("taken back") << 2 << false << "" << "" << "" << "" << false << QStringList{kTakenBack};
        QTest::newRow("TL") << 0 << false << "" << "" << "TL" << "" << false
                            << QStringList{kOut, "AND (para_birimi='TL')"};
        QTest::newRow("slip 12a reads 12") << 1 << true << "12a" << "" << "Hepsi" << "" << false
                                           << QStringList{kBounced, kNoBank, "AND (ciro_bordro_ind=12)"};
        QTest::newRow("slip abc adds nothing") << 0 << false << "abc" << "" << "Hepsi" << "" << false << QStringList{kOut};
        QTest::newRow("code, quoted") << 0 << false << "" << "O'1" << "Hepsi" << "" << false
                                      << QStringList{kOut, "AND (Ciro_firma_kodu IN ('o''1') AND Ciro_firma_kodu='O''1' COLLATE TRNOCASE)"};
        QTest::newRow("name, quoted") << 2 << false << "" << "" << "Hepsi" << "O'Brien" << false
                                      << QStringList{kTakenBack, "AND ((ciro_firma LIKE '%O''Brien%')",
                                                     "OR (ceki_duzenleyen LIKE '%O''Brien%')",
                                                     "OR (alindigi_firma LIKE '%O''Brien%'))"};
        QTest::newRow("date range") << 0 << false << "" << "" << "Hepsi" << "" << true
                                    << QStringList{kOut, "AND cek_tarihi<#2025-1-1# AND cek_tarihi>#2024-3-4#"};
        QTest::newRow("everything, in order")
            << 0 << true << "9" << "S1" << "EURO" << "Kaya" << true
            << QStringList{kOut, kNoBank, "AND (ciro_bordro_ind=9)",
                           "AND (Ciro_firma_kodu IN ('s1') AND Ciro_firma_kodu='S1' COLLATE TRNOCASE)",
                           "AND (para_birimi='EURO')", "AND ((ciro_firma LIKE '%Kaya%')", "OR (ceki_duzenleyen LIKE '%Kaya%')",
                           "OR (alindigi_firma LIKE '%Kaya%'))", "AND cek_tarihi<#2025-1-1# AND cek_tarihi>#2024-3-4#"};
    }
    void statements()
    {
        QFETCH(int, choice);
        QFETCH(bool, bankaHaric);
        QFETCH(QString, bordro);
        QFETCH(QString, code);
        QFETCH(QString, currency);
        QFETCH(QString, name);
        QFETCH(bool, range);
        QFETCH(QStringList, lines);
        GivenList::Filters f;
        f.choice = Choice(choice);
        f.bankaHaric = bankaHaric;
        f.bordroNo = bordro;
        f.firmaKodu = code;
        f.paraCinsi = currency;
        f.firmaAdi = name;
        f.tarihAcik = range;
        f.basTarihi = QDate(2024, 3, 5);
        f.bitisTarihi = QDate(2024, 12, 31);
        const ChequeList::Statements s = GivenList::build(f);
        QCOMPARE(s.list, QStringList{"SELECT * FROM cekciro"} + lines + QStringList{"ORDER BY cek_tarihi ASC;"});
        QCOMPARE(s.total, QStringList{"SELECT SUM(cek_tutari) AS Cek_Toplami FROM cekciro"} + lines);
        QCOMPARE(s.monthly, QStringList({"SELECT YEAR(cek_tarihi) AS YIL, MONTH(cek_tarihi) AS AY,para_birimi ,",
                                         "SUM(cek_tutari) AS Toplam_Tutar", "FROM cekciro"})
                                + lines
                                + QStringList({"GROUP BY MONTH(cek_tarihi), YEAR(cek_tarihi) ,para_birimi",
                                               "ORDER BY YEAR(cek_tarihi), MONTH(cek_tarihi) ASC"}));
        QCOMPARE(GivenList::build(f, "ORDER BY cek_no DESC").list.last(), QStringLiteral("ORDER BY cek_no DESC"));
    }

    // The window at creation: names, texts, defaults, items.
    void windowAtCreation()
    {
        openFixture();
        QCOMPARE(form->objectName(), QStringLiteral("TcikisceklerF"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Brenvo Çek Senet Takip - Cirolanan Çek ve Senet Listeleri"));
        QCOMPARE(form->baslikLabel->text(), QStringLiteral("Cirolanan Çek ve Senet Listeleri"));
        for (QDateEdit *d : {form->basDate, form->bitDate, form->islemDate}) QCOMPARE(d->date(), kToday);
        QVERIFY(!form->tarihCheck->isChecked());
        QCOMPARE(form->BankaCheck->objectName(), QStringLiteral("BankaCheck"));
        QCOMPARE(form->BankaCheck->text(), QStringLiteral("Banka Hariç"));
        QVERIFY(form->BankaCheck->isChecked());
        QCOMPARE(form->dovizBox->currentText(), QStringLiteral("Hepsi"));
        QStringList states;
        for (QAbstractButton *b : form->choiceGroup->buttons()) states << b->text();
        QCOMPARE(states, QStringList({"Tüm Ciro Edilenler", "Sadece Karşılıksızlar", "Sadece İade Alınanlar"}));
        QCOMPARE(form->choiceGroup->checkedId(), 0);
        QVERIFY(form->RadioGroup2);
        QCOMPARE(form->RadioGroup2->title(), QStringLiteral("Yazdırma Seçenekleri"));
        QCOMPARE(form->printGroup->checkedId(), 0);
        QVERIFY(form->findChild<QLabel *>() != nullptr);
        bool nameLabel = false;
        for (QLabel *l : form->findChildren<QLabel *>()) nameLabel |= l->text() == u"Firma/Düzenleyen/Alınan Adı";
        QVERIFY(nameLabel);
        QVERIFY(form->tumkolonCheck->isChecked());
        QCOMPARE(form->FirmaGrid->objectName(), QStringLiteral("FirmaGrid"));
        QCOMPARE(form->cirolananceklerQuery.objectName(), QStringLiteral("cirolananceklerQuery"));
        QCOMPARE(form->cekcirotoplamQuery.objectName(), QStringLiteral("cekcirotoplamQuery"));
        QCOMPARE(form->DBEdit1->objectName(), QStringLiteral("DBEdit1"));
        QStringList titles;
        for (int c = 0; c < form->FirmaGrid->model()->columnCount(); ++c)
            titles << form->FirmaGrid->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles, QStringList({"No", "Bordro", "İşlem Tarihi", "Cari", "Çek Tarihi", "Para C.", "Çek Tutarı", "Gün",
                                      "Kalan", "Açıklama", "Masraf", "Düzenleyen", "Bankası", "Şubesi", "Hesap No",
                                      "Çek No", "Giriş Brd.", "Alındığı Firma", "Giriş Tarihi"}));
        for (auto [name, text] : {std::pair{"SKonBut2", "GÜNCELLE"}, std::pair{"yenileBut", "YENİLE"},
                                  std::pair{"SpeedButton2", "YAZDIR"}, std::pair{"kapatButton", "KAPAT"}})
            QCOMPARE(form->button(name)->text(), QString::fromUtf8(text));
        QStringList texts;
        for (QAction *a : form->popupItems) texts << a->text();
        QCOMPARE(texts, QStringList({"Evraklarına Bak/Ekle", "Çeki İade Al", "Çeki Karşılıksız Yap"}));
        // Alone, nothing receives the items: they stay disabled.
        for (QAction *a : form->popupItems) QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
        QVERIFY(!form->cirolananceklerQuery.isActive());

        AccountPicker::cariSecimYeri() = QStringLiteral("ciroedilmiscek");
        PickedAccount card;
        card.kodu = QStringLiteral("S2");
        card.adi = QStringLiteral("O'Brien Ltd");
        QCOMPARE(AccountPicker::handOver(card), AccountPicker::Outcome::HandedOver);
        QCOMPARE(form->firmaEdit->text(), QStringLiteral("S2"));
        QCOMPARE(form->firmaadiEdit->text(), QStringLiteral("O'Brien Ltd"));
    }

    // Each state, with and without "Banka Hariç", lists exactly its cheques with
    // their total and monthly summary. A cheque without an exit type is no bank cheque.
    void listsPerState_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("bankaHaric");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QString>("total");
        QTest::newRow("Tüm Ciro Edilenler, bank excluded") << 0 << true << QList<int>{1, 2, 7} << "1.150,00";
        QTest::newRow("Tüm Ciro Edilenler") << 0 << false << QList<int>{1, 2, 3, 4, 7} << "1.420,00";
        QTest::newRow("Sadece Karşılıksızlar, bank excluded") << 1 << true << QList<int>{5} << "30,00";
        QTest::newRow("Sadece Karşılıksızlar") << 1 << false << QList<int>{8, 5} << "90,00";
        QTest::newRow("Sadece İade Alınanlar, bank excluded") << 2 << true << QList<int>{6} << "40,00";
        QTest::newRow("Sadece İade Alınanlar") << 2 << false << QList<int>{9, 6} << "120,00";
    }
    void listsPerState()
    {
        QFETCH(int, choice);
        QFETCH(bool, bankaHaric);
        QFETCH(QList<int>, ids);
        QFETCH(QString, total);
        openFixture();
        QAbstractItemModelTester tester(form->FirmaGrid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester monthlyTester(form->JvDBGrid1->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        if (choice == 0) form->button("SKonBut2")->click();
        else choose(Choice(choice));  // a state click rebuilds at once
        if (!bankaHaric) form->BankaCheck->click();  // and so does the box
        QCOMPARE(listed(form->cirolananceklerQuery), ids);
        QCOMPARE(form->DBEdit1->text(), total);
        QCOMPARE(form->cirolananceklerQuery.sql(), GivenList::build(form->filters()).list);

        QMap<std::tuple<int, int, QString>, double> expected;
        for (int id : ids) {
            const GivenCheque &c = kFixture[id - 1];
            const QDate due = kToday.addDays(c.dueInDays);
            expected[{due.year(), due.month(), c.para}] += c.tutar;
        }
        QAbstractItemModel *m = form->JvDBGrid1->model();
        QCOMPARE(m->rowCount(), int(expected.size()));
        QMap<std::tuple<int, int, QString>, double> shown;
        int lastYearMonth = 0;
        for (int r = 0; r < m->rowCount(); ++r) {
            const Record rec = form->AylikAlinanCeklerQuery.recordAt(r);
            const int year = int(rec.asInteger("YIL")), month = int(rec.asInteger("AY"));
            QVERIFY(year * 100 + month >= lastYearMonth);
            lastYearMonth = year * 100 + month;
            QCOMPARE(m->index(r, 1).data().toString(), ChequeList::monthName(month));
            shown[{year, month, m->index(r, 2).data().toString()}] = rec.asFloat("Toplam_Tutar");
        }
        QCOMPARE(shown, expected);
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // The filters typed as a user does; "Kalan" counts from "İşlem tarihi".
    void filtersNarrowTheList()
    {
        openFixture();
        form->BankaCheck->click();  // off: every exit type
        QPushButton *guncelle = form->button("SKonBut2");
        struct Step {
            std::function<void()> set;
            QList<int> ids;
        };
        const QList<Step> steps = {
            {[&] { type(form->bordroEdit, "8"); }, {3, 4}},
            {[&] { retype(form->bordroEdit, "7a"); }, {1, 2}},
            {[&] { retype(form->bordroEdit, "abc"); }, {1, 2, 3, 4, 7}},
            {[&] { form->bordroEdit->clear(); type(form->firmaEdit, "b1"); }, {3, 4}},
            {[&] { form->dovizBox->setCurrentText("EURO"); }, {4}},
            {[&] { form->firmaEdit->clear(); form->dovizBox->setCurrentText("Hepsi"); type(form->firmaadiEdit, "o'brien"); }, {2}},
            {[&] { retype(form->firmaadiEdit, "ege"); }, {1, 2, 3, 4, 7}},   // the account it came from
            {[&] { retype(form->firmaadiEdit, "Düzenleyen 3"); }, {3}},    // the drawer
            {[&] { form->firmaadiEdit->clear(); }, {1, 2, 3, 4, 7}},
        };
        for (const Step &s : steps) {
            s.set();
            guncelle->click();
            QCOMPARE(listed(form->cirolananceklerQuery), s.ids);
        }
        // Both ends of the range are included; one day lists that day's cheques.
        form->basDate->setDate(kToday.addDays(1));
        form->bitDate->setDate(kToday.addDays(3));
        form->tarihCheck->click();
        QCOMPARE(listed(form->cirolananceklerQuery), (QList<int>{2, 3}));
        form->basDate->setDate(kToday);
        form->bitDate->setDate(kToday);
        guncelle->click();
        QCOMPARE(listed(form->cirolananceklerQuery), (QList<int>{1}));

        // "Kalan": days from "İşlem tarihi" to the due date.
        form->tarihCheck->click();
        const DatasetGridModel *m = form->FirmaGrid->gridModel();
        const int kalan = m->columnOfField("kalangun");
        QCOMPARE(form->FirmaGrid->model()->index(4, kalan).data().toString(), QStringLiteral("400"));
        form->islemDate->setDate(kToday.addDays(10));
        QCOMPARE(form->FirmaGrid->model()->index(4, kalan).data().toString(), QStringLiteral("390"));
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // Due-date colours, and title clicks flipping the direction.
    void paintingAndSort()
    {
        openFixture();
        form->BankaCheck->click();
        const RowPaintDelegate *painter = form->FirmaGrid->rowPainter();
        QCOMPARE(painter->referenceDay(), kToday);
        const DatasetGridModel *m = form->FirmaGrid->gridModel();
        QMap<int, QColor> colours;
        for (int r = 0; r < m->rowCount(); ++r)
            colours[int(m->rawValue(r, "ciro_cek_ind").toLongLong())] =
                painter->dueColour(FieldValue::asDate(m->rawValue(r, "cek_tarihi")));
        QCOMPARE(colours.value(1), QColor(Qt::red));        // due today
        QCOMPARE(colours.value(2), QColor(Qt::blue));       // tomorrow
        QCOMPARE(colours.value(3), QColor(0, 0x80, 0x80));  // three days later: teal
        QVERIFY(!colours.value(4).isValid());                // four days later: normal
        QVERIFY(!colours.value(7).isValid());

        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QHeaderView *header = form->FirmaGrid->horizontalHeader();
        const auto click = [&](int section) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(section) + 8, header->height() / 2));
            return form->cirolananceklerQuery.sql().last();
        };
        const int tutar = m->columnOfField("cek_tutari");
        QCOMPARE(click(tutar), QStringLiteral("ORDER BY cek_tutari ASC"));
        QCOMPARE(listed(form->cirolananceklerQuery), (QList<int>{2, 4, 1, 3, 7}));
        QCOMPARE(click(tutar), QStringLiteral("ORDER BY cek_tutari DESC"));
        QCOMPARE(listed(form->cirolananceklerQuery), (QList<int>{7, 3, 1, 4, 2}));
        QCOMPARE(form->DBEdit1->text(), QStringLiteral("1.420,00"));
        // "Kalan" is computed: its title orders by the due date.
        QCOMPARE(click(m->columnOfField("kalangun")), QStringLiteral("ORDER BY cek_tarihi ASC"));
        form->button("yenileBut")->click();
        QCOMPARE(form->cirolananceklerQuery.sql().last(), QStringLiteral("ORDER BY cek_tarihi ASC;"));
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // The exit slip register's correction: one slip's rows in their saved order.
    void slipOfTheCorrection()
    {
        openFixture();
        form->button("SKonBut2")->click();
        form->bordroEdit->setText(QStringLiteral("8x"));
        form->DuzeltHazirla();
        QCOMPARE(form->cirolananceklerQuery.sql(),
                 QStringList({"SELECT * FROM cekciro", "WHERE (ciro_bordro_ind=8)", "ORDER BY ciro_cek_ind ASC;"}));
        QCOMPARE(listed(form->cirolananceklerQuery), (QList<int>{3, 4, 8, 9}));
        QCOMPARE(form->DBEdit1->text(), QStringLiteral("1.150,00"));  // the total stays as it was
    }

    // The printout: the title, the memo pair of each printing choice, the total.
    void printout_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("text");
        QTest::newRow("both") << 0 << "ÇEKİ DÜZENLEYEN/ ALINDIĞI FİRMA" << "Düzenleyen 1/ Ege Gıda";
        QTest::newRow("drawer") << 1 << "ÇEKİ DÜZENLEYEN" << "Düzenleyen 1";
        QTest::newRow("account") << 2 << "ALINDIĞI FİRMA" << "Ege Gıda";
    }
    void printout()
    {
        QFETCH(int, choice);
        QFETCH(QString, heading);
        QFETCH(QString, text);
        openFixture();
        TestHome::addCompanyRecord();
        form->printGroup->button(choice)->click();
        form->button("SKonBut2")->click();
        const PreparedReport pages = form->printout().prepare();
        QCOMPARE(pages.pageCount(), 1);
        const QStringList texts = pages.pageTexts(0);
        for (const QString &t : {QStringLiteral("CİROLANAN ÇEK VE SENET LİSTESİ"), QStringLiteral("Öztürk Gıda Ltd. Şti."),
                                 QStringLiteral("İzmir Şubesi"), QStringLiteral("Sayfa 1 / 1"), heading, text,
                                 QStringLiteral("Toplam Çek Tutarı : "), QStringLiteral("1.150,00"),
                                 QStringLiteral("ÇEK VADESİ"), kToday.toString(QStringLiteral("dd.MM.yyyy"))})
            QVERIFY2(texts.contains(t), qPrintable(t + " | " + texts.join(" | ")));
        if (choice == 0) {
            TRaporOnizlemeF preview(pages, TRaporOnizlemeF::kCaption);
            QCOMPARE(preview.windowTitle(), QStringLiteral("Brenvo Rapor Önizleme"));
            preview.resize(1100, 800);
            preview.show();
            QVERIFY(QTest::qWaitForWindowExposed(&preview));
            QVERIFY(preview.grab().save(QStringLiteral("/tmp/tcikisceklerf-preview.png")));
        }
    }

    // Through the application: the main menu builds and shows the list, the exit
    // slip shows it as last built, the bounce goes to the given cheque and the list
    // shows it at once, the documents of the received cheque open, the take-back
    // is handed on with the row's key.
    void throughTheApplication()
    {
        home = std::make_unique<TestHome>();
        Uygulama app;
        home->openCompany(QStringLiteral("A1"), kToday.year());
        insertGivenCheques(kFixture);
        TcikisceklerF *l = app.cikisceklerF();
        QVERIFY(l);
        QAction *menuItem = app.frmMain()->menuItem(QStringLiteral("Cirolanan Çek ve Senet Listeleri"));
        QVERIFY(menuItem && menuItem->isEnabled());
        menuItem->trigger();
        QVERIFY(l->isVisible());
        QCOMPARE(listed(l->cirolananceklerQuery), (QList<int>{1, 2, 7}));
        l->hide();
        // The exit slip's "Ciro Edilen Çekler": as it was, not rebuilt.
        insertGivenCheques({{20, "M1", "Kaya Ltd", 5, "TL", 5, 1}});
        QPushButton *fromSlip = app.cekcikisF()->findChild<QPushButton *>(QStringLiteral("BitBtn3"));
        QVERIFY(fromSlip && fromSlip->isEnabled());
        fromSlip->click();
        QVERIFY(l->isVisible());
        QCOMPARE(listed(l->cirolananceklerQuery), (QList<int>{1, 2, 7}));

        // The bounce, mode "Cirolanan".
        for (QAction *a : l->popupItems) QVERIFY(a->isEnabled());
        QVERIFY(l->cirolananceklerQuery.locate(QStringLiteral("ciro_cek_ind"), 2));
        l->islemDate->setDate(kToday.addDays(-2));
        l->item("karsiliksizItem")->trigger();
        QCOMPARE(TcekkarsiliksizF::karsiliksizKaynak, QStringLiteral("Cirolanan"));
        TcekkarsiliksizF *b = app.receivedOperations()->cekkarsiliksizF();
        QVERIFY(b->isVisible());
        const std::pair<QLineEdit *, const char *> fields[] = {
            {b->tutarEdit, "50,00"}, {b->girisTLEdit, "1.500,00"}, {b->paraEdit, "USD"}, {b->ceknoEdit, "7002"},
            {b->bankasiEdit, "Garanti"}, {b->subesiEdit, "Alsancak"}, {b->kayitnoEdit, "2"}, {b->bordronoEdit, "7"},
            {b->duzenleyenEdit, "Düzenleyen 2"}, {b->kimdenEdit, "O'Brien Ltd"}, {b->kuruEdit, "30"},
            {b->TLEdit, "1.500,00"}, {b->kurfarkiEdit, "0"}};
        for (const auto &[edit, text] : fields) QCOMPARE(edit->text(), QString::fromUtf8(text));
        QCOMPARE(b->vadesiDate->date(), kToday.addDays(1));
        QCOMPARE(b->tarihDate->date(), kToday.addDays(-2));
        if (qEnvironmentVariableIsSet("CEKSENET_SHOTS")) b->grab().save(QStringLiteral("/tmp/karsiliksiz-cirolanan.png"));
        b->actionButton->click();
        QVERIFY(!b->isVisible());
        QCOMPARE(stored("cekciro", "ciro_cek_ind", 2, "cek_karsiliklsiz_tarihi"), kToday.addDays(-2).toString(QStringLiteral("dd.MM.yyyy")));
        QCOMPARE(listed(l->cirolananceklerQuery), (QList<int>{1, 10, 7}));  // rebuilt at once
        l->choiceGroup->button(int(Choice::Karsiliksiz))->click();
        QCOMPARE(listed(l->cirolananceklerQuery), (QList<int>{5, 2}));
        // A bounced row shows its own bounce date.
        QVERIFY(l->cirolananceklerQuery.locate(QStringLiteral("ciro_cek_ind"), 5));
        l->item("karsiliksizItem")->trigger();
        QCOMPARE(b->tarihDate->date(), kToday.addDays(-4));
        QCOMPARE(b->kuruEdit->text(), QStringLiteral("1"));
        b->hide();

        // Documents: those of the received cheque the row was; none found, nothing shows.
        const qint64 received = TestHome::insertRow(company(), QStringLiteral("cekgiris"),
                                                    {{"bordro_ind", 1}, {"cek_tarihi", kToday}, {"cek_tutari", 30.0}});
        {
            Table t(&company(), QStringLiteral("cekciro"));
            t.open();
            QVERIFY(t.locate(QStringLiteral("ciro_cek_ind"), 5));
            t.edit();
            t.field("cek_giris_id") = received;
            t.post();
        }
        l->CiroCekleriHazirla();
        QVERIFY(l->cirolananceklerQuery.locate(QStringLiteral("ciro_cek_ind"), 2));  // cek_giris_id 102: no such cheque
        l->item("evrakItem")->trigger();
        QVERIFY(!app.resimF()->isVisible());
        QVERIFY(l->cirolananceklerQuery.locate(QStringLiteral("ciro_cek_ind"), 5));
        l->item("evrakItem")->trigger();
        QVERIFY(app.resimF()->isVisible());
        app.resimF()->hide();

        // The take-back: handed on with the given cheque's key to the take-back window.
        QVERIFY(l->item("iadeAlItem")->isEnabled());
        QSignalSpy spy(l, &TcikisceklerF::takeBackRequested);
        l->item("iadeAlItem")->trigger();
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.first().first().toLongLong(), 5);
        QVERIFY(app.cekiadeverilenF()->isVisible());
        QCOMPARE(TcekiadeverilenF::verilenIadeTuru, QStringLiteral("Cirolanan"));
        app.cekiadeverilenF()->hide();
        l->hide();
        QCOMPARE(MessageBox::shown().size(), 0);
    }

    // The issued lists' "Çeki Karşılıksız Yap": the bounce window in mode
    // "Duzenlenen" on the own cheque, and the issued list rebuilt at once.
    void bounceOfAnOwnCheque()
    {
        home = std::make_unique<TestHome>();
        Uygulama app;
        home->openCompany(QStringLiteral("A1"), kToday.year());
        const qint64 own = TestHome::insertRow(
            company(), QStringLiteral("cekkendi"),
            {{"bordro_ind", 4}, {"cirolandigi_firma_kodu", QStringLiteral("S1")}, {"cirolandigi_firma", QStringLiteral("Kaya Ltd")},
             {"cek_tarihi", kToday.addDays(9)}, {"para_birimi", QStringLiteral("TL")}, {"cek_tutari", 1234.5},
             {"ceki_duzenleyen", QStringLiteral("Öztürk Gıda")}, {"cek_bankasi", QStringLiteral("Ziraat")},
             {"cek_subesi", QStringLiteral("Konak")}, {"cek_no", QStringLiteral("A-1")}});
        TduzenlenenceklerF *issued = app.duzenlenenceklerF();
        issued->Yenile();
        QVERIFY(issued->duzenlenenQuery.locate(QStringLiteral("cek_ind"), own));
        QAction *bounceItem = issued->findChild<QAction *>(QStringLiteral("karsiliksizItem"));
        QVERIFY(bounceItem && bounceItem->isEnabled());
        bounceItem->trigger();
        QCOMPARE(TcekkarsiliksizF::karsiliksizKaynak, QStringLiteral("Duzenlenen"));
        TcekkarsiliksizF *b = app.receivedOperations()->cekkarsiliksizF();
        QVERIFY(b->isVisible());
        const std::pair<QLineEdit *, QString> fields[] = {
            {b->tutarEdit, "1.234,50"}, {b->girisTLEdit, "0,00"}, {b->paraEdit, "TL"}, {b->ceknoEdit, "A-1"},
            {b->bankasiEdit, "Ziraat"}, {b->subesiEdit, "Konak"}, {b->kayitnoEdit, QString::number(own)},
            {b->bordronoEdit, "4"}, {b->duzenleyenEdit, "Öztürk Gıda"}, {b->kimdenEdit, "Kaya Ltd"},
            {b->kuruEdit, ""}, {b->TLEdit, ""}, {b->kurfarkiEdit, "0"}};
        for (const auto &[edit, text] : fields) QCOMPARE(edit->text(), text);
        QCOMPARE(b->tarihDate->date(), kToday);
        QCOMPARE(b->vadesiDate->date(), kToday.addDays(9));
        b->actionButton->click();
        QVERIFY(!b->isVisible());
        QCOMPARE(stored("cekkendi", "cek_ind", own, "cek_karsiliklsiz_tarihi"), kToday.toString(QStringLiteral("dd.MM.yyyy")));
        QVERIFY(issued->duzenlenenQuery.isActive());
        QCOMPARE(issued->duzenlenenQuery.recordCount(), 0);  // no longer to be paid
        QCOMPARE(MessageBox::shown().size(), 0);
    }

    void screenshot()
    {
        openFixture();
        form->BankaCheck->click();
        form->setWindowState(Qt::WindowNoState);
        form->resize(1366, 740);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QVERIFY(form->grab().save(QStringLiteral("/tmp/tcikisceklerf.png")));
    }
};

QTEST_MAIN(TestGivenLists)
#include "test_given_lists.moc"
