#include "app/application.h"

#include "data/engine_error.h"
#include "widgets/message_box.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    // No application display name: X11 window managers would get it appended to every
    // window title (" — Brenvo Çek Senet Takip"), and the titles are the program's own.
    setApplicationName(QStringLiteral("Brenvo Çek Senet Takip"));
    setDesktopFileName(QStringLiteral("tr.com.brenvo.ceksenet"));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("tr.com.brenvo.ceksenet")));
    setApplicationVersion(QStringLiteral("4.0"));
    // Qt's own texts (the edit fields' menus "Tümünü Seç", "Kopyala", "Kes",
    // "Yapıştır", dialog buttons) in Turkish, like the rest of the program.
    auto *qtTexts = new QTranslator(this);
    if (qtTexts->load(QLocale(QLocale::Turkish, QLocale::Turkey), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qtTexts);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    } catch (const std::exception &e) {
        MessageBox::error(QString::fromLocal8Bit(e.what()));
    }
    return false;
}
