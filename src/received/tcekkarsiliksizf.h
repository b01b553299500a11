#pragma once
// The bounce of a cheque: only its bounce date, in the table it lives in (a
// received cheque, a given one or an own issued one, by karsiliksizKaynak).
#include "received/cheque_operation_window.h"

#include <memory>

class Table;

class TcekkarsiliksizF : public ChequeOperationWindow {
    Q_OBJECT
public:
    explicit TcekkarsiliksizF(QWidget *parent = nullptr);
    ~TcekkarsiliksizF() override;
    // The entry slip's cheque table; the given and own cheques have tables of this window.
    void setTables(Table *cekTakip) { m_cheques = cekTakip; }

    // Set by the opener before it shows the window: "Portfoy", "Cirolanan" or
    // "Duzenlenen"; empty at start.
    static QString karsiliksizKaynak;

protected:
    ChequeOperation::Result perform(ChequeOperation::Values &v) override;

private:
    Table *m_cheques = nullptr;
    std::unique_ptr<Table> m_ownCheques, m_given, m_own;
};
