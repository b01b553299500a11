#pragma once
// "Çek Geçmişi": everything that happened to one cheque, from the operation log:
// received on which slip, endorsed to whom, at which bank, collected or bounced,
// taken back, and the money each step posted. A double-click on an event opens
// its slip's register on that slip.
#include "data/operation_log.h"
#include "data/query.h"

#include <QWidget>

class DatasetGrid;
class QLabel;
class QPushButton;

class TcekgecmisF : public QWidget {
    Q_OBJECT
public:
    explicit TcekgecmisF(QWidget *parent = nullptr);

    // Shows the history of a received cheque (its given rows' events included) or of an own cheque.
    void showCheque(OperationLog::Kind kind, qint64 cheque);

    QLabel *baslikLabel = nullptr;
    DatasetGrid *olayGrid = nullptr;
    QPushButton *yazdirBut = nullptr;
    QPushButton *kapatBut = nullptr;
    Query olayQuery;

Q_SIGNALS:
    // An event's slip, to be shown in its register: an entry slip for "Giriş", an exit slip otherwise.
    void slipWanted(bool exitSlip, qint64 slip);

private:
    void print();
    OperationLog::Kind m_kind = OperationLog::Kind::Received;
    qint64 m_cheque = 0;
};
