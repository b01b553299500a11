#include "widgets/form_show.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void showFormMaximized(QWidget *form)
{
    if (!form->isVisible()) {
        QScreen *screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
        if (screen) form->setGeometry(screen->availableGeometry());
    }
    form->showMaximized();
    form->raise();
    form->activateWindow();
}
