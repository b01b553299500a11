#pragma once
class QWidget;

// Shows a form maximized and in front. The form first takes the screen's
// available area, so it fills the screen also where no window manager carries
// out the maximized state (a bare X server, a remote session).
void showFormMaximized(QWidget *form);
