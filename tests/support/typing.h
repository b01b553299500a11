#pragma once
// Typing into widgets as a user does. QTest::keyClicks aborts on letters outside
// ASCII (Ç, İ, ğ), so those go in as plain key events carrying their text.
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

inline void type(QWidget *e, const QString &text)
{
    e->setFocus();
    for (QChar c : text) {
        if (c.unicode() < 128) QTest::keyClicks(e, QString(c));
        else QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Replaces the text of an edit by typing.
inline void retype(QLineEdit *e, const QString &text)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    type(e, text);
}

// Writes a cell of a slip grid as the slip's own typing would leave it, the row
// number included.
inline void setCell(QTableWidget *g, int row, int col, const QString &text)
{
    while (g->rowCount() <= row) g->insertRow(g->rowCount());
    if (!g->item(row, col)) g->setItem(row, col, new QTableWidgetItem);
    g->item(row, col)->setText(text);
    if (!g->item(row, 0)) g->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
}
