#include "mainmenu/menu_bars.h"

#include <QAction>
#include <QToolButton>
#include <QVBoxLayout>

MenuBar::MenuBar(const QString &title, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_header = new QToolButton(this);
    m_header->setObjectName(QStringLiteral("menuBarHeader"));
    m_header->setText(title);
    m_header->setCheckable(true);
    m_header->setChecked(true);
    m_header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_header->setArrowType(Qt::DownArrow);
    m_header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout->addWidget(m_header);
    m_body = new QWidget(this);
    m_body->setObjectName(QStringLiteral("menuBarBody"));
    m_body->setAutoFillBackground(true);
    m_bodyLayout = new QVBoxLayout(m_body);
    m_bodyLayout->setContentsMargins(6, 4, 6, 6);
    m_bodyLayout->setSpacing(1);
    layout->addWidget(m_body);
    connect(m_header, &QToolButton::toggled, this, [this](bool on) {
        if (m_alwaysExpanded && !on) {
            m_header->setChecked(true);
            return;
        }
        m_body->setVisible(on);
        m_header->setArrowType(on ? Qt::DownArrow : Qt::RightArrow);
        Q_EMIT expandedChanged(on);
    });
}

QString MenuBar::title() const { return m_header->text(); }

QAction *MenuBar::addItem(const QString &text)
{
    auto *action = new QAction(text, this);
    action->setEnabled(false);  // until its window exists and connects it
    auto *button = new QToolButton(m_body);
    button->setObjectName(QStringLiteral("menuItem"));
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_bodyLayout->addWidget(button);
    m_items << action;
    return action;
}

bool MenuBar::isExpanded() const { return m_header->isChecked(); }
void MenuBar::setExpanded(bool on) { m_header->setChecked(on); }

MenuColumn::MenuColumn(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("menuColumn"));
    setAutoFillBackground(true);
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(6, 6, 6, 6);
    m_layout->setSpacing(6);
    m_layout->addStretch();
}

MenuBar *MenuColumn::addBar(const QString &title, bool expanded, bool exclusive)
{
    auto *bar = new MenuBar(title, this);
    m_layout->insertWidget(m_layout->count() - 1, bar);
    m_bars << bar;
    bar->setExpanded(expanded);
    // Only the bars of the exclusive group collapse; the others stay open.
    bar->setAlwaysExpanded(!exclusive && expanded);
    if (exclusive) {
        m_exclusive << bar;
        connect(bar, &MenuBar::expandedChanged, this, [this, bar](bool on) {
            if (!on) return;
            for (MenuBar *other : std::as_const(m_exclusive))
                if (other != bar) other->setExpanded(false);
        });
    }
    return bar;
}

MenuBar *MenuColumn::bar(const QString &title) const
{
    for (MenuBar *b : m_bars)
        if (b->title() == title) return b;
    return nullptr;
}

QAction *MenuColumn::item(const QString &textOrName) const
{
    for (MenuBar *b : m_bars)
        for (QAction *a : b->items())
            if (a->text() == textOrName || a->objectName() == textOrName) return a;
    return nullptr;
}
