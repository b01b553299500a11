#include "app/tgirisrf.h"

#include "app/company_registry.h"
#include "data/connection.h"
#include "data/engine_error.h"
#include "data/table.h"
#include "widgets/message_box.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

// The registry as the grid shows it: code and title. Kept here until the shared
// dataset grid model is available.
class RegistryListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(Table *t)
    {
        if (m_table == t) return;
        beginResetModel();
        m_table = t;
        endResetModel();
        const auto again = [this] { beginResetModel(); endResetModel(); };
        connect(t, &Dataset::reset, this, again);
        connect(t, &Dataset::rowInserted, this, again);
        connect(t, &Dataset::rowRemoved, this, again);
        connect(t, &Dataset::rowChanged, this, [this](int row) {
            if (row >= 0 && row < rowCount()) Q_EMIT dataChanged(index(row, 0), index(row, 1));
        });
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() || !m_table || !m_table->isActive() ? 0 : m_table->recordCount();
    }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : 2; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
        const int col = m_table->fieldIndex(index.column() == 0 ? QStringLiteral("firma_kodu")
                                                                 : QStringLiteral("firma_unvani_1"));
        return m_table->valueAt(index.row(), col).toString();
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return section == 0 ? QStringLiteral("Kodu") : QStringLiteral("Firma Adı");
    }

private:
    Table *m_table = nullptr;
};

TgirisRF::TgirisRF(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TgirisRF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip Programı  - Kayıtlı Şirket Listesi ve Yedekleme Ayarları"));

    m_model = new RegistryListModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("firmaGrid"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setColumnWidth(0, 110);
    m_grid->setMinimumSize(420, 300);
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
    side->addWidget(backup);
    side->addStretch();
    connect(addButton("kapatBut", QStringLiteral("KAPAT")), &QPushButton::clicked, this, &QWidget::hide);

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
        m_model->setTable(&t);
        connect(&t, &Dataset::currentRowChanged, this, &TgirisRF::followDataset);
        connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex &cur) {
                    Table &tt = CompanyRegistry::firmaTable();
                    if (!cur.isValid() || cur.row() == tt.currentRow()) return;
                    dropPendingChange();
                    tt.setRecNo(cur.row() + 1);
                });
    }
    return t;
}

void TgirisRF::followDataset()
{
    Table &t = CompanyRegistry::firmaTable();
    const int row = t.currentRow();
    if (row >= 0 && row < m_model->rowCount() && m_grid->currentIndex().row() != row)
        m_grid->setCurrentIndex(m_model->index(row, 0));
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
        followDataset();
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
