#pragma once
// The shell every cheque list window shares (received, given and issued cheques):
// a heading, the filter band (slip, account code, currency, due-date range, name,
// the state choice and the printing choice, the buttons), the main grid with title
// sorting, due-date colours and Enter walking its columns, the monthly summary with
// month names, the footer (total, operation date, whole-row selection), the pop-up
// menu of both grids, the account picker on the code and name edits, and the
// printout with its preview.
//
// A list window derives from it, describes itself in a Description (names, texts,
// table, columns, buttons, pop-up items, printout) and gives its state lines; it
// connects its own buttons and pop-up items.
#include "data/query.h"
#include "data/table.h"
#include "received/cheque_list_assembler.h"
#include "reports/report.h"
#include "widgets/dataset_grid_model.h"

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
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TcariF;

class ChequeListWindow : public QMainWindow {
    Q_OBJECT
public:
    enum class ButtonRole { Own, Refresh, Print, Close };  // Own: the window connects it
    struct Button {
        const char *name;
        QString text;
        ButtonRole role = ButtonRole::Own;
    };
    struct PopupItem {
        const char *name;
        QString text;
    };
    struct Description {
        QString objectName;   // "TceklerF"
        QString caption;      // the window title
        QString heading;      // the heading label's text
        QString nameLabel;    // the label of firmaadiEdit
        QString pickerContext;  // cariSecimYeri of a double-click on the code or name edit
        ChequeList::Shape shape;
        QStringList stateTexts;  // "Gösterilecek Çekler", the first one chosen at start
        int stateRows = 0;       // radio buttons per column; 0: one column
        bool printChoices = true;  // "Yazdırma Seçenekleri" sets the printout's last column
        QList<Button> buttons;     // two a row, in this order
        QString gridName;          // the main grid
        QVector<GridColumn> columns;  // a "kalangun" column counts days from "İşlem tarihi"
        QString listQuery, totalQuery, monthlyQuery;  // names; the printout binds the first two by them
        QString totalEditName;     // the read-only total field
        QList<PopupItem> popupItems;
        // The printout: the list and the total dataset bound under their query
        // names, the company record under kCompanyDataset. With printChoices the last
        // column's heading memo is "Memo15" and its text memo "Memo16".
        ReportLayout (*layout)() = nullptr;
    };

    explicit ChequeListWindow(const Description &description, QWidget *parent = nullptr);
    ~ChequeListWindow() override;

    void setCariF(TcariF *cari);  // the account cards; may be null

    // Rebuilds and opens the list, the total and the monthly summary from the state
    // and the filters. orderBy replaces the list's last line (a title click); empty
    // orders by the due date. An engine error is shown and leaves the three closed.
    void rebuild(const QString &orderBy = QString());
    ChequeList::FilterValues filterValues() const;
    // The printout of the list, the memo pair set by the printing choice.
    Report printout();
    virtual void yazdir();
    // The day "Kalan" counts from.
    QDate islemTarihi() const;
    QPushButton *button(const char *name) const;

    Query listQuery;
    Query totalQuery;
    Query monthlyQuery;
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
    QGroupBox *RadioGroup2 = nullptr;  // only with printChoices
    QButtonGroup *printGroup = nullptr;
    QPushButton *guncelleButton = nullptr;  // the first button of each role
    QPushButton *yazdirButton = nullptr;
    QPushButton *kapatButton = nullptr;
    DatasetGrid *listGrid;
    DatasetGrid *JvDBGrid1;
    QLineEdit *toplamEdit;
    QDateEdit *islemDate;
    QCheckBox *tumkolonCheck;
    PanelStatusBar *StatusBar1;
    QList<QAction *> popupItems;
    // A further item at the end of the grids' pop-up, wired by its owner.
    void addPopupItem(QAction *item);  // the context menu items of both grids, in order

    // The sort direction of the last title click: empty, "ASC" or "DESC".
    QString sortDirection;

protected:
    // The lines of the chosen state, beginning with "WHERE".
    virtual QStringList stateLines() const = 0;
    // The chosen state, 0 when none is checked.
    int stateChoice() const;
    // The list alone shows the rows of the slip in "Bordro No", ordered by orderField;
    // the total and the monthly summary stay as they are.
    void reopenSlipList(const QString &orderField);
    // A double-click on the code or the name edit: the account cards with the
    // edit's text in their search (code or name), under the picker context.
    virtual void openPicker(QLineEdit *edit);
    // The grid of the filter edits, for a window's own filter controls (columns 0 to 4).
    QGridLayout *filterGrid() const { return m_filterGrid; }
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildFilterPanel();
    QWidget *buildFooter();
    void buildPopupMenu();
    void showTotal();

    const Description m_description;
    QGridLayout *m_filterGrid = nullptr;
    QPointer<TcariF> m_cari;
};
