#include "widgets/help_window.h"

#include "data/program_home.h"
#include "widgets/window_texts.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include "widgets/panel_status_bar.h"
#include <QVBoxLayout>

const QVector<QPair<QString, QString>> &TyardimF::topics()
{
    static const QVector<QPair<QString, QString>> list{
        {QStringLiteral("Giriş Ekranı Kullanımı"), QStringLiteral("ygiris")},
        {QStringLiteral("Ana Menü Kullanımı"), QStringLiteral("yana")},
        {QStringLiteral("Çek ve Senet Giriş İşlemleri"), QStringLiteral("ycekgiris")},
        {QStringLiteral("Çek ve Senet Çıkış (Ciro) İşlemleri"), QStringLiteral("ycekcikis")},
        {QStringLiteral("Excel'den Aktarım İşlemleri"), QStringLiteral("yexcel")},
        {QStringLiteral("Firma Cari Kart Takip İşlemleri"), QStringLiteral("ycarikart")},
        {QStringLiteral("Firma Cari Kart Hareket Takip İşlemleri"), QStringLiteral("ycarihareket")},
        {QStringLiteral("Kasa İşlemlerinin Kullanımı"), QStringLiteral("ykasa")},
    };
    return list;
}

TyardimF::TyardimF(QWidget *parent)
    : QMainWindow(parent), m_topics(new QComboBox), m_text(new QPlainTextEdit)
{
    setObjectName(QStringLiteral("TyardimF"));
    setWindowTitle(QStringLiteral("Brenvo Çek ve Senet Takip Programı Yardım"));

    m_topics->setObjectName(QStringLiteral("konuBox"));
    m_topics->setPlaceholderText(QStringLiteral("Yardım Alınacak Konuyu Seçin"));
    for (const auto &t : topics()) m_topics->addItem(t.first, t.second);
    m_topics->setCurrentIndex(-1);
    m_topics->setMinimumContentsLength(36);
    connect(m_topics, &QComboBox::activated, this, [this](int i) { yukle(m_topics->itemData(i).toString()); });

    m_text->setObjectName(QStringLiteral("yardimMemo"));
    m_text->setReadOnly(true);

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    auto *label = new QLabel(QStringLiteral("Yardım Alınacak Konuyu Seçin"));
    label->setBuddy(m_topics);
    layout->addWidget(label);
    layout->addWidget(m_topics);
    layout->addWidget(m_text, 1);
    setCentralWidget(central);

    // Two panels; the second shows the version.
    setStatusBar(new PanelStatusBar(this, 2, 1));
    resize(640, 480);
}

bool TyardimF::yukle(const QString &key)
{
    QFile file(ProgramHome::path(key));
    if (!file.open(QIODevice::ReadOnly)) return false;
    m_text->setPlainText(QString::fromUtf8(file.readAll()));
    return true;
}

void TyardimF::showHelp(const QString &key)
{
    yukle(key);
    const int i = m_topics->findData(key);
    if (i >= 0) m_topics->setCurrentIndex(i);
    show();
    raise();
    activateWindow();
}

void connectHelpButton(QAbstractButton *button, const QString &key, TyardimF *help)
{
    // One help window at a time: a window handed another one drops the former.
    QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
    if (help) QObject::connect(button, &QAbstractButton::clicked, help, [help, key] { help->showHelp(key); });
}

QPushButton *makeHelpButton(QWidget *parent, const QString &key, TyardimF *help)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QStringLiteral("tfXPButton1"));
    button->setText(QStringLiteral("Yardım"));
    button->setToolTip(QStringLiteral("Yardım"));
    button->setAutoDefault(false);
    connectHelpButton(button, key, help);
    return button;
}
