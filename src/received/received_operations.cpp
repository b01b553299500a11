#include "received/received_operations.h"

#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/table.h"
#include "received/cheque_operations.h"
#include "received/tcekiadef.h"
#include "received/tcekkarsiliksizf.h"
#include "received/tceklerf.h"
#include "received/tcekortf.h"
#include "received/ttahsilatf.h"
#include "widgets/form_show.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QScreen>

using ChequeOperation::Window;

namespace {

QAction *item(TceklerF *lists, const char *name)
{
    for (QAction *a : lists->popupItems)
        if (a->objectName() == QLatin1String(name)) return a;
    return nullptr;
}

// Centred on the screen the window shows on.
void centre(QWidget *w)
{
    w->adjustSize();
    if (const QScreen *s = w->screen()) w->move(s->availableGeometry().center() - w->rect().center());
}

} // namespace

ReceivedOperations::ReceivedOperations(TceklerF *lists, TcekortF *slip, Table *kasaGTable)
    : m_lists(lists), m_slip(slip), m_tahsilat(std::make_unique<TtahsilatF>()), m_iade(std::make_unique<TcekiadeF>()),
      m_karsiliksiz(std::make_unique<TcekkarsiliksizF>())
{
    Table *cheques = slip ? slip->CekTakip() : nullptr;
    m_tahsilat->setTables(cheques, kasaGTable);
    m_iade->setTables(cheques);
    m_iade->setCashView(kasaGTable);
    m_karsiliksiz->setTables(cheques);

    const std::pair<const char *, void (ReceivedOperations::*)()> items[] = {
        {"tahsilatItem", &ReceivedOperations::tahsilatYap},
        {"iadeItem", &ReceivedOperations::iadeEt},
        {"karsiliksizItem", &ReceivedOperations::karsiliksizYap},
        {"cikisKaldirItem", &ReceivedOperations::cikisiKaldir},
        {"tahsilatKaldirItem", &ReceivedOperations::tahsilatiKaldir},
        {"iadeKaldirItem", &ReceivedOperations::iadeyiKaldir},
    };
    for (const auto &[name, slot] : items) {
        if (QAction *a = item(lists, name)) {
            a->setEnabled(true);
            connect(a, &QAction::triggered, this, slot);
        }
    }
    // Closing the company ends the work on its cheques.
    connect(&DataContext::instance(), &DataContext::companyClosed, this, [this] {
        m_tahsilat->hide();
        m_iade->hide();
        m_karsiliksiz->hide();
    });
    // A return and a bounce from these lists show at once; a collection at the next rebuild.
    connect(m_iade.get(), &ChequeOperationWindow::applied, this, [this] { rebuildOn(currentKey()); });
    connect(m_karsiliksiz.get(), &ChequeOperationWindow::applied, this, [this] {
        if (TcekkarsiliksizF::karsiliksizKaynak == QLatin1String("Portfoy")) rebuildOn(currentKey());
    });
}

ReceivedOperations::~ReceivedOperations() = default;

bool ReceivedOperations::hasCurrent() const { return m_lists->listQuery.isActive() && !m_lists->listQuery.isEmpty(); }

qint64 ReceivedOperations::currentKey() const
{
    return hasCurrent() ? m_lists->listQuery.field(QStringLiteral("cek_ind")).asInteger() : 0;
}

void ReceivedOperations::rebuildOn(qint64 key)
{
    m_lists->CekleriHazirla();
    if (key > 0 && m_lists->listQuery.isActive()) m_lists->listQuery.locate(QStringLiteral("cek_ind"), key);
}

void ReceivedOperations::tahsilatYap()
{
    if (!hasCurrent()) return;
    centre(m_tahsilat.get());
    m_tahsilat->showWith(ChequeOperation::fromReceived(m_lists->listQuery, Window::Collection, m_lists->islemTarihi()));
}

void ReceivedOperations::tahsilatFor(qint64 chequeKey)
{
    Table *slipTable = m_slip ? m_slip->CekTakip() : nullptr;
    Table own(&DataContext::instance().ADOConnection1, QStringLiteral("cekgiris"));
    Table &cheques = slipTable ? *slipTable : own;
    try {
        if (!cheques.isActive()) cheques.open();
        cheques.setFiltered(false);
        if (chequeKey <= 0 || !cheques.locate(QStringLiteral("cek_ind"), chequeKey)) return;
    } catch (const EngineError &e) {
        MessageBox::warning(e.message());
        return;
    }
    centre(m_tahsilat.get());
    m_tahsilat->showWith(ChequeOperation::fromDashboard(cheques));
}

void ReceivedOperations::iadeEt()
{
    if (!hasCurrent()) return;
    centre(m_iade.get());
    m_iade->showWith(ChequeOperation::fromReceived(m_lists->listQuery, Window::Return, m_lists->islemTarihi()));
}

void ReceivedOperations::karsiliksizYap()
{
    if (!hasCurrent()) return;
    TcekkarsiliksizF::karsiliksizKaynak = QStringLiteral("Portfoy");
    m_karsiliksiz->showWith(ChequeOperation::fromReceived(m_lists->listQuery, Window::Bounce, m_lists->islemTarihi()));
}

namespace {

bool confirmed(const QString &question)
{
    return MessageBox::show(MessageBox::kCaption, question, MessageBox::Icon::Question,
                            MessageBox::Yes | MessageBox::No | MessageBox::Cancel)
           == MessageBox::Yes;
}

} // namespace

void ReceivedOperations::tahsilatiKaldir()
{
    if (!hasCurrent()) return;
    if (!confirmed(ChequeOperation::kUndoCollectionQuestion)) return;
    const qint64 key = currentKey();
    Table *cheques = m_slip ? m_slip->CekTakip() : nullptr;
    Table own(&DataContext::instance().ADOConnection1, QStringLiteral("cekgiris"));
    const ChequeOperation::Result r = ChequeOperation::undoCollection(key, cheques ? *cheques : own);
    if (!r.done) {
        MessageBox::warning(r.message);
        return;
    }
    // The total and the monthly summary follow the rows.
    rebuildOn(key);
}

void ReceivedOperations::iadeyiKaldir()
{
    if (!hasCurrent()) return;
    if (!confirmed(ChequeOperation::kUndoReturnQuestion)) return;
    const qint64 key = currentKey();
    Table *cheques = m_slip ? m_slip->CekTakip() : nullptr;
    Table own(&DataContext::instance().ADOConnection1, QStringLiteral("cekgiris"));
    const ChequeOperation::Result r = ChequeOperation::undoReturn(key, cheques ? *cheques : own);
    if (!r.done) {
        MessageBox::warning(r.message);
        return;
    }
    rebuildOn(key);
}

void ReceivedOperations::cikisiKaldir()
{
    if (!hasCurrent()) return;
    if (!confirmed(ChequeOperation::kUndoExitQuestion)) return;
    const qint64 key = currentKey();
    Table *cheques = m_slip ? m_slip->CekTakip() : nullptr;
    Table own(&DataContext::instance().ADOConnection1, QStringLiteral("cekgiris"));
    const ChequeOperation::Result r = ChequeOperation::undoExit(key, cheques ? *cheques : own);
    if (!r.done) {
        MessageBox::warning(r.message);
        return;
    }
    rebuildOn(key);
}
