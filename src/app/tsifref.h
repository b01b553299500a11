#pragma once
// The password window: the login password (`sifre.sifre`) and the master password
// (`master.mids`) of the registry database, shown in plain text.
#include <QWidget>

class QLineEdit;
class Table;

class TsifreF : public QWidget {
    Q_OBJECT
public:
    explicit TsifreF(QWidget *parent = nullptr);

    // "SAKLA": posts each table that holds a change. The window stays open.
    void sakla();

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    void store(Table &t, const QString &field, const QString &text);
    void load();

    QLineEdit *m_sifre = nullptr;
    QLineEdit *m_master = nullptr;
    bool m_sifreDirty = false;
    bool m_masterDirty = false;
};
