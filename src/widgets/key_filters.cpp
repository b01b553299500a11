#include "widgets/key_filters.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextEdit>

namespace KeyFilters {
namespace {

const char *const kWindowProperty = "enterMovesFocus";

bool movesOnEnter(QWidget *w)
{
    if (!w || w->property("enterKeepsKey").toBool()) return false;
    // A combo's own line edit and a spin box's line edit count as the control itself.
    for (QWidget *p = w; p; p = p->parentWidget()) {
        if (qobject_cast<QTextEdit *>(p) || qobject_cast<QPlainTextEdit *>(p) || qobject_cast<QAbstractItemView *>(p))
            return false;
        if (qobject_cast<QComboBox *>(p) || qobject_cast<QAbstractSpinBox *>(p)) return true;
        if (p != w) break;
    }
    // A check box or radio button is left with Enter too (Space ticks it).
    if (auto *button = qobject_cast<QAbstractButton *>(w); button && button->isCheckable()) return true;
    return qobject_cast<QLineEdit *>(w) != nullptr;
}

// One application-wide filter; it acts only in the windows that asked for it.
class EnterFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress) return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        if (key->modifiers() & ~Qt::KeypadModifier) return false;
        auto *w = qobject_cast<QWidget *>(watched);
        if (!w || !w->hasFocus() || !w->window()->property(kWindowProperty).toBool()) return false;
        if (!movesOnEnter(w)) return false;
        QWidget *control = w;
        while (control->parentWidget() && (qobject_cast<QComboBox *>(control->parentWidget())
                                           || qobject_cast<QAbstractSpinBox *>(control->parentWidget())))
            control = control->parentWidget();
        if (auto *combo = qobject_cast<QComboBox *>(control); combo && combo->view()->isVisible()) return false;
        focusNext(control);
        return true;
    }

private:
    static void focusNext(QWidget *from)
    {
        QWidget *window = from->window();
        for (QWidget *w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
            if (w->window() != window || !w->isVisible() || !w->isEnabled()) continue;
            if (!(w->focusPolicy() & Qt::TabFocus)) continue;
            if (from->isAncestorOf(w)) continue;  // a control's own inner widgets
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
};

class CharFilter : public QObject {
public:
    CharFilter(QObject *parent, bool decimals) : QObject(parent), m_decimals(decimals) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress) return false;
        auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        if (text.isEmpty() || !text[0].isPrint() || (key->modifiers() & Qt::ControlModifier)) return false;
        // Decimal fields take digits and one decimal separator: ",", or "." of the
        // numeric keypad. A "." of the main keys would read as a thousands mark
        // ("1.5" as 15), a sign has no place in an amount or rate.
        auto *edit = qobject_cast<QLineEdit *>(watched);
        const bool hasComma = edit && edit->text().remove(edit->selectedText()).contains(u',');
        QString kept;
        for (QChar c : text) {
            if (c.isDigit() && c.unicode() < 128) kept += c;
            else if (m_decimals && !hasComma && !kept.contains(u',')
                     && (c == u',' || (c == u'.' && (key->modifiers() & Qt::KeypadModifier))))
                kept += u',';
        }
        if (kept == text) return false;
        if (!kept.isEmpty() && edit) edit->insert(kept);
        return true;
    }

private:
    bool m_decimals;
};

// A click in a date field selects the day, month or year under the pointer, so
// digits typed next replace it (as Tab into the field does), instead of being
// refused because they would make an invalid date.
class DateSectionFilter : public QObject {
public:
    explicit DateSectionFilter(QDateEdit *edit) : QObject(edit), m_edit(edit) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease && m_edit->hasFocus()) {
            const auto section = m_edit->currentSection();
            QMetaObject::invokeMethod(m_edit, [edit = m_edit, section] { edit->setSelectedSection(section); },
                                      Qt::QueuedConnection);
        }
        return false;
    }

private:
    QDateEdit *m_edit;
};

} // namespace

void installEnterMovesFocus(QWidget *window)
{
    static EnterFilter *filter = nullptr;
    if (!filter) {
        filter = new EnterFilter(qApp);
        qApp->installEventFilter(filter);
    }
    window->window()->setProperty(kWindowProperty, true);
}

bool enterMovesFocus(const QWidget *window) { return window->window()->property(kWindowProperty).toBool(); }

void installDigitsOnly(QLineEdit *edit) { edit->installEventFilter(new CharFilter(edit, false)); }
void installDecimalKeys(QLineEdit *edit) { edit->installEventFilter(new CharFilter(edit, true)); }

void setDateMask(QLineEdit *edit) { edit->setInputMask(kDateMask); }
void setRateDateMask(QLineEdit *edit) { edit->setInputMask(kRateDateMask); }
void setTelephoneMask(QLineEdit *edit) { edit->setInputMask(kTelephoneMask); }

void setupDateEdit(QDateEdit *edit)
{
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setCalendarPopup(true);
    if (auto *text = edit->findChild<QLineEdit *>()) text->installEventFilter(new DateSectionFilter(edit));
}

bool enterMovesToNextColumn(QTableView *grid, QEvent *event)
{
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    const QModelIndex current = grid->currentIndex();
    if ((key != Qt::Key_Return && key != Qt::Key_Enter) || !current.isValid()) return false;
    const int columns = grid->model()->columnCount();
    int col = current.column();
    for (int step = 0; step < columns; ++step) {
        col = (col + 1) % columns;
        if (!grid->isColumnHidden(col)) break;
    }
    grid->setCurrentIndex(grid->model()->index(current.row(), col));
    return true;
}

} // namespace KeyFilters
