#pragma once
// The main menu: the working window after a login. Its dashboard and menu bars
// are filled in as their windows are built; closing it leads back to the login.
#include <QMainWindow>

class QLabel;
class QLineEdit;
class PanelStatusBar;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);
    QLabel *JvNavPanelHeader1 = nullptr;
    QLineEdit *kisinoedit = nullptr;  // the working year
    PanelStatusBar *StatusBar1 = nullptr;

Q_SIGNALS:
    void closedByUser();

protected:
    void closeEvent(QCloseEvent *event) override;
};
