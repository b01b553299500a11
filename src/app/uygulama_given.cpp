// The given cheque lists' place in the application: created after the exit slip
// register, opened by the exit slip's "Ciro Edilen Çekler", and the bounce window
// handed the current row of the given or the issued lists.
#include "app/uygulama.h"

#include "accounts/tcarif.h"
#include "data/data_context.h"
#include "given/tcekcikisf.h"
#include "given/tcikisceklerf.h"
#include "issued/tduzenlenenceklerf.h"
#include "received/bounce_fill.h"
#include "received/received_operations.h"
#include "received/tcekkarsiliksizf.h"
#include "widgets/form_show.h"

#include <QLineEdit>

#include <QAction>
#include <QPushButton>

namespace {

QAction *popupItem(ChequeListWindow *list, const char *name)
{
    for (QAction *a : list->popupItems)
        if (a->objectName() == QLatin1String(name)) return a;
    return nullptr;
}

bool hasCurrentRow(Query &q) { return q.isActive() && !q.isEmpty() && q.currentRow() >= 0; }

// Rebuilds a list and puts it back on the row it showed.
void rebuildOn(Query &list, const QString &keyField, const std::function<void()> &rebuild)
{
    const qint64 key = hasCurrentRow(list) ? list.field(keyField).asInteger() : 0;
    rebuild();
    if (key > 0 && list.isActive()) list.locate(keyField, key);
}

} // namespace

void Uygulama::wireGivenLists()
{
    m_cikisceklerF = std::make_unique<TcikisceklerF>();
    TcikisceklerF *given = m_cikisceklerF.get();
    given->setCariF(m_cariF.get());
    m_cekcikisF->setSlipLists(given, m_duzenlenenceklerF.get());

    // The exit slip shows the lists as they were last built (built once at first).
    if (auto *b = m_cekcikisF->findChild<QPushButton *>(QStringLiteral("BitBtn3"))) {
        b->setEnabled(true);
        connect(b, &QPushButton::clicked, this, [given] {
            if (!given->cirolananceklerQuery.isActive()) given->CiroCekleriHazirla();
            showFormMaximized(given);
        });
    }

    // "Düzenlenen Çekler": the issued lists on the slip's own cheques when the slip
    // has a number, else as they were last built.
    if (auto *b = m_cekcikisF->findChild<QPushButton *>(QStringLiteral("JvXPButton2"))) {
        b->setEnabled(true);
        TduzenlenenceklerF *issued = m_duzenlenenceklerF.get();
        TcekcikisF *slip = m_cekcikisF.get();
        connect(b, &QPushButton::clicked, this, [issued, slip] {
            const qint64 number = slip->JustaEdit1->text().trimmed().toLongLong();
            if (number > 0) {
                issued->presetSlip(number);
                issued->Yenile();
            } else if (!issued->duzenlenenQuery.isActive()) {
                issued->Yenile();
            }
            showFormMaximized(issued);
        });
    }

    // "Çeki Karşılıksız Yap" of the given lists (mode "Cirolanan") and of the
    // issued lists (mode "Duzenlenen"): the bounce window filled from the row.
    TcekkarsiliksizF *bounce = m_receivedOps->cekkarsiliksizF();
    connect(given, &TcikisceklerF::bounceRequested, this, [given, bounce] {
        if (!hasCurrentRow(given->cirolananceklerQuery)) return;
        TcekkarsiliksizF::karsiliksizKaynak = QStringLiteral("Cirolanan");
        bounce->showWith(ChequeOperation::bounceFill(given->cirolananceklerQuery, ChequeOperation::Source::Cirolanan,
                                                     given->islemTarihi()));
    });
    TduzenlenenceklerF *issued = m_duzenlenenceklerF.get();
    if (QAction *a = popupItem(issued, "karsiliksizItem")) {
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [issued, bounce] {
            if (!hasCurrentRow(issued->duzenlenenQuery)) return;
            TcekkarsiliksizF::karsiliksizKaynak = QStringLiteral("Duzenlenen");
            bounce->showWith(ChequeOperation::bounceFill(issued->duzenlenenQuery, ChequeOperation::Source::Duzenlenen,
                                                         issued->islemTarihi()));
        });
    }
    // The list the bounce came from shows it at once.
    connect(bounce, &ChequeOperationWindow::applied, this, [given, issued] {
        const QString &source = TcekkarsiliksizF::karsiliksizKaynak;
        if (source == QLatin1String("Cirolanan"))
            rebuildOn(given->cirolananceklerQuery, QStringLiteral("ciro_cek_ind"), [given] { given->CiroCekleriHazirla(); });
        else if (source == QLatin1String("Duzenlenen"))
            rebuildOn(issued->duzenlenenQuery, QStringLiteral("cek_ind"), [issued] { issued->Yenile(); });
    });

    connect(&DataContext::instance(), &DataContext::companyClosed, given, &QWidget::hide);
}
