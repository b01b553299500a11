#pragma once
// The steps of the account cards that need no window: defaults of a new card, the
// duplicate-code check, what still refers to a card before it is deleted, and the
// search over the cards.
#include <QString>
#include <QStringList>
#include <QVariant>

class Connection;
class Dataset;
class Query;
class Table;

namespace AccountSteps {

// The values a new card starts with: 365 days, zero rates, expense, BSMV and
// collection days; every other field empty.
void yeniKartVarsayilanlari(Dataset &card);

// Reads the card of a code into the query (on the company connection) and leaves
// it there; false when no card has that code. Codes compare by the program's one
// rule for codes (sqlCodeEquals: Turkish case folded).
bool findAccount(Query &cards, const QString &code);

// True when a card other than the one whose firma_ind is ownInd (null for a new
// card) already has the code. Codes compare by the one rule of account codes
// (Turkish case folded, sqlCodeEquals), as the slips, lists and movements find
// their accounts. Runs on the given query and closes it.
bool kodBaskaKarttaVar(Query &firmaQuery, const QString &code, const QVariant &ownInd);

// What still refers to the code, one Turkish line per kind ("3 alınan çek/senet").
// Looks in the company database, in the open cash database of the working year and,
// when companyCode is given, in that company's cash databases of the other years
// ("2 cari hareket (2023)"). Empty when nothing refers to it.
QStringList kartaBagliKayitlar(Connection &company, Connection *cash, const QString &code,
                               const QString &companyCode = QString());

// The search over the cards: the next card after the current one, wrapping round,
// whose folded "name code" contains the folded text. Runs in SQL so that tens of
// thousands of cards are searched at once. Returns false and keeps the current card
// when none matches (an empty text never matches).
bool cariAra(Table &cards, const QString &text);

} // namespace AccountSteps
