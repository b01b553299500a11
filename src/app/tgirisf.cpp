#include "app/tgirisf.h"

#include "app/company_registry.h"
#include "app/login_steps.h"
#include "app/uygulama.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "data/table.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
const QString kCaption = QStringLiteral("Brenvo Çek Senet Takip Programı");
const QString kCaptionShort = QStringLiteral("Brenvo Çek Senet Takip");

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumHeight(32);
    b->setMinimumWidth(b->sizeHint().width() + 24);
    b->setAutoDefault(false);
    return b;
}
} // namespace

TgirisF::TgirisF(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TgirisF"));
    setWindowTitle(QStringLiteral("Brenvo Çek/Senet Takip Programı - Giriş"));

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, 20, 24, 20);
    outer->setSpacing(14);
    auto *heading = new QLabel(QStringLiteral("Çalışılacak Şirketi Seç"), this);
    heading->setObjectName(QStringLiteral("headingLabel"));
    QFont hf = heading->font();
    hf.setPointSize(hf.pointSize() + 5);
    hf.setBold(true);
    heading->setFont(hf);
    outer->addWidget(heading);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    firmaedit = new QLineEdit(this);
    firmaedit->setObjectName(QStringLiteral("firmaedit"));
    yilEdit = new QLineEdit(this);
    yilEdit->setObjectName(QStringLiteral("yilEdit"));
    yilEdit->setMaxLength(4);
    yilEdit->setMaximumWidth(90);
    sifreEdit = new QLineEdit(this);
    sifreEdit->setObjectName(QStringLiteral("sifreEdit"));
    sifreEdit->setEchoMode(QLineEdit::Password);
    Label1 = new QLabel(QStringLiteral("........................."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont tf = Label1->font();
    tf.setBold(true);
    Label1->setFont(tf);
    Label1->setMinimumWidth(320);

    grid->addWidget(new QLabel(QStringLiteral("Şirket Kodu"), this), 0, 0);
    grid->addWidget(firmaedit, 0, 1);
    grid->addWidget(Label1, 0, 2, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Çalışma Yılı"), this), 1, 0);
    grid->addWidget(yilEdit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Şifre"), this), 2, 0);
    grid->addWidget(sifreEdit, 2, 1);
    JvXPButton8 = button(this, "JvXPButton8", QStringLiteral("ŞİFRE GİRİŞ"));
    grid->addWidget(JvXPButton8, 2, 2);
    grid->setColumnStretch(3, 1);
    outer->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    JvXPButton13 = button(this, "JvXPButton13", QStringLiteral("TAMAM"));
    JvXPButton2 = button(this, "JvXPButton2", QStringLiteral("LİSTEDEN SEÇ"));
    JvXPButton1 = button(this, "JvXPButton1", QStringLiteral("YENİ EKLE"));
    guncelButton = button(this, "guncelButton", QStringLiteral("PROGRAMI GÜNCELLE"));
    tfXPButton1 = button(this, "tfXPButton1", QStringLiteral("?"));
    tfXPButton1->setToolTip(QStringLiteral("Yardım"));
    tfXPButton1->setFixedWidth(44);
    for (QPushButton *b : {JvXPButton13, JvXPButton2, JvXPButton1, guncelButton}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(tfXPButton1);
    outer->addLayout(buttons);

    setTabOrder(firmaedit, yilEdit);
    setTabOrder(yilEdit, JvXPButton13);
    setTabOrder(JvXPButton13, JvXPButton2);
    setTabOrder(JvXPButton2, JvXPButton1);
    setTabOrder(JvXPButton1, guncelButton);
    setTabOrder(guncelButton, sifreEdit);
    setTabOrder(sifreEdit, JvXPButton8);

    KeyFilters::installEnterMovesFocus(this);
    KeyFilters::installDigitsOnly(yilEdit);
    for (QLineEdit *e : {firmaedit, yilEdit}) e->installEventFilter(this);

    connect(JvXPButton13, &QPushButton::clicked, this, &TgirisF::tamamClick);
    connect(JvXPButton8, &QPushButton::clicked, this, &TgirisF::sifreGirisClick);
    connect(JvXPButton2, &QPushButton::clicked, this, [] { Uygulama::instance().showCompanyList(); });
    connect(JvXPButton1, &QPushButton::clicked, this, [] { Uygulama::instance().showNewCompany(QString()); });
    connect(guncelButton, &QPushButton::clicked, this, [this] { Uygulama::instance().updateProgram(this); });
    connect(tfXPButton1, &QPushButton::clicked, this, [] { Uygulama::instance().showHelp(QStringLiteral("ygiris")); });

    // Creation: the start-up connections, the login memory, then the current year.
    DataContext::instance().openStartupConnections();
    const LoginMemory memory = LoginMemory::read();
    firmaedit->setText(memory.kodu);
    yilEdit->setText(memory.yil);
    if (!memory.adi.isEmpty()) Label1->setText(memory.adi);
    yilEdit->setText(QString::number(QDate::currentDate().year()));

    adjustSize();
    setMinimumSize(sizeHint());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

bool TgirisF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && (watched == firmaedit || watched == yilEdit)) {
        // A message box opened by the lookup takes the focus too; don't look up twice.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (!m_inLookup && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && isVisible())
            firmaeditExit();
    } else if (event->type() == QEvent::MouseButtonDblClick && watched == firmaedit) {
        Uygulama::instance().showCompanyList();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool TgirisF::firmaeditExit()
{
    m_inLookup = true;
    bool found = false;
    try {
        Table &registry = CompanyRegistry::firmaTable(false);
        if (!registry.isActive()) registry.open();
        // A record left half-typed in the company form is dropped, never saved by the lookup.
        if (registry.state() != Dataset::State::Browse) registry.cancel();
        registry.first();
        found = registry.locate(QStringLiteral("firma_kodu"), firmaedit->text());
        if (found) {
            Label1->setText(registry.field(QStringLiteral("firma_unvani_1")).asString());
        } else {
            const int answer = MessageBox::show(kCaption,
                                                QStringLiteral("Firma Kodunu yalnış girdiniz!\n\rYeni firma oluşturmak istermisiniz?"),
                                                MessageBox::Icon::Question, MessageBox::Yes | MessageBox::No | MessageBox::Cancel, this);
            firmaedit->setFocus();
            if (answer == MessageBox::Yes) Uygulama::instance().showNewCompany(firmaedit->text());
        }
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
    m_inLookup = false;
    return found;
}

void TgirisF::tamamClick()
{
    DataContext &ctx = DataContext::instance();
    try {
        if (!ctx.ADOConnection2.isOpen()) ctx.ADOConnection2.open();
        if (!ctx.ADOConnection1.isOpen()) ctx.ADOConnection1.open();
        Table &passwords = CompanyRegistry::sifreTable(false);
        if (!passwords.isActive()) passwords.open();
        passwords.first();
        const bool ok = passwords.isEmpty() ||
                        passwords.field(QStringLiteral("sifre")).asString() == sifreEdit->text();
        if (!ok) {
            sifreEdit->clear();
            if (++hataliSifreSayisi > 3) {
                sormadanKapat = QStringLiteral("tamam");
                close();
                return;
            }
            MessageBox::show(kCaptionShort, QStringLiteral("Şifreyi yalnış girdiniz!\n\rŞifre belirlemediyseniz boş geçin!"),
                             MessageBox::Icon::Critical, MessageBox::Ok, this);
            return;
        }
        openCompany();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

bool TgirisF::openCompany()
{
    const QString code = firmaedit->text();
    qint64 year = 0;
    try {
        year = tamSayiOku(yilEdit->text());
    } catch (const EngineError &) {
        year = 0;  // a lone sign: as wrong as an empty year
    }
    if (year > 2100 || year < 1970) {
        MessageBox::warning(QStringLiteral("Çalışma yılı girişiniz hatalıdır!"));
        return false;
    }
    if (code.isEmpty()) {
        MessageBox::warning(QStringLiteral("Firma girişiniz hatalıdır!"));
        return false;
    }
    // An unknown code or a missing company database never creates or opens files.
    if (!firmaeditExit()) return false;
    Table &registry = CompanyRegistry::firmaTable(false);
    if (!registry.isActive()) registry.open();
    const QString title = registry.field(QStringLiteral("firma_unvani_1")).asString();
    QString regCode = registry.field(QStringLiteral("firma_kodu")).asString();
    if (regCode.isEmpty()) regCode = code;
    switch (DataContext::instance().openCompany(regCode, int(year), title)) {
    case DataContext::OpenResult::NoCompanyDatabase:
        MessageBox::warning(QStringLiteral("%1 şirketinin veritabanı (Data/%1.mdb) bulunamadı!\n\r"
                                           "Şirketi listeden silip yeniden oluşturabilir ya da yedekten geri yükleyebilirsiniz.")
                                .arg(regCode));
        firmaedit->setFocus();
        return false;
    case DataContext::OpenResult::NoCashTemplate:
        MessageBox::warning(kCashTemplateMissing);
        return false;
    case DataContext::OpenResult::Opened: break;
    }
    LoginMemory{firmaedit->text(), yilEdit->text(), Label1->text()}.write();
    hide();
    Uygulama::instance().showMainMenu();
    Q_EMIT loggedIn();
    return true;
}

bool TgirisF::openCompanyFor(const QString &code, int year)
{
    firmaedit->setText(code);
    yilEdit->setText(QString::number(year));
    return openCompany();
}

void TgirisF::sifreGirisClick()
{
    DataContext &ctx = DataContext::instance();
    try {
        if (!ctx.ADOConnection1.isOpen()) ctx.ADOConnection1.open();
        Table &passwords = CompanyRegistry::sifreTable(false);
        Table &master = CompanyRegistry::masterTable(false);
        if (!passwords.isActive()) passwords.open();
        if (!master.isActive()) master.open();
        master.first();
        if (master.isEmpty() || master.field(QStringLiteral("mids")).asString() == sifreEdit->text()) {
            Uygulama::instance().showPasswordWindow();
            return;
        }
        sifreEdit->clear();
        if (++hataliSifreSayisi > 3) close();
        MessageBox::show(kCaptionShort,
                         QStringLiteral("Master şifreyi yalnış girdiniz!\n\rMaster şifre belirlemediyseniz boş geçin!"),
                         MessageBox::Icon::Critical, MessageBox::Ok, this);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TgirisF::setChosenCompany(const QString &code, const QString &title)
{
    firmaedit->setText(code);
    Label1->setText(title);
    show();
    raise();
    activateWindow();
}

void TgirisF::closeEvent(QCloseEvent *event)
{
    if (m_ended) return;
    if (sormadanKapat != QLatin1String("tamam")) {
        const int answer = MessageBox::show(kCaption, QStringLiteral("Programı kapatmak istediğinize eminmisiniz?"),
                                            MessageBox::Icon::Question, MessageBox::Yes | MessageBox::No, this);
        if (answer != MessageBox::Yes) {
            event->ignore();
            Uygulama::instance().hideSideWindows();
            show();
            return;
        }
    }
    m_ended = true;
    event->accept();
    Uygulama::instance().shutdown();
}
