#pragma once
// The company list: the registered companies in a read-only grid, to pick one for
// the login or delete one. The backup controls live in their own panel.
#include <QWidget>

class BackupPanel;
class QMenu;
class QTableView;
class QVBoxLayout;
class Table;
class DatasetGrid;

class TgirisRF : public QWidget {
    Q_OBJECT
public:
    explicit TgirisRF(QWidget *parent = nullptr);

    // Opens the registry when needed and shows the list on its current record.
    void showList();

    // The actions, callable directly; they work on the current registry record.
    void sec();   // "Şirket Seç", "Seç" (F2), double-click
    void sil();   // "Şirketi Sil", "Firmayı Sil" (Ctrl+Del)

    // Where the backup controls go, and the grid's pop-up menu.
    QVBoxLayout *backupPanel() const { return m_backupPanel; }
    QMenu *popupMenu() const { return m_menu; }
    DatasetGrid *grid() const { return m_grid; }
    BackupPanel *backup() const { return m_backup; }

Q_SIGNALS:
    void companyChosen(const QString &code, const QString &title);
    void menuHeaderChanged(const QString &text);

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Table &table();
    void dropPendingChange();

    DatasetGrid *m_grid = nullptr;
    QVBoxLayout *m_backupPanel = nullptr;
    BackupPanel *m_backup = nullptr;
    QMenu *m_menu = nullptr;
    bool m_wired = false;
};
