#include "data/cheque_state.h"

#include "data/display_format.h"

#include <algorithm>
#include <initializer_list>

namespace ChequeState {

bool isSet(const QVariant &v)
{
    if (v.isNull() || !v.isValid()) return false;
    if (v.typeId() == QMetaType::QString) return !v.toString().trimmed().isEmpty();
    return true;
}

Received receivedState(const Fields &f)
{
    // A returned cheque may have bounced first: the return is what happened last.
    if (isSet(f("cek_iade_tarihi"))) return Received::Returned;
    if (isSet(f("cek_karsiliklsiz_tarihi"))) return Received::Bounced;
    if (isSet(f("cek_tahsilat_tarihi"))) return Received::Collected;
    const bool atBank = isSet(f("cek_banka_tarihi"));
    if (isSet(f("cek_ciro_id"))) return atBank ? Received::AtBank : Received::Endorsed;
    return atBank ? Received::AtBankEntry : Received::Portfolio;
}

Given givenState(const Fields &f)
{
    if (isSet(f("cek_iade_tarihi"))) return Given::TakenBack;
    if (isSet(f("cek_karsiliklsiz_tarihi"))) return Given::Bounced;
    const QVariant bank = f("cek_banka_id");
    return isSet(bank) && bank.toLongLong() == 2 ? Given::AtBank : Given::Out;
}

Own ownState(const Fields &f)
{
    if (isSet(f("cek_iade_tarihi"))) return Own::TakenBack;
    if (isSet(f("cek_karsiliklsiz_tarihi"))) return Own::Bounced;
    if (isSet(f("cek_tahsilat_tarihi"))) return Own::Paid;
    return Own::Issued;
}

QString receivedText(Received s)
{
    switch (s) {
    case Received::Portfolio: return QStringLiteral("portföyde");
    case Received::AtBankEntry: return QStringLiteral("portföyde (bankadan alınmış)");
    case Received::AtBank: return QStringLiteral("bankaya verilmiş");
    case Received::Endorsed: return QStringLiteral("ciro edilmiş");
    case Received::Collected: return QStringLiteral("tahsil edilmiş");
    case Received::Returned: return QStringLiteral("iade edilmiş");
    case Received::Bounced: return QStringLiteral("karşılıksız");
    }
    return QString();
}

QString givenText(Given s)
{
    switch (s) {
    case Given::Out: return QStringLiteral("ciro edilmiş");
    case Given::AtBank: return QStringLiteral("bankaya verilmiş");
    case Given::TakenBack: return QStringLiteral("geri alınmış");
    case Given::Bounced: return QStringLiteral("karşılıksız");
    }
    return QString();
}

QString ownText(Own s)
{
    switch (s) {
    case Own::Issued: return QStringLiteral("ödenecek");
    case Own::Paid: return QStringLiteral("ödenmiş");
    case Own::TakenBack: return QStringLiteral("geri alınmış");
    case Own::Bounced: return QStringLiteral("karşılıksız");
    }
    return QString();
}

namespace {

template <typename S>
bool among(S s, std::initializer_list<S> states)
{
    return std::find(states.begin(), states.end(), s) != states.end();
}

} // namespace

bool allows(Operation op, Received s)
{
    using R = Received;
    switch (op) {
    case Operation::EntryRowChange: return among(s, {R::Portfolio, R::AtBankEntry, R::Bounced});
    case Operation::ExitAdd: return among(s, {R::Portfolio, R::AtBankEntry});
    case Operation::ExitRowChange:
    case Operation::ExitCancel:
    case Operation::UndoExit: return among(s, {R::Endorsed, R::AtBank});
    case Operation::Collect: return among(s, {R::Portfolio, R::AtBankEntry, R::AtBank, R::Collected});
    case Operation::UndoCollect: return s == R::Collected;
    case Operation::Return: return among(s, {R::Portfolio, R::AtBankEntry, R::Bounced, R::Returned});
    case Operation::UndoReturn: return s == R::Returned;
    case Operation::BounceReceived: return among(s, {R::Portfolio, R::AtBankEntry, R::AtBank, R::Bounced});
    default: return false;
    }
}

bool allows(Operation op, Given s)
{
    using G = Given;
    switch (op) {
    case Operation::ExitRowChange:
    case Operation::ExitCancel: return among(s, {G::Out, G::AtBank});
    case Operation::BounceGiven: return among(s, {G::Out, G::AtBank, G::Bounced});
    case Operation::TakeBackGiven: return among(s, {G::Out, G::AtBank, G::Bounced, G::TakenBack});
    default: return false;
    }
}

bool allows(Operation op, Own s)
{
    using O = Own;
    switch (op) {
    case Operation::OwnRowChange: return s == O::Issued;
    case Operation::BounceOwn: return among(s, {O::Issued, O::Bounced});
    case Operation::TakeBackOwn: return among(s, {O::Issued, O::Bounced, O::TakenBack});
    case Operation::PayOwn: return among(s, {O::Issued, O::Paid});
    case Operation::UndoPayOwn: return s == O::Paid;
    default: return false;
    }
}

QString refusal(const QString &chequeNo, const QDate &due, double amount, const QString &currency,
                const QString &stateText)
{
    QStringList parts;
    if (!chequeNo.trimmed().isEmpty()) parts << chequeNo.trimmed() + QStringLiteral(" nolu");
    if (due.isValid()) parts << due.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" vadeli");
    parts << formatFloat(QStringLiteral("#,##0.00"), amount) + (currency.isEmpty() ? QString() : u' ' + currency);
    return QStringLiteral("Bu çek (%1) %2 durumda; bu işlem yapılamaz. İşlem yapılmadı.")
        .arg(parts.join(u' '), stateText);
}

QString receivedCondition(Received s)
{
    switch (s) {
    case Received::Portfolio:
        return QStringLiteral("(cek_ciro_id IS NULL) AND (cek_tahsilat_tarihi IS NULL) AND (cek_iade_tarihi IS NULL) "
                              "AND (cek_banka_tarihi IS NULL) AND (cek_karsiliklsiz_tarihi IS NULL)");
    case Received::AtBankEntry:
        return QStringLiteral("(cek_ciro_id IS NULL) AND (cek_tahsilat_tarihi IS NULL) AND (cek_iade_tarihi IS NULL) "
                              "AND (cek_banka_tarihi IS NOT NULL) AND (cek_karsiliklsiz_tarihi IS NULL)");
    case Received::AtBank:
        return QStringLiteral("(cek_ciro_id IS NOT NULL) AND (cek_tahsilat_tarihi IS NULL) AND (cek_iade_tarihi IS NULL) "
                              "AND (cek_banka_tarihi IS NOT NULL) AND (cek_karsiliklsiz_tarihi IS NULL)");
    case Received::Endorsed:
        return QStringLiteral("(cek_ciro_id IS NOT NULL) AND (cek_tahsilat_tarihi IS NULL) AND (cek_iade_tarihi IS NULL) "
                              "AND (cek_banka_tarihi IS NULL) AND (cek_karsiliklsiz_tarihi IS NULL)");
    case Received::Collected:
        return QStringLiteral("(cek_tahsilat_tarihi IS NOT NULL) AND (cek_iade_tarihi IS NULL) "
                              "AND (cek_karsiliklsiz_tarihi IS NULL)");
    case Received::Returned: return QStringLiteral("(cek_iade_tarihi IS NOT NULL)");
    case Received::Bounced:
        return QStringLiteral("(cek_karsiliklsiz_tarihi IS NOT NULL) AND (cek_iade_tarihi IS NULL)");
    }
    return QString();
}

} // namespace ChequeState
