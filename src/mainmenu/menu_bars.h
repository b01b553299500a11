#pragma once
// The main menu's left column: collapsible bars, each a header button over a body
// of item buttons. Every item is a QAction, so a window built later enables and
// connects its own item. Bars of one exclusive group collapse each other.
#include <QList>
#include <QWidget>

class QAction;
class QToolButton;
class QVBoxLayout;

class MenuBar : public QWidget {
    Q_OBJECT
public:
    MenuBar(const QString &title, QWidget *parent = nullptr);
    QString title() const;
    QAction *addItem(const QString &text);
    QList<QAction *> items() const { return m_items; }
    QWidget *body() const { return m_body; }
    QToolButton *header() const { return m_header; }
    bool isExpanded() const;
    void setExpanded(bool on);
    // A bar that never collapses: a click on its header leaves it open.
    void setAlwaysExpanded(bool on) { m_alwaysExpanded = on; }

Q_SIGNALS:
    void expandedChanged(bool on);

private:
    QToolButton *m_header;
    QWidget *m_body;
    QVBoxLayout *m_bodyLayout;
    QList<QAction *> m_items;
    bool m_alwaysExpanded = false;
};

class MenuColumn : public QWidget {
    Q_OBJECT
public:
    explicit MenuColumn(QWidget *parent = nullptr);
    // exclusive: expanding this bar collapses the other exclusive bars.
    MenuBar *addBar(const QString &title, bool expanded, bool exclusive);
    QList<MenuBar *> bars() const { return m_bars; }
    MenuBar *bar(const QString &title) const;
    // The item of that text (or objectName) in any bar; nullptr when none.
    QAction *item(const QString &textOrName) const;

private:
    QList<MenuBar *> m_bars;
    QList<MenuBar *> m_exclusive;
    QVBoxLayout *m_layout;
};
