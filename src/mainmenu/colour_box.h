#pragma once
// A colour choice: the standard and extended colours, "none" and a custom colour
// picked in a colour dialog.
#include <QColor>
#include <QComboBox>

class ColourBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColourBox(QWidget *parent = nullptr);
    QColor colour() const;  // invalid for "none"
    // A colour not in the list becomes the custom entry.
    void setColour(const QColor &c);

private:
    void addColour(const QString &name, const QColor &c);
    int m_customIndex = -1;
};
