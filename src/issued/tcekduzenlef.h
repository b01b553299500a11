#pragma once
// The own cheque window: the company's own cheque or note drawn up for the exit
// slip (due date, currency, amount, bank, branch, account and cheque number,
// description) and written as one row into its grid. Opened empty to add a
// cheque, or filled from a grid row, with the cheque's key and row number in two
// hidden fields, to correct one.
#include "given/exit_slip_rows.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class TcekcikisF;

class TcekduzenleF : public QWidget {
    Q_OBJECT
public:
    explicit TcekduzenleF(QWidget *parent = nullptr);

    void setExitSlip(TcekcikisF *slip) { m_slip = slip; }

    enum class Outcome { Written, NoAmount, Refused };
    // Writes the cheque into the exit slip ("Duzenle") and empties the window when written.
    Outcome Duzenle();
    void bosalt();                                  // due date today, every text field empty
    void doldur(const ExitSlip::OwnCheque &cheque);  // a row to correct
    void goster();                                  // centred on the desktop, in front
    ExitSlip::OwnCheque cheque() const;

    // One key typed into the amount at the cursor: digits and one decimal comma, at
    // most two decimals, the integer part grouped by thousands while there is no
    // comma. False when the key is refused; otherwise text and cursor are the result.
    static bool tutarTusu(QString &text, int &cursor, int selectionLength, QChar key);
    static constexpr QChar kBackspace = QChar(0x08);

    QDateEdit *vadesiDate = nullptr;
    QComboBox *dovizBox = nullptr;
    QLineEdit *tutarEdit = nullptr;
    QLineEdit *bankasiEdit = nullptr, *subesiEdit = nullptr, *hesapnoEdit = nullptr, *ceknoEdit = nullptr,
              *aciklamaEdit = nullptr;
    QLineEdit *cekidEdit = nullptr;   // hidden: key of the cheque corrected
    QLineEdit *siraEdit = nullptr;    // hidden: its grid row number
    QPushButton *duzenleBut = nullptr, *tamamlaBut = nullptr, *kapatBut = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    TcekcikisF *m_slip = nullptr;
};
