#pragma once
// The application object: creates every window once at start-up, in their fixed
// order, and lets the windows reach each other. Windows are shown and hidden,
// never destroyed before shutdown.
#include <QObject>
#include <QString>
#include <memory>

class Table;
class TgirisF;
class TfrmMain;

class Uygulama : public QObject {
    Q_OBJECT
public:
    Uygulama();
    ~Uygulama() override;
    static Uygulama &instance();

    TgirisF *girisF() const { return m_girisF.get(); }
    TfrmMain *frmMain() const { return m_frmMain.get(); }

    // Registry datasets the login form and the company windows share.
    Table &registryTable();  // registry "firma"
    Table &passwordTable();  // "sifre"
    Table &masterTable();    // "master"

    void showCompanyList();
    void showNewCompany(const QString &code);
    void showPasswordWindow();
    void showHelp(const QString &key);
    void showMainMenu();
    // Writes the open company and year into the other windows' headers and status bars.
    void showCompanyOnForms(const QString &code, const QString &title, int year, const QString &yearText);
    // The windows hidden when the user stays in the program after the close question.
    void hideSideWindows();
    // Cancels unsaved edits, closes every dataset and connection.
    void shutdown();

private:
    std::unique_ptr<Table> m_registry, m_passwords, m_master;
    std::unique_ptr<TgirisF> m_girisF;
    std::unique_ptr<TfrmMain> m_frmMain;
};
