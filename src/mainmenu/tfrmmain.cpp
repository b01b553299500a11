#include "mainmenu/tfrmmain.h"

#include "widgets/panel_status_bar.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmMain::TfrmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TfrmMain"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip Programı   - Ana Menü"));
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    JvNavPanelHeader1 = new QLabel(QStringLiteral("Brenvo Çek Senet Takip Programı Ana Menü"), central);
    JvNavPanelHeader1->setObjectName(QStringLiteral("JvNavPanelHeader1"));
    QFont f = JvNavPanelHeader1->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    JvNavPanelHeader1->setFont(f);
    layout->addWidget(JvNavPanelHeader1);

    auto *form = new QFormLayout;
    kisinoedit = new QLineEdit(central);
    kisinoedit->setObjectName(QStringLiteral("kisinoedit"));
    kisinoedit->setReadOnly(true);
    kisinoedit->setMaximumWidth(120);
    form->addRow(QStringLiteral("ÇALIŞMA YILI"), kisinoedit);
    layout->addLayout(form);
    layout->addStretch();
    auto *kapat = new QPushButton(QStringLiteral("KAPAT"), central);
    kapat->setObjectName(QStringLiteral("kapat"));
    kapat->setToolTip(QStringLiteral("Programı kapat..."));
    connect(kapat, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(kapat, 0, Qt::AlignRight);
    setCentralWidget(central);
    StatusBar1 = new PanelStatusBar(this);
    setStatusBar(StatusBar1);
    resize(1024, 700);
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    // The main menu is only hidden; the login form takes over.
    event->ignore();
    hide();
    Q_EMIT closedByUser();
}
