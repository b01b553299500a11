#pragma once
// The entry slip register: every saved entry slip with its totals, narrowed by a
// record filter, and the door back into the entry slip for correcting one.
#include "data/query.h"
#include "received/slip_register_band.h"

#include <QWidget>
#include <memory>

class DatasetGrid;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class TcariF;
class TcekortF;
class TceklerF;
class TForm2;

// The filter band's controls are the window's own, by their names.
class TcekbordroF : public QWidget, public SlipRegister::Band {
    Q_OBJECT
public:
    explicit TcekbordroF(QWidget *parent = nullptr);
    ~TcekbordroF() override;

    void setSlipWindow(TcekortF *w) { m_slip = w; }
    void setListWindow(TceklerF *w) { m_lists = w; }
    void setCardWindow(TcariF *w) { m_cards = w; }
    void setWaitWindow(TForm2 *w) { m_wait = w; }

    // Opens the slips and shows the register.
    void ac();
    // "FİLTRELE" / "FİLTREYİ KALDIR".
    void filtrele();
    // The filter off, the caption back to "FİLTRELE" (the entry slip's save).
    void filtreyiKapat();
    bool filtreAcik() const { return m_filterOn; }
    void raporuYenile();
    // Loads the current slip into the entry slip; false when it was refused or not loaded.
    bool bordroDuzelt();

    QCheckBox *tumkolonCheck = nullptr;
    QPushButton *duzeltButton = nullptr, *yenileButton = nullptr, *filtreButton = nullptr, *kapatButton = nullptr;
    DatasetGrid *FirmaGrid = nullptr;
    Query &CekBordro;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openPicker(QLineEdit *edit);
    void showRefusedCheques(qint64 number, const QString &choice);

    SlipRegister::Matcher m_applied;  // the inputs as they stood when the filter was last applied
    SlipRegister::SlipReader m_reader{QStringLiteral("alindigi_firma_kodu"), QStringLiteral("alindigi_firma")};
    bool m_filterOn = false;
    TcekortF *m_slip = nullptr;
    TceklerF *m_lists = nullptr;
    TcariF *m_cards = nullptr;
    TForm2 *m_wait = nullptr;
};
