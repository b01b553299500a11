// The movement writer: every posting to an account goes through it, finding the
// earlier movement by its key, writing only the fields given, inside the caller's
// transaction.
#include "accounts/cheque_return.h"
#include "accounts/movement_writer.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/query.h"
#include "data/transaction.h"
#include "support/test_home.h"

#include <QtTest>

namespace {

DataContext &ctx() { return DataContext::instance(); }
Connection &cash() { return ctx().kasaConnection; }

QVariantList movement(qint64 chid, const QStringList &fields)
{
    Query q(&cash());
    q.sql() << QStringLiteral("SELECT %1 FROM carihareket WHERE chid=%2").arg(fields.join(u','), QString::number(chid));
    q.open();
    QVariantList out;
    if (q.isEmpty()) return out;
    for (const QString &f : fields) out << q.field(f).value();
    return out;
}

qint64 count() { return TestHome::countRows(cash(), QStringLiteral("carihareket")); }

} // namespace

class TestMovementWriter : public QObject {
    Q_OBJECT
private slots:
    void appendsThenEditsByItsKey();
    void keysOfSeveralFieldsAndEmptyValues();
    void onlyTheFieldsGivenAreWritten();
    void postsInsideTheCallersTransaction();
    void quotedTextsAndUnknownFields();
    void removesOnlyItsKey();
    void returnsKeepTheirKind();
};

void TestMovementWriter::appendsThenEditsByItsKey()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    using MovementWriter::post;
    const MovementWriter::Fields key{{"nakit_id", 7}};
    const auto first = post(cash(), key, {{"cari_kodu", "K1"}, {"borc_tutari", 100.0}, {"islem_tarihi", QDate(2024, 1, 10)}});
    QVERIFY(first.appended);
    QCOMPARE(movement(first.id, {"nakit_id", "cari_kodu", "borc_tutari"}), (QVariantList{7, "K1", 100.0}));
    const auto second = post(cash(), key, {{"borc_tutari", 250.5}});
    QVERIFY(!second.appended);
    QCOMPARE(second.id, first.id);
    QCOMPARE(count(), 1);
    // Another link value appends; an empty key always appends.
    QVERIFY(post(cash(), {{"nakit_id", 8}}, {{"borc_tutari", 1.0}}).appended);
    QVERIFY(post(cash(), {}, {{"borc_tutari", 1.0}}).appended);
    QVERIFY(post(cash(), {}, {{"borc_tutari", 1.0}}).appended);
    QCOMPARE(count(), 4);
    QCOMPARE(movement(first.id, {"cari_kodu", "borc_tutari", "islem_tarihi"}),
             (QVariantList{"K1", 250.5, QDate(2024, 1, 10)}));
}

void TestMovementWriter::keysOfSeveralFieldsAndEmptyValues()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    using MovementWriter::post;
    // Carry-over rows are found by code, series and currency together.
    const auto key = [](const char *code, const char *currency) {
        return MovementWriter::Fields{{"cari_kodu", code}, {"fatura_seri", "DEVİR"}, {"doviz_cinsi", currency}};
    };
    const qint64 tl = post(cash(), key("K1", "TL"), {{"borc_tutari", 600.0}}).id;
    const qint64 usd = post(cash(), key("K1", "USD"), {{"alacak_tutari", 50.0}}).id;
    QVERIFY(tl != usd);
    QCOMPARE(post(cash(), key("K1", "USD"), {{"alacak_tutari", 55.0}}).id, usd);
    QCOMPARE(movement(usd, {"cari_kodu", "fatura_seri", "doviz_cinsi", "alacak_tutari", "borc_tutari"}),
             (QVariantList{"K1", "DEVİR", "USD", 55.0, QVariant()}));
    // An empty key value matches an empty field, not any field.
    const qint64 loose = post(cash(), {{"cari_kodu", "K2"}, {"fatura_seri", QVariant()}}, {{"borc_tutari", 1.0}}).id;
    QCOMPARE(post(cash(), {{"cari_kodu", "K2"}, {"fatura_seri", QVariant()}}, {{"borc_tutari", 2.0}}).id, loose);
    QVERIFY(post(cash(), {{"cari_kodu", "K2"}, {"fatura_seri", "X"}}, {{"borc_tutari", 3.0}}).id != loose);
    QCOMPARE(count(), 4);
}

void TestMovementWriter::onlyTheFieldsGivenAreWritten()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const qint64 id = TestHome::insertRow(cash(), QStringLiteral("carihareket"),
                                          {{"cek_iade_id", 12}, {"aciklama", "elle yazılan"}, {"doviz_borc", 75.0}});
    MovementWriter::post(cash(), {{"cek_iade_id", 12}}, {{"borc_tutari", 10.0}, {"doviz_borc", QVariant()}});
    QCOMPARE(movement(id, {"aciklama", "borc_tutari", "doviz_borc", "cek_iade_id"}),
             (QVariantList{"elle yazılan", 10.0, QVariant(), 12}));
}

void TestMovementWriter::postsInsideTheCallersTransaction()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    try {
        TransactionScope tx{&ctx().ADOConnection1, &cash()};
        MovementWriter::post(cash(), {{"cek_id", 3}}, {{"borc_tutari", 10.0}});
        throw EngineError(QStringLiteral("durdu"));
    } catch (const EngineError &) {
    }
    QCOMPARE(count(), 0);
    {
        TransactionScope tx{&ctx().ADOConnection1, &cash()};
        MovementWriter::post(cash(), {{"cek_id", 3}}, {{"borc_tutari", 10.0}});
        tx.commit();
    }
    QCOMPARE(count(), 1);
}

void TestMovementWriter::quotedTextsAndUnknownFields()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    const MovementWriter::Fields key{{"cari_kodu", "O'NEIL"}, {"fatura_seri", "DEVİR"}};
    const qint64 id = MovementWriter::post(cash(), key, {{"cari_hesap_adi", "O'Neil \"Ltd\""}}).id;
    QCOMPARE(MovementWriter::post(cash(), key, {{"borc_tutari", 5.0}}).id, id);
    QCOMPARE(movement(id, {"cari_kodu", "cari_hesap_adi"}), (QVariantList{"O'NEIL", "O'Neil \"Ltd\""}));
    QVERIFY_THROWS_EXCEPTION(EngineError, MovementWriter::post(cash(), {}, {{"yok_boyle", 1}}));
    QVERIFY_THROWS_EXCEPTION(EngineError, MovementWriter::post(cash(), {}, {{"borc_tutari", "abc"}}));
    QCOMPARE(count(), 1);
}

void TestMovementWriter::removesOnlyItsKey()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    for (int id : {1, 1, 2}) MovementWriter::post(cash(), {}, {{"cek_ciro_id", id}});
    QCOMPARE(MovementWriter::remove(cash(), {}), 0);  // an empty key removes nothing
    QCOMPARE(MovementWriter::remove(cash(), {{"cek_ciro_id", 1}}), 2);
    QCOMPARE(MovementWriter::remove(cash(), {{"cek_ciro_id", 1}}), 0);
    QCOMPARE(count(), 1);
}

void TestMovementWriter::returnsKeepTheirKind()
{
    TestHome home;
    home.openCompany(QStringLiteral("A1"), 2024);
    using namespace ChequeReturn;
    // The same record number for a received cheque's return and a given cheque's take-back.
    const qint64 ret = MovementWriter::post(cash(), movementKey(7, Kind::Received), {{"borc_tutari", 100.0}}).id;
    const qint64 back = MovementWriter::post(cash(), movementKey(7, Kind::Given), {{"alacak_tutari", 50.0}}).id;
    QVERIFY(ret != back);
    QCOMPARE(MovementWriter::post(cash(), movementKey(7, Kind::Received), {{"borc_tutari", 120.0}}).id, ret);
    QCOMPARE(movement(back, {"alacak_tutari", "bosint1"}), (QVariantList{50.0, 2}));

    const QDate due(2024, 4, 15);
    const struct {
        const char *bank, *number;
        const char *text;
    } cases[] = {{"Garanti", "A-100", "Garanti A-100 15.04.2024 Vadeli Çek İadesi"},
                 {"", "A-100", "A-100 15.04.2024 Vadeli Çek İadesi"},
                 {"Garanti", " ", "Garanti 15.04.2024 Vadeli Çek İadesi"},
                 {"", "", "15.04.2024 Vadeli Çek İadesi"}};
    for (const auto &c : cases)
        QCOMPARE(description(QString::fromUtf8(c.bank), QString::fromUtf8(c.number), due, kReturnSuffix),
                 QString::fromUtf8(c.text));
    QCOMPARE(description("", "", due, kCollectionSuffix), QStringLiteral("15.04.2024 Vadeli Çek Tahsilatı"));
}

QTEST_MAIN(TestMovementWriter)
#include "test_movement_writer.moc"
