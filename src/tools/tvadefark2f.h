#pragma once
// The maturity-difference calculator: a list of dated debts and credits worked out
// against one calculation date (days, adat, maturity differences), the totals, the
// balance and the average due dates, and the rate that would offset the balance.
// The list is saved to and opened from files, printed, exported and mailed. It
// keeps nothing in the database.
#include "tools/vadefark_calc.h"
#include "tools/vadefark_print.h"
#include "tools/vadefark_sheet.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class MemoryDataset;
class RateCoupling;
class Report;
class SlipGrid;
class TForm2;

class Tvadefark2F : public QWidget {
    Q_OBJECT
public:
    explicit Tvadefark2F(QWidget *parent = nullptr);
    ~Tvadefark2F() override;

    void setWaitWindow(TForm2 *w) { m_wait = w; }

    // Parameters.
    QLineEdit *firmaadiEdit = nullptr;
    QDateEdit *DateTimePicker61 = nullptr;
    QLineEdit *yildakigunEdit = nullptr;
    QLineEdit *yillikfaizEdit = nullptr;
    QLineEdit *aylikfaizEdit = nullptr;
    QLineEdit *borceksureEdit = nullptr;
    QLineEdit *alacakeksureEdit = nullptr;
    QCheckBox *CheckBox8 = nullptr;
    QCheckBox *CheckBox9 = nullptr;
    // The list.
    SlipGrid *StringGrid3 = nullptr;
    // Results.
    QLineEdit *borctoplamEdit = nullptr, *alacaktoplamtutarEdit = nullptr, *bakiyetutarEdit = nullptr;
    QLineEdit *borcvadefarkEdit = nullptr, *alacakvadefarkEdit = nullptr, *netvadefarkEdit = nullptr;
    QDateEdit *DateTimePicker76 = nullptr, *DateTimePicker3 = nullptr, *DateTimePicker4 = nullptr;
    QLineEdit *borcortgunEdit = nullptr, *alacakortEdit = nullptr, *genelortgunEdit = nullptr;
    QLineEdit *yillikfaizneolurEdit = nullptr, *aylikfaizneolurEdit = nullptr;
    QPushButton *faizBulBut = nullptr;
    // Commands.
    QPushButton *BitBtn45 = nullptr;  // "İŞLEMİ KAYDET"
    QPushButton *BitBtn46 = nullptr;  // "KAYITTAN AÇ"
    QPushButton *BitBtn26 = nullptr;  // "EXCEL'E VERİ AKTAR"
    QPushButton *BitBtn28 = nullptr;  // "YAZDIR"
    QPushButton *oranlariSaklaBut = nullptr, *yenidenHesaplaBut = nullptr, *sifirlaBut = nullptr, *siralaBut = nullptr;
    QToolButton *mailgonder = nullptr;
    QToolButton *YazdirButton = nullptr;

    // Empties the list and the results (the parameters stay); used before a hand-off.
    void Bosalt();
    // "YENİDEN HESAPLA": the line step on every line but the input row, then the results.
    void yenidenHesapla();
    // The line step on the current row and the results; false when a date stopped it.
    bool satirHesapla();
    void satirEkle();
    void satirSil();
    void sifirla();            // "SIFIRLA": Bosalt after the question
    void kayitlariSirala();
    void oranlariSakla();
    void oranlariOku();        // the stored rates and rules, as at creation
    void faizBul();
    void islemiKaydet();       // "İŞLEMİ KAYDET"
    void kayittanAc();         // "KAYITTAN AÇ"
    bool dosyaAc(const QString &path);  // opens a file; false (with the message shown) when unreadable
    void excelAktar();         // "EXCEL'E VERİ AKTAR"
    void yazdir(VadeFark::PrintKind kind);
    void mailgonderClick();

    // The printout as the preview shows it (after a recalculation).
    Report rapor(VadeFark::PrintKind kind);
    // The window's texts, for the file, the printouts and the export.
    VadeFark::Sheet sheet() const;
    // The grid's lines (the title row not included).
    QVector<QStringList> rows() const;
    void setRows(const QVector<QStringList> &rows);
    // Where the mail's workbook was saved last.
    QString lastMailFile() const { return m_lastMailFile; }

private:
    void buildParameters(class QVBoxLayout *root);
    void buildGrid(class QVBoxLayout *root);
    void buildResults(class QVBoxLayout *root);
    QWidget *buildButtons();
    VadeFark::Params params() const;
    void showResults();
    enum class Step { Calculated, NotCalculated, Stopped };
    // problems: the lines that could not be computed are added there instead of
    // being shown one by one.
    Step lineStep(int row, QStringList *problems = nullptr);
    static QString notCalculatedText(const QStringList &problems);

    TForm2 *m_wait = nullptr;
    class QVBoxLayout *m_buttonColumn = nullptr;
    RateCoupling *m_rates = nullptr;
    std::unique_ptr<MemoryDataset> m_lines, m_header;
    QString m_lastMailFile;
};
