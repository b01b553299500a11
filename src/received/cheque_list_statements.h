#pragma once
// The three statements of the received cheque lists (the rows, their total and the
// monthly summary per currency), built line by line from the filter values.
#include "received/cheque_list_assembler.h"

namespace ChequeList {

// The choices of "Gösterilecek Çekler", in the order of the radio buttons.
enum class Choice { Portfoy, Banka, PortfoyBanka, Ciro, Tahsil, Karsiliksiz, Iade, Tum };
inline constexpr int kChoiceCount = 8;
QStringList choiceTexts();

// cekgiris: the slip number, the account code, and the account's or the drawer's name.
Shape receivedShape();

struct Filters : FilterValues {
    Choice choice = Choice::Portfoy;
};

QStringList stateLines(Choice choice);
// The filter lines of the received lists (see ChequeList::filterLines).
QStringList filterLines(const Filters &f);
// orderBy: the list's last line; empty gives "ORDER BY cek_tarihi ASC;".
Statements build(const Filters &f, const QString &orderBy = QString());

} // namespace ChequeList
