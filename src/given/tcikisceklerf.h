#pragma once
// The given cheque lists: the cheques and notes handed on by exit slips (cekciro),
// those still out, the bounced or the taken-back ones, narrowed by slip, account,
// currency, name and a due-date range, with or without those handed to a bank,
// with their total, a monthly summary and a printed list. From a row the cheque is
// taken back, marked bounced, or its documents shown.
#include "given/given_list_statements.h"
#include "lists/cheque_list_window.h"

class TcikisceklerF : public ChequeListWindow {
    Q_OBJECT
public:
    explicit TcikisceklerF(QWidget *parent = nullptr);

    // Rebuilds the list, its total and the monthly summary from the filters.
    // orderBy replaces the list's last line (a title click); empty orders by due date.
    void CiroCekleriHazirla(const QString &orderBy = QString()) { rebuild(orderBy); }
    // The list alone shows the cheques of the slip in "Bordro No", in their saved order.
    void DuzeltHazirla();
    // After a slip's receipt is printed: the next build lists that slip, whatever
    // its cheques' state and due dates (the date box unticked, the first state).
    void presetSlip(qint64 slipNumber);
    GivenList::Filters filters() const;

    // The ciro_cek_ind of the main grid's current row; 0 when the list shows none.
    qint64 currentCheque();
    QAction *item(const char *name) const;

    Query &cirolananceklerQuery = listQuery;
    Query &cekcirotoplamQuery = totalQuery;
    Query &AylikAlinanCeklerQuery = monthlyQuery;
    DatasetGrid *const FirmaGrid = listGrid;
    QLineEdit *const DBEdit1 = toplamEdit;
    QCheckBox *BankaCheck;

Q_SIGNALS:
    // "Çeki İade Al" on a row: the given cheque to take back.
    void takeBackRequested(qint64 cekciroId);
    // "Çeki Karşılıksız Yap" on a row: the bounce window for the current row.
    void bounceRequested();

protected:
    QStringList stateLines() const override;
    // An item whose signal nothing receives stays disabled.
    void connectNotify(const QMetaMethod &signal) override;

private:
    GivenList::Choice choice() const;
};
