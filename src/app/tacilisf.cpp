#include "app/tacilisf.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TacilisF::TacilisF(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TacilisF"));
    setFixedSize(796, 402);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(126, 167, 228));
    setPalette(pal);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 48, 48, 48);
    const auto line = [&](const QString &text, int size, const QColor &color) {
        auto *l = new QLabel(text, this);
        QFont f(QStringLiteral("Tahoma"), size, QFont::Bold);
        l->setFont(f);
        l->setAlignment(Qt::AlignCenter);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, color);
        l->setPalette(p);
        layout->addWidget(l);
        return l;
    };
    layout->addStretch();
    line(QStringLiteral("Brenvo Yazılım"), 20, Qt::white)->setObjectName(QStringLiteral("makerLabel"));
    line(QStringLiteral("Çek/Senet Takip Programı "), 28, Qt::white)->setObjectName(QStringLiteral("titleLabel"));
    layout->addSpacing(24);
    line(QStringLiteral("Bekleyin Program Açılıyor....."), 14, QColor(128, 0, 0))->setObjectName(QStringLiteral("waitLabel"));
    layout->addStretch();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
