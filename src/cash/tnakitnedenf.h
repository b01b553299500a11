#pragma once
// The list of cash transaction types: a name typed and saved, corrected in place in
// the grid, or deleted. Cash rows keep the name they were saved with.
#include <QWidget>

class DatasetGrid;
class QLineEdit;
class Table;

class TnakitnedenF : public QWidget {
    Q_OBJECT
public:
    explicit TnakitnedenF(QWidget *parent = nullptr);

    // Opens the list and shows the window.
    void ac();
    void Button1Click();    // "SAKLA"
    void kaydiDuzelt();     // "Kaydı Düzelt": the current name edited in place
    void kaydiSil();        // "KAYDI SİL" / "Kaydı Sil"
    void kolonlariSec();    // the grid's column chooser

    Table *kasanedenTable;
    QLineEdit *islemTuruEdit;
    DatasetGrid *grid;
    QLineEdit *inPlaceEditor() const { return m_editor; }

Q_SIGNALS:
    // A type was added, renamed or deleted.
    void typesChanged();

protected:
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Table &types();
    void finishInPlace(bool post);

    QLineEdit *m_editor = nullptr;
};
