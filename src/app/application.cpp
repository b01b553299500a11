#include "app/application.h"

#include "data/engine_error.h"
#include "widgets/message_box.h"

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Brenvo Çek Senet Takip"));
    setApplicationDisplayName(QStringLiteral("Brenvo Çek Senet Takip"));
    setApplicationVersion(QStringLiteral("4.0"));
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
