#pragma once
// The collection of a received cheque: marks it collected and, with the box,
// books the amount as a cash receipt in the operation year's cash file.
#include "received/cheque_operation_window.h"

#include <memory>

class Table;

class TtahsilatF : public ChequeOperationWindow {
    Q_OBJECT
public:
    explicit TtahsilatF(QWidget *parent = nullptr);
    ~TtahsilatF() override;
    // The entry slip's cheque table and the cash view's table over every cash row.
    void setTables(Table *cekTakip, Table *kasaGTable);

protected:
    ChequeOperation::Result perform(ChequeOperation::Values &v) override;

private:
    Table *m_cheques = nullptr;
    std::unique_ptr<Table> m_ownCheques, m_ownCash;
};
