#pragma once
// The statements of the issued cheque lists: the company's own cheques of cekkendi
// by their state, with the filter lines of every cheque list, their total and the
// monthly summary per currency.
#include "received/cheque_list_assembler.h"

namespace IssuedList {

// The choices of "Gösterilecek Çekler", in the order of the radio buttons.
enum class Choice { Odenecek, Karsiliksiz, IadeAlinan, Odenen, Tum };
inline constexpr int kChoiceCount = 5;
QStringList choiceTexts();

// cekkendi: the slip number, the account's code and name; conditions stand bare
// ("AND bordro_ind=12"), the name search in brackets.
ChequeList::Shape shape();

struct Filters : ChequeList::FilterValues {
    Choice choice = Choice::Odenecek;
};

// The state of an own cheque follows from its dates: to be paid while none of the
// bounce, take-back and payment dates is set.
QStringList stateLines(Choice choice);
// orderBy: the list's last line; empty gives "ORDER BY cek_tarihi ASC;".
ChequeList::Statements build(const Filters &f, const QString &orderBy = QString());

} // namespace IssuedList
