#include "data/engine_error.h"
#include "data/program_home.h"

#include <QApplication>
#include "widgets/message_box.h"
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brenvo Çek Senet Takip"));
    QApplication::setApplicationVersion(QStringLiteral("4.0"));
    const QStringList args = QApplication::arguments();
    if (args.contains(QStringLiteral("--version"))) {
        std::printf("Brenvo Çek Senet Takip 4.0\n");
        return 0;
    }
    ProgramHome::setDir(ProgramHome::resolve(args));
    try {
        ProgramHome::ensure();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return 1;
    }
    std::printf("Program folder: %s\n", qPrintable(ProgramHome::dir()));
    return 0;
}
