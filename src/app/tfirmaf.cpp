#include "app/tfirmaf.h"

#include "app/company_registry.h"
#include "data/connection.h"
#include "data/engine_error.h"
#include "data/table.h"
#include "widgets/form_kit.h"
#include "widgets/message_box.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "widgets/key_filters.h"

namespace {

struct EditSpec {
    const char *name;
    const char *label;
    const char *field;
    int maxLength;
};

// Label, bound field and the registry's field size of each edit, in tab order.
const EditSpec kEdits[] = {
    {"koduEdit", "Şirket kodu", "firma_kodu", CompanyRegistry::kCodeMaxLength},
    {"adiEdit", "Şirket Ünvanı", "firma_unvani_1", 100},
    {"irtibatKisiEdit", "İrtibat", "firma_irtibat_kisi", 30},
    {"adresEdit", "Adresi", "firma_adresi_1", 100},
    {"sehirEdit", "Şehir", "adres_sehir", 30},
    {"ilceEdit", "İlçe", "adres_semt", 30},
    {"tel1Edit", "Telefon 1", "telefon1_no", 15},
    {"tel2Edit", "Tel 2", "telefon2_no", 15},
    {"faksEdit", "Faks", "fax_no", 15},
    {"vergiDEdit", "Vergi D.", "vergi_dairesi", 30},
    {"vergiNoEdit", "Vergi No:", "vergi_no", 15},
};

QString filteredCode(const QString &code)
{
    QString out;
    for (QChar c : code)
        if (CompanyRegistry::isCodeChar(c) && out.size() < CompanyRegistry::kCodeMaxLength) out += c;
    return out;
}

} // namespace

TfirmaF::TfirmaF(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TfirmaF"));
    KeyFilters::installEnterMovesFocus(this);
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip Programı - Çalışılan Şirket Bilgileri"));

    auto *root = new QVBoxLayout(this);
    auto *heading = new QLabel(QStringLiteral("ŞİRKET BİLGİLERİ"), this);
    heading->setObjectName(QStringLiteral("baslikLabel"));
    QFont hf = heading->font();
    hf.setBold(true);
    hf.setPointSizeF(hf.pointSizeF() * 1.4);
    heading->setFont(hf);
    heading->setAlignment(Qt::AlignCenter);
    root->addWidget(heading);

    auto *grid = new QGridLayout;
    int row = 0;
    for (const EditSpec &s : kEdits) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(s.name));
        FormKit::limitTyping(edit, s.maxLength);
        auto *label = new QLabel(QString::fromUtf8(s.label), this);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
        m_fieldOf.insert(edit, QLatin1String(s.field));
        connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString &t) { fieldEdited(edit, t); });
    }
    m_kodu = findChild<QLineEdit *>(QStringLiteral("koduEdit"));
    m_kodu->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z0-9]{0,12}")), m_kodu));
    findChild<QLineEdit *>(QStringLiteral("adiEdit"))->setMinimumWidth(360);
    root->addLayout(grid);

    auto *buttons = new QGridLayout;
    const struct { const char *name, *text; } kButtons[] = {
        {"yeniB", "YENİ ŞİRKET"}, {"kaydetBut", "KAYDET"}, {"vazgecBut", "VAZGEÇ"},
        {"KSilBut", "ŞİRKET SİL"}, {"JvXPButton1", "Kayıtlı Şirket Listesi"}, {"kapatBut", "KAPAT"},
    };
    int i = 0;
    for (const auto &b : kButtons) {
        auto *button = new QPushButton(QString::fromUtf8(b.text), this);
        button->setObjectName(QLatin1String(b.name));
        button->setAutoDefault(false);
        buttons->addWidget(button, i / 3, i % 3);
        ++i;
    }
    root->addLayout(buttons);

    connect(findChild<QPushButton *>(QStringLiteral("yeniB")), &QPushButton::clicked, this, [this] {
        if (discardPending()) yeniSirket();
    });
    connect(findChild<QPushButton *>(QStringLiteral("kaydetBut")), &QPushButton::clicked, this, &TfirmaF::kaydet);
    connect(findChild<QPushButton *>(QStringLiteral("vazgecBut")), &QPushButton::clicked, this, &TfirmaF::vazgec);
    connect(findChild<QPushButton *>(QStringLiteral("KSilBut")), &QPushButton::clicked, this, &TfirmaF::sil);
    connect(findChild<QPushButton *>(QStringLiteral("JvXPButton1")), &QPushButton::clicked, this, &TfirmaF::listRequested);
    connect(findChild<QPushButton *>(QStringLiteral("kapatBut")), &QPushButton::clicked, this, &QWidget::hide);
}

Table &TfirmaF::table()
{
    Table &t = CompanyRegistry::firmaTable();
    if (!m_connected) {
        m_connected = true;
        // Another window may move or cancel the shared record; the edits follow it.
        connect(&t, &Dataset::currentRowChanged, this, [this] { load(); });
        connect(&t, &Dataset::reset, this, [this] { load(); });
        connect(&t, &Dataset::stateChanged, this, [this] {
            if (!m_connected) return;
            if (CompanyRegistry::firmaTable().state() == Dataset::State::Browse) {
                m_dirty = false;
                load();
            }
        });
    }
    return t;
}

void TfirmaF::load()
{
    Table &t = CompanyRegistry::firmaTable();
    const bool has = t.state() == Dataset::State::Insert || !t.isEmpty();
    for (auto it = m_fieldOf.cbegin(); it != m_fieldOf.cend(); ++it)
        it.key()->setText(has ? t.field(it.value()).asString() : QString());
    // A saved company keeps its code: its database files are named after it.
    m_kodu->setReadOnly(t.state() != Dataset::State::Insert);
}

void TfirmaF::yeniSirket(const QString &code)
{
    Table &t = table();
    if (t.state() != Dataset::State::Browse) t.cancel();
    t.append();
    const QString c = filteredCode(code);
    if (!c.isEmpty()) t.field(QStringLiteral("firma_kodu")) = c;
    m_dirty = false;
    load();
    show();
    raise();
    (c.isEmpty() ? m_kodu : findChild<QLineEdit *>(QStringLiteral("adiEdit")))->setFocus();
}

void TfirmaF::duzelt()
{
    Table &t = table();
    if (t.isEmpty() && t.state() == Dataset::State::Browse) {
        yeniSirket();
        return;
    }
    load();
    show();
    raise();
}

void TfirmaF::fieldEdited(QLineEdit *edit, const QString &text)
{
    Table &t = table();
    if (t.state() == Dataset::State::Browse) {
        if (t.isEmpty()) t.append();
        else t.edit();
    }
    t.field(m_fieldOf.value(edit)) = text;
    m_dirty = true;
}

bool TfirmaF::discardPending()
{
    Table &t = table();
    if (t.state() == Dataset::State::Browse) return true;
    if (m_dirty && !MessageBox::askYesNo(QStringLiteral("Değişiklikler iptal edilecektir, eminmisiniz?"))) return false;
    t.cancel();
    m_dirty = false;
    load();
    return true;
}

void TfirmaF::kaydet()
{
    Q_EMIT slipsResetRequested();
    Table &t = table();
    const bool inserting = t.state() == Dataset::State::Insert;
    if ((inserting || t.state() == Dataset::State::Edit) && m_dirty
        && !MessageBox::askYesNo(QStringLiteral("Değişiklikler kayıt edilecektir. Eminmisiniz?")))
        return;
    try {
        if (!showOutcome(inserting ? CompanyRegistry::dosyaac(t) : CompanyRegistry::saveCompany(t))) return;
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    m_dirty = false;
    load();
    const QString code = t.field(QStringLiteral("firma_kodu")).asString();
    if (inserting) Q_EMIT menuHeaderChanged(CompanyRegistry::copiedTitle() + QStringLiteral(" Ana Menü"));
    if (!code.isEmpty()) Q_EMIT companySaved(code);
}

void TfirmaF::vazgec()
{
    discardPending();
}

void TfirmaF::sil()
{
    try {
        if (deleteCompanyAsking(table())) m_dirty = false;
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
    load();
}
