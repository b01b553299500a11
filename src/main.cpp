#include "app/application.h"
#include "app/demo_company.h"
#include "app/tacilisf.h"
#include "app/tgirisf.h"
#include "app/uygulama.h"
#include "check/data_check.h"
#include "data/engine_error.h"
#include "data/program_home.h"
#include "data/super_journals.h"
#include "mainmenu/menu_settings.h"
#include "widgets/message_box.h"

#include <QTimer>
#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--version") {
            std::printf("Brenvo Çek Senet Takip 4.0\n");
            return 0;
        }
    }
    // The data check runs without windows and changes nothing.
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--check") {
            QCoreApplication core(argc, argv);
            return DataCheck::runCommandLine(QCoreApplication::arguments());
        }
    }
    Application app(argc, argv);
    auto splash = std::make_unique<TacilisF>();
    splash->show();
    QApplication::processEvents();

    ProgramHome::setDir(ProgramHome::resolve(QApplication::arguments()));
    std::unique_ptr<Uygulama> uygulama;
    try {
        ProgramHome::ensure();
        // Saves across files killed half-way leave super-journals that nothing reads again.
        SuperJournals::removeStale({ProgramHome::path(QStringLiteral("Data")), ProgramHome::path(QStringLiteral("AnaData"))});
        // A new home shows the whole dashboard at once.
        MenuSettings::writeDefaultSettingsIfMissing();
        if (QApplication::arguments().contains(QStringLiteral("--demo"))) createDemoCompanyIfEmpty();
        uygulama = std::make_unique<Uygulama>();
    } catch (const EngineError &e) {
        splash.reset();
        MessageBox::error(e.message());
        return 1;
    }
    splash.reset();
    uygulama->girisF()->show();
    // For the start-up benchmark: ends once the login window has been shown and painted.
    if (qEnvironmentVariableIsSet("CEKSENET_STARTUP_PROBE")) {
        QTimer::singleShot(0, [&] {
            uygulama->girisF()->repaint();
            std::printf("login shown\n");
            std::fflush(stdout);
            QApplication::exit(0);
        });
    }
    // The program ends when the login form closes, not when the last window hides.
    QApplication::setQuitOnLastWindowClosed(false);
    return QApplication::exec();
}
