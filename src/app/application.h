#pragma once
#include <QApplication>

// The Qt application with the program's general error display: an engine error
// that escapes an event handler is shown as the engine's message and the action
// that met it stops.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
