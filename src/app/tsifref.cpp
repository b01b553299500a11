#include "app/tsifref.h"

#include "app/company_registry.h"
#include "data/connection.h"
#include "data/engine_error.h"
#include "data/table.h"
#include "widgets/form_kit.h"
#include "widgets/message_box.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TsifreF::TsifreF(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TsifreF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip Şifre Girişi"));

    m_sifre = new QLineEdit(this);
    m_sifre->setObjectName(QStringLiteral("Sifre"));
    m_master = new QLineEdit(this);
    m_master->setObjectName(QStringLiteral("Master"));
    for (QLineEdit *e : {m_sifre, m_master}) {
        FormKit::limitTyping(e, 16);  // the field size
        e->setMinimumWidth(200);
    }

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Program Giriş Şifresi"), m_sifre);
    form->addRow(QStringLiteral("Program Master Şifresi"), m_master);

    auto *warning = new QLabel(
        QStringLiteral("Master şifreyi değiştirdiyseniz unutmayınız! Aksi Halde bilgileriniz bloke olacaktır."), this);
    warning->setObjectName(QStringLiteral("uyariLabel"));
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("color: maroon; font-weight: bold;"));

    auto *save = new QPushButton(QStringLiteral("SAKLA"), this);
    save->setObjectName(QStringLiteral("JvXPButton7"));
    save->setAutoDefault(false);

    auto *root = new QVBoxLayout(this);
    root->addLayout(form);
    root->addWidget(warning);
    root->addWidget(save, 0, Qt::AlignRight);

    connect(save, &QPushButton::clicked, this, &TsifreF::sakla);
    // What is typed stays in the edits until SAKLA: the login reads the same tables,
    // and must never see (or store by the way) a password that was not saved.
    connect(m_sifre, &QLineEdit::textEdited, this, [this] { m_sifreDirty = true; });
    connect(m_master, &QLineEdit::textEdited, this, [this] { m_masterDirty = true; });
}

void TsifreF::store(Table &t, const QString &field, const QString &text)
{
    if (t.state() != Dataset::State::Browse) t.cancel();
    t.first();
    if (t.isEmpty()) t.append();
    else t.edit();
    t.field(field) = text;
    t.post();
}

void TsifreF::load()
{
    Table &s = CompanyRegistry::sifreTable();
    Table &m = CompanyRegistry::masterTable();
    // Both are shown from their first record, the one the login checks.
    if (s.state() == Dataset::State::Browse) s.first();
    if (m.state() == Dataset::State::Browse) m.first();
    const auto text = [](Table &t, const QString &f) {
        return t.state() == Dataset::State::Insert || !t.isEmpty() ? t.field(f).asString() : QString();
    };
    m_sifre->setText(text(s, QStringLiteral("sifre")));
    m_master->setText(text(m, QStringLiteral("mids")));
}

void TsifreF::sakla()
{
    try {
        if (m_sifreDirty) store(CompanyRegistry::sifreTable(), QStringLiteral("sifre"), m_sifre->text());
        m_sifreDirty = false;
        if (m_masterDirty) store(CompanyRegistry::masterTable(), QStringLiteral("mids"), m_master->text());
        m_masterDirty = false;
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TsifreF::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    try {
        load();
    } catch (const EngineError &err) {
        MessageBox::error(err.message());
    }
}

void TsifreF::hideEvent(QHideEvent *e)
{
    // What was typed and not saved is dropped.
    for (Table *t : {&CompanyRegistry::sifreTable(false), &CompanyRegistry::masterTable(false)})
        if (t->isActive() && t->state() != Dataset::State::Browse) t->cancel();
    m_sifreDirty = m_masterDirty = false;
    QWidget::hideEvent(e);
}
