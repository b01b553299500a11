#include "mainmenu/colour_box.h"

#include "mainmenu/menu_settings.h"

#include <QApplication>
#include <QColorDialog>
#include <QPalette>
#include <QPixmap>

namespace {

constexpr int kStoredRole = Qt::UserRole + 1;

// The system colours the settings may name, by their platform number
// (0xFF000000 | index, stored as a signed 32-bit number), with the palette role
// that shows the same thing on this desktop.
struct SystemColour {
    const char *name;
    int index;
    QPalette::ColorRole role;
};
const SystemColour kSystemColours[] = {
    {"Düğme Yüzü", 15, QPalette::Button},
    {"Düğme Yazısı", 18, QPalette::ButtonText},
    {"Pencere", 5, QPalette::Base},
    {"Pencere Yazısı", 8, QPalette::Text},
    {"Menü", 4, QPalette::Window},
    {"Seçili Alan", 13, QPalette::Highlight},
    {"Seçili Alan Yazısı", 14, QPalette::HighlightedText},
    {"Bilgi Kutusu", 24, QPalette::ToolTipBase},
    {"Gölge", 16, QPalette::Mid},
    {"Işık", 20, QPalette::Light},
};

qint64 systemValue(int index) { return qint64(qint32(0xFF000000u | quint32(index))); }

} // namespace

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
    for (const auto &[name, c] : colours) addColour(QString::fromUtf8(name), c, MenuSettings::colourToInt(c));
    for (const SystemColour &s : kSystemColours)
        addColour(QString::fromUtf8(s.name), QApplication::palette().color(s.role), systemValue(s.index));
    addItem(QStringLiteral("Yok"));
    setItemData(count() - 1, kNone, kStoredRole);
    m_customIndex = count();
    addItem(QStringLiteral("Özel..."));
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index != m_customIndex) return;
        const QColor c = QColorDialog::getColor(itemData(m_customIndex).value<QColor>(), this);
        if (c.isValid()) setColour(c);
    });
}

void ColourBox::addColour(const QString &name, const QColor &c, qint64 stored)
{
    QPixmap swatch(16, 12);
    swatch.fill(c);
    addItem(QIcon(swatch), name, c);
    setItemData(count() - 1, stored, kStoredRole);
}

QColor ColourBox::colour() const { return itemData(currentIndex()).value<QColor>(); }

qint64 ColourBox::storedValue() const
{
    const QVariant v = itemData(currentIndex(), kStoredRole);
    return v.isValid() ? v.toLongLong() : MenuSettings::colourToInt(colour());
}

void ColourBox::setStoredValue(qint64 v)
{
    for (int i = 0; i < m_customIndex; ++i)
        if (itemData(i, kStoredRole).toLongLong() == v && itemData(i, kStoredRole).isValid()) {
            setCurrentIndex(i);
            return;
        }
    const QColor c = MenuSettings::colourFromInt(v);
    if (c.isValid()) setColour(c);
}

void ColourBox::setColour(const QColor &c)
{
    if (!c.isValid()) {
        setCurrentIndex(m_customIndex - 1);
        return;
    }
    // Plain colours only: a system colour is chosen by its entry, not by how it looks.
    for (int i = 0; i < m_customIndex - 1; ++i)
        if (itemData(i, kStoredRole).toLongLong() >= 0 && itemData(i).value<QColor>() == c) {
            setCurrentIndex(i);
            return;
        }
    QPixmap swatch(16, 12);
    swatch.fill(c);
    setItemIcon(m_customIndex, QIcon(swatch));
    setItemData(m_customIndex, c);
    setItemData(m_customIndex, MenuSettings::colourToInt(c), kStoredRole);
    setCurrentIndex(m_customIndex);
}
