#include "outlook/slip_warnings.h"

#include "data/data_context.h"
#include "data/date_reading.h"
#include "data/number_reading.h"
#include "data/query.h"
#include "received/entry_slip_calc.h"
#include "widgets/message_box.h"
#include "data/sql_literals.h"
#include "mainmenu/menu_settings.h"
#include "outlook/customer_risk.h"

#include <QSettings>

namespace SlipWarnings {
namespace {
const QString kGroup = QStringLiteral("Uyarilar");
QString norm(const QString &s) { return s.trimmed().toUpper(); }
} // namespace

Settings read()
{
    Settings v;
    QSettings s(MenuSettings::filePath(), QSettings::IniFormat);
    s.beginGroup(kGroup);
    auto flag = [&](const char *key) { return s.value(QLatin1String(key), QStringLiteral("E")).toString() != u"H"; };
    v.duplicate = flag("mukerrerCek");
    v.risk = flag("riskLimiti");
    v.due = flag("vadeYakin");
    bool ok = false;
    const int days = s.value(QStringLiteral("vadeGun"), 7).toInt(&ok);
    v.dueDays = ok ? qBound(0, days, 365) : 7;
    return v;
}

bool write(const Settings &v)
{
    QSettings s(MenuSettings::filePath(), QSettings::IniFormat);
    s.beginGroup(kGroup);
    auto flag = [](bool on) { return on ? QStringLiteral("E") : QStringLiteral("H"); };
    s.setValue(QStringLiteral("mukerrerCek"), flag(v.duplicate));
    s.setValue(QStringLiteral("riskLimiti"), flag(v.risk));
    s.setValue(QStringLiteral("vadeYakin"), flag(v.due));
    s.setValue(QStringLiteral("vadeGun"), v.dueDays);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

QString duplicateQuestion(Connection &company, const QVector<ChequeKey> &rows)
{
    QStringList found;
    for (int i = 0; i < rows.size(); ++i) {
        const ChequeKey &c = rows[i];
        // A note without a bank, or a row without a number, names no cheque to compare.
        if (c.number.trimmed().isEmpty() || c.bank.trimmed().isEmpty()) continue;
        const QString what = QStringLiteral("%1 satırdaki çek (%2, hesap %3, no %4)")
                                 .arg(i + 1)
                                 .arg(c.bank.trimmed(), c.account.trimmed(), c.number.trimmed());
        for (int j = 0; j < i; ++j) {
            const ChequeKey &o = rows[j];
            if (norm(o.bank) == norm(c.bank) && norm(o.account) == norm(c.account) && norm(o.number) == norm(c.number)) {
                found << what + QStringLiteral(" bu bordronun %1. satırında da yazılmış.").arg(j + 1);
                break;
            }
        }
        Query q(&company);
        q.reopen({QStringLiteral("SELECT bordro_ind, alindigi_firma FROM cekgiris"),
                  QStringLiteral("WHERE (TRIM(cek_no)=TRIM(%1) COLLATE TRNOCASE)").arg(sqlText(c.number)),
                  QStringLiteral("AND (TRIM(IFNULL(cek_bankasi,''))=TRIM(%1) COLLATE TRNOCASE)").arg(sqlText(c.bank)),
                  QStringLiteral("AND (TRIM(IFNULL(cek_hesap_no,''))=TRIM(%1) COLLATE TRNOCASE)").arg(sqlText(c.account)),
                  QStringLiteral("AND (cek_ind<>%1) ORDER BY bordro_ind;").arg(c.key)});
        if (q.recordCount() > 0) {
            const Record r = q.recordAt(0);
            found << what + QStringLiteral(": Bu çek daha önce %1 numaralı bordroda (%2) kaydedilmiş.")
                                .arg(r.asInteger(QStringLiteral("bordro_ind")))
                                .arg(r.asString(QStringLiteral("alindigi_firma")));
        }
    }
    if (found.isEmpty()) return QString();
    return found.join(u'\n') + QStringLiteral("\nBordro yine de kaydedilsin mi?");
}

QString riskQuestion(Connection &company, Connection *cash, const QString &code, const QString &name, double addedTl,
                     const QDate &today)
{
    if (code.trimmed().isEmpty()) return QString();
    Query card(&company);
    card.reopen({QStringLiteral("SELECT riski FROM firma WHERE ") + sqlCodeEquals(QStringLiteral("firma_kodu"), code) + u';'});
    if (card.recordCount() == 0) return QString();
    const double limit = card.recordAt(0).asFloat(QStringLiteral("riski"));
    if (limit <= 0) return QString();
    const CustomerRisk::Figures now = CustomerRisk::read(company, cash, code, today);
    const double with = now.total() + addedTl;
    if (!CustomerRisk::overLimit(with, limit)) return QString();
    return CustomerRisk::limitQuestion(name.trimmed().isEmpty() ? code : name, limit, now.total(), with);
}

QString dueQuestion(const QVector<QDate> &dues, const QStringList &chequeNumbers, const QDate &slipDate, int days)
{
    QStringList past, soon;
    for (int i = 0; i < dues.size(); ++i) {
        const QDate d = dues[i];
        if (!d.isValid()) continue;
        const QString what = QStringLiteral("%1 (vade %2)").arg(chequeNumbers.value(i), d.toString(QStringLiteral("dd.MM.yyyy")));
        if (d < slipDate) past << what;
        else if (d <= slipDate.addDays(days)) soon << what;
    }
    if (past.isEmpty() && soon.isEmpty()) return QString();
    QStringList text;
    if (!past.isEmpty()) text << QStringLiteral("Vadesi geçmiş çekler: ") + past.join(QStringLiteral(", "));
    if (!soon.isEmpty())
        text << QStringLiteral("%1 gün içinde vadesi gelen çekler: ").arg(days) + soon.join(QStringLiteral(", "));
    return text.join(u'\n') + QStringLiteral("\nBordro yine de kaydedilsin mi?");
}

bool confirmEntrySlip(const QString &code, const QString &name, const QString &currency, double rate,
                      const QVector<QStringList> &grid, const QDate &today, QWidget *parent)
{
    const Settings settings = read();
    DataContext &ctx = DataContext::instance();
    // "Hayır" (and Escape, which answers it) keeps the slip unsaved.
    auto ask = [parent](const QString &text) {
        return MessageBox::show(MessageBox::kCaptionShort, text, MessageBox::Icon::Question,
                                MessageBox::Yes | MessageBox::No, parent)
               != MessageBox::No;
    };
    if (settings.duplicate) {
        QVector<ChequeKey> keys;
        for (const QStringList &row : grid)
            keys << ChequeKey{row.value(EntrySlip::ColBanka), row.value(EntrySlip::ColHesapNo),
                              row.value(EntrySlip::ColCekNo), row.value(EntrySlip::ColKey).toLongLong()};
        const QString q = duplicateQuestion(ctx.ADOConnection1, keys);
        if (!q.isEmpty() && !ask(q)) return false;
    }
    if (settings.risk) {
        // The new rows not yet due add to the risk; stored rows are in it already.
        double added = 0;
        for (const QStringList &row : grid) {
            if (row.value(EntrySlip::ColKey).toLongLong() > 0) continue;
            const QDate due = tarihOku(row.value(EntrySlip::ColVade), today.year());
            if (due.isValid() && due < today) continue;
            const double amount = sayiOkuDene(row.value(EntrySlip::ColTutar)).value_or(0);
            added += currency.isEmpty() || currency == u"TL" ? amount : amount * rate;
        }
        const QString q = riskQuestion(ctx.ADOConnection1, &ctx.kasaConnection, code, name, added, today);
        if (!q.isEmpty() && !ask(q)) return false;
    }
    return true;
}

} // namespace SlipWarnings
