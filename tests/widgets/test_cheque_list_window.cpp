// The cheque list shell under a window described otherwise than the received lists:
// bare conditions, one name field, two refresh buttons, no printing choice.
#include "accounts/account_picker.h"
#include "data/data_context.h"
#include "data/table.h"
#include "reports/layout_common.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "lists/cheque_list_window.h"
#include "widgets/dataset_grid.h"
#include "widgets/message_box.h"

#include <QAbstractItemModelTester>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

ReportLayout ownChequesLayout()
{
    const QString q = QStringLiteral("duzenlenenQuery");
    const ReportColumn firma{59, {QStringLiteral("DÜZENLENDİĞİ FİRMA")}, {datasetField(q, QStringLiteral("cirolandigi_firma"))}};
    return chequeListLayout(QStringLiteral("DÜZENLENEN ÇEKLER"), q, QStringLiteral("duzenlenencekToplamQuery"), firma);
}

class OwnChequeList : public ChequeListWindow {
public:
    OwnChequeList() : ChequeListWindow(describe()) {}

    static Description describe()
    {
        Description d;
        d.objectName = QStringLiteral("TestListeF");
        d.caption = QStringLiteral("Brenvo Çek Senet Takip - Deneme");
        d.heading = QStringLiteral("Deneme Listesi");
        d.nameLabel = QStringLiteral("Firma Adı");
        d.pickerContext = QStringLiteral("denemeliste");
        d.shape = {QStringLiteral("cekkendi"), QStringLiteral("bordro_ind"), QStringLiteral("cirolandigi_firma_kodu"),
                   {QStringLiteral("cirolandigi_firma")}, true};
        d.stateTexts = {QStringLiteral("Ödenecek Çekler"), QStringLiteral("Ödenen Çekler"), QStringLiteral("Tümü")};
        d.printChoices = false;
        d.buttons = {{"SKonBut2", QStringLiteral("GÜNCELLE"), ButtonRole::Refresh},
                     {"yenileBut", QStringLiteral("YENİLE"), ButtonRole::Refresh},
                     {"SpeedButton2", QStringLiteral("YAZDIR"), ButtonRole::Print},
                     {"kapatButton", QStringLiteral("KAPAT"), ButtonRole::Close}};
        d.gridName = QStringLiteral("FirmaGrid");
        d.columns = {gridColumn("cek_ind", "Sıra", 50), gridColumn("cek_tarihi", "Çek Vade", 80, "dd.mm.yyyy"),
                     gridColumn("cek_tutari", "Tutarı", 90, "#,##0.00"), gridColumn("cirolandigi_firma", "Verildiği Firma", 150)};
        d.listQuery = QStringLiteral("duzenlenenQuery");
        d.totalQuery = QStringLiteral("duzenlenencekToplamQuery");
        d.monthlyQuery = QStringLiteral("AylikGrupDuzenlenenQuery");
        d.totalEditName = QStringLiteral("DBEdit1");
        d.popupItems = {{"odemeItem", QStringLiteral("Ödeme Yap")}};
        d.layout = ownChequesLayout;
        return d;
    }

protected:
    QStringList stateLines() const override
    {
        static const QStringList states = {QStringLiteral("WHERE cek_ind IS NOT NULL AND cek_tahsilat_tarihi IS NULL"),
                                           QStringLiteral("WHERE cek_tahsilat_tarihi IS NOT NULL"),
                                           QStringLiteral("WHERE cek_ind IS NOT NULL")};
        return {states[stateChoice()]};
    }
};

struct OwnCheque {
    QString firma;
    QDate vade;
    QString para;
    double tutar;
    QDate odeme;
};

void insertOwnCheques(const QList<OwnCheque> &cheques)
{
    Table t(&DataContext::instance().ADOConnection1, QStringLiteral("cekkendi"));
    t.open();
    for (const OwnCheque &c : cheques) {
        t.append();
        t.field("bordro_ind") = 4;
        t.field("cirolandigi_firma_kodu") = QStringLiteral("S1");
        t.field("cirolandigi_firma") = c.firma;
        t.field("cek_tarihi") = c.vade;
        t.field("para_birimi") = c.para;
        t.field("cek_tutari") = c.tutar;
        t.field("cek_tahsilat_tarihi") = c.odeme.isValid() ? QVariant(c.odeme) : QVariant();
        t.post();
    }
}

QList<int> listed(Query &q)
{
    QList<int> ids;
    for (int r = 0; r < q.recordCount(); ++r) ids << q.recordAt(r).asInteger(QStringLiteral("cek_ind"));
    return ids;
}

} // namespace

class TestChequeListWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { MessageBox::clearShown(); }
    void cleanup() { AccountPicker::reset(); }

    void describedWindow()
    {
        TestHome home;
        home.openCompany(QStringLiteral("A1"), 2024);
        TestHome::addCompanyRecord();
        insertOwnCheques({{QStringLiteral("O'Brien Ltd"), {2024, 3, 5}, "TL", 100, {}},
                          {QStringLiteral("Kaya Ltd"), {2024, 4, 1}, "USD", 50, {2024, 4, 1}},
                          {QStringLiteral("Kaya Ltd"), {2024, 3, 20}, "TL", 30.5, {}}});
        auto w = std::make_unique<OwnChequeList>();
        QAbstractItemModelTester tester(w->listGrid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);

        QCOMPARE(w->objectName(), QStringLiteral("TestListeF"));
        QCOMPARE(w->listGrid->objectName(), QStringLiteral("FirmaGrid"));
        QCOMPARE(w->toplamEdit->objectName(), QStringLiteral("DBEdit1"));
        QCOMPARE(w->guncelleButton, w->button("SKonBut2"));
        QCOMPARE(w->yazdirButton, w->button("SpeedButton2"));
        QVERIFY(!w->RadioGroup2);
        QCOMPARE(w->popupItems.size(), 1);

        // Each refresh button rebuilds; a state click rebuilds at once.
        w->button("yenileBut")->click();
        QCOMPARE(listed(w->listQuery), (QList<int>{1, 3}));
        QCOMPARE(w->toplamEdit->text(), QStringLiteral("130,50"));
        QCOMPARE(w->JvDBGrid1->model()->index(0, 1).data().toString(), QStringLiteral("Mart"));
        w->choiceGroup->button(1)->click();
        QCOMPARE(listed(w->listQuery), (QList<int>{2}));
        w->choiceGroup->button(2)->click();
        type(w->firmaadiEdit, QStringLiteral("o'brien"));
        w->guncelleButton->click();
        QCOMPARE(listed(w->listQuery), (QList<int>{1}));
        QCOMPARE(w->listQuery.sql().at(2), QStringLiteral("AND (cirolandigi_firma LIKE '%o''brien%')"));
        QVERIFY2(MessageBox::shown().isEmpty(), qPrintable(w->listQuery.sqlText()));

        // The printout binds the window's own query names; no printing choice is needed.
        const PreparedReport pages = w->printout().prepare();
        QCOMPARE(pages.pageCount(), 1);
        const QStringList texts = pages.pageTexts(0);
        for (const char *text : {"DÜZENLENEN ÇEKLER", "O'Brien Ltd", "Toplam Çek Tutarı : ", "100,00", "Sayfa 1 / 1"})
            QVERIFY2(texts.contains(QString::fromUtf8(text)), text);

        // The picker's hand-off fills both edits, and ends with the window.
        AccountPicker::cariSecimYeri() = QStringLiteral("denemeliste");
        PickedAccount card;
        card.kodu = QStringLiteral("S2");
        card.adi = QStringLiteral("Deniz Ticaret");
        QCOMPARE(AccountPicker::handOver(card), AccountPicker::Outcome::HandedOver);
        QCOMPARE(w->firmaEdit->text(), QStringLiteral("S2"));
        QCOMPARE(w->firmaadiEdit->text(), QStringLiteral("Deniz Ticaret"));
        w.reset();
        QCOMPARE(AccountPicker::handOver(card), AccountPicker::Outcome::NoTarget);
    }
};

QTEST_MAIN(TestChequeListWindow)
#include "test_cheque_list_window.moc"
