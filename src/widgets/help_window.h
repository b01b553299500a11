#pragma once
// The help window: a topic box whose items load the help texts of the program
// home, and the read-only text. The help buttons of the windows show it with
// their own window's text.
#include <QMainWindow>
#include <QPair>
#include <QVector>

class QAbstractButton;
class QComboBox;
class QPlainTextEdit;
class QPushButton;

class TyardimF : public QMainWindow {
    Q_OBJECT
public:
    // The topics in the order of the box: the item's text and the help file it loads.
    static const QVector<QPair<QString, QString>> &topics();

    explicit TyardimF(QWidget *parent = nullptr);

    // Loads the help file of the key from the program home. A missing or unreadable
    // file leaves the text as it was and returns false.
    bool yukle(const QString &key);
    // Shows the window (raised) with the key's text; the help button's action.
    void showHelp(const QString &key);

    QComboBox *konuBox() const { return m_topics; }
    QPlainTextEdit *yardimMemo() const { return m_text; }

private:
    QComboBox *m_topics;
    QPlainTextEdit *m_text;
};

// The help button of a window (objectName "tfXPButton1"): a click shows the help
// window with that window's help text. The help window may be handed over later
// (connectHelpButton); without one the button does nothing.
QPushButton *makeHelpButton(QWidget *parent, const QString &key, TyardimF *help);
void connectHelpButton(QAbstractButton *button, const QString &key, TyardimF *help);
