// The "Çek Geçmişi" window: opened from the pop-up of every cheque list (and with
// Ctrl+G there) on the list's current cheque; an exit slip event opens its slip in
// the exit slip register.
#include "app/uygulama.h"

#include "given/tcikisbordrof.h"
#include "given/tcikisceklerf.h"
#include "history/tcekgecmisf.h"
#include "issued/tduzenlenenceklerf.h"
#include "received/tceklerf.h"

#include <QAction>

namespace {

// Adds the history item to a list's pop-up; `open` reads the list's current row.
void addHistoryItem(ChequeListWindow *list, const std::function<void()> &open)
{
    auto *item = new QAction(QStringLiteral("Çek Geçmişi"), list);
    item->setObjectName(QStringLiteral("gecmisItem"));
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    list->addAction(item);
    list->addPopupItem(item);
    QObject::connect(item, &QAction::triggered, list, open);
}

} // namespace

void Uygulama::wireHistory()
{
    m_cekgecmisF = std::make_unique<TcekgecmisF>();
    connect(m_cekgecmisF.get(), &TcekgecmisF::slipWanted, this, [this](bool exitSlip, qint64 slip) {
        if (exitSlip && m_cikisbordroF) m_cikisbordroF->bordroyuBul(slip);
    });
    const auto current = [](ChequeListWindow *list, const char *field) -> qint64 {
        Query &q = list->listQuery;
        if (!q.isActive() || q.isEmpty() || q.currentRow() < 0) return 0;
        return q.field(QString::fromLatin1(field)).asInteger();
    };
    addHistoryItem(m_ceklerF.get(), [this, current] {
        if (const qint64 key = current(m_ceklerF.get(), "cek_ind")) m_cekgecmisF->showCheque(OperationLog::Kind::Received, key);
    });
    addHistoryItem(m_cikisceklerF.get(), [this, current] {
        if (const qint64 key = current(m_cikisceklerF.get(), "cek_giris_id"))
            m_cekgecmisF->showCheque(OperationLog::Kind::Received, key);
    });
    addHistoryItem(m_duzenlenenceklerF.get(), [this, current] {
        if (const qint64 key = current(m_duzenlenenceklerF.get(), "cek_ind")) m_cekgecmisF->showCheque(OperationLog::Kind::Own, key);
    });
}
