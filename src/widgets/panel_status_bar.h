#pragma once
// The panelled status bar: on the working windows four panels, the third showing
// the version text and the fourth the open company and year.
#include "widgets/window_texts.h"

#include <QLabel>
#include <QStatusBar>
#include <QVector>

class PanelStatusBar : public QStatusBar {
    Q_OBJECT
public:
    // The version text goes into panel versionPanel (none when it is out of range).
    explicit PanelStatusBar(QWidget *parent = nullptr, int panels = 4, int versionPanel = 2);
    void setPanelText(int index, const QString &text);
    // The panel shows "code - title - year" of the open company from now on,
    // following logins, company changes and switches of the working year.
    void followOpenCompany(int index = 3);
    static QString companyText(const QString &code, const QString &title, int year);
    QString panelText(int index) const;

private:
    QVector<QLabel *> m_panels;
};
