// Random sequences of the cheque operations, through the functions the windows
// call, over a small company across two working years, checked after every step
// against a small reference model written here: the lists' selection of every
// cheque, every account's balance in every year's file, every year's cash, and
// that each money row belongs to the operation that wrote it (and none is
// missing). An operation refused by the model must be refused by the program.
//
// STEPS=100000 runs a long sequence; the last line is "steps N, mismatches M".
#include "data/connection.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/query.h"
#include "data/table.h"
#include "data/year_files.h"
#include "given/exit_slip_cancel.h"
#include "given/exit_slip_load.h"
#include "given/exit_slip_rows.h"
#include "given/exit_slip_save.h"
#include "given/given_take_back.h"
#include "issued/issued_payment.h"
#include "received/cheque_list_statements.h"
#include "received/cheque_operations.h"
#include "received/entry_slip_save.h"
#include "widgets/message_box.h"
#include "support/test_home.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>
#include <map>
#include <set>

namespace {

Connection &company() { return DataContext::instance().ADOConnection1; }

qint64 cents(double v) { return llround(v * 100); }

// ---- the reference model: plain records and the rules of the trade ----

struct MCheque {
    qint64 key = 0, entrySlip = 0;
    qint64 amount = 0;  // kuruş
    QDate due;
    qint64 ciro = 0;    // cek_ciro_id
    bool bank = false;  // cek_banka_tarihi set
    bool collected = false, returned = false, bounced = false;
    int cashYear = 0;   // year of the collection's cash row, 0 for none
    int returnYear = 0; // year of the return's movement, 0 for none
};

struct MGiven {
    qint64 key = 0, slip = 0, cheque = 0;
    qint64 amount = 0, vf = 0;
    bool bank = false, takenBack = false, bounced = false;
    int creditYear = 0;
    qint64 credit = 0;
};

struct MOwn {
    qint64 key = 0, slip = 0, amount = 0, vf = 0;
    bool paid = false, takenBack = false, bounced = false;
    int creditYear = 0;
    qint64 credit = 0;
};

struct MSlip {  // exit slip
    qint64 number = 0;
    int type = 0;
    QString account;
    QDate date;
    bool dm = false, db = false;
    int year = 0;
    qint64 debit = 0;
};

struct MEntry {
    qint64 number = 0;
    int year = 0;
    qint64 credit = 0;
    QVector<qint64> cheques;
};

struct Model {
    std::map<qint64, MCheque> cheques;
    std::map<qint64, MGiven> given;
    std::map<qint64, MOwn> own;
    std::map<qint64, MSlip> slips;
    std::map<qint64, MEntry> entries;
    int workingYear = 2024;

    // The share of a row on a slip: its amount less what the ticked boxes deduct.
    static qint64 share(const MSlip &s, qint64 amount, qint64 vf)
    {
        qint64 d = amount;
        if (s.dm) d -= vf;
        if (s.db) d -= vf * 5 / 100;  // vf is whole liras here, so its 5 % is exact
        return d;
    }
    qint64 debitOf(const MSlip &s, bool onlyKept) const
    {
        qint64 amount = 0, vf = 0;
        for (const auto &[k, g] : given)
            if (g.slip == s.number && (!onlyKept || g.takenBack || g.bounced)) amount += g.amount, vf += g.vf;
        for (const auto &[k, o] : own)
            if (o.slip == s.number) amount += o.amount, vf += o.vf;
        qint64 d = amount;
        if (s.dm) d -= vf;
        if (s.db) d -= vf * 5 / 100;
        return d;
    }
    qint64 heldBy(qint64 cheque) const
    {
        for (const auto &[k, g] : given)
            if (g.cheque == cheque && !g.takenBack) return g.slip;
        return 0;
    }
    bool inPortfolio(const MCheque &c) const
    {
        return !c.ciro && !c.collected && !c.returned && !c.bounced && heldBy(c.key) == 0;
    }
    enum class RState { Portfolio, AtBankEntry, AtBank, Endorsed, Collected, Returned, Bounced };
    static RState state(const MCheque &c)
    {
        if (c.returned) return RState::Returned;
        if (c.bounced) return RState::Bounced;
        if (c.collected) return RState::Collected;
        if (c.ciro) return c.bank ? RState::AtBank : RState::Endorsed;
        return c.bank ? RState::AtBankEntry : RState::Portfolio;
    }
};

const QStringList kAccounts{"C1", "S1", "B1"};
const QStringList kNames{"Müşteri Bir", "Satıcı Bir", "Banka Bir"};

QString money(qint64 c) { return formatFloat(QStringLiteral("#,##0.00"), c / 100.0); }
QString dateText(const QDate &d) { return d.toString(QStringLiteral("dd.MM.yyyy")); }

class Driver {
public:
    explicit Driver(quint32 seed) : rng(seed) {}

    QRandomGenerator rng;
    Model m;
    int mismatches = 0;
    int steps = 0;
    QString lastStep;

    int pick(int n) { return int(rng.bounded(n)); }
    QDate randomDate() { return QDate(2024 + pick(2), 1 + pick(12), 1 + pick(28)); }

    void mismatch(const QString &what)
    {
        ++mismatches;
        if (mismatches <= 20) qWarning().noquote() << "step" << steps << lastStep << "->" << what;
    }

    // The program's result against the model's verdict.
    std::map<QString, std::pair<int, int>> *tally = nullptr;  // operation -> (done, refused)

    void verdict(const QString &op, bool allowed, bool done, const QString &message)
    {
        lastStep = op;
        if (tally) {
            auto &t = (*tally)[op.section(u' ', 0, op.startsWith("take back") || op.startsWith("undo") ? 2 : 1).remove(QRegularExpression(" \\d+$"))];
            (done ? t.first : t.second) += 1;
        }
        if (allowed != done)
            mismatch(QStringLiteral("model %1, program %2 (%3)")
                         .arg(allowed ? "allows" : "refuses", done ? "did it" : "refused", message));
    }

    template <typename T>
    qint64 randomKey(const std::map<qint64, T> &map)
    {
        if (map.empty()) return 0;
        auto it = map.begin();
        std::advance(it, pick(int(map.size())));
        return it->first;
    }

    void followYear(const QDate &date, bool posts)
    {
        if (posts && date.year() != m.workingYear) m.workingYear = date.year();
    }

    // ---- operations ----

    void entrySlip()
    {
        const QDate date = randomDate();
        EntrySlip::Header h;
        h.slipDate = date;
        h.code = "C1";
        h.name = kNames[0];
        EntrySlip::Params p;
        p.slipDate = date;
        QVector<QStringList> rows;
        const int n = 1 + pick(3);
        QVector<qint64> amounts;
        for (int i = 0; i < n; ++i) {
            QStringList r(EntrySlip::ColumnCount);
            r[EntrySlip::ColNo] = QString::number(i + 1);
            r[EntrySlip::ColVade] = dateText(date.addDays(20 + pick(100)));
            const qint64 amount = (1 + pick(9)) * 100000;
            amounts << amount;
            r[EntrySlip::ColTutar] = money(amount);
            r[EntrySlip::ColCekNo] = QString::number(1000 + steps * 10 + i);
            rows << r;
        }
        rows << QStringList(EntrySlip::ColumnCount);
        Table slips(&company(), "cekbordro", "PrimaryKey");
        Table cheques(&company(), "cekgiris", "cek_tarihi");
        const EntrySlip::SaveResult r = EntrySlip::saveSlip(h, p, rows, EntrySlip::Datasets{slips, cheques});
        verdict("entry slip", true, r.saved, r.message);
        if (!r.saved) return;
        followYear(date, true);
        MEntry e{h.number, date.year(), 0, {}};
        for (int i = 0; i < n; ++i) {
            MCheque c;
            c.key = rows[i][EntrySlip::ColKey].toLongLong();
            c.entrySlip = h.number;
            c.amount = amounts[i];
            c.due = EntrySlip::cellDate(rows[i][EntrySlip::ColVade]);
            m.cheques[c.key] = c;
            e.credit += c.amount;
            e.cheques << c.key;
        }
        m.entries[h.number] = e;
    }

    void exitSlip()
    {
        if (m.cheques.empty()) return;
        const int type = pick(3);
        const QDate date = randomDate();
        ExitSlip::Header h;
        h.slipDate = date;
        h.code = kAccounts[type];
        h.name = kNames[type];
        h.exitType = type;
        h.deductMaturity = pick(2);
        h.deductBsmv = pick(2);
        ExitSlip::Params p;
        p.slipDate = date;
        p.yillikFaiz = pick(2) ? "36,5" : "0";
        const bool interest = p.yillikFaiz != "0";
        QVector<QStringList> rows;
        QVector<qint64> picked;
        std::set<qint64> seen;
        const int n = 1 + pick(2);
        for (int i = 0; i < n; ++i) {
            const qint64 key = randomKey(m.cheques);
            if (seen.count(key)) continue;
            seen.insert(key);
            // Mostly cheques of the portfolio, sometimes any: those must be refused.
            if (!m.inPortfolio(m.cheques[key]) && pick(4)) continue;
            Table t(&company(), "cekgiris");
            t.setMasterLink("cek_ind", key);
            t.open();
            QStringList r(ExitSlip::ExitColumnCount);
            r[EntrySlip::ColNo] = QString::number(rows.size() + 1);
            ExitSlip::fillFromReceived(r, t);
            rows << r;
            picked << key;
        }
        const bool withOwn = pick(3) == 0;
        qint64 ownAmount = 0;
        QDate ownDue;
        if (withOwn) {
            ExitSlip::OwnCheque c;
            ownDue = date.addDays(10 + pick(60));
            c.due = ownDue;
            ownAmount = (1 + pick(5)) * 100000;
            c.amount = ownAmount / 100.0;
            c.bank = "Garanti";
            c.number = "K" + QString::number(steps);
            QStringList r(ExitSlip::ExitColumnCount);
            r[EntrySlip::ColNo] = QString::number(rows.size() + 1);
            ExitSlip::fillOwnCheque(r, c, "Öztürk Gıda");
            rows << r;
        }
        if (rows.isEmpty()) return;
        rows << QStringList(ExitSlip::ExitColumnCount);
        bool allowed = true;
        for (qint64 key : picked) allowed = allowed && m.inPortfolio(m.cheques[key]);
        Table slips(&company(), "cikisbordro", "PrimaryKey");
        Table given(&company(), "cekciro", "cek_tarihi");
        Table received(&company(), "cekgiris", "cek_tarihi");
        Table own(&company(), "cekkendi", "PrimaryKey");
        const ExitSlip::SaveResult r = ExitSlip::saveSlip(h, p, rows, ExitSlip::Datasets{slips, given, received, own});
        verdict("exit slip", allowed, r.saved, r.message);
        if (!r.saved) return;
        followYear(date, true);
        MSlip s{h.number, type, h.code, date, h.deductMaturity, h.deductBsmv, date.year(), 0};
        const auto vfOf = [&](qint64 amount, const QDate &due) {
            return interest ? amount * date.daysTo(due) / 1000 : 0;  // whole liras: amounts are thousands
        };
        for (int i = 0; i < picked.size(); ++i) {
            MCheque &c = m.cheques[picked[i]];
            MGiven g;
            g.key = rows[i][ExitSlip::ColCiroIndex].toLongLong();
            g.slip = h.number;
            g.cheque = c.key;
            g.amount = c.amount;
            g.vf = vfOf(c.amount, c.due);
            g.bank = type == 2;
            m.given[g.key] = g;
            c.ciro = h.number;
            c.bank = type == 2;
        }
        if (withOwn) {
            MOwn o;
            o.key = rows[picked.size()][ExitSlip::ColDuzenlemeId].toLongLong();
            o.slip = h.number;
            o.amount = ownAmount;
            o.vf = vfOf(ownAmount, ownDue);
            m.own[o.key] = o;
        }
        m.slips[h.number] = s;
    }

    void cancelSlip()
    {
        const qint64 n = randomKey(m.slips);
        if (!n) return;
        MSlip &s = m.slips[n];
        int toCancel = 0, kept = 0, owns = 0;
        for (auto &[k, g] : m.given)
            if (g.slip == n) (g.takenBack || g.bounced) ? ++kept : ++toCancel;
        for (auto &[k, o] : m.own)
            if (o.slip == n) ++owns;
        const bool allowed = toCancel > 0 || (kept == 0 && owns == 0);
        const ExitSlip::CancelResult r = ExitSlip::cancelSlip(n);
        verdict("cancel " + QString::number(n), allowed, r.cancelled, r.message);
        if (!r.cancelled) return;
        for (auto it = m.given.begin(); it != m.given.end();) {
            MGiven &g = it->second;
            if (g.slip == n && !g.takenBack && !g.bounced) {
                MCheque &c = m.cheques[g.cheque];
                if (c.ciro == n || c.ciro == 0) {
                    c.ciro = 0;
                    if (g.bank) c.bank = false;
                }
                it = m.given.erase(it);
            } else {
                ++it;
            }
        }
        if (kept + owns == 0) m.slips.erase(n);
    }

    // A saved slip loaded and saved again: unchanged, with one of its portfolio
    // cheques deleted, or made out to another account.
    void resaveSlip()
    {
        const qint64 n = randomKey(m.slips);
        if (!n) return;
        MSlip &s = m.slips[n];
        const EntrySlip::LoadedSlip loaded = ExitSlip::loadExitSlip(company(), n);
        if (!loaded.found) {
            mismatch("slip not loaded");
            return;
        }
        ExitSlip::Header h;
        h.slipDate = loaded.slipDate;
        h.code = loaded.code;
        h.name = loaded.name;
        h.exitType = s.type;
        h.currency = loaded.currency;
        h.kuru = loaded.kuru;
        h.aylikFaiz = loaded.aylikFaiz;
        h.deductMaturity = loaded.deductMaturity;
        h.deductExpense = loaded.deductExpense;
        h.deductBsmv = loaded.deductBsmv;
        h.averageDate = loaded.averageDate;
        h.averageDays = loaded.averageDays;
        h.number = n;
        ExitSlip::Params p;
        p.slipDate = loaded.slipDate;
        p.yildakiGun = loaded.yildakiGun;
        p.yillikFaiz = loaded.yillikFaiz;
        p.gunEkle = loaded.gunEkle;
        p.bsmvPercent = loaded.bsmvPercent;
        p.weekendShift = loaded.weekendShift;
        QVector<QStringList> rows = loaded.rows;
        ExitSlip::Deleted deleted;
        bool allowed = true;
        bool anyTakenBack = false;
        for (const auto &[k, g] : m.given)
            if (g.slip == n && g.takenBack) anyTakenBack = true;
        for (const auto &[k, o] : m.own)
            if (o.slip == n && o.takenBack) anyTakenBack = true;
        const int what = pick(3);
        qint64 gone = 0;
        QString op = "resave";
        if (what == 1) {  // a portfolio cheque deleted from the slip
            for (int i = 0; i < rows.size(); ++i) {
                const qint64 key = rows[i].value(ExitSlip::ColCiroIndex).toLongLong();
                if (key <= 0 || pick(2)) continue;
                gone = key;
                deleted.given << key;
                deleted.returned << m.given[key].cheque;
                rows.removeAt(i);
                break;
            }
            if (!gone) return;
            const MGiven &g = m.given[gone];
            const MCheque &c = m.cheques[g.cheque];
            allowed = !g.takenBack && !g.bounced && !c.collected && !c.returned;
            op = "resave deleting";
        } else if (what == 2) {  // another account
            const int other = (kAccounts.indexOf(s.account) + 1) % 3;
            h.code = kAccounts[other];
            h.name = kNames[other];
            allowed = !anyTakenBack;
            op = "resave moving";
        }
        for (int i = 0; i < rows.size(); ++i) rows[i][EntrySlip::ColNo] = QString::number(i + 1);
        rows << QStringList(ExitSlip::ExitColumnCount);
        Table slips(&company(), "cikisbordro", "PrimaryKey");
        Table given(&company(), "cekciro", "cek_tarihi");
        Table received(&company(), "cekgiris", "cek_tarihi");
        Table own(&company(), "cekkendi", "PrimaryKey");
        const ExitSlip::SaveResult r = ExitSlip::saveSlip(h, p, rows, ExitSlip::Datasets{slips, given, received, own}, deleted);
        verdict(op, allowed, r.saved, r.message);
        if (!r.saved) return;
        followYear(h.slipDate, true);
        s.account = h.code;
        if (gone) {
            const MGiven g = m.given[gone];
            MCheque &c = m.cheques[g.cheque];
            if (c.ciro == n || c.ciro == 0) {
                c.ciro = 0;
                if (s.type == 2) c.bank = false;
            }
            m.given.erase(gone);
        }
        // A slip saved with no row left keeps its header and a debit of nothing.
    }

    MCheque *randomCheque() { return m.cheques.empty() ? nullptr : &m.cheques[randomKey(m.cheques)]; }

    ChequeOperation::Values values(const MCheque &c, const QDate &date, bool box)
    {
        ChequeOperation::Values v;
        v.para = "TL";
        v.tutar = money(c.amount);
        v.girisTL = v.tutar;
        v.kuru = "1";
        v.kayitNo = QString::number(c.key);
        v.cekNo = "C";
        v.vadesi = c.due;
        v.tarih = date;
        v.box = box;
        v.firmaKodu = "C1";
        v.firmaAdi = kNames[0];
        return v;
    }

    void collect()
    {
        MCheque *c = randomCheque();
        if (!c) return;
        const QDate date = randomDate();
        const bool box = pick(4) != 0;
        using S = Model::RState;
        const S st = Model::state(*c);
        bool allowed = st == S::Portfolio || st == S::AtBankEntry || st == S::AtBank || st == S::Collected;
        if ((st == S::Portfolio || st == S::AtBankEntry) && m.heldBy(c->key)) allowed = false;
        ChequeOperation::Values v = values(*c, date, box);
        Table t(&company(), "cekgiris"), cash(&DataContext::instance().kasaConnection, "nakit");
        const auto r = ChequeOperation::collect(v, t, cash);
        verdict("collect " + QString::number(c->key), allowed, r.done, r.message);
        if (!r.done) return;
        followYear(date, box);
        c->collected = true;
        c->cashYear = box ? date.year() : 0;
    }

    void undoCollect()
    {
        MCheque *c = randomCheque();
        if (!c) return;
        const bool allowed = Model::state(*c) == Model::RState::Collected;
        Table t(&company(), "cekgiris");
        const auto r = ChequeOperation::undoCollection(c->key, t);
        verdict("undo collect", allowed, r.done, r.message);
        if (!r.done) return;
        c->collected = false;
        c->cashYear = 0;
    }

    void giveBack()
    {
        MCheque *c = randomCheque();
        if (!c) return;
        const QDate date = randomDate();
        const bool box = pick(4) != 0;
        using S = Model::RState;
        const S st = Model::state(*c);
        bool allowed = st == S::Portfolio || st == S::AtBankEntry || st == S::Bounced || st == S::Returned;
        if (st != S::Returned && m.heldBy(c->key)) allowed = false;
        ChequeOperation::Values v = values(*c, date, box);
        Table t(&company(), "cekgiris");
        const auto r = ChequeOperation::giveBack(v, t);
        verdict("return " + QString::number(c->key), allowed, r.done, r.message);
        if (!r.done) return;
        followYear(date, box);
        c->returned = true;
        c->returnYear = box ? date.year() : 0;
    }

    void undoReturn()
    {
        MCheque *c = randomCheque();
        if (!c) return;
        const bool allowed = Model::state(*c) == Model::RState::Returned;
        Table t(&company(), "cekgiris");
        const auto r = ChequeOperation::undoReturn(c->key, t);
        verdict("undo return", allowed, r.done, r.message);
        if (!r.done) return;
        c->returned = false;
        c->returnYear = 0;
    }

    void bounceReceived()
    {
        MCheque *c = randomCheque();
        if (!c) return;
        using S = Model::RState;
        const S st = Model::state(*c);
        const bool allowed = st == S::Portfolio || st == S::AtBankEntry || st == S::AtBank || st == S::Bounced;
        ChequeOperation::Values v = values(*c, randomDate(), false);
        Table t(&company(), "cekgiris");
        const auto r = ChequeOperation::bounce(v, ChequeOperation::Source::Portfoy, t);
        verdict("bounce received", allowed, r.done, r.message);
        if (r.done) c->bounced = true;
    }

    void undoExit()
    {
        MCheque *c = randomCheque();
        if (!c) return;
        using S = Model::RState;
        const S st = Model::state(*c);
        const bool allowed = st == S::Endorsed || st == S::AtBank;
        Table t(&company(), "cekgiris");
        const auto r = ChequeOperation::undoExit(c->key, t);
        verdict("undo exit", allowed, r.done, r.message);
        if (r.done) c->ciro = 0;
    }

    void bounceGiven()
    {
        const qint64 k = randomKey(m.given);
        if (!k) return;
        MGiven &g = m.given[k];
        const bool allowed = !g.takenBack;
        ChequeOperation::Values v;
        v.kayitNo = QString::number(k);
        v.para = "TL";
        v.tutar = money(g.amount);
        v.tarih = randomDate();
        Table t(&company(), "cekciro");
        const auto r = ChequeOperation::bounce(v, ChequeOperation::Source::Cirolanan, t);
        verdict("bounce given", allowed, r.done, r.message);
        if (r.done) g.bounced = true;
    }

    void takeBackGiven()
    {
        const qint64 k = randomKey(m.given);
        if (!k) return;
        MGiven &g = m.given[k];
        MCheque &c = m.cheques[g.cheque];
        const QDate date = randomDate();
        const bool box = pick(4) != 0;
        bool allowed = true;
        if (!g.takenBack && (c.collected || c.returned)) allowed = false;
        GivenTakeBack::Values v;
        v.kayitNo = QString::number(k);
        v.girisNo = QString::number(g.cheque);
        v.para = "TL";
        v.tutar = money(g.amount);
        v.girisTL = v.tutar;
        v.kuru = "1";
        v.tarih = date;
        v.box = box;
        v.firmaKodu = m.slips[g.slip].account;
        v.firmaAdi = kNames[kAccounts.indexOf(v.firmaKodu)];
        Table given(&company(), "cekciro"), received(&company(), "cekgiris");
        const auto r = GivenTakeBack::takeBack(v, GivenTakeBack::Mode::Cirolanan, given, received);
        verdict("take back given " + QString::number(k), allowed, r.done, r.message);
        if (!r.done) return;
        followYear(date, box);
        if (!g.takenBack) {
            if (c.ciro == 0 || c.ciro == g.slip) {
                c.ciro = 0;
                if (g.bank) c.bank = false;
                if (g.bounced) c.bounced = true;
            }
        }
        g.takenBack = true;
        g.creditYear = box ? date.year() : 0;
        g.credit = box ? Model::share(m.slips[g.slip], g.amount, g.vf) : 0;
    }

    void ownOperation()
    {
        const qint64 k = randomKey(m.own);
        if (!k) return;
        MOwn &o = m.own[k];
        const int which = pick(4);
        if (which == 0 || which == 1) {  // payment or its undo
            const bool pay = which == 0;
            const bool allowed = pay ? (!o.takenBack && !o.bounced) : (o.paid && !o.takenBack && !o.bounced);
            const auto outcome =
                IssuedPayment::odemeTarihiYaz(company(), k, pay ? randomDate() : QDate());
            verdict(pay ? "pay own" : "undo pay", allowed, outcome == IssuedPayment::Outcome::Written, IssuedPayment::lastRefusal());
            if (outcome == IssuedPayment::Outcome::Written) o.paid = pay;
        } else if (which == 2) {
            const bool allowed = !o.takenBack && !(o.paid && !o.bounced);
            ChequeOperation::Values v;
            v.kayitNo = QString::number(k);
            v.para = "TL";
            v.tutar = money(o.amount);
            v.tarih = randomDate();
            Table t(&company(), "cekkendi");
            const auto r = ChequeOperation::bounce(v, ChequeOperation::Source::Duzenlenen, t);
            verdict("bounce own", allowed, r.done, r.message);
            if (r.done) o.bounced = true;
        } else {
            const bool allowed = o.takenBack || o.bounced || !o.paid;
            const QDate date = randomDate();
            const bool box = pick(4) != 0;
            GivenTakeBack::Values v;
            v.kayitNo = QString::number(k);
            v.para = "TL";
            v.tutar = money(o.amount);
            v.girisTL = v.tutar;
            v.kuru = "1";
            v.tarih = date;
            v.box = box;
            v.firmaKodu = m.slips[o.slip].account;
            v.firmaAdi = kNames[kAccounts.indexOf(v.firmaKodu)];
            Table own(&company(), "cekkendi"), received(&company(), "cekgiris");
            const auto r = GivenTakeBack::takeBack(v, GivenTakeBack::Mode::Duzenlenen, own, received);
            verdict("take back own", allowed, r.done, r.message);
            if (!r.done) return;
            followYear(date, box);
            o.takenBack = true;
            o.creditYear = box ? date.year() : 0;
            o.credit = box ? Model::share(m.slips[o.slip], o.amount, o.vf) : 0;
        }
    }

    void step()
    {
        ++steps;
        const int op = pick(100);
        if (op < 14) entrySlip();
        else if (op < 28) exitSlip();
        else if (op < 31) cancelSlip();
        else if (op < 35) resaveSlip();
        else if (op < 46) collect();
        else if (op < 50) undoCollect();
        else if (op < 58) giveBack();
        else if (op < 62) undoReturn();
        else if (op < 67) bounceReceived();
        else if (op < 72) undoExit();
        else if (op < 77) bounceGiven();
        else if (op < 88) takeBackGiven();
        else ownOperation();
        if (DataContext::instance().calismaYili != m.workingYear)
            mismatch(QStringLiteral("working year %1, model %2").arg(DataContext::instance().calismaYili).arg(m.workingYear));
    }

    // ---- the checks ----

    std::set<qint64> keysOf(Connection &c, const QStringList &lines)
    {
        std::set<qint64> keys;
        Query q(&c);
        q.reopen(lines);
        for (q.first(); !q.eof(); q.next()) keys.insert(q.value(0).toLongLong());
        return keys;
    }

    void checkLists()
    {
        using ChequeList::Choice;
        for (int i = 0; i < ChequeList::kChoiceCount; ++i) {
            const Choice choice = Choice(i);
            std::set<qint64> expected;
            for (const auto &[k, c] : m.cheques) {
                const bool out = c.collected || c.returned || c.bounced;
                bool in = false;
                switch (choice) {
                case Choice::Portfoy: in = !c.ciro && !c.bank && !out; break;
                case Choice::Banka: in = c.ciro && c.bank && !out; break;
                case Choice::PortfoyBanka: in = (!c.ciro || c.bank) && !out; break;
                case Choice::Ciro: in = c.ciro != 0; break;
                case Choice::Tahsil: in = c.collected; break;
                case Choice::Karsiliksiz: in = c.bounced; break;
                case Choice::Iade: in = c.returned; break;
                case Choice::Tum: in = true; break;
                }
                if (in) expected.insert(k);
            }
            const std::set<qint64> listed =
                keysOf(company(), QStringList{"SELECT cek_ind FROM cekgiris"} + ChequeList::stateLines(choice));
            if (listed != expected) mismatch(QStringLiteral("list %1 differs").arg(ChequeList::choiceTexts().value(i)));
        }
        std::set<qint64> out, bounced, back;
        for (const auto &[k, g] : m.given) {
            if (!g.takenBack && !g.bounced) out.insert(k);
            if (g.bounced) bounced.insert(k);
            if (g.takenBack) back.insert(k);
        }
        if (keysOf(company(), {"SELECT ciro_cek_ind FROM cekciro WHERE cek_iade_tarihi IS NULL AND cek_karsiliklsiz_tarihi IS NULL"}) != out
            || keysOf(company(), {"SELECT ciro_cek_ind FROM cekciro WHERE cek_karsiliklsiz_tarihi IS NOT NULL"}) != bounced
            || keysOf(company(), {"SELECT ciro_cek_ind FROM cekciro WHERE cek_iade_tarihi IS NOT NULL"}) != back)
            mismatch("given lists differ");
    }

    void checkMoney()
    {
        // Expected balances per (year, account) and cash per year, and the rows.
        std::map<std::pair<int, QString>, qint64> balance;
        std::map<int, qint64> cash;
        std::multiset<QString> rows;
        for (const auto &[n, e] : m.entries) {
            balance[{e.year, "C1"}] -= e.credit;
            rows.insert(QStringLiteral("%1 entry %2").arg(e.year).arg(n));
        }
        for (const auto &[n, s] : m.slips) {
            balance[{s.year, s.account}] += m.debitOf(s, false);
            rows.insert(QStringLiteral("%1 exit %2").arg(s.year).arg(n));
        }
        for (const auto &[k, c] : m.cheques) {
            if (c.collected && c.cashYear) {
                cash[c.cashYear] += c.amount;
                rows.insert(QStringLiteral("%1 cash %2").arg(c.cashYear).arg(k));
            }
            if (c.returned && c.returnYear) {
                balance[{c.returnYear, "C1"}] += c.amount;
                rows.insert(QStringLiteral("%1 return 1 %2").arg(c.returnYear).arg(k));
            }
        }
        for (const auto &[k, g] : m.given)
            if (g.takenBack && g.creditYear) {
                balance[{g.creditYear, m.slips[g.slip].account}] -= g.credit;
                rows.insert(QStringLiteral("%1 return 2 %2").arg(g.creditYear).arg(k));
            }
        for (const auto &[k, o] : m.own)
            if (o.takenBack && o.creditYear) {
                balance[{o.creditYear, m.slips[o.slip].account}] -= o.credit;
                rows.insert(QStringLiteral("%1 return 3 %2").arg(o.creditYear).arg(k));
            }

        std::map<std::pair<int, QString>, qint64> stored;
        std::map<int, qint64> storedCash;
        std::multiset<QString> storedRows;
        for (int year : YearFiles::years(DataContext::instance().aktifSirketKodu)) {
            Connection c;
            c.setConnectionString(DataContext::cashConnectionString(DataContext::instance().aktifSirketKodu, year));
            c.open();
            Query q(&c);
            q.reopen({"SELECT cari_kodu, borc_tutari, alacak_tutari, cek_id, cek_ciro_id, cek_iade_id, bosint1 FROM carihareket"});
            for (q.first(); !q.eof(); q.next()) {
                stored[{year, q.value(0).toString()}] += cents(q.value(1).toDouble()) - cents(q.value(2).toDouble());
                if (!q.value(3).isNull()) storedRows.insert(QStringLiteral("%1 entry %2").arg(year).arg(q.value(3).toLongLong()));
                else if (!q.value(4).isNull()) storedRows.insert(QStringLiteral("%1 exit %2").arg(year).arg(q.value(4).toLongLong()));
                else if (!q.value(5).isNull())
                    storedRows.insert(QStringLiteral("%1 return %2 %3").arg(year).arg(q.value(6).toLongLong()).arg(q.value(5).toLongLong()));
                else storedRows.insert(QStringLiteral("%1 other").arg(year));
            }
            Query k(&c);
            k.reopen({"SELECT cekid, borc_tutar, alacak_tutar FROM nakit"});
            for (k.first(); !k.eof(); k.next()) {
                storedCash[year] += cents(k.value(1).toDouble()) - cents(k.value(2).toDouble());
                storedRows.insert(QStringLiteral("%1 cash %2").arg(year).arg(k.value(0).toLongLong()));
            }
        }
        const auto nonZero = [](auto map) {
            for (auto it = map.begin(); it != map.end();) it = it->second == 0 ? map.erase(it) : std::next(it);
            return map;
        };
        if (nonZero(stored) != nonZero(balance)) {
            QStringList d;
            for (const auto &[k, v] : nonZero(balance))
                if (stored[k] != v) d << QStringLiteral("%1 %2: model %3 stored %4").arg(k.first).arg(k.second).arg(v).arg(stored[k]);
            for (const auto &[k, v] : nonZero(stored))
                if (!balance.count(k)) d << QStringLiteral("%1 %2: stored %3").arg(k.first).arg(k.second).arg(v);
            mismatch("balances: " + d.join("; "));
        }
        if (nonZero(storedCash) != nonZero(cash)) mismatch("cash totals differ");
        if (storedRows != rows) {
            QStringList extra, missing;
            for (const QString &r : storedRows)
                if (storedRows.count(r) > rows.count(r)) extra << r;
            for (const QString &r : rows)
                if (rows.count(r) > storedRows.count(r)) missing << r;
            mismatch("money rows: extra [" + extra.join(", ") + "] missing [" + missing.join(", ") + "]");
        }
    }

    void check()
    {
        checkLists();
        checkMoney();
    }
};

} // namespace

class TestChequeLifecycle : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { MessageBox::setTestMode(true); }
    void randomSequencesAgreeWithTheModel();
};

void TestChequeLifecycle::randomSequencesAgreeWithTheModel()
{
    const int total = qEnvironmentVariableIsSet("STEPS") ? qEnvironmentVariableIntValue("STEPS") : 600;
    const int perRun = 300;  // a fresh company every few hundred steps keeps each run small
    int steps = 0, mismatches = 0;
    std::map<QString, std::pair<int, int>> tally;
    for (quint32 seed = 1; steps < total; ++seed) {
        TestHome home;
        home.openCompany("A1", 2024);
        for (int i = 0; i < 3; ++i) TestHome::addAccountCard(kAccounts[i], kNames[i]);
        QVERIFY(kasadegistir(2025));
        QVERIFY(kasadegistir(2024));
        Driver d(seed);
        d.tally = &tally;
        const int n = std::min(perRun, total - steps);
        for (int i = 0; i < n; ++i) {
            d.step();
            d.check();
        }
        steps += d.steps;
        mismatches += d.mismatches;
        if (d.mismatches) qWarning() << "seed" << seed << "mismatches" << d.mismatches;
    }
    for (const auto &[op, t] : tally) std::printf("%-20s done %6d refused %6d\n", qPrintable(op), t.first, t.second);
    std::printf("steps %d, mismatches %d\n", steps, mismatches);
    std::fflush(stdout);
    QCOMPARE(mismatches, 0);
}

int main(int argc, char **argv)
{
    // A long run outlasts the test library's five-minute watchdog.
    if (qEnvironmentVariableIsSet("STEPS") && !qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "86400000");
    QApplication app(argc, argv);
    TestChequeLifecycle test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_cheque_lifecycle.moc"
