#pragma once
// The main menu settings file "csayar.apr" (INI, section "AnaMenu") in the program
// home: which dashboard lists show and three colours, stored as the integers
// 0x00BBGGRR.
#include <QColor>
#include <QString>

namespace MenuSettings {

QString filePath();  // the home's "csayar.apr"

struct Values {
    // Flag keys as read ("E", "H", anything else or empty when missing).
    QString eldecekA, cirocekA, duzenlenenA, bankalardakiA, alacakA, borcA, gunnotA;
    // Colour keys; 1 when missing.
    qint64 yanpanrenA = 1, zeminrenA = 1, yanrenA = 1;
};
Values read();

// A new home shows the whole dashboard: writes a file with every list on and no
// colours, so the window keeps its own calm look until the user picks colours. An existing file is left alone. Returns whether it wrote.
bool writeDefaultSettingsIfMissing();

// Design colours of the three boxes.
inline const QColor kSidePanelColour{128, 0, 0};    // maroon
inline const QColor kBackgroundColour{0, 128, 128}; // teal
inline const QColor kMenuBarColour{192, 220, 192};  // money green

// 0x00BBGGRR <-> colour. Negative (system) colours and invalid ones map to an
// invalid colour and back to -1.
qint64 colourToInt(const QColor &c);
QColor colourFromInt(qint64 v);

} // namespace MenuSettings
