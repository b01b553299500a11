#include "mainmenu/colour_box.h"

#include <QColorDialog>
#include <QPixmap>

ColourBox::ColourBox(QWidget *parent) : QComboBox(parent)
{
    const std::pair<const char *, QColor> colours[] = {
        {"Siyah", QColor(0, 0, 0)},          {"Bordo", QColor(128, 0, 0)},      {"Yeşil", QColor(0, 128, 0)},
        {"Zeytin", QColor(128, 128, 0)},     {"Lacivert", QColor(0, 0, 128)},   {"Mor", QColor(128, 0, 128)},
        {"Deniz Mavisi", QColor(0, 128, 128)}, {"Gri", QColor(128, 128, 128)},  {"Gümüş", QColor(192, 192, 192)},
        {"Kırmızı", QColor(255, 0, 0)},      {"Açık Yeşil", QColor(0, 255, 0)}, {"Sarı", QColor(255, 255, 0)},
        {"Mavi", QColor(0, 0, 255)},         {"Fuşya", QColor(255, 0, 255)},    {"Turkuaz", QColor(0, 255, 255)},
        {"Beyaz", QColor(255, 255, 255)},    {"Para Yeşili", QColor(192, 220, 192)}, {"Gök Mavisi", QColor(166, 202, 240)},
        {"Krem", QColor(255, 251, 240)},     {"Orta Gri", QColor(160, 160, 164)},
    };
    for (const auto &[name, c] : colours) addColour(QString::fromUtf8(name), c);
    addItem(QStringLiteral("Yok"));
    m_customIndex = count();
    addItem(QStringLiteral("Özel..."));
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index != m_customIndex) return;
        const QColor c = QColorDialog::getColor(itemData(m_customIndex).value<QColor>(), this);
        if (c.isValid()) setColour(c);
    });
}

void ColourBox::addColour(const QString &name, const QColor &c)
{
    QPixmap swatch(16, 12);
    swatch.fill(c);
    addItem(QIcon(swatch), name, c);
}

QColor ColourBox::colour() const { return itemData(currentIndex()).value<QColor>(); }

void ColourBox::setColour(const QColor &c)
{
    if (!c.isValid()) {
        setCurrentIndex(m_customIndex - 1);
        return;
    }
    for (int i = 0; i < m_customIndex - 1; ++i)
        if (itemData(i).value<QColor>() == c) {
            setCurrentIndex(i);
            return;
        }
    QPixmap swatch(16, 12);
    swatch.fill(c);
    setItemIcon(m_customIndex, QIcon(swatch));
    setItemData(m_customIndex, c);
    setCurrentIndex(m_customIndex);
}
