#pragma once
// The login form, the program's main form: company code, working year and
// password; opens the company and shows the main menu. Closing it ends the program.
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

class TgirisF : public QWidget {
    Q_OBJECT
public:
    explicit TgirisF(QWidget *parent = nullptr);

    QLineEdit *firmaedit = nullptr;
    QLineEdit *yilEdit = nullptr;
    QLineEdit *sifreEdit = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *JvXPButton13 = nullptr;  // "TAMAM"
    QPushButton *JvXPButton2 = nullptr;   // "LİSTEDEN SEÇ"
    QPushButton *JvXPButton1 = nullptr;   // "YENİ EKLE"
    QPushButton *JvXPButton8 = nullptr;   // "ŞİFRE GİRİŞ"
    QPushButton *guncelButton = nullptr;  // "PROGRAMI GÜNCELLE"
    QPushButton *tfXPButton1 = nullptr;   // help

    // Wrong password entries of this run, login and master password together.
    int hataliSifreSayisi = 0;
    // "tamam": close without the question.
    QString sormadanKapat;

    // Looks the code up in the registry; shows the title, or asks to create it.
    // Returns true when found.
    bool firmaeditExit();
    void tamamClick();      // log in
    void sifreGirisClick(); // master password check
    // Puts a company chosen in the company list into the fields.
    void setChosenCompany(const QString &code, const QString &title);
    bool programEnded() const { return m_ended; }
    // The login's opening of a company with its checks and steps, for a company and
    // year given by the program (the year-end carry-over): the fields take them first.
    // True when the company is open in that year.
    bool openCompanyFor(const QString &code, int year);

Q_SIGNALS:
    void loggedIn();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool openCompany();
    bool m_ended = false;
    bool m_inLookup = false;
};
