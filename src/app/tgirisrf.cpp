#include "app/tgirisrf.h"

#include "app/backup_panel.h"
#include "app/company_registry.h"
#include "data/connection.h"
#include "data/engine_error.h"
#include "data/table.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

TgirisRF::TgirisRF(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TgirisRF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip Programı  - Kayıtlı Şirket Listesi ve Yedekleme Ayarları"));

    // The shared data grid with its row colours; the registry is bound to it when
    // the list is first shown.
    m_grid = new DatasetGrid(this);
    m_grid->setObjectName(QStringLiteral("firmaGrid"));
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setMinimumSize(420, 300);
    // A move in the list must never post the company form's unsaved record.
    m_grid->viewport()->installEventFilter(this);
    m_grid->installEventFilter(this);
    m_grid->setContextMenuPolicy(Qt::ActionsContextMenu);

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    const auto addAction = [this](const char *name, const QString &text, const QKeySequence &key) {
        auto *a = new QAction(text, this);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        m_menu->addAction(a);
        m_grid->addAction(a);
        return a;
    };
    connect(addAction("Se1", QStringLiteral("Seç"), QKeySequence(Qt::Key_F2)), &QAction::triggered, this, &TgirisRF::sec);
    connect(addAction("Kapat1", QStringLiteral("Kapat"), QKeySequence(Qt::Key_F10)), &QAction::triggered, this, &QWidget::hide);
    connect(addAction("FirmayiSil1", QStringLiteral("Firmayı Sil"), QKeySequence(Qt::CTRL | Qt::Key_Delete)),
            &QAction::triggered, this, &TgirisRF::sil);
    QAction *companyBackup = addAction("FirmannYedeiniAla1", QStringLiteral("Firmanın Yedeğini Al"),
                                       QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Y));

    auto *side = new QVBoxLayout;
    const auto addButton = [this, side](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        side->addWidget(b);
        return b;
    };
    connect(addButton("secBut", QStringLiteral("Şirket Seç")), &QPushButton::clicked, this, &TgirisRF::sec);
    connect(addButton("silBut", QStringLiteral("Şirketi Sil")), &QPushButton::clicked, this, &TgirisRF::sil);
    auto *backup = new QWidget(this);
    backup->setObjectName(QStringLiteral("yedekPanel"));
    m_backupPanel = new QVBoxLayout(backup);
    m_backupPanel->setContentsMargins(0, 8, 0, 8);
    m_backup = new BackupPanel(backup);
    m_backupPanel->addWidget(m_backup);
    side->addWidget(backup);
    side->addStretch();
    connect(addButton("kapatBut", QStringLiteral("KAPAT")), &QPushButton::clicked, this, &QWidget::hide);

    connect(companyBackup, &QAction::triggered, m_backup, &BackupPanel::FirmannYedeiniAla1Click);
    // A restore may replace the registry the list shows.
    connect(m_backup, &BackupPanel::restored, this, [this] { table(); });

    auto *root = new QHBoxLayout(this);
    root->addWidget(m_grid, 1);
    root->addLayout(side);

    connect(m_grid, &QAbstractItemView::doubleClicked, this, &TgirisRF::sec);
}

Table &TgirisRF::table()
{
    Table &t = CompanyRegistry::firmaTable();
    if (!m_wired) {
        m_wired = true;
        m_grid->setDataset(&t, {gridColumn("firma_kodu", "Kodu", 110), gridColumn("firma_unvani_1", "Firma Adı", 280)});
    }
    return t;
}

bool TgirisRF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) dropPendingChange();
    return QWidget::eventFilter(watched, event);
}

void TgirisRF::dropPendingChange()
{
    // Moving in the list would post the company form's unsaved record; a new company
    // must get its database through "KAYDET", so the pending change is dropped.
    Table &t = CompanyRegistry::firmaTable();
    if (t.state() != Dataset::State::Browse) t.cancel();
}

void TgirisRF::showList()
{
    table();
    show();
    raise();
}

void TgirisRF::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    try {
        table();
        dropPendingChange();
    } catch (const EngineError &err) {
        MessageBox::error(err.message());
    }
}

void TgirisRF::sec()
{
    Table &t = table();
    dropPendingChange();
    if (t.isEmpty()) return;
    const QString code = t.field(QStringLiteral("firma_kodu")).asString();
    const QString title = t.field(QStringLiteral("firma_unvani_1")).asString();
    hide();
    Q_EMIT companyChosen(code, title);
}

void TgirisRF::sil()
{
    Q_EMIT menuHeaderChanged(CompanyRegistry::kDefaultMenuHeader);
    Table &t = table();
    dropPendingChange();
    if (t.isEmpty()) return;
    try {
        deleteCompanyAsking(t);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}
