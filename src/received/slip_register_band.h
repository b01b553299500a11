#pragma once
// What both slip registers show above their grid: the filter band with its tick
// boxes and inputs (date pickers on today), the block of four buttons and the
// "Tüm alanı göster" box beside it.
#include "received/slip_register_filter.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QEvent;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace SlipRegister {

struct Band {
    QGroupBox *panel = nullptr;  // "filtrePanel"
    QLineEdit *bordroEdit = nullptr, *firmaEdit = nullptr, *firmaadiEdit = nullptr;
    QCheckBox *bordroCheck = nullptr, *koduCheck = nullptr, *paraCheck = nullptr, *firmaadiCheck = nullptr,
              *tarihCheck = nullptr, *orttarihCheck = nullptr;
    QComboBox *dovizBox = nullptr;
    QDateEdit *basDate = nullptr, *bitDate = nullptr, *ortbasDate = nullptr, *ortbitDate = nullptr,
              *islemDate = nullptr;
    QGridLayout *grid = nullptr;

    // The filter as the inputs stand.
    Filter filter() const;
    // The four buttons two by two (correction, refresh; filter, close) with the
    // whole-row box under them, right of the filter inputs.
    void addButtons(QPushButton *correct, QPushButton *refresh, QPushButton *filter, QPushButton *close,
                    QCheckBox *wholeRows) const;
};

// The band in a group box titled `title`, its controls children of `owner`; the code
// field's label reads `codeLabel`.
Band buildBand(QWidget *owner, const QString &title, const QString &codeLabel);

} // namespace SlipRegister
