#include "app/uygulama.h"
#include "history/tcekgecmisf.h"

#include "accounts/account_picker.h"
#include "accounts/tcarif.h"
#include "accounts/tcarihareketdf.h"
#include "accounts/tcarihareketf.h"
#include "app/backup_panel.h"
#include "app/company_registry.h"
#include "app/program_update.h"
#include "app/tfirmaf.h"
#include "app/tgirisf.h"
#include "app/tgirisrf.h"
#include "app/tsifref.h"
#include "app/year_end.h"
#include "cash/cash_detail_window.h"
#include "cash/tikitarihf.h"
#include "cash/tkasaf.h"
#include "cash/traporkasaf.h"
#include "cash/tkasarf.h"
#include "cash/tnakitnedenf.h"
#include "data/data_context.h"
#include "data/table.h"
#include "given/tcekcikisf.h"
#include "given/tcekiadeverilenf.h"
#include "given/tcikisozetf.h"
#include "data/query.h"
#include "widgets/message_box.h"
#include "issued/tcekduzenlef.h"
#include "issued/tduzenlenencekodef.h"
#include "issued/tduzenlenenceklerf.h"
#include "mainmenu/tfrmmain.h"
#include "mainmenu/tkurturf.h"
#include "received/tcekortf.h"
#include "received/received_operations.h"
#include "received/tcekiadef.h"
#include "received/ttahsilatf.h"
#include "received/tceklerf.h"
#include "received/tcekbordrof.h"
#include "given/tcikisbordrof.h"
#include "given/tcikisceklerf.h"
#include "given/tbankaraporf.h"
#include "outlook/tvadegorunumuf.h"
#include "given/tcikisozetf.h"
#include "data/query.h"
#include "widgets/message_box.h"
#include "tools/document_window.h"
#include "tools/tform3.h"
#include "tools/tvadefark2f.h"
#include "check/tverikontrolf.h"
#include "widgets/dataset_grid.h"
#include "widgets/form_show.h"
#include "widgets/help_window.h"
#include "widgets/panel_status_bar.h"
#include "widgets/wait_window.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
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
    m_cekbordroF = std::make_unique<TcekbordroF>();
    m_duzenlenenceklerF = std::make_unique<TduzenlenenceklerF>();
    m_duzenlenencekodeF = std::make_unique<TduzenlenencekodeF>();
    m_carihareketF = std::make_unique<TcarihareketF>();
    m_firmaF = std::make_unique<TfirmaF>();
    m_yardimF = std::make_unique<TyardimF>();
    m_girisRF = std::make_unique<TgirisRF>();
    m_carihareketDF = std::make_unique<TcarihareketDF>(m_carihareketF.get());
    m_kasaRF = std::make_unique<TkasaRF>();
    m_kasaF = std::make_unique<TkasaF>();
    m_ikitarihF = std::make_unique<TikitarihF>();
    m_raporKasaF = std::make_unique<TraporKasaF>();
    m_gelirdetayF = std::make_unique<TgelirdetayF>();
    m_giderdetayF = std::make_unique<TgiderdetayF>();
    m_nakitnedenF = std::make_unique<TnakitnedenF>();
    m_sifreF = std::make_unique<TsifreF>();
    m_kurturF = std::make_unique<TkurturF>();
    m_form3 = std::make_unique<TForm3>();
    m_resimF = std::make_unique<DocumentWindow>(DocumentKind::receivedCheque());
    m_resimduzenF = std::make_unique<DocumentWindow>(DocumentKind::ownCheque());
    m_resimfirmaF = std::make_unique<DocumentWindow>(DocumentKind::accountCard());
    m_resimkasaF = std::make_unique<DocumentWindow>(DocumentKind::cashMovement());
    m_verikontrolF = std::make_unique<TverikontrolF>();
    m_form3->setSlip(m_cekortF.get());
    m_form3->setYardim(m_yardimF.get());
    // The entry slip's "Excel'den Al" shows the import with its transfer.
    if (auto *excel = m_cekortF->findChild<QPushButton *>(QStringLiteral("excelAlBut"))) {
        excel->setEnabled(true);
        connect(excel, &QPushButton::clicked, this, [this] {
            for (QWidget *w : {static_cast<QWidget *>(m_form3->aktarBut), static_cast<QWidget *>(m_form3->JvDotNetEdit3),
                               static_cast<QWidget *>(m_form3->tutarLabel)})
                w->show();
            m_form3->show();
            m_form3->raise();
            m_form3->activateWindow();
        });
    }
    m_vadefark2F = std::make_unique<Tvadefark2F>();
    m_vadefark2F->setWaitWindow(m_form2.get());
    m_cekcikisF = std::make_unique<TcekcikisF>();
    m_cikisozetF = std::make_unique<TcikisozetF>();
    m_cekduzenleF = std::make_unique<TcekduzenleF>();
    m_bankaraporF = std::make_unique<TbankaraporF>();
    m_vadeGorunumuF = std::make_unique<TvadeGorunumuF>();
    m_receivedOps = std::make_unique<ReceivedOperations>(m_ceklerF.get(), m_cekortF.get(), m_kasaRF->kasaGTable);
    m_cekiadeverilenF = std::make_unique<TcekiadeverilenF>();
    m_cariF->setYardim(m_yardimF.get());
    m_cekortF->setWaitWindow(m_form2.get());
    m_cekortF->setYardim(m_yardimF.get());
    m_cekortF->setCardWindow(m_cariF.get());
    m_cekortF->setListWindow(m_ceklerF.get());
    m_cekortF->setRegister(m_cekbordroF.get());
    m_cekbordroF->setSlipWindow(m_cekortF.get());
    m_cekbordroF->setListWindow(m_ceklerF.get());
    m_cekbordroF->setCardWindow(m_cariF.get());
    m_cekbordroF->setWaitWindow(m_form2.get());
    m_ceklerF->setCariF(m_cariF.get());
    m_vadeGorunumuF->setListWindows(m_ceklerF.get(), m_duzenlenenceklerF.get());
    m_duzenlenenceklerF->setCariF(m_cariF.get());
    m_duzenlenenceklerF->setOdemeF(m_duzenlenencekodeF.get());
    m_carihareketF->setYardim(m_yardimF.get());
    m_carihareketF->setCalculator(m_vadefark2F.get());
    m_carihareketDF->setCardWindow(m_cariF.get());
    m_cekcikisF->setWaitWindow(m_form2.get());
    m_cekcikisF->setYardim(m_yardimF.get());
    m_cekcikisF->setCardWindow(m_cariF.get());
    m_cekcikisF->setListWindow(m_ceklerF.get());
    m_cekcikisF->setSummaryWindow(m_cikisozetF.get());
    m_cekcikisF->setOwnChequeWindow(m_cekduzenleF.get());
    m_cekduzenleF->setExitSlip(m_cekcikisF.get());
    wireSlipRegisters();
    wireGivenLists();
    wireHistory();
    m_kasaF->setView(m_kasaRF.get());
    m_kasaF->setCardWindow(m_cariF.get());
    m_kasaF->setTypeWindow(m_nakitnedenF.get());
    m_kasaF->setYardim(m_yardimF.get());
    m_kasaRF->setYardim(m_yardimF.get());
    m_kasaRF->setPeriodDialog(m_ikitarihF.get());
    m_kasaRF->setTypeReport(m_raporKasaF.get());
    m_raporKasaF->setDetailWindows(m_gelirdetayF.get(), m_giderdetayF.get());
    m_gelirdetayF->setView(m_kasaRF.get());
    m_giderdetayF->setView(m_kasaRF.get());
    connect(m_nakitnedenF.get(), &TnakitnedenF::typesChanged, m_kasaF.get(), &TkasaF::loadTypes);

    // The main menu's items that open windows, routed here so that the menu knows
    // no other window.
    const std::pair<const char *, std::function<void()>> routes[] = {
        {"Firma Cari Kart Giriş ve Değişiklik", [this] { m_cariF->ac(QStringLiteral("anamenu")); }},
        {"Çek ve Senet Girişi", [this] { showFormMaximized(m_cekortF.get()); }},
        {"Çek ve Senet Çıkışı", [this] { showFormMaximized(m_cekcikisF.get()); }},
        {"Alınan Çek ve Senet Listeleri",
         [this] {
             m_ceklerF->CekleriHazirla();
             showFormMaximized(m_ceklerF.get());
         }},
        {"Cirolanan Çek ve Senet Listeleri",
         [this] {
             m_cikisceklerF->CiroCekleriHazirla();
             showFormMaximized(m_cikisceklerF.get());
         }},
        {"Düzenlenen Çek ve Senet Listeleri",
         [this] {
             if (!m_duzenlenenceklerF->duzenlenenQuery.isActive()) m_duzenlenenceklerF->Yenile();
             showFormMaximized(m_duzenlenenceklerF.get());
         }},
        {"Alınan Çek ve Senet Bordroları", [this] { m_cekbordroF->ac(); }},
        {"Verilen Çek ve Senet Bordroları", [this] { m_cikisbordroF->ac(); }},
        {"Bankalara Verilen Çekler",
         [this] {
             m_bankaraporF->Yenile();
             showFormMaximized(m_bankaraporF.get());
         }},
        {"Vade Görünümü",
         [this] {
             m_vadeGorunumuF->Yenile();
             showFormMaximized(m_vadeGorunumuF.get());
         }},
        {"Ödeme Yap", [this] { payOwnChequeOfMainMenu(); }},
        {"Firma Cari Hareket İşlemleri", [this] { m_carihareketF->ac(); }},
        {"Kasa İşlemleri", [this] { m_kasaRF->ac(); }},
        {"Kasa İşlem Türü Girişi", [this] { m_nakitnedenF->ac(); }},
        {"Yeni Şirket Aç/Değiştir", [this] { showOpenCompanyRecord(); }},
        {"Şirket Bilgilerini Değiştir", [this] { showOpenCompanyRecord(); }},
        {"Çalışılan Şirketi Değiştir/Sil", [this] { showCompanyList(); }},
        {"Yedekleme İşlemleri", [this] { showCompanyList(); }},
        {"Yedekten Geri Al", [this] { showCompanyList(); }},
        {"Veri Kontrolü", [this] { m_verikontrolF->ac(); }},
        {"Yılsonu Devri Al", [this] { YilSonuDevri(*m_girisF); }},
        {"Genel Yardım", [this] { showHelp(QStringLiteral("yana")); }},
        {"Programı Güncelle", [this] { updateProgram(m_frmMain.get()); }},
        {"Günlük Döviz Kur Girişi ve Raporu", [this] { m_kurturF->ac(); }},
    };
    for (const auto &[text, open] : routes) {
        QAction *item = m_frmMain->menuItem(QString::fromUtf8(text));
        if (!item) continue;
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, open);
    }
    connect(m_frmMain.get(), &TfrmMain::helpRequested, this, &Uygulama::showHelp);
    wireDocuments();
    wireDataCheck();
    wireReceivedOperations();
    wireTakeBack();

    // Deleting the open company ends the work in it: back to the login.
    connect(&DataContext::instance(), &DataContext::companyClosed, this, [this] {
        resetSlips();
        m_kurturF->kapat();
        m_shownCode.clear();
        for (QWidget *w : {static_cast<QWidget *>(m_frmMain.get()), static_cast<QWidget *>(m_cekortF.get()),
                           static_cast<QWidget *>(m_cariF.get()), static_cast<QWidget *>(m_ceklerF.get()),
                           static_cast<QWidget *>(m_duzenlenenceklerF.get()), static_cast<QWidget *>(m_duzenlenencekodeF.get()),
                           static_cast<QWidget *>(m_carihareketF.get()), static_cast<QWidget *>(m_carihareketDF.get()),
                           static_cast<QWidget *>(m_cekcikisF.get()), static_cast<QWidget *>(m_cekduzenleF.get()),
                           static_cast<QWidget *>(m_cikisozetF.get()),
                           static_cast<QWidget *>(m_kasaF.get()), static_cast<QWidget *>(m_kasaRF.get()),
                           static_cast<QWidget *>(m_nakitnedenF.get()), static_cast<QWidget *>(m_ikitarihF.get()),
                           static_cast<QWidget *>(m_raporKasaF.get()), static_cast<QWidget *>(m_gelirdetayF.get()),
                           static_cast<QWidget *>(m_giderdetayF.get())})
            w->hide();
        m_girisF->show();
        m_girisF->raise();
    });
    // A slip typed or loaded for one company must never be saved into another.
    connect(&DataContext::instance(), &DataContext::companyOpened, this, [this](const QString &code) {
        if (!m_shownCode.isEmpty() && code.compare(m_shownCode, Qt::CaseInsensitive) != 0) {
            resetSlips();
            m_kurturF->kapat();  // its tables belonged to the former company
        }
        m_shownCode = code;
    });
    connect(m_firmaF.get(), &TfirmaF::slipsResetRequested, this, &Uygulama::resetSlips);
    // A restore replaced files the slips' keys point into.
    connect(m_girisRF->backup(), &BackupPanel::slipsResetRequested, this, &Uygulama::resetSlips);
    connect(m_frmMain.get(), &TfrmMain::closedByUser, this, [this] {
        m_girisF->show();
        m_girisF->close();
        // Back at the login window no year is worked in: a company saved from there
        // ("YENİ EKLE") gets its company connection only, as before any login.
        if (!m_girisF->programEnded()) DataContext::instance().calismaYili = 0;
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
    m_cekiadeverilenF.reset();
    m_receivedOps.reset();
    m_resimF.reset();
    m_resimduzenF.reset();
    m_resimfirmaF.reset();
    m_resimkasaF.reset();
    m_form3.reset();
    m_kurturF.reset();
    m_vadefark2F.reset();
    m_cekduzenleF.reset();
    m_cikisozetF.reset();
    m_cekcikisF.reset();
    m_sifreF.reset();
    m_carihareketDF.reset();
    m_nakitnedenF.reset();
    m_raporKasaF.reset();
    m_gelirdetayF.reset();
    m_giderdetayF.reset();
    m_ikitarihF.reset();
    m_kasaF.reset();
    m_kasaRF.reset();
    m_girisRF.reset();
    m_yardimF.reset();
    m_firmaF.reset();
    m_cikisceklerF.reset();
    m_duzenlenencekodeF.reset();
    m_duzenlenenceklerF.reset();
    m_ceklerF.reset();
    m_carihareketF.reset();
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

void Uygulama::wireReceivedOperations()
{
    // The dashboard's portfolio collects its current cheque.
    if (QAction *a = m_frmMain->menuItem(QStringLiteral("tahsilatItem"))) {
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [this] {
            Query &q = m_frmMain->ffQuery2;
            if (!q.isActive() || q.isEmpty() || q.currentRow() < 0) return;
            m_receivedOps->tahsilatFor(q.field(QStringLiteral("cek_ind")).asInteger());
        });
    }
    // What the operations wrote shows on the dashboard at once.
    const auto dashboard = [this](bool balances) {
        if (!m_frmMain->ffQuery2.isActive()) return;
        m_frmMain->EldekiCeklerHazirla();
        if (balances) m_frmMain->yenile();
    };
    connect(m_receivedOps->tahsilatF(), &ChequeOperationWindow::applied, this, [dashboard] { dashboard(false); });
    connect(m_receivedOps->cekiadeF(), &ChequeOperationWindow::applied, this, [dashboard] { dashboard(true); });
}

void Uygulama::wireTakeBack()
{
    // A cash row typed in the cash view is never lost to a switch of the year.
    m_cekiadeverilenF->setCashView(m_kasaRF->kasaGTable);
    // The issued lists' "Çeki İade Al" takes the row's own cheque back.
    for (QAction *a : m_duzenlenenceklerF->popupItems)
        if (a->objectName() == QLatin1String("iadeAlItem")) a->setEnabled(true);
    connect(m_duzenlenenceklerF.get(), &TduzenlenenceklerF::iadeAlIstendi, m_cekiadeverilenF.get(),
            &TcekiadeverilenF::duzenlenenAc);
    // The given lists' "Çeki İade Al" takes the endorsed cheque back.
    connect(m_cikisceklerF.get(), &TcikisceklerF::takeBackRequested, m_cekiadeverilenF.get(),
            &TcekiadeverilenF::cirolananAc);
    // The lists and the dashboard show the cheque taken back and the account credited.
    connect(m_cekiadeverilenF.get(), &ChequeOperationWindow::applied, this, [this] {
        if (m_duzenlenenceklerF->duzenlenenQuery.isActive()) {
            const qint64 key = TcekiadeverilenF::verilenIadeTuru == QLatin1String("Duzenlenen")
                                   ? m_cekiadeverilenF->kayitnoEdit->text().toLongLong()
                                   : 0;
            m_duzenlenenceklerF->Yenile();
            if (key > 0) m_duzenlenenceklerF->duzenlenenQuery.locate(QStringLiteral("cek_ind"), key);
        }
        if (m_cikisceklerF->cirolananceklerQuery.isActive()) m_cikisceklerF->CiroCekleriHazirla();
        if (m_frmMain->ffQuery2.isActive()) m_frmMain->yenile();
    });
}

void Uygulama::payOwnChequeOfMainMenu()
{
    // The payment window filled from the dashboard's row of the own cheque.
    Query &own = m_frmMain->ffQuery5;
    if (!own.isActive() || own.isEmpty() || own.currentRow() < 0) return;
    m_duzenlenencekodeF->doldur(own);
    m_duzenlenencekodeF->goster();
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
    m_cekcikisF->gridibosalt2();
    m_cekcikisF->cikisDegisti = false;
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
    // No database file is in use now.
    m_girisRF->backup()->otomatikYedekGerekirseAl();
    QApplication::restoreOverrideCursor();
    QCoreApplication::quit();
}

void Uygulama::updateProgram(QWidget *parent)
{
    updateProgram(parent, ProgramUpdate::programSettings(QCoreApplication::arguments()));
}

void Uygulama::updateProgram(QWidget *parent, const ProgramUpdate::Settings &settings)
{
    // The new program file runs from the next start; nothing is closed here, so no
    // typed slip or note is lost. The message says to restart when ready.
    programiGuncelle(parent, settings);
}

void Uygulama::wireDocuments()
{
    // Each opener shows the documents of the record current in its list, found by its key.
    // The window then follows that list's current row while it shows.
    const auto wire = [this](QObject *owner, const char *item, DocumentWindow *window, std::function<QVariant()> key,
                             Dataset *list = nullptr) {
        if (!owner) return;
        const auto open = [window, key, list] {
            const QVariant k = key();
            if (k.isValid() && !k.isNull() && window->showFor(k)) window->followList(list, key);
        };
        for (QAction *action : owner->findChildren<QAction *>(QString::fromLatin1(item))) {
            action->setEnabled(true);
            connect(action, &QAction::triggered, window, open);
        }
        for (QPushButton *button : owner->findChildren<QPushButton *>(QString::fromLatin1(item))) {
            button->setEnabled(true);
            connect(button, &QPushButton::clicked, window, open);
        }
    };
    const auto currentOf = [](Dataset *ds, const QString &field) -> std::function<QVariant()> {
        return [ds, field] { return ds && ds->isActive() && ds->currentRow() >= 0 ? ds->value(field) : QVariant(); };
    };
    wire(m_ceklerF.get(), "evrakItem", m_resimF.get(), currentOf(&m_ceklerF->listQuery, QStringLiteral("cek_ind")),
         &m_ceklerF->listQuery);
    wire(m_cikisceklerF.get(), "evrakItem", m_resimF.get(),
         currentOf(&m_cikisceklerF->listQuery, QStringLiteral("cek_giris_id")), &m_cikisceklerF->listQuery);
    wire(m_duzenlenenceklerF.get(), "evrakItem", m_resimduzenF.get(),
         currentOf(&m_duzenlenenceklerF->listQuery, QStringLiteral("cek_ind")), &m_duzenlenenceklerF->listQuery);
    wire(m_frmMain.get(), "eldekiEvrakItem", m_resimF.get(), [this, currentOf] {
        return currentOf(m_frmMain->DBGrid1->dataset(), QStringLiteral("cek_ind"))();
    });
    wire(m_frmMain.get(), "bankaEvrakItem", m_resimF.get(), [this, currentOf] {
        return currentOf(m_frmMain->JvDBGrid3->dataset(), QStringLiteral("cek_giris_id"))();
    });
    wire(m_frmMain.get(), "kendiEvrakItem", m_resimduzenF.get(), [this, currentOf] {
        return currentOf(m_frmMain->JvDBGrid4->dataset(), QStringLiteral("cek_ind"))();
    });
    // The cash view: the selected movement of the day, when it has a key.
    const auto cashMovement = [this]() -> QVariant {
        Table *day = m_kasaRF->kasaRTable;
        if (!day || !day->isActive() || day->currentRow() < 0) return {};
        const QVariant nid = day->value(QStringLiteral("nid"));
        return nid.toLongLong() >= 1 ? nid : QVariant();
    };
    wire(m_kasaRF.get(), "evrakMenuItem", m_resimkasaF.get(), cashMovement, m_kasaRF->kasaRTable);
    wire(m_kasaRF.get(), "BitBtn3", m_resimkasaF.get(), cashMovement, m_kasaRF->kasaRTable);
    // The type report's detail windows: their movement, once the view stands on it.
    for (CashDetailWindow *detail : {static_cast<CashDetailWindow *>(m_gelirdetayF.get()),
                                     static_cast<CashDetailWindow *>(m_giderdetayF.get())})
        wire(detail, "evrakMenuItem", m_resimkasaF.get(), [detail] { return detail->evrakAnahtari(); });
    // The account cards' documents follow the card current in the cards window.
    connect(m_cariF.get(), &TcariF::evrakIstendi, this, [this] {
        m_resimfirmaF->setOwner(m_cariF->FirmaTakip);
        m_resimfirmaF->ac();
    });
}

void Uygulama::wireSlipRegisters()
{
    m_cikisbordroF = std::make_unique<TcikisbordroF>();
    m_cikisbordroF->setCardWindow(m_cariF.get());
    m_cikisbordroF->setExitSlip(m_cekcikisF.get());
    m_cikisbordroF->setWaitWindow(m_form2.get());
    connect(m_cekcikisF.get(), &TcekcikisF::saved, m_cikisbordroF.get(), &TcikisbordroF::filtreyiKapat);
    // The exit slip's "BORDRO AÇ": unsaved changes are given up only on Yes.
    m_cekcikisF->BitBtn20->setEnabled(true);
    connect(m_cekcikisF->BitBtn20, &QPushButton::clicked, this, [this] {
        m_cikisozetF->hide();
        if (m_cekcikisF->cikisDegisti
            && !MessageBox::askYesNo(QStringLiteral("Değişiklikleri kayıt etmeden çıkmak istiyormusunuz?")))
            return;
        m_cikisbordroF->ac();
    });
    // The received lists' "Çıkış Bordrosunu Bul": the register filtered to the cheque's exit slip.
    if (QAction *find = m_ceklerF->popupItems.value(3)) {
        find->setEnabled(true);
        connect(find, &QAction::triggered, this, [this] {
            Query &list = m_ceklerF->listQuery;
            if (!list.isActive() || list.isEmpty()) return;
            const qint64 slip = list.field(QStringLiteral("cek_ciro_id")).asInteger();
            if (slip > 0) m_cikisbordroF->bordroyuBul(slip);
        });
    }
    // The issued lists' "Çıkış Bordrosunu Bul": the register filtered to the exit slip
    // the own cheque was written on.
    if (QAction *find = m_duzenlenenceklerF->findChild<QAction *>(QStringLiteral("cikisBordroItem"))) {
        find->setEnabled(true);
        connect(find, &QAction::triggered, this, [this] {
            Query &list = m_duzenlenenceklerF->listQuery;
            if (!list.isActive() || list.isEmpty() || list.currentRow() < 0) return;
            if (list.field(QStringLiteral("cek_ind")).asInteger() <= 0) return;
            const qint64 slip = list.field(QStringLiteral("bordro_ind")).asInteger();
            if (slip > 0) m_cikisbordroF->bordroyuBul(slip);
        });
    }
}

// A finding of the data check opens its record: the slip in its register, the
// account's movements, the cash register.
void Uygulama::wireDataCheck()
{
    connect(m_verikontrolF.get(), &TverikontrolF::openRequested, this, [this](const DataCheck::Finding &f) {
        const QString &t = f.table;
        if (t == QLatin1String("cikisbordro") && f.key > 0) {
            m_cikisbordroF->bordroyuBul(f.key);
        } else if (t == QLatin1String("cekbordro") || t == QLatin1String("cekgiris")) {
            m_cekbordroF->ac();
            if (t == QLatin1String("cekbordro") && f.key > 0) m_cekbordroF->CekBordro.locate(QStringLiteral("bordro_ind"), f.key);
        } else if (t == QLatin1String("cekciro") || t == QLatin1String("cekkendi")) {
            m_cikisbordroF->ac();
        } else if (t == QLatin1String("nakit") && f.account.isEmpty()) {
            m_kasaRF->ac();
        } else if (!f.account.isEmpty()) {
            m_carihareketF->ac();
            if (m_carihareketF->ffQuery1->locate(QStringLiteral("cari_kodu"), f.account)) m_carihareketF->hareketleriGoster();
        }
    });
}
