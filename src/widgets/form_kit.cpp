#include "widgets/form_kit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace FormKit {

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
    if (maxLength > 0) e->setMaxLength(maxLength);
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
