#pragma once
// The return of a received cheque to its account: marks it returned and, with the
// box, debits the account with the cheque in the operation year's cash file.
#include "received/cheque_operation_window.h"

#include <memory>

class Table;

class TcekiadeF : public ChequeOperationWindow {
    Q_OBJECT
public:
    explicit TcekiadeF(QWidget *parent = nullptr);
    ~TcekiadeF() override;
    void setTables(Table *cekTakip) { m_cheques = cekTakip; }

protected:
    ChequeOperation::Result perform(ChequeOperation::Values &v) override;

private:
    Table *m_cheques = nullptr;
    std::unique_ptr<Table> m_ownCheques;
};
