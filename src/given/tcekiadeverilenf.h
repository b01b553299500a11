#pragma once
// Taking back a given cheque: an endorsed or bank cheque of the given lists (mode
// "Cirolanan") or an own cheque of the issued lists (mode "Duzenlenen"). The
// window shows the cheque, takes the return date and the rate of the day, and
// credits the account it went to when the box is ticked.
#include "given/given_take_back.h"
#include "received/cheque_operation_window.h"

#include <memory>

class Table;

class TcekiadeverilenF : public ChequeOperationWindow {
    Q_OBJECT
public:
    explicit TcekiadeverilenF(QWidget *parent = nullptr);
    ~TcekiadeverilenF() override;

    // Set by the opener before it fills the window: "Cirolanan" or "Duzenlenen".
    static QString verilenIadeTuru;

    // The window shown and filled from the given cheque with this ciro_cek_ind
    // (mode "Cirolanan") or the own cheque with this cek_ind (mode "Duzenlenen").
    // A cheque no longer stored is told and nothing shows.
    void cirolananAc(qint64 ciroCekInd);
    void duzenlenenAc(qint64 cekInd);

    GivenTakeBack::Values takeBackValues() const;
    void setTakeBackValues(const GivenTakeBack::Values &v);

    QPushButton *const BitBtn1 = actionButton;

protected:
    ChequeOperation::Result perform(ChequeOperation::Values &v) override;

private:
    void open(const QString &mode, Table &table, const QString &keyField, qint64 key);

    std::unique_ptr<Table> m_given, m_own, m_received;
};
