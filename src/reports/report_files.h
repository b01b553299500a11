#pragma once
// The file choices of the preview (save, load, PDF) go through here, so that tests
// can answer them. By default a QFileDialog asks.
#include <QString>
#include <functional>

class QWidget;

namespace ReportFiles {

enum class Mode { Open, Save };
// Returns the chosen file name, or an empty text when the user cancelled.
using Chooser = std::function<QString(QWidget *parent, Mode mode, const QString &caption, const QString &filter)>;

QString choose(QWidget *parent, Mode mode, const QString &caption, const QString &filter);
// Replaces the dialog (tests); an empty chooser puts the dialog back.
void setChooser(Chooser chooser);

} // namespace ReportFiles
