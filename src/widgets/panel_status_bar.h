#pragma once
// The four-panel status bar of the working windows: the third panel shows the
// version text, the fourth the open company and year.
#include <QLabel>
#include <QStatusBar>
#include <QVector>

inline const QString kVersionText = QStringLiteral(" Version: 4.0 Guncelleme: 0");

class PanelStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit PanelStatusBar(QWidget *parent = nullptr, int panels = 4);
    void setPanelText(int index, const QString &text);
    QString panelText(int index) const;

private:
    QVector<QLabel *> m_panels;
};
