#include "reports/report_files.h"

#include <QFileDialog>

namespace ReportFiles {
namespace {
Chooser &chooser()
{
    static Chooser c;
    return c;
}
} // namespace

QString choose(QWidget *parent, Mode mode, const QString &caption, const QString &filter)
{
    if (chooser()) return chooser()(parent, mode, caption, filter);
    return mode == Mode::Open ? QFileDialog::getOpenFileName(parent, caption, QString(), filter)
                              : QFileDialog::getSaveFileName(parent, caption, QString(), filter);
}

void setChooser(Chooser c) { chooser() = std::move(c); }

} // namespace ReportFiles
