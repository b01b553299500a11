#include "widgets/wait_window.h"

#include <QApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

TForm2::TForm2(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_bar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Bekleyin Kayıt Yapıyor"));
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setMinimum(0);
    m_bar->setTextVisible(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(m_bar);
    setFixedSize(360, m_bar->sizeHint().height() + 32);
}

void TForm2::start(int maximum, const QString &caption)
{
    m_bar->setMaximum(qMax(maximum, 1));
    m_bar->setValue(0);
    setWindowTitle(caption);
    const QWidget *anchor = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area = anchor ? anchor->geometry()
                              : (screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768));
    move(area.center() - rect().center());
    show();
    raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm2::step()
{
    if (m_bar->value() < m_bar->maximum()) m_bar->setValue(m_bar->value() + 1);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm2::finish()
{
    m_bar->setValue(m_bar->maximum());
    hide();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
