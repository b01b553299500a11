#pragma once
// The operations on a received cheque that the received lists offer on their
// current row: the collection, return and bounce windows, and the two undo
// commands with their questions. Owns the three windows.
#include <QObject>

#include <memory>

class Table;
class TceklerF;
class TcekortF;
class TtahsilatF;
class TcekiadeF;
class TcekkarsiliksizF;

class ReceivedOperations : public QObject {
    Q_OBJECT
public:
    // kasaGTable is the cash view's table over every cash row (may be null).
    ReceivedOperations(TceklerF *lists, TcekortF *slip, Table *kasaGTable);
    ~ReceivedOperations() override;

    TtahsilatF *tahsilatF() const { return m_tahsilat.get(); }
    TcekiadeF *cekiadeF() const { return m_iade.get(); }
    TcekkarsiliksizF *cekkarsiliksizF() const { return m_karsiliksiz.get(); }

    // The list's items; each does nothing on an empty list.
    void tahsilatYap();
    void iadeEt();
    void karsiliksizYap();
    void tahsilatiKaldir();
    void iadeyiKaldir();
    void cikisiKaldir();
    // The collection of a stored cheque chosen elsewhere (the main window's
    // portfolio); nothing shows when the cheque is gone.
    void tahsilatFor(qint64 chequeKey);

private:
    bool hasCurrent() const;
    qint64 currentKey() const;
    // Rebuilds the list, its total and monthly summary, back on the cheque.
    void rebuildOn(qint64 key);

    TceklerF *m_lists;
    TcekortF *m_slip;
    std::unique_ptr<TtahsilatF> m_tahsilat;
    std::unique_ptr<TcekiadeF> m_iade;
    std::unique_ptr<TcekkarsiliksizF> m_karsiliksiz;
};
