#pragma once
// A colour choice: the standard and extended colours, the system colours, "Yok"
// (none) and a custom colour picked in a colour dialog. Each entry has the value
// the settings file stores: 0x00BBGGRR for a plain colour, the negative number of
// a system colour, kNone for "Yok".
#include <QColor>
#include <QComboBox>

class ColourBox : public QComboBox {
    Q_OBJECT
public:
    static constexpr qint64 kNone = 0x1FFFFFFF;

    explicit ColourBox(QWidget *parent = nullptr);
    // The colour to paint: a system colour as this desktop shows it; invalid for "Yok".
    QColor colour() const;
    // A colour not in the list becomes the custom entry.
    void setColour(const QColor &c);
    // The value the settings file stores, and back (an unknown system number or a
    // value out of range selects nothing new).
    qint64 storedValue() const;
    void setStoredValue(qint64 v);

private:
    void addColour(const QString &name, const QColor &c, qint64 stored);
    int m_customIndex = -1;
};
