#pragma once
// The exit slip register: every saved exit slip with its totals, narrowed by a
// record filter, and the cancellation of a slip.
#include "data/query.h"
#include "received/slip_register_band.h"

#include <QWidget>

class DatasetGrid;
class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class TcariF;
class TcekcikisF;
class TForm2;

// The filter band's controls are the window's own, by their names.
class TcikisbordroF : public QWidget, public SlipRegister::Band {
    Q_OBJECT
public:
    explicit TcikisbordroF(QWidget *parent = nullptr);
    ~TcikisbordroF() override;

    void setCardWindow(TcariF *w) { m_cards = w; }
    void setExitSlip(TcekcikisF *w) { m_exit = w; }
    // The wait window shown while a slip is loaded into the exit slip form.
    void setWaitWindow(TForm2 *w) { m_wait = w; }

    void ac();                 // re-reads the slips and shows the register
    void filtrele();           // "FİLTRELE" / "FİLTREYİ KALDIR"
    void filtreyiKapat();      // the exit slip's save
    bool filtreAcik() const { return m_filterOn; }
    void yenile();
    // "BORDRO DÜZELT": the current slip into the exit slip form; false when not loaded.
    bool bordroDuzelt();
    // Shows the register filtered to one slip alone ("Çıkış Bordrosunu Bul").
    void bordroyuBul(qint64 number);
    // "Bordro'yu İptal Et" on the current slip, after the question.
    void bordroIptal();

    QCheckBox *TumalanCheck = nullptr;
    QPushButton *KDuzeltBut = nullptr, *yenileBut = nullptr, *SKonBut2 = nullptr, *kapatBut = nullptr;
    QAction *iptalItem = nullptr;
    DatasetGrid *FirmaGrid = nullptr;
    Query &CiroBordro;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    SlipRegister::Matcher m_applied;
    SlipRegister::SlipReader m_reader{QStringLiteral("ciro_firma_kodu"), QStringLiteral("ciro_firma")};
    bool m_filterOn = false;
    TcariF *m_cards = nullptr;
    TcekcikisF *m_exit = nullptr;
    TForm2 *m_wait = nullptr;
};
