#pragma once
// Texts shared by the windows.
#include <QString>

// Shown in the status bar of the main working windows (third panel) and of the
// help window (second panel).
inline const QString kVersionText = QStringLiteral(" Version: 4.0 Guncelleme: 0");
