#include "mainmenu/tayarlarf.h"

#include "mainmenu/colour_box.h"
#include "mainmenu/menu_settings.h"
#include "widgets/key_filters.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

TayarlarF::TayarlarF(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TayarlarF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip   - Program Çalışma Ayarları"));
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(QStringLiteral("ANAMENÜ RENK VE GÖRÜNÜM AYARLARI"), this);
    QFont hf = heading->font();
    hf.setBold(true);
    hf.setPointSizeF(hf.pointSizeF() + 2);
    heading->setFont(hf);
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);

    auto *group = new QGroupBox(QStringLiteral("Ana Menü Seçenekleri"), this);
    auto *form = new QFormLayout(group);
    auto check = [&](const char *name, const char *text) {
        auto *c = new QCheckBox(QString::fromUtf8(text), group);
        c->setObjectName(QLatin1String(name));
        form->addRow(c);
        return c;
    };
    eldekicekACheck = check("eldekicekACheck", "Eldeki Çekleri Göster");
    duzenlenencekACheck = check("duzenlenencekACheck", "Düzenlenen Çekleri Göster");
    bankalardakicekACheck = check("bankalardakicekACheck", "Bankalardaki Çekleri Göster");
    alacaklarACheck = check("alacaklarACheck", "Alacakları Göster");
    borclarACheck = check("borclarACheck", "Borçları Göster");
    gununnotACheck = check("gununnotACheck", "Günün Notlarını Göster");
    auto colourBox = [&](const char *name, const char *text, const QColor &design) {
        auto *b = new ColourBox(group);
        b->setObjectName(QLatin1String(name));
        b->setColour(design);
        form->addRow(QString::fromUtf8(text), b);
        return b;
    };
    ColorBox1 = colourBox("ColorBox1", "Yan Panel Zemin  Rengi", MenuSettings::kSidePanelColour);
    ColorBox2 = colourBox("ColorBox2", "Ana Menü Zemin Rengi", MenuSettings::kBackgroundColour);
    ColorBox3 = colourBox("ColorBox3", "Yan Menü Zemin Rengi", MenuSettings::kMenuBarColour);
    layout->addWidget(group);

    auto *buttons = new QHBoxLayout;
    JvXPButton1 = new QPushButton(QStringLiteral("Ayarları Sakla"), this);
    JvXPButton1->setObjectName(QStringLiteral("JvXPButton1"));
    JvXPButton2 = new QPushButton(QStringLiteral("Default Renkler"), this);
    JvXPButton2->setObjectName(QStringLiteral("JvXPButton2"));
    buttons->addWidget(JvXPButton2);
    buttons->addStretch();
    buttons->addWidget(JvXPButton1);
    layout->addLayout(buttons);
    connect(JvXPButton1, &QPushButton::clicked, this, &TayarlarF::sakla);
    connect(JvXPButton2, &QPushButton::clicked, this, &TayarlarF::defaultRenkler);
    KeyFilters::installEnterMovesFocus(this);
    ayarYukle();
}

void TayarlarF::ayarYukle()
{
    const MenuSettings::Values v = MenuSettings::read();
    eldekicekACheck->setChecked(v.eldecekA == u"E");
    duzenlenencekACheck->setChecked(v.duzenlenenA == u"E");
    bankalardakicekACheck->setChecked(v.bankalardakiA == u"E");
    alacaklarACheck->setChecked(v.alacakA == u"E");
    borclarACheck->setChecked(v.borcA == u"E");
    gununnotACheck->setChecked(v.gunnotA == u"E");
    if (v.yanpanrenA > 1) ColorBox1->setStoredValue(v.yanpanrenA);
    if (v.zeminrenA > 1) ColorBox2->setStoredValue(v.zeminrenA);
    if (v.yanrenA > 1) ColorBox3->setStoredValue(v.yanrenA);
}

void TayarlarF::ayarkaydet()
{
    QSettings s(MenuSettings::filePath(), QSettings::IniFormat);
    s.beginGroup(QStringLiteral("AnaMenu"));
    auto flag = [](QCheckBox *c) { return c->isChecked() ? QStringLiteral("E") : QStringLiteral("H"); };
    s.setValue(QStringLiteral("eldecekA"), flag(eldekicekACheck));
    s.setValue(QStringLiteral("duzenlenenA"), flag(duzenlenencekACheck));
    s.setValue(QStringLiteral("bankalardakiA"), flag(bankalardakicekACheck));
    s.setValue(QStringLiteral("alacakA"), flag(alacaklarACheck));
    s.setValue(QStringLiteral("borcA"), flag(borclarACheck));
    s.setValue(QStringLiteral("gunnotA"), flag(gununnotACheck));
    s.setValue(QStringLiteral("yanpanrenA"), ColorBox1->storedValue());
    s.setValue(QStringLiteral("zeminrenA"), ColorBox2->storedValue());
    s.setValue(QStringLiteral("yanrenA"), ColorBox3->storedValue());
    s.endGroup();
    s.sync();
}

void TayarlarF::sakla()
{
    ayarkaydet();
    Q_EMIT saved(ColorBox1->colour(), ColorBox2->colour(), ColorBox3->colour());
    hide();
}

void TayarlarF::defaultRenkler()
{
    ColorBox1->setColour(MenuSettings::kSidePanelColour);
    ColorBox2->setColour(MenuSettings::kBackgroundColour);
    ColorBox3->setColour(MenuSettings::kMenuBarColour);
    Q_EMIT defaultsChosen(ColorBox1->colour(), ColorBox2->colour(), ColorBox3->colour());
}
