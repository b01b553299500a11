#include "given/tcikisozetf.h"

#include "widgets/form_kit.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TcikisozetF::TcikisozetF(QWidget *parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TcikisozetF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip"));
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    m_content = new QWidget(this);
    auto *grid = new QGridLayout(m_content);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    JustaEdit5 = FormKit::resultEdit(m_content, "JustaEdit5", 100);
    JustaEdit6 = FormKit::resultEdit(m_content, "JustaEdit6", 100);
    JustaEdit7 = FormKit::resultEdit(m_content, "JustaEdit7", 100);
    JustaEdit8 = FormKit::resultEdit(m_content, "JustaEdit8", 100);
    Edit59 = FormKit::resultEdit(m_content, "Edit59", 60);
    DateTimePicker16 = new QDateEdit(m_content);
    DateTimePicker16->setObjectName(QStringLiteral("DateTimePicker16"));
    DateTimePicker16->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DateTimePicker16->setReadOnly(true);
    DateTimePicker16->setButtonSymbols(QAbstractSpinBox::NoButtons);
    DateTimePicker16->setAlignment(Qt::AlignRight);
    DateTimePicker16->setFocusPolicy(Qt::NoFocus);
    const QPair<QString, QWidget *> fields[] = {
        {QStringLiteral("Toplam Tutar"), JustaEdit5},      {QStringLiteral("Ortalama Vadesi"), DateTimePicker16},
        {QStringLiteral("Toplam Vade Farkı"), JustaEdit6}, {QStringLiteral("Gün"), Edit59},
        {QStringLiteral("Toplam Masraflar"), JustaEdit7},  {QString(), nullptr},
        {QStringLiteral("Toplam Net Tutar"), JustaEdit8}};
    for (int i = 0; i < 7; ++i) {
        if (!fields[i].second) continue;
        grid->addWidget(new QLabel(fields[i].first, m_content), i / 2, (i % 2) * 2);
        grid->addWidget(fields[i].second, i / 2, (i % 2) * 2 + 1);
    }
    kucultBut = FormKit::button(m_content, "kucultBut", QStringLiteral("Küçült"));
    tamamlaBut = FormKit::button(m_content, "tamamlaBut", QStringLiteral("Ciroyu Tamamla"));
    grid->addWidget(kucultBut, 2, 2);
    grid->addWidget(tamamlaBut, 3, 2, 1, 2);
    root->addWidget(m_content);
    acBut = FormKit::button(this, "acBut", QStringLiteral("AÇ"));
    acBut->setFixedSize(kSmall, kSmall);
    root->addWidget(acBut);
    acBut->hide();
    connect(kucultBut, &QPushButton::clicked, this, &TcikisozetF::kucult);
    connect(acBut, &QPushButton::clicked, this, &TcikisozetF::ac);
    connect(tamamlaBut, &QPushButton::clicked, this, &TcikisozetF::tamamlandi);
    setFixedSize(kWidth, kHeight);
}

void TcikisozetF::kucult()
{
    m_content->hide();
    acBut->show();
    setFixedSize(kSmall, kSmall);
}

void TcikisozetF::ac()
{
    acBut->hide();
    m_content->show();
    setFixedSize(kWidth, kHeight);
}
