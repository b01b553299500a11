#pragma once
// Bringing a list of cheques from a spreadsheet file into the entry slip: the file
// is read into a grid, the user names the sheet rows and the columns of due date,
// amount and description, and "Çeklere Aktar" replaces the slip's rows with those
// cheques and calculates them.
#include <QWidget>

class QLineEdit;
class QLabel;
class QPushButton;
class QTableWidget;
class TcekortF;
class TyardimF;

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);
    void setSlip(TcekortF *slip) { m_slip = slip; }
    void setYardim(TyardimF *help);

    QLineEdit *JvDotNetEdit19 = nullptr;  // "İşlem Tarihi Sütunu"
    QLineEdit *JvDotNetEdit20 = nullptr;  // "Baş. Satır"
    QLineEdit *JvDotNetEdit21 = nullptr;  // "Bitiş Satır"
    QLineEdit *JvDotNetEdit3 = nullptr;   // "Çek Tutar Sütunu"
    QLineEdit *JvDotNetEdit4 = nullptr;   // "Açıklama Sütunu"
    QLabel *tutarLabel = nullptr;         // "Çek Tutar Sütunu"
    QPushButton *yeniDosyaBut = nullptr;  // "Yeni Dosya"
    QPushButton *excelAlBut = nullptr;    // " Excelden Al"
    QPushButton *aktarBut = nullptr;      // "Çeklere Aktar"
    QPushButton *kapatBut = nullptr;      // "KAPAT"
    QTableWidget *StringGrid1 = nullptr;

    void yeniDosya();       // an empty grid of 3 rows and 10 columns
    bool excelAl();         // choose and read a file; true when read
    bool readFile(const QString &path);
    bool ceklereAktar();    // into the entry slip; true when transferred
    // The grid as texts, [row - 1][column - 1].
    QVector<QStringList> gridTexts() const;

private:
    void setGridSize(int rows, int columns);
    TcekortF *m_slip = nullptr;
    QPushButton *m_helpBut = nullptr;
};
