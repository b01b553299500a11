#include "app/application.h"

#include "data/engine_error.h"
#include "widgets/message_box.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Brenvo Çek Senet Takip"));
    setApplicationDisplayName(QStringLiteral("Brenvo Çek Senet Takip"));
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
