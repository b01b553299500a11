#pragma once
// "Veri Kontrolü": runs the data check of the open company and lists its findings
// in a grid, each opened by a double-click (the slip in its register, the
// account's movements, the cash register), printed through the report engine.
// The check reads the files on a thread of its own, so the window stays
// responsive and shows its progress; it never changes data.
#include "check/data_check.h"

#include <QWidget>
#include <atomic>

class DatasetGrid;
class MemoryDataset;
class QLabel;
class QProgressBar;
class QPushButton;
class QThread;
class Report;
class Table;

class TverikontrolF : public QWidget {
    Q_OBJECT
public:
    explicit TverikontrolF(QWidget *parent = nullptr);
    ~TverikontrolF() override;

    // Shows the window and starts the check of the open company.
    void ac();
    // "KONTROL ET": runs the check again (nothing while one runs).
    void baslat();
    bool calisiyor() const { return m_thread != nullptr; }
    const QVector<DataCheck::Finding> &bulgular() const { return m_findings; }
    // The printout of the findings.
    Report rapor();

    QLabel *durumLabel;
    QProgressBar *ProgressBar1;
    QPushButton *kontrolBut;
    QPushButton *yazdirBut;
    QPushButton *kapatBut;
    DatasetGrid *bulgularGrid;

Q_SIGNALS:
    // A finding's record asked for by a double-click; the application opens it.
    void openRequested(const DataCheck::Finding &finding);
    void finished();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void progress(int done, int total, const QString &step);
    void showResult(const DataCheck::Result &result);

    MemoryDataset *m_rows;
    Table *m_company;
    QThread *m_thread = nullptr;
    std::atomic_bool m_stop{false};
    QVector<DataCheck::Finding> m_findings;
    QString m_summary;
};
