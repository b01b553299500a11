#include "check/data_check.h"

#include "check/check_files.h"
#include "data/cheque_state.h"
#include "data/display_format.h"
#include "data/program_home.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <cmath>
#include <cstdio>
#include <sqlite3.h>

namespace DataCheck {
namespace {

const QString kOpeningMark = QStringLiteral("DEVİR");

// Amounts are compared to the kuruş: sums of doubles differ in the last bits.
bool differs(double a, double b) { return std::fabs(a - b) > 0.005; }
QString money(double v) { return formatFloat(QStringLiteral("#,##0.00"), v); }

struct EntrySlipRow {
    double total = 0;
    double rowSum = 0;
    int rows = 0;
    QString code;
};
struct ExitSlipRow {
    double total = 0;
    double rowSum = 0;
    int rows = 0;
    QString code;
};
struct ReceivedRow {
    qint64 key = 0, slip = 0, exitSlip = 0;
    bool collected = false, returned = false, bounced = false, atBank = false;
    QString chequeNo;
};
struct Movement {
    const CheckFiles::File *file = nullptr;
    qint64 chid = 0;
    double gross = 0;
    QString code;
};

using PairKey = QPair<qint64, qint64>;

// The company file's cheques and slips, as the checks need them.
struct Company {
    QMap<qint64, EntrySlipRow> entrySlips;
    QMap<qint64, ExitSlipRow> exitSlips;
    QVector<ReceivedRow> received;
    QSet<qint64> receivedKeys, givenKeys, ownKeys;
    // (received cheque, exit slip) -> whether a given row of it is still out (not taken back)
    QHash<PairKey, bool> givenOut;
};

// Running sums of one year file: balances and its own opening rows.
struct YearSums {
    QHash<QString, double> cash, cashOpening;        // by currency
    QHash<QString, double> account, accountOpening;  // by code + 0x1F + currency
    bool hasOpening = false;
};

QString accountKey(const QString &code, const QString &currency) { return code + QChar(0x1F) + currency; }

class Checker {
public:
    Checker(const QString &home, const QString &code, const Progress &progress)
        : m_home(home), m_code(code), m_progress(progress)
    {
    }
    Result run();

private:
    bool step(const QString &name);
    void add(Kind kind, const CheckFiles::File &f, const QString &table, qint64 key, const QString &text,
             const QString &account = QString())
    {
        m_result.findings.append(Finding{kind, f.relative, f.year, table, key, account, text});
    }
    bool checkFile(CheckFiles::File &f);
    void readCompany(const CheckFiles::File &f);
    void readYear(const CheckFiles::File &f, YearSums &sums);
    void checkSlipMovements(const CheckFiles::File &company);
    void checkOpenings(const QList<CheckFiles::File *> &years);

    QString m_home, m_code;
    Progress m_progress;
    Result m_result;
    int m_done = 0, m_total = 0;
    Company m_company;
    QHash<qint64, QVector<Movement>> m_entryMoves, m_exitMoves;
    QHash<PairKey, QVector<Movement>> m_operationMoves;  // (kind, record) -> movements
    QHash<qint64, QVector<QPair<const CheckFiles::File *, qint64>>> m_cashByCheque;
    QMap<int, YearSums> m_sums;
};

bool Checker::step(const QString &name)
{
    if (m_progress && !m_progress(m_done, m_total, name)) {
        m_result.stopped = true;
        return false;
    }
    ++m_done;
    return true;
}

// integrity_check and foreign_key_check; false when the file cannot be read at all.
bool Checker::checkFile(CheckFiles::File &f)
{
    QString error;
    if (!f.open(&error)) {
        add(Kind::FileDamaged, f, QString(), 0, QStringLiteral("Dosya açılamadı: %1").arg(error));
        return false;
    }
    try {
        QStringList problems;
        f.rows("PRAGMA integrity_check", [&](sqlite3_stmt *st) {
            const QString msg = CheckFiles::text(st, 0);
            if (msg != QLatin1String("ok")) problems << msg;
        });
        for (const QString &p : problems.mid(0, 20))
            add(Kind::FileDamaged, f, QString(), 0, QStringLiteral("Dosya bütünlük denetimi: %1").arg(p));
        f.rows("PRAGMA foreign_key_check", [&](sqlite3_stmt *st) {
            add(Kind::ForeignKey, f, CheckFiles::text(st, 0), sqlite3_column_int64(st, 1),
                QStringLiteral("Bağlı kayıt bulunamadı (%1 tablosu)").arg(CheckFiles::text(st, 2)));
        });
        return problems.isEmpty();
    } catch (const CheckFiles::ReadError &e) {
        add(Kind::FileDamaged, f, QString(), 0, QStringLiteral("Dosya okunamadı: %1").arg(e.message));
        return false;
    }
}

void Checker::readCompany(const CheckFiles::File &f)
{
    using CheckFiles::real;
    using CheckFiles::integer;
    using CheckFiles::isSet;
    using CheckFiles::text;
    Company &c = m_company;
    f.rows("SELECT bordro_ind, toplam_tutari, alindigi_firma_kodu FROM cekbordro", [&](sqlite3_stmt *st) {
        c.entrySlips.insert(integer(st, 0), EntrySlipRow{real(st, 1), 0, 0, text(st, 2)});
    });
    f.rows("SELECT bordro_ind, toplam_tutari, ciro_firma_kodu FROM cikisbordro", [&](sqlite3_stmt *st) {
        c.exitSlips.insert(integer(st, 0), ExitSlipRow{real(st, 1), 0, 0, text(st, 2)});
    });
    f.rows("SELECT ciro_cek_ind, ciro_bordro_ind, cek_giris_id, cek_tutari, cek_iade_tarihi FROM cekciro",
           [&](sqlite3_stmt *st) {
               const qint64 key = integer(st, 0), slip = integer(st, 1), entry = integer(st, 2);
               c.givenKeys.insert(key);
               auto it = c.exitSlips.find(slip);
               if (it == c.exitSlips.end()) {
                   add(Kind::RowWithoutSlip, f, QStringLiteral("cekciro"), key,
                       QStringLiteral("Verilen çekin çıkış bordrosu (%1) bulunamadı").arg(slip));
               } else {
                   it->rowSum += real(st, 3);
                   ++it->rows;
               }
               if (entry > 0) {
                   bool &out = c.givenOut[{entry, slip}];
                   out = out || !isSet(st, 4);
               }
           });
    f.rows("SELECT cek_ind, bordro_ind, cek_tutari, cek_tahsilat_tarihi, cek_iade_tarihi, cek_karsiliklsiz_tarihi, "
           "cek_no FROM cekkendi",
           [&](sqlite3_stmt *st) {
               const qint64 key = integer(st, 0), slip = integer(st, 1);
               c.ownKeys.insert(key);
               auto it = c.exitSlips.find(slip);
               if (it == c.exitSlips.end()) {
                   add(Kind::RowWithoutSlip, f, QStringLiteral("cekkendi"), key,
                       QStringLiteral("Kendi çekinin çıkış bordrosu (%1) bulunamadı").arg(slip));
               } else {
                   it->rowSum += real(st, 2);
                   ++it->rows;
               }
               const bool paid = isSet(st, 3);
               if (paid && (isSet(st, 4) || isSet(st, 5)))
                   add(Kind::ChequeContradiction, f, QStringLiteral("cekkendi"), key,
                       QStringLiteral("%1 nolu kendi çeki hem ödenmiş hem %2 görünüyor")
                           .arg(text(st, 6), isSet(st, 4) ? QStringLiteral("geri alınmış") : QStringLiteral("karşılıksız")));
           });
    f.rows("SELECT cek_ind, bordro_ind, cek_tutari, cek_ciro_id, cek_tahsilat_tarihi, cek_iade_tarihi, "
           "cek_karsiliklsiz_tarihi, cek_banka_tarihi, cek_no FROM cekgiris",
           [&](sqlite3_stmt *st) {
               ReceivedRow r;
               r.key = integer(st, 0);
               r.slip = integer(st, 1);
               r.exitSlip = integer(st, 3);
               r.collected = isSet(st, 4);
               r.returned = isSet(st, 5);
               r.bounced = isSet(st, 6);
               r.atBank = isSet(st, 7);
               r.chequeNo = text(st, 8);
               c.receivedKeys.insert(r.key);
               auto it = c.entrySlips.find(r.slip);
               if (it == c.entrySlips.end()) {
                   add(Kind::RowWithoutSlip, f, QStringLiteral("cekgiris"), r.key,
                       QStringLiteral("%1 nolu çekin giriş bordrosu (%2) bulunamadı").arg(r.chequeNo).arg(r.slip));
               } else {
                   it->rowSum += real(st, 2);
                   ++it->rows;
               }
               c.received.append(r);
           });

    // The received cheques' marks, against each other and against the given rows.
    for (const ReceivedRow &r : std::as_const(c.received)) {
        const QString no = r.chequeNo.isEmpty() ? QString::number(r.key) : r.chequeNo;
        const bool endorsed = r.exitSlip > 0;
        QStringList both;
        if (r.collected && endorsed && !r.atBank) both << QStringLiteral("tahsil edilmiş ve ciro edilmiş");
        if (r.collected && r.returned) both << QStringLiteral("tahsil edilmiş ve iade edilmiş");
        if (r.collected && r.bounced) both << QStringLiteral("tahsil edilmiş ve karşılıksız");
        if (r.returned && endorsed) both << QStringLiteral("iade edilmiş ve çıkışı yapılmış");
        if (!both.isEmpty()) {
            // The lists and the operations read the strongest mark; say which that is.
            const auto fields = [&r](const char *field) -> QVariant {
                const QByteArray name(field);
                const bool set = name == "cek_iade_tarihi" ? r.returned
                                 : name == "cek_karsiliklsiz_tarihi" ? r.bounced
                                 : name == "cek_tahsilat_tarihi" ? r.collected
                                 : name == "cek_banka_tarihi" ? r.atBank
                                 : name == "cek_ciro_id" ? r.exitSlip > 0
                                                         : false;
                return set ? QVariant(1) : QVariant();
            };
            const QString read = ChequeState::receivedText(ChequeState::receivedState(fields));
            for (const QString &b : both)
                add(Kind::ChequeContradiction, f, QStringLiteral("cekgiris"), r.key,
                    QStringLiteral("%1 nolu çek hem %2 görünüyor; listelerde %3 olarak çıkar").arg(no, b, read));
        }
        if (!endorsed) continue;
        const auto given = c.givenOut.constFind({r.key, r.exitSlip});
        if (given == c.givenOut.constEnd())
            add(Kind::EndorsedWithoutGiven, f, QStringLiteral("cekgiris"), r.key,
                QStringLiteral("%1 nolu çek %2 nolu çıkış bordrosunda görünüyor, bordroda satırı yok").arg(no).arg(r.exitSlip));
        else if (!*given)
            add(Kind::ChequeContradiction, f, QStringLiteral("cekgiris"), r.key,
                QStringLiteral("%1 nolu çek %2 nolu çıkış bordrosunda görünüyor, verilen çek geri alınmış").arg(no).arg(r.exitSlip));
    }
    for (auto it = c.givenOut.constBegin(); it != c.givenOut.constEnd(); ++it)
        if (!c.receivedKeys.contains(it.key().first))
            add(Kind::GivenWithoutReceived, f, QStringLiteral("cekgiris"), it.key().first,
                QStringLiteral("%1 nolu çıkış bordrosundaki çekin alınan çek kaydı (%2) bulunamadı")
                    .arg(it.key().second).arg(it.key().first));

    for (auto it = c.entrySlips.constBegin(); it != c.entrySlips.constEnd(); ++it)
        if (differs(it->total, it->rowSum))
            add(Kind::SlipTotals, f, QStringLiteral("cekbordro"), it.key(),
                QStringLiteral("%1 nolu giriş bordrosunun toplamı %2, çeklerinin toplamı %3 (%4 çek)")
                    .arg(it.key()).arg(money(it->total), money(it->rowSum)).arg(it->rows),
                it->code);
    for (auto it = c.exitSlips.constBegin(); it != c.exitSlips.constEnd(); ++it)
        if (differs(it->total, it->rowSum))
            add(Kind::SlipTotals, f, QStringLiteral("cikisbordro"), it.key(),
                QStringLiteral("%1 nolu çıkış bordrosunun toplamı %2, çeklerinin toplamı %3 (%4 çek)")
                    .arg(it.key()).arg(money(it->total), money(it->rowSum)).arg(it->rows),
                it->code);
}

void Checker::readYear(const CheckFiles::File &f, YearSums &sums)
{
    using CheckFiles::integer;
    using CheckFiles::real;
    using CheckFiles::text;
    QSet<qint64> cashRows;
    f.rows("SELECT nid, cekid, borc_tutar, alacak_tutar, doviz_cinsi, neden FROM nakit", [&](sqlite3_stmt *st) {
        const qint64 nid = integer(st, 0), cheque = integer(st, 1);
        cashRows.insert(nid);
        const double balance = real(st, 2) - real(st, 3);
        const QString currency = text(st, 4);
        sums.cash[currency] += balance;
        if (text(st, 5) == kOpeningMark) {
            sums.cashOpening[currency] += balance;
            sums.hasOpening = true;
        }
        if (cheque <= 0) return;
        m_cashByCheque[cheque].append({&f, nid});
        if (!m_company.receivedKeys.contains(cheque))
            add(Kind::CashWithoutCheque, f, QStringLiteral("nakit"), nid,
                QStringLiteral("Kasa satırının tahsil ettiği çek (%1) bulunamadı").arg(cheque));
    });
    f.rows("SELECT chid, cari_kodu, doviz_cinsi, borc_tutari, alacak_tutari, brut_tutar, cek_id, cek_ciro_id, "
           "cek_iade_id, bosint1, nakit_id, fatura_seri FROM carihareket",
           [&](sqlite3_stmt *st) {
               const qint64 chid = integer(st, 0);
               const QString code = text(st, 1);
               const QString key = accountKey(code, text(st, 2));
               const double balance = real(st, 3) - real(st, 4);
               sums.account[key] += balance;
               if (text(st, 11) == kOpeningMark) {
                   sums.accountOpening[key] += balance;
                   sums.hasOpening = true;
               }
               const Movement m{&f, chid, real(st, 5), code};
               if (const qint64 slip = integer(st, 6); slip > 0) m_entryMoves[slip].append(m);
               if (const qint64 slip = integer(st, 7); slip > 0) m_exitMoves[slip].append(m);
               if (const qint64 record = integer(st, 8); record > 0) {
                   const qint64 kind = integer(st, 9);
                   if (kind >= 1 && kind <= 3) m_operationMoves[{kind, record}].append(m);
               }
               if (const qint64 cash = integer(st, 10); cash > 0 && !cashRows.contains(cash))
                   add(Kind::MovementWithoutCash, f, QStringLiteral("carihareket"), chid,
                       QStringLiteral("Hareketin kasa satırı (%1) bulunamadı").arg(cash), code);
           });
}

QString where(const QVector<Movement> &moves)
{
    QStringList out;
    for (const Movement &m : moves) out << QStringLiteral("%1 yılı hareket %2").arg(m.file->year).arg(m.chid);
    return out.join(QStringLiteral(", "));
}

void Checker::checkSlipMovements(const CheckFiles::File &company)
{
    struct Side {
        const char *table;
        const char *words;
        const QHash<qint64, QVector<Movement>> &moves;
    };
    const auto check = [&](const Side &side, qint64 slip, double total, const QString &code) {
        const QVector<Movement> moves = side.moves.value(slip);
        const QString table = QString::fromLatin1(side.table);
        const QString words = QString::fromUtf8(side.words);
        if (moves.isEmpty()) {
            add(Kind::SlipMovementMissing, company, table, slip,
                QStringLiteral("%1 nolu %2 cari hareketi bulunamadı").arg(slip).arg(words), code);
        } else if (moves.size() > 1) {
            add(Kind::SlipMovementTwice, company, table, slip,
                QStringLiteral("%1 nolu %2 cari hareketi %3 kez var (%4)").arg(slip).arg(words).arg(moves.size()).arg(where(moves)),
                code);
        } else if (differs(moves.first().gross, total)) {
            add(Kind::MovementAmount, *moves.first().file, QStringLiteral("carihareket"), moves.first().chid,
                QStringLiteral("%1 nolu %2 toplamı %3, cari hareketinin tutarı %4")
                    .arg(slip).arg(words, money(total), money(moves.first().gross)),
                moves.first().code);
        }
    };
    const Side entry{"cekbordro", "giriş bordrosunun", m_entryMoves};
    const Side exit{"cikisbordro", "çıkış bordrosunun", m_exitMoves};
    for (auto it = m_company.entrySlips.constBegin(); it != m_company.entrySlips.constEnd(); ++it)
        check(entry, it.key(), it->total, it->code);
    for (auto it = m_company.exitSlips.constBegin(); it != m_company.exitSlips.constEnd(); ++it)
        check(exit, it.key(), it->total, it->code);

    const auto orphans = [&](const QHash<qint64, QVector<Movement>> &moves, const auto &slips, const QString &words) {
        QList<qint64> keys = moves.keys();
        std::sort(keys.begin(), keys.end());
        for (qint64 slip : keys) {
            if (slips.contains(slip)) continue;
            for (const Movement &m : moves.value(slip))
                add(Kind::MovementWithoutSlip, *m.file, QStringLiteral("carihareket"), m.chid,
                    QStringLiteral("Hareketin %1 (%2) bulunamadı").arg(words).arg(slip), m.code);
        }
    };
    orphans(m_entryMoves, m_company.entrySlips, QStringLiteral("giriş bordrosu"));
    orphans(m_exitMoves, m_company.exitSlips, QStringLiteral("çıkış bordrosu"));

    QList<PairKey> ops = m_operationMoves.keys();
    std::sort(ops.begin(), ops.end());
    for (const PairKey &op : ops) {
        const QVector<Movement> moves = m_operationMoves.value(op);
        const QString what = op.first == 1   ? QStringLiteral("alınan çekin iadesi")
                             : op.first == 2 ? QStringLiteral("verilen çekin geri alınması")
                                             : QStringLiteral("kendi çekinin geri alınması");
        const QSet<qint64> &keys = op.first == 1 ? m_company.receivedKeys
                                   : op.first == 2 ? m_company.givenKeys
                                                   : m_company.ownKeys;
        if (moves.size() > 1)
            add(Kind::OperationMovementTwice, *moves.first().file, QStringLiteral("carihareket"), moves.first().chid,
                QStringLiteral("%1 kayıt nolu %2 hareketi %3 kez var (%4)").arg(op.second).arg(what).arg(moves.size()).arg(where(moves)),
                moves.first().code);
        if (!keys.contains(op.second))
            for (const Movement &m : moves)
                add(Kind::MovementWithoutCheque, *m.file, QStringLiteral("carihareket"), m.chid,
                    QStringLiteral("Hareketin çeki bulunamadı (%1, kayıt no %2)").arg(what).arg(op.second), m.code);
    }

    QList<qint64> cheques = m_cashByCheque.keys();
    std::sort(cheques.begin(), cheques.end());
    for (qint64 cheque : cheques) {
        const auto rows = m_cashByCheque.value(cheque);
        if (rows.size() < 2) continue;
        QStringList at;
        for (const auto &[file, nid] : rows) at << QStringLiteral("%1 yılı kasa %2").arg(file->year).arg(nid);
        add(Kind::CashTwice, *rows.first().first, QStringLiteral("nakit"), rows.first().second,
            QStringLiteral("%1 kayıt nolu çekin tahsilatı kasada %2 kez var (%3)").arg(cheque).arg(rows.size()).arg(at.join(QStringLiteral(", "))));
    }
}

void Checker::checkOpenings(const QList<CheckFiles::File *> &years)
{
    for (int i = 1; i < years.size(); ++i) {
        const CheckFiles::File &before = *years[i - 1], &file = *years[i];
        if (before.year + 1 != file.year || !m_sums.contains(before.year) || !m_sums.contains(file.year)) continue;
        const YearSums &prev = m_sums[before.year], &next = m_sums[file.year];
        // A year not carried over yet has no opening rows at all: nothing to compare.
        if (!next.hasOpening) continue;
        QStringList currencies = prev.cash.keys() + next.cashOpening.keys();
        currencies.removeDuplicates();
        currencies.sort();
        for (const QString &cur : std::as_const(currencies)) {
            const double want = roundKurus(prev.cash.value(cur)), have = roundKurus(next.cashOpening.value(cur));
            if (differs(want, have))
                add(Kind::OpeningMismatch, file, QStringLiteral("nakit"), 0,
                    QStringLiteral("%1 kasa devri (%2): %3 yılının kapanışı %4, açılış satırları %5")
                        .arg(file.year).arg(cur.isEmpty() ? QStringLiteral("-") : cur).arg(before.year).arg(money(want), money(have)));
        }
        QStringList accounts = prev.account.keys() + next.accountOpening.keys();
        accounts.removeDuplicates();
        accounts.sort();
        for (const QString &key : std::as_const(accounts)) {
            const double want = roundKurus(prev.account.value(key)), have = roundKurus(next.accountOpening.value(key));
            if (!differs(want, have)) continue;
            const QString code = key.section(QChar(0x1F), 0, 0), cur = key.section(QChar(0x1F), 1);
            add(Kind::OpeningMismatch, file, QStringLiteral("carihareket"), 0,
                QStringLiteral("%1 cari devri (%2 %3): %4 yılının bakiyesi %5, açılış hareketleri %6")
                    .arg(file.year).arg(code, cur).arg(before.year).arg(money(want), money(have)),
                code);
        }
    }
}

Result Checker::run()
{
    CheckFiles::Set files = CheckFiles::find(m_home, m_code);
    if (!files.company) {
        m_result.error = QStringLiteral("'%1' şirketinin veritabanı bulunamadı.").arg(m_code);
        return m_result;
    }
    for (const auto &f : files.all()) m_result.files << f->relative;
    m_total = 2 * int(files.all().size()) + 1;
    try {
        if (!step(QStringLiteral("Şirket dosyası denetleniyor"))) return m_result;
        const bool companyReadable = checkFile(*files.company);
        if (companyReadable) {
            if (!step(QStringLiteral("Çekler ve bordrolar okunuyor"))) return m_result;
            readCompany(*files.company);
        } else {
            ++m_done;
        }
        QList<CheckFiles::File *> readable;
        for (auto &y : files.years) {
            if (!step(QStringLiteral("%1 yılı dosyası denetleniyor").arg(y->year))) return m_result;
            const bool ok = checkFile(*y);
            if (!step(QStringLiteral("%1 yılı hareketleri okunuyor").arg(y->year))) return m_result;
            if (!ok) continue;
            try {
                readYear(*y, m_sums[y->year]);
                readable << y.get();
            } catch (const CheckFiles::ReadError &e) {
                m_sums.remove(y->year);
                add(Kind::FileDamaged, *y, QString(), 0, QStringLiteral("Dosya okunamadı: %1").arg(e.message));
            }
        }
        if (!step(QStringLiteral("Bordro hareketleri ve devirler karşılaştırılıyor"))) return m_result;
        // Without the cheques and slips every movement would look orphaned.
        if (companyReadable) checkSlipMovements(*files.company);
        checkOpenings(readable);
    } catch (const CheckFiles::ReadError &e) {
        add(Kind::FileDamaged, *files.company, QString(), 0, QStringLiteral("Dosya okunamadı: %1").arg(e.message));
    }
    if (m_progress) m_progress(m_total, m_total, QStringLiteral("Bitti"));
    return m_result;
}

} // namespace

QString kindText(Kind kind)
{
    switch (kind) {
    case Kind::FileDamaged: return QStringLiteral("Dosya bozuk");
    case Kind::ForeignKey: return QStringLiteral("Bağlantı hatası");
    case Kind::ChequeContradiction: return QStringLiteral("Çek durumu çelişkili");
    case Kind::EndorsedWithoutGiven: return QStringLiteral("Çıkışı var, verilen çeki yok");
    case Kind::GivenWithoutReceived: return QStringLiteral("Verilen çekin alınan çeki yok");
    case Kind::RowWithoutSlip: return QStringLiteral("Çekin bordrosu yok");
    case Kind::SlipTotals: return QStringLiteral("Bordro toplamı tutmuyor");
    case Kind::SlipMovementMissing: return QStringLiteral("Bordronun cari hareketi yok");
    case Kind::SlipMovementTwice: return QStringLiteral("Bordronun cari hareketi birden çok");
    case Kind::MovementAmount: return QStringLiteral("Bordro hareket tutarı farklı");
    case Kind::OperationMovementTwice: return QStringLiteral("İşlem hareketi birden çok");
    case Kind::MovementWithoutSlip: return QStringLiteral("Hareketin bordrosu yok");
    case Kind::MovementWithoutCheque: return QStringLiteral("Hareketin çeki yok");
    case Kind::MovementWithoutCash: return QStringLiteral("Hareketin kasa satırı yok");
    case Kind::CashWithoutCheque: return QStringLiteral("Kasa satırının çeki yok");
    case Kind::CashTwice: return QStringLiteral("Tahsilat kasada birden çok");
    case Kind::OpeningMismatch: return QStringLiteral("Devir tutmuyor");
    }
    return QString();
}

QString line(const Finding &f)
{
    QString out = kindText(f.kind) + QStringLiteral(": ") + f.file;
    if (!f.table.isEmpty()) out += QStringLiteral(": ") + f.table + (f.key ? u' ' + QString::number(f.key) : QString());
    return out + QStringLiteral(": ") + f.text;
}

Result run(const QString &home, const QString &code, const Progress &progress)
{
    return Checker(home, code, progress).run();
}

int runCommandLine(const QStringList &arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--check"));
    const QString code = at >= 0 ? arguments.value(at + 1) : QString();
    if (code.isEmpty() || code.startsWith(QLatin1String("--"))) {
        std::fprintf(stderr, "Kullanım: ceksenet --check ŞİRKETKODU [--home KLASÖR]\n");
        return 2;
    }
    const Result r = run(ProgramHome::resolve(arguments), code);
    if (!r.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", r.error.toUtf8().constData());
        return 2;
    }
    for (const Finding &f : r.findings) std::printf("%s\n", line(f).toUtf8().constData());
    std::printf("findings %lld\n", static_cast<long long>(r.findings.size()));
    std::fflush(stdout);
    return r.findings.isEmpty() ? 0 : 1;
}

} // namespace DataCheck
