#pragma once
// The statements of the given cheque lists: the rows of cekciro (cheques and notes
// handed on by exit slips) by their state, with the filter lines of every cheque
// list, their total and the monthly summary per currency.
#include "received/cheque_list_assembler.h"

namespace GivenList {

// The choices of "Gösterilecek Çekler", in the order of the radio buttons.
enum class Choice { Tum, Karsiliksiz, IadeAlinan };
inline constexpr int kChoiceCount = 3;
QStringList choiceTexts();

// cekciro: the exit slip's number, the code of the account the cheque went to, and
// the names of that account, of the drawer and of the account it came from.
ChequeList::Shape shape();

struct Filters : ChequeList::FilterValues {
    Choice choice = Choice::Tum;
    bool bankaHaric = true;  // "Banka Hariç": leaves out the cheques handed to a bank
};

// The state of a given cheque follows from its own dates: out while neither the
// bounce nor the take-back date is set. With bankaHaric the cheques handed to a
// bank (cek_banka_id = 2) follow; a cheque whose exit type was never stored is no
// bank cheque and stays.
QStringList stateLines(Choice choice, bool bankaHaric);
// orderBy: the list's last line; empty gives "ORDER BY cek_tarihi ASC;".
ChequeList::Statements build(const Filters &f, const QString &orderBy = QString());

} // namespace GivenList
