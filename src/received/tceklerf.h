#pragma once
// The received cheque lists: the cheques of cekgiris by their state, narrowed by
// slip, account, currency, a name and a due-date range, with their total and a
// monthly summary per currency. The starting point of the operations on a cheque.
#include "received/cheque_list_statements.h"
#include "lists/cheque_list_window.h"

class QCheckBox;
class QDateEdit;

class TceklerF : public ChequeListWindow {
    Q_OBJECT
public:
    explicit TceklerF(QWidget *parent = nullptr);

    // Rebuilds and opens the three queries from the filters. orderBy replaces the
    // list's last line (a title click); empty orders by the due date.
    void CekleriHazirla(const QString &orderBy = QString()) { rebuild(orderBy); }
    // The list alone shows the rows of the slip in "Bordro No".
    void DuzeltHazirla();
    // The current filter values.
    ChequeList::Filters filters() const;

    Query &eldekiceklerQuery = listQuery;
    Query &ceklertoplamQuery = totalQuery;
    Query &AylikAlinanCeklerQuery = monthlyQuery;
    DatasetGrid *const eldekiceklerGrid = listGrid;
    QPushButton *const cirolaButton;
    // "Tarihindeki Portföy": when checked, the cheques held at the end of the day
    // in gecmisDate take the place of the state choice.
    QCheckBox *gecmisCheck = nullptr;
    QDateEdit *gecmisDate = nullptr;

protected:
    QStringList stateLines() const override;
    void hideEvent(QHideEvent *event) override;

private:
    ChequeList::Choice choice() const;
};
