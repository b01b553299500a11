#include "app/uygulama.h"

#include "accounts/account_picker.h"
#include "accounts/tcarif.h"
#include "app/company_registry.h"
#include "app/tfirmaf.h"
#include "app/tgirisf.h"
#include "app/tgirisrf.h"
#include "app/tsifref.h"
#include "cash/tkasaf.h"
#include "cash/tkasarf.h"
#include "cash/tnakitnedenf.h"
#include "data/data_context.h"
#include "data/table.h"
#include "mainmenu/tfrmmain.h"
#include "received/tcekortf.h"
#include "received/tceklerf.h"
#include "widgets/form_show.h"
#include "widgets/help_window.h"
#include "widgets/panel_status_bar.h"
#include "widgets/wait_window.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include <functional>

namespace {
Uygulama *g_instance = nullptr;
}

Uygulama::Uygulama()
{
    g_instance = this;
    // The login form first: it opens the connections the others use.
    m_girisF = std::make_unique<TgirisF>();
    m_frmMain = std::make_unique<TfrmMain>();
    m_cekortF = std::make_unique<TcekortF>();
    m_form2 = std::make_unique<TForm2>();
    m_cariF = std::make_unique<TcariF>();
    m_ceklerF = std::make_unique<TceklerF>();
    m_firmaF = std::make_unique<TfirmaF>();
    m_yardimF = std::make_unique<TyardimF>();
    m_girisRF = std::make_unique<TgirisRF>();
    m_kasaRF = std::make_unique<TkasaRF>();
    m_kasaF = std::make_unique<TkasaF>();
    m_nakitnedenF = std::make_unique<TnakitnedenF>();
    m_sifreF = std::make_unique<TsifreF>();
    m_cariF->setYardim(m_yardimF.get());
    m_cekortF->setWaitWindow(m_form2.get());
    m_cekortF->setYardim(m_yardimF.get());
    m_cekortF->setCardWindow(m_cariF.get());
    m_cekortF->setListWindow(m_ceklerF.get());
    m_ceklerF->setCariF(m_cariF.get());
    m_kasaF->setView(m_kasaRF.get());
    m_kasaF->setCardWindow(m_cariF.get());
    m_kasaF->setTypeWindow(m_nakitnedenF.get());
    m_kasaF->setYardim(m_yardimF.get());
    m_kasaRF->setYardim(m_yardimF.get());
    connect(m_nakitnedenF.get(), &TnakitnedenF::typesChanged, m_kasaF.get(), &TkasaF::loadTypes);

    // The main menu's items that open windows, routed here so that the menu knows
    // no other window.
    const std::pair<const char *, std::function<void()>> routes[] = {
        {"Firma Cari Kart Giriş ve Değişiklik", [this] { m_cariF->ac(QStringLiteral("anamenu")); }},
        {"Çek ve Senet Girişi", [this] { showFormMaximized(m_cekortF.get()); }},
        {"Alınan Çek ve Senet Listeleri",
         [this] {
             m_ceklerF->CekleriHazirla();
             showFormMaximized(m_ceklerF.get());
         }},
        {"Kasa İşlemleri", [this] { m_kasaRF->ac(); }},
        {"Kasa İşlem Türü Girişi", [this] { m_nakitnedenF->ac(); }},
        {"Yeni Şirket Aç/Değiştir", [this] { showOpenCompanyRecord(); }},
        {"Şirket Bilgilerini Değiştir", [this] { showOpenCompanyRecord(); }},
        {"Çalışılan Şirketi Değiştir/Sil", [this] { showCompanyList(); }},
        {"Genel Yardım", [this] { showHelp(QStringLiteral("yana")); }},
    };
    for (const auto &[text, open] : routes) {
        QAction *item = m_frmMain->menuItem(QString::fromUtf8(text));
        if (!item) continue;
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, open);
    }
    connect(m_frmMain.get(), &TfrmMain::helpRequested, this, &Uygulama::showHelp);

    // Deleting the open company ends the work in it: back to the login.
    connect(&DataContext::instance(), &DataContext::companyClosed, this, [this] {
        resetSlips();
        m_shownCode.clear();
        for (QWidget *w : {static_cast<QWidget *>(m_frmMain.get()), static_cast<QWidget *>(m_cekortF.get()),
                           static_cast<QWidget *>(m_cariF.get()), static_cast<QWidget *>(m_ceklerF.get()),
                           static_cast<QWidget *>(m_kasaF.get()), static_cast<QWidget *>(m_kasaRF.get()),
                           static_cast<QWidget *>(m_nakitnedenF.get())})
            w->hide();
        m_girisF->show();
        m_girisF->raise();
    });
    // A slip typed or loaded for one company must never be saved into another.
    connect(&DataContext::instance(), &DataContext::companyOpened, this, [this](const QString &code) {
        if (!m_shownCode.isEmpty() && code.compare(m_shownCode, Qt::CaseInsensitive) != 0) resetSlips();
        m_shownCode = code;
    });
    connect(m_firmaF.get(), &TfirmaF::slipsResetRequested, this, &Uygulama::resetSlips);
    connect(m_frmMain.get(), &TfrmMain::closedByUser, this, [this] {
        m_girisF->show();
        m_girisF->close();
    });
    connect(m_girisRF.get(), &TgirisRF::companyChosen, m_girisF.get(), &TgirisF::setChosenCompany);
    connect(m_firmaF.get(), &TfirmaF::listRequested, m_girisRF.get(), &TgirisRF::showList);
    connect(m_firmaF.get(), &TfirmaF::companySaved, this, [this](const QString &code) {
        m_girisF->setChosenCompany(code, CompanyRegistry::firmaTable().field(QStringLiteral("firma_unvani_1")).asString());
    });
    for (auto *source : {static_cast<QObject *>(m_firmaF.get()), static_cast<QObject *>(m_girisRF.get())})
        connect(source, SIGNAL(menuHeaderChanged(QString)), m_frmMain->JvNavPanelHeader1, SLOT(setText(QString)));
}

Uygulama::~Uygulama()
{
    m_sifreF.reset();
    m_nakitnedenF.reset();
    m_kasaF.reset();
    m_kasaRF.reset();
    m_girisRF.reset();
    m_yardimF.reset();
    m_firmaF.reset();
    m_ceklerF.reset();
    m_cariF.reset();
    m_form2.reset();
    m_cekortF.reset();
    m_frmMain.reset();
    m_girisF.reset();
    if (g_instance == this) g_instance = nullptr;
}

Uygulama &Uygulama::instance()
{
    Q_ASSERT(g_instance);
    return *g_instance;
}

void Uygulama::showCompanyList() { m_girisRF->showList(); }

void Uygulama::showNewCompany(const QString &code)
{
    m_firmaF->yeniSirket(code);
    m_firmaF->show();
    m_firmaF->raise();
}

void Uygulama::showOpenCompanyRecord()
{
    // The open company's record, for correction; without one, a new company.
    Table &t = CompanyRegistry::firmaTable();
    if (t.state() != Dataset::State::Browse) t.cancel();
    const QString code = DataContext::instance().aktifSirketKodu;
    if (code.isEmpty() || !t.locate(QStringLiteral("firma_kodu"), code)) {
        showNewCompany(QString());
        return;
    }
    m_firmaF->duzelt();
}

void Uygulama::showPasswordWindow()
{
    m_sifreF->show();
    m_sifreF->raise();
}

void Uygulama::showHelp(const QString &key) { m_yardimF->showHelp(key); }

void Uygulama::showMainMenu()
{
    m_frmMain->prepareDashboard();
    showFormMaximized(m_frmMain.get());
}

void Uygulama::resetSlips()
{
    m_cekortF->gridibosalt2();
    m_cekortF->girisDegisti = false;
}

void Uygulama::hideSideWindows()
{
    m_firmaF->hide();
    m_yardimF->hide();
    m_nakitnedenF->hide();
    m_kasaF->hide();
    m_kasaRF->hide();
}

void Uygulama::shutdown()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Closing a connection closes its datasets; a dataset being edited is cancelled, never posted.
    DataContext::instance().closeAll();
    AccountPicker::reset();
    QApplication::restoreOverrideCursor();
    QCoreApplication::quit();
}
