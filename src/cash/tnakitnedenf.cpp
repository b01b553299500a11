#include "cash/tnakitnedenf.h"

#include "cash/cash_entry_steps.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/table.h"
#include "widgets/column_chooser.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/form_kit.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const ColumnChooserTexts kChooserTexts{QStringLiteral("Kolonları Göster"), QStringLiteral("[Veritabanı isimleri]"),
                                       QStringLiteral("Tamam"), QStringLiteral("En az bir kayıt olmalı")};

} // namespace

TnakitnedenF::TnakitnedenF(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TnakitnedenF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip Programı   - Nakit İşlem Türü"));
    kasanedenTable = new Table(&DataContext::instance().ADOConnection1, QStringLiteral("kasaneden"),
                               QStringLiteral("kasanedeid"), QStringLiteral("kasanedenTable"), this);

    auto *root = new QVBoxLayout(this);
    auto *line = new QHBoxLayout;
    QLabel *label = FormKit::caption(QStringLiteral("İşlem Türü"), this, true);
    islemTuruEdit = FormKit::lineEdit(this, "islemTuruEdit", QString(), 30);
    label->setBuddy(islemTuruEdit);
    islemTuruEdit->setProperty("enterKeepsKey", true);
    connect(islemTuruEdit, &QLineEdit::returnPressed, this, &TnakitnedenF::Button1Click);
    line->addWidget(label);
    line->addWidget(islemTuruEdit, 1);
    QPushButton *sakla = FormKit::button(this, "Button1", QStringLiteral("SAKLA"));
    connect(sakla, &QPushButton::clicked, this, &TnakitnedenF::Button1Click);
    line->addWidget(sakla);
    QPushButton *sil = FormKit::button(this, "JvXPButton1", QStringLiteral("KAYDI SİL"));
    connect(sil, &QPushButton::clicked, this, &TnakitnedenF::kaydiSil);
    line->addWidget(sil);
    root->addLayout(line);

    grid = new DatasetGrid(this);
    grid->setObjectName(QStringLiteral("DBGrid1"));
    grid->setDataset(kasanedenTable, {gridColumn("kasanedenine", "Kasa İşlem Türleri", 260)});
    grid->horizontalHeader()->setStretchLastSection(true);
    const struct {
        const char *name, *text;
        QKeySequence key;
        void (TnakitnedenF::*action)();
    } items[] = {{"duzeltMenuItem", "Kaydı Düzelt", QKeySequence(Qt::SHIFT | Qt::Key_Insert), &TnakitnedenF::kaydiDuzelt},
                 {"silMenuItem", "Kaydı Sil", QKeySequence(Qt::Key_Delete), &TnakitnedenF::kaydiSil}};
    for (const auto &i : items) {
        auto *action = new QAction(QString::fromUtf8(i.text), grid);
        action->setObjectName(QLatin1String(i.name));
        action->setShortcut(i.key);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, i.action);
        grid->addAction(action);
    }
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    // The column chooser opens from the titles.
    grid->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid->horizontalHeader(), &QWidget::customContextMenuRequested, this, &TnakitnedenF::kolonlariSec);
    root->addWidget(grid, 1);
    KeyFilters::installEnterMovesFocus(this);
    resize(420, 420);
}

Table &TnakitnedenF::types()
{
    if (!kasanedenTable->isActive()) kasanedenTable->open();
    return *kasanedenTable;
}

void TnakitnedenF::ac()
{
    try {
        types();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    show();
    raise();
}

void TnakitnedenF::Button1Click()
{
    const QString name = islemTuruEdit->text();
    if (name.isEmpty()) return;
    try {
        finishInPlace(true);
        Table &t = types();
        t.append();
        t.field(QStringLiteral("kasanedenine")) = name;
        t.post();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    islemTuruEdit->clear();
    Q_EMIT typesChanged();
}

void TnakitnedenF::kaydiDuzelt()
{
    try {
        Table &t = types();
        if (t.isEmpty() || m_editor) return;
        const int row = t.currentRow();
        const QRect cell = grid->visualRect(grid->gridModel()->index(row, 0));
        m_editor = new QLineEdit(grid->viewport());
        m_editor->setObjectName(QStringLiteral("kasanedenineEditor"));
        m_editor->setMaxLength(30);
        m_editor->setText(t.value(QStringLiteral("kasanedenine")).toString());
        m_editor->setGeometry(cell.isValid() ? cell : QRect(0, 0, grid->viewport()->width(), 24));
        m_editor->installEventFilter(this);
        m_editor->show();
        m_editor->setFocus();
        m_editor->selectAll();
        grid->setEnabled(true);
        connect(m_editor, &QLineEdit::returnPressed, this, [this] { finishInPlace(true); });
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TnakitnedenF::finishInPlace(bool post)
{
    if (!m_editor) return;
    QLineEdit *editor = m_editor;
    m_editor = nullptr;
    editor->removeEventFilter(this);
    const QString text = editor->text();
    editor->hide();
    editor->deleteLater();
    if (!post || text.isEmpty()) return;
    Table &t = types();
    if (t.isEmpty() || text == t.value(QStringLiteral("kasanedenine")).toString()) return;
    t.edit();
    t.field(QStringLiteral("kasanedenine")) = text;
    t.post();
    Q_EMIT typesChanged();
}

void TnakitnedenF::kaydiSil()
{
    try {
        finishInPlace(false);
        Table &t = types();
        if (MessageBox::show(MessageBox::kCaptionShort, CashEntry::kDeleteQuestion, MessageBox::Icon::Question,
                             MessageBox::Yes | MessageBox::No, this)
            != MessageBox::Yes)
            return;
        if (t.isEmpty()) return;
        t.remove();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    Q_EMIT typesChanged();
}

void TnakitnedenF::kolonlariSec() { ColumnChooser::choose(grid, kChooserTexts, this); }

void TnakitnedenF::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    try {
        finishInPlace(true);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

bool TnakitnedenF::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor) {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            finishInPlace(false);
            return true;
        }
        if (event->type() == QEvent::FocusOut) {
            try {
                finishInPlace(true);
            } catch (const EngineError &e) {
                MessageBox::error(e.message());
            }
            return false;
        }
    }
    return QWidget::eventFilter(watched, event);
}
