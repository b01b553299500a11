#pragma once
// The payment of one of the company's own issued cheques: the cheque shown read-only,
// the payment date to record. Opened from the issued cheque lists and from the main
// menu's own cheques; hiding it, by any means, empties it. Opening another company
// hides it.
#include <QWidget>

class Dataset;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

class TduzenlenencekodeF : public QWidget {
    Q_OBJECT
public:
    explicit TduzenlenencekodeF(QWidget *parent = nullptr);

    // Fills the window from the current record of a list of own cheques (cekkendi
    // fields); the payment date is the stored one, else today.
    void doldur(const Dataset &cheque);
    // Seeks the cheque in cekkendi and fills the window from it; false, with the
    // window left as it was, when it is not stored.
    bool ac(qint64 cekInd);
    // Fills from the list's row and shows the window; nothing when not stored.
    void odemeAc(qint64 cekInd);
    // Shows the filled window in front, centred on the screen when it was hidden.
    void goster();

    // "Çek Ödemesini Yap": asks, writes the payment date and hides the window.
    void odemeYap();
    // Empties every field: due date and payment date today, the rest empty.
    void bosalt();

    QDateEdit *vadesiDate;
    QLineEdit *tutarEdit;
    QLineEdit *ceknoEdit;
    QLineEdit *aciklamaEdit;
    QComboBox *dovizBox;
    QLineEdit *bankasiEdit;
    QLineEdit *subesiEdit;
    QLineEdit *hesapnoEdit;
    QLineEdit *cekidEdit;  // hidden: the cheque's cek_ind
    QDateEdit *OdemeTarihi;
    QPushButton *JvXPButton1;  // "Çek Ödemesini Yap"
    QPushButton *JvXPButton2;  // "Kapat"

protected:
    void hideEvent(QHideEvent *event) override;
};
