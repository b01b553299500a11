#include "app/uygulama.h"

#include "app/tgirisf.h"
#include "data/data_context.h"
#include "data/table.h"
#include "mainmenu/tfrmmain.h"
#include "widgets/panel_status_bar.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

namespace {
Uygulama *g_instance = nullptr;
}

Uygulama::Uygulama()
{
    g_instance = this;
    DataContext &ctx = DataContext::instance();
    m_registry = std::make_unique<Table>(&ctx.ADOConnection2, QStringLiteral("firma"), QStringLiteral("PrimaryKey"),
                                         QStringLiteral("firmaTable"));
    m_passwords = std::make_unique<Table>(&ctx.ADOConnection2, QStringLiteral("sifre"), QStringLiteral("PrimaryKey"),
                                          QStringLiteral("sifreTable"));
    m_master = std::make_unique<Table>(&ctx.ADOConnection2, QStringLiteral("master"), QString(),
                                       QStringLiteral("masterTable"));
    // The login form first: it opens the connections the others use.
    m_girisF = std::make_unique<TgirisF>();
    m_frmMain = std::make_unique<TfrmMain>();
    connect(m_frmMain.get(), &TfrmMain::closedByUser, this, [this] {
        m_girisF->show();
        m_girisF->close();
    });
}

Uygulama::~Uygulama()
{
    m_frmMain.reset();
    m_girisF.reset();
    m_master.reset();
    m_passwords.reset();
    m_registry.reset();
    if (g_instance == this) g_instance = nullptr;
}

Uygulama &Uygulama::instance()
{
    Q_ASSERT(g_instance);
    return *g_instance;
}

Table &Uygulama::registryTable() { return *m_registry; }
Table &Uygulama::passwordTable() { return *m_passwords; }
Table &Uygulama::masterTable() { return *m_master; }

void Uygulama::showCompanyList() {}
void Uygulama::showNewCompany(const QString &) {}
void Uygulama::showPasswordWindow() {}
void Uygulama::showHelp(const QString &) {}

void Uygulama::showMainMenu()
{
    m_frmMain->show();
    m_frmMain->raise();
}

void Uygulama::showCompanyOnForms(const QString &code, const QString &title, int year, const QString &yearText)
{
    const QString status = code + QStringLiteral(" - ") + title + QStringLiteral(" - ") + QString::number(year);
    m_frmMain->JvNavPanelHeader1->setText(title);
    m_frmMain->kisinoedit->setText(yearText);
    m_frmMain->StatusBar1->setPanelText(3, status);
}

void Uygulama::hideSideWindows() {}

void Uygulama::shutdown()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Closing a connection closes its datasets; a dataset being edited is cancelled, never posted.
    DataContext::instance().closeAll();
    QApplication::restoreOverrideCursor();
    QCoreApplication::quit();
}
