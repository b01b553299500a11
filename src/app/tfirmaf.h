#pragma once
// The company form: creates, edits and deletes the companies of the registry. Its
// edits are bound to the current record of the shared registry table.
#include <QHash>
#include <QWidget>

class QLineEdit;
class QPushButton;
class Table;

class TfirmaF : public QWidget {
    Q_OBJECT
public:
    explicit TfirmaF(QWidget *parent = nullptr);

    // Shows the form on a new registry record; a non-empty code is put into the
    // code field (as far as the code filter lets it through).
    void yeniSirket(const QString &code = QString());
    // Shows the form on the current registry record (a new one when there is none).
    void duzelt();

    // The button actions, callable directly.
    void kaydet();
    void vazgec();
    void sil();

    bool hasChanges() const { return m_dirty; }

Q_SIGNALS:
    // Before saving: the entry and exit slips are to be emptied without asking.
    void slipsResetRequested();
    // A company was created or saved; the login form takes this code.
    void companySaved(const QString &code);
    // The main menu's header text after creating a company.
    void menuHeaderChanged(const QString &text);
    // "Kayıtlı Şirket Listesi".
    void listRequested();

private:
    Table &table();
    void load();
    void fieldEdited(QLineEdit *edit, const QString &text);
    bool discardPending();

    QHash<QLineEdit *, QString> m_fieldOf;
    QLineEdit *m_kodu = nullptr;
    bool m_dirty = false;
    bool m_connected = false;
};
