#pragma once
// Binds a form's edits to the fields of a table's current row: the controls show
// the row (again whenever the table moves, reloads or changes state), and what the
// user types goes into the pending row at once, as typed. A row is made pending on
// the first keystroke through the window's own step (edit the current row, or
// append one with its defaults). Numbers that are half typed keep the field's last
// value and are shown in their format when the edit is left. The card window, the
// payment entry, the cash entry and the own cheque window share it.
#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QVariant;
class Table;

class RecordBinder : public QObject {
    Q_OBJECT
public:
    enum class Kind { Text, Phone, Whole, Rate, Amount };

    explicit RecordBinder(QObject *parent = nullptr);

    // The table whose current row the controls show; the binder follows its moves.
    void setTable(Table *table);
    // Makes a row pending before the first write of a browsing table: returns true
    // when it appended one (the controls then show the new row's defaults).
    void setBeginPending(std::function<bool(Table &)> begin) { m_begin = std::move(begin); }

    // format: how a number is shown (Rate and Amount).
    void bindLine(QLineEdit *edit, const QString &field, Kind kind, const QString &format = QString());
    void bindCombo(QComboBox *box, const QString &field);  // the item's text
    void bindMemo(QPlainTextEdit *memo, const QString &field);
    void bindFlag(QCheckBox *box, const QString &field);   // "E" / "H"

    // Shows the current row (nothing when there is none); keep is left as typed.
    void load(QObject *keep = nullptr);
    void showField(QLineEdit *edit);
    // Opens or closes every bound control for typing.
    void setEditable(bool on);
    QString fieldOf(QObject *control) const;
    Kind kindOf(QLineEdit *edit) const { return m_lines.value(edit).kind; }
    QList<QLineEdit *> lineEdits() const { return m_lines.keys(); }

Q_SIGNALS:
    // A keystroke reached the pending row.
    void written();
    // Writing failed (the engine's message), nothing changed.
    void writeFailed(const QString &message);
    // A numeric edit was left; it shows its field in its format right after.
    void numberLeft(QLineEdit *edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Line {
        QString field;
        Kind kind;
        QString format;
    };
    void write(QObject *from, const QString &field, const QVariant &value);
    void lineEdited(QLineEdit *edit, const QString &text);
    bool hasRow() const;

    Table *m_table = nullptr;
    std::function<bool(Table &)> m_begin;
    QHash<QLineEdit *, Line> m_lines;
    QHash<QComboBox *, QString> m_combos;
    QHash<QPlainTextEdit *, QString> m_memos;
    QHash<QCheckBox *, QString> m_flags;
    bool m_loading = false;
};
