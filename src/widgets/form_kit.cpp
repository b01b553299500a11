#include "widgets/form_kit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace FormKit {
namespace {

// Refuses an edit that would make the text longer than the limit, unless it
// shortens a text that is longer already.
class TypingLimit : public QValidator {
public:
    TypingLimit(QLineEdit *edit, int length) : QValidator(edit), m_edit(edit), m_length(length) {}
    State validate(QString &input, int &) const override
    {
        return input.size() <= m_length || input.size() < m_edit->text().size() ? Acceptable : Invalid;
    }

private:
    QLineEdit *m_edit;
    int m_length;
};

} // namespace

void limitTyping(QLineEdit *edit, int length)
{
    if (length > 0) edit->setValidator(new TypingLimit(edit, length));
}

QLabel *heading(QWidget *parent, const char *name, const QString &text, int larger)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont f = l->font();
    f.setPointSize(f.pointSize() + larger);
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLabel *caption(const QString &text, QWidget *parent, bool bold)
{
    auto *l = new QLabel(text, parent);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() + 1);
        l->setFont(f);
    }
    return l;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setMinimumHeight(30);
    return b;
}

QLineEdit *lineEdit(QWidget *parent, const char *name, const QString &text, int maxLength)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    limitTyping(e, maxLength);
    return e;
}

QLineEdit *resultEdit(QWidget *parent, const char *name, int minimumWidth)
{
    auto *e = lineEdit(parent, name);
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignRight);
    e->setMinimumWidth(minimumWidth);
    return e;
}

QLineEdit *totalField(QWidget *parent, const QString &name, int width)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    e->setMinimumWidth(width * 3 / 4);
    e->setMaximumWidth(width);
    e->setFocusPolicy(Qt::ClickFocus);
    return e;
}

} // namespace FormKit
