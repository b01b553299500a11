#pragma once
// The frame shared by the collection, return and bounce windows: the cheque's
// fields (read-only but "Tarih" and "Kuru"), the rate recalculation on leaving
// "Kuru" and the action button. Each window adds its operation.
#include "received/cheque_operations.h"

#include <QWidget>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class Table;

class ChequeOperationWindow : public QWidget {
    Q_OBJECT
public:
    struct Texts {
        const char *objectName;
        QString caption, heading, action;
        QString firmLabel;   // "Giriş Firma Adı" or "İade Firma Adı"
        QString boxText;     // empty: no check box
        bool withCode = false;  // "İade Firma Kodu"
        QString slipLabel = QStringLiteral("Giriş Bordro No");
        bool withEntryNo = false;  // "Giriş No": the received cheque a given one came from
    };
    ChequeOperationWindow(const Texts &texts, QWidget *parent = nullptr);

    ChequeOperation::Values values() const;
    void setValues(const ChequeOperation::Values &v);
    // Shows the window, then fills it (the window is shown first).
    void showWith(const ChequeOperation::Values &v);
    // Algorithms of the rate on the shown values; a "Kuru" that is no number is told.
    void hesapla();

    QLabel *headingLabel;
    QLineEdit *paraEdit, *tutarEdit, *ceknoEdit, *bankasiEdit, *subesiEdit, *kayitnoEdit, *bordronoEdit,
        *duzenleyenEdit, *kimdenEdit;
    QLineEdit *firmakoduEdit = nullptr;
    QLineEdit *girisnoEdit = nullptr;
    QDateEdit *vadesiDate, *tarihDate;
    QLineEdit *girisTLEdit, *kuruEdit, *TLEdit, *kurfarkiEdit;
    QCheckBox *CheckBox1 = nullptr;
    QPushButton *actionButton;

    // Runs the window's operation; hides the window when done, tells why not otherwise.
    void run();
    // The cash view's table over every cash row: a row typed there would be lost
    // by a switch of the working year, so an operation that needs one waits.
    void setCashView(Table *kasaGTable) { m_cashView = kasaGTable; }

Q_SIGNALS:
    // The operation was written; the windows that show it refresh.
    void applied();

protected:
    virtual ChequeOperation::Result perform(ChequeOperation::Values &v) = 0;
    Table *m_cashView = nullptr;
};

inline const QString kTypedCashRow = QStringLiteral(
    "Kasa İşlemleri'nde kaydedilmemiş bir satır var. İşlem başka bir yılın kasasına yazılacağı için önce o satırı "
    "kaydedin ya da vazgeçin. İşlem yapılmadı.");
