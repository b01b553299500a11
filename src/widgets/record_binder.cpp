#include "widgets/record_binder.h"

#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "data/table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

bool hasDigit(const QString &text)
{
    for (QChar c : text)
        if (c.isDigit()) return true;
    return false;
}

} // namespace

RecordBinder::RecordBinder(QObject *parent) : QObject(parent) {}

void RecordBinder::setTable(Table *table)
{
    m_table = table;
    connect(table, &Dataset::currentRowChanged, this, [this] { load(); });
    connect(table, &Dataset::reset, this, [this] { load(); });
}

void RecordBinder::bindLine(QLineEdit *edit, const QString &field, Kind kind, const QString &format)
{
    m_lines.insert(edit, Line{field, kind, format});
    connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString &t) { lineEdited(edit, t); });
    if (kind != Kind::Text && kind != Kind::Phone) edit->installEventFilter(this);
}

void RecordBinder::bindCombo(QComboBox *box, const QString &field)
{
    m_combos.insert(box, field);
    connect(box, &QComboBox::activated, this, [this, box, field](int i) { write(box, field, box->itemText(i)); });
}

void RecordBinder::bindMemo(QPlainTextEdit *memo, const QString &field)
{
    m_memos.insert(memo, field);
    connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, field] {
        if (!m_loading) write(memo, field, memo->toPlainText());
    });
}

void RecordBinder::bindFlag(QCheckBox *box, const QString &field)
{
    m_flags.insert(box, field);
    connect(box, &QCheckBox::clicked, this,
            [this, box, field](bool on) { write(box, field, on ? QStringLiteral("E") : QStringLiteral("H")); });
}

QString RecordBinder::fieldOf(QObject *control) const
{
    if (auto *e = qobject_cast<QLineEdit *>(control); e && m_lines.contains(e)) return m_lines.value(e).field;
    if (auto *c = qobject_cast<QComboBox *>(control)) return m_combos.value(c);
    if (auto *m = qobject_cast<QPlainTextEdit *>(control)) return m_memos.value(m);
    if (auto *f = qobject_cast<QCheckBox *>(control)) return m_flags.value(f);
    return {};
}

bool RecordBinder::hasRow() const
{
    return m_table && m_table->isActive() && (m_table->state() == Dataset::State::Insert || !m_table->isEmpty());
}

void RecordBinder::showField(QLineEdit *edit)
{
    const Line b = m_lines.value(edit);
    const QVariant v = hasRow() ? m_table->value(b.field) : QVariant();
    switch (b.kind) {
    case Kind::Rate:
    case Kind::Amount:
        edit->setText(v.isNull() ? QString() : b.format.isEmpty() ? v.toString() : formatFloat(b.format, v.toDouble()));
        break;
    default: edit->setText(v.toString()); break;
    }
    if (b.kind == Kind::Text) edit->setCursorPosition(0);
}

void RecordBinder::load(QObject *keep)
{
    if (m_loading) return;
    m_loading = true;
    const bool has = hasRow();
    for (auto it = m_lines.cbegin(); it != m_lines.cend(); ++it)
        if (it.key() != keep) showField(it.key());
    for (auto it = m_combos.cbegin(); it != m_combos.cend(); ++it)
        if (it.key() != keep) it.key()->setCurrentIndex(has ? it.key()->findText(m_table->value(it.value()).toString()) : -1);
    for (auto it = m_memos.cbegin(); it != m_memos.cend(); ++it)
        if (it.key() != keep) it.key()->setPlainText(has ? m_table->value(it.value()).toString() : QString());
    for (auto it = m_flags.cbegin(); it != m_flags.cend(); ++it)
        if (it.key() != keep) it.key()->setChecked(has && m_table->value(it.value()).toString() == QLatin1String("E"));
    m_loading = false;
}

void RecordBinder::setEditable(bool on)
{
    for (auto it = m_lines.cbegin(); it != m_lines.cend(); ++it) it.key()->setReadOnly(!on);
    for (auto it = m_memos.cbegin(); it != m_memos.cend(); ++it) it.key()->setReadOnly(!on);
    for (auto it = m_combos.cbegin(); it != m_combos.cend(); ++it) it.key()->setEnabled(on);
    for (auto it = m_flags.cbegin(); it != m_flags.cend(); ++it) it.key()->setEnabled(on);
}

void RecordBinder::write(QObject *from, const QString &field, const QVariant &value)
{
    if (m_loading || !m_table) return;
    try {
        Table &t = *m_table;
        if (!t.isActive()) t.open();
        m_loading = true;  // the state change must not overwrite what is being typed
        bool appended = false;
        if (t.state() == Dataset::State::Browse) {
            if (m_begin) {
                appended = m_begin(t);
            } else if (t.isEmpty()) {
                t.append();
                appended = true;
            } else {
                t.edit();
            }
        }
        t.field(field) = value;
        m_loading = false;
        Q_EMIT written();
        if (appended) load(from);
    } catch (const EngineError &e) {
        m_loading = false;
        Q_EMIT writeFailed(e.message());
    }
}

void RecordBinder::lineEdited(QLineEdit *edit, const QString &text)
{
    const Line b = m_lines.value(edit);
    QVariant v;
    try {
        switch (b.kind) {
        case Kind::Text: v = text; break;
        case Kind::Phone: v = hasDigit(text) ? QVariant(text) : QVariant(); break;
        case Kind::Whole: v = text.trimmed().isEmpty() ? QVariant() : QVariant(tamSayiOku(text)); break;
        case Kind::Rate:
        case Kind::Amount: v = text.trimmed().isEmpty() ? QVariant() : QVariant(sayiOku(text)); break;
        }
    } catch (const EngineError &) {
        return;  // half-typed number: the field keeps its last value, shown on leaving
    }
    write(edit, b.field, v);
}

bool RecordBinder::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (edit && m_lines.contains(edit)) {
            Q_EMIT numberLeft(edit);
            showField(edit);
        }
    }
    return QObject::eventFilter(watched, event);
}
