#include "widgets/panel_status_bar.h"

#include "data/data_context.h"

PanelStatusBar::PanelStatusBar(QWidget *parent, int panels, int versionPanel) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(false);
    for (int i = 0; i < panels; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("panel%1").arg(i));
        label->setFrameShape(QFrame::StyledPanel);
        label->setMinimumWidth(i == panels - 1 ? 260 : 120);
        addPermanentWidget(label, i == panels - 1 ? 1 : 0);
        m_panels << label;
    }
    setPanelText(versionPanel, kVersionText);
}

void PanelStatusBar::setPanelText(int index, const QString &text)
{
    if (index >= 0 && index < m_panels.size()) m_panels[index]->setText(text);
}

QString PanelStatusBar::panelText(int index) const
{
    return index >= 0 && index < m_panels.size() ? m_panels[index]->text() : QString();
}

QString PanelStatusBar::companyText(const QString &code, const QString &title, int year)
{
    return code + QStringLiteral(" - ") + title + QStringLiteral(" - ") + QString::number(year);
}

void PanelStatusBar::followOpenCompany(int index)
{
    DataContext &ctx = DataContext::instance();
    connect(&ctx, &DataContext::companyOpened, this,
            [this, index](const QString &code, const QString &title, int year) {
                setPanelText(index, companyText(code, title, year));
            });
    connect(&ctx, &DataContext::cashYearChanged, this, [this, index](int year) {
        DataContext &c = DataContext::instance();
        if (!c.aktifSirketKodu.isEmpty()) setPanelText(index, companyText(c.aktifSirketKodu, c.aktifSirketUnvani, year));
    });
}
