#pragma once
// The settings window: which dashboard lists the main menu shows and its three
// colours, kept in "csayar.apr". Created once, hidden and shown again.
#include <QColor>
#include <QWidget>

class QCheckBox;
class QPushButton;
class ColourBox;

class TayarlarF : public QWidget {
    Q_OBJECT
public:
    explicit TayarlarF(QWidget *parent = nullptr);

    QCheckBox *eldekicekACheck, *duzenlenencekACheck, *bankalardakicekACheck, *alacaklarACheck, *borclarACheck,
        *gununnotACheck;
    ColourBox *ColorBox1, *ColorBox2, *ColorBox3;
    QPushButton *JvXPButton1;  // "Ayarları Sakla"
    QPushButton *JvXPButton2;  // "Default Renkler"

    void ayarYukle();   // the file into the window
    void ayarkaydet();  // the window into the file
    void sakla();       // "Ayarları Sakla": write, let the main menu apply, hide
    void defaultRenkler();

Q_SIGNALS:
    // After a save: the main menu reads the file again and paints these colours
    // (splitters included).
    void saved(const QColor &sidePanel, const QColor &background, const QColor &menuBars);
    // "Default Renkler": the main menu paints the design colours, splitters kept.
    void defaultsChosen(const QColor &sidePanel, const QColor &background, const QColor &menuBars);
};
