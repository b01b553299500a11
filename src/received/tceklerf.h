#pragma once
// The received cheque lists: the cheques of cekgiris by their state, narrowed by
// slip, account, currency, a name and a due-date range, with their total and a
// monthly summary per currency. The starting point of the operations on a cheque.
#include "data/query.h"
#include "data/table.h"
#include "received/cheque_list_statements.h"
#include "reports/report.h"

#include <QDate>
#include <QList>
#include <QMainWindow>
#include <QPointer>

class DatasetGrid;
class PanelStatusBar;
class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TcariF;

class TceklerF : public QMainWindow {
    Q_OBJECT
public:
    explicit TceklerF(QWidget *parent = nullptr);
    ~TceklerF() override;

    void setCariF(TcariF *cari);  // the account cards; may be null

    // Rebuilds and opens the three queries from the filters. orderBy replaces the
    // list's last line (a title click); empty orders by the due date.
    void CekleriHazirla(const QString &orderBy = QString());
    // The list alone shows the rows of the slip in "Bordro No".
    void DuzeltHazirla();
    // The current filter values.
    ChequeList::Filters filters() const;
    // The printout of the list with the memo pair of the printing choice.
    Report printout();
    void yazdir();
    // The day "Kalan" counts from.
    QDate islemTarihi() const;

    Query eldekiceklerQuery;
    Query ceklertoplamQuery;
    Query AylikAlinanCeklerQuery;
    Table firmabilgileri;

    QLabel *baslikLabel;
    QLineEdit *bordroEdit;
    QLineEdit *firmaEdit;
    QComboBox *dovizBox;
    QDateEdit *basDate;
    QDateEdit *bitDate;
    QCheckBox *tarihCheck;
    QLineEdit *firmaadiEdit;
    QGroupBox *RadioGroup1;
    QButtonGroup *choiceGroup;
    QGroupBox *RadioGroup2;
    QButtonGroup *printGroup;
    QPushButton *cirolaButton;
    QPushButton *yazdirButton;
    QPushButton *guncelleButton;
    QPushButton *kapatButton;
    DatasetGrid *eldekiceklerGrid;
    DatasetGrid *JvDBGrid1;
    QLineEdit *toplamEdit;
    QDateEdit *islemDate;
    QCheckBox *tumkolonCheck;
    PanelStatusBar *StatusBar1;
    QList<QAction *> popupItems;  // the context menu items of both grids

    // The sort direction of the last title click: empty, "ASC" or "DESC".
    QString sortDirection;

protected:
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildFilterPanel();
    QWidget *buildFooter();
    void buildPopupMenu();
    void showTotal();
    void openPicker(QLineEdit *edit);

    QPointer<TcariF> m_cari;
};
