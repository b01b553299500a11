#pragma once
// The issued cheque lists: the company's own cheques of cekkendi by their state
// (to be paid, bounced, taken back, paid, all), narrowed by slip, account, currency,
// name and a due-date range, with their total, a monthly summary and a printed
// list. From a row the cheque is paid or its payment undone.
#include "issued/issued_list_statements.h"
#include "lists/cheque_list_window.h"

class TduzenlenencekodeF;

class TduzenlenenceklerF : public ChequeListWindow {
    Q_OBJECT
public:
    explicit TduzenlenenceklerF(QWidget *parent = nullptr);

    // The payment window "Ödeme Yap" opens; without one the item stays disabled.
    void setOdemeF(TduzenlenencekodeF *odeme);

    // Rebuilds the list, its total and the monthly summary from the filters.
    void Yenile(const QString &orderBy = QString()) { rebuild(orderBy); }
    // The list alone shows the cheques of the slip in "Bordro No", in their order.
    void DuzeltHazirla();
    // After an exit slip's receipt is printed: the next build lists that slip's own
    // cheques (the date box unticked, the first state) and "GÜNCELLE" reads
    // "FİLTREYİ KALDIR"; pressed then, it empties "Bordro No" before the build and
    // reads "GÜNCELLE" again.
    void presetSlip(qint64 slipNumber);
    bool slipFilterOn() const { return m_slipFilterOn; }
    IssuedList::Filters filters() const;
    void yazdir() override;

    // The row's cheque: "Ödeme Yap" opens the payment window for it, "Ödeme İşlemini
    // Sil" asks and empties its payment date, "Çeki Bas" shows its net amount in words.
    void odemeYap();
    void odemeSil();
    void cekiBas();

Q_SIGNALS:
    // "Çeki İade Al" on a row: the take-back of the own cheque with this cek_ind.
    void iadeAlIstendi(qint64 cekInd);

public:
    Query &duzenlenenQuery = listQuery;
    Query &duzenlenencekToplamQuery = totalQuery;
    Query &AylikGrupDuzenlenenQuery = monthlyQuery;
    DatasetGrid *const FirmaGrid = listGrid;
    QLineEdit *const DBEdit1 = toplamEdit;

protected:
    QStringList stateLines() const override;
    // Either edit opens the account cards searching for the code in "Firma Kodu".
    void openPicker(QLineEdit *edit) override;

private:
    IssuedList::Choice choice() const;
    // The cek_ind of the main grid's current row; 0 when the list shows none.
    qint64 currentCheque();
    QAction *item(const char *name) const;

    TduzenlenencekodeF *m_odemeF = nullptr;
    bool m_slipFilterOn = false;
};
