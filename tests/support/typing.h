#pragma once
// Typing into widgets as a user does. QTest::keyClicks aborts on letters outside
// ASCII (Ç, İ, ğ), so those go in as plain key events carrying their text.
#include <QLineEdit>
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
