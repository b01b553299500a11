#pragma once
// The application object: creates every window once at start-up, in their fixed
// order, and lets the windows reach each other. Windows are shown and hidden,
// never destroyed before shutdown.
#include <QObject>
#include <QString>
#include <memory>

class Table;
class TForm2;
class TcariF;
class TcekortF;
class TceklerF;
class TfirmaF;
class TfrmMain;
class TgirisF;
class TgirisRF;
class TkasaF;
class TkasaRF;
class TnakitnedenF;
class TsifreF;
class TyardimF;

class Uygulama : public QObject {
    Q_OBJECT
public:
    Uygulama();
    ~Uygulama() override;
    static Uygulama &instance();

    TgirisF *girisF() const { return m_girisF.get(); }
    TfrmMain *frmMain() const { return m_frmMain.get(); }
    TForm2 *form2() const { return m_form2.get(); }
    TcariF *cariF() const { return m_cariF.get(); }
    TcekortF *cekortF() const { return m_cekortF.get(); }
    TceklerF *ceklerF() const { return m_ceklerF.get(); }
    TfirmaF *firmaF() const { return m_firmaF.get(); }
    TyardimF *yardimF() const { return m_yardimF.get(); }
    TgirisRF *girisRF() const { return m_girisRF.get(); }
    TsifreF *sifreF() const { return m_sifreF.get(); }
    TkasaRF *kasaRF() const { return m_kasaRF.get(); }
    TkasaF *kasaF() const { return m_kasaF.get(); }
    TnakitnedenF *nakitnedenF() const { return m_nakitnedenF.get(); }


    void showCompanyList();
    void showNewCompany(const QString &code);
    void showPasswordWindow();
    // The company form on the open company's record.
    void showOpenCompanyRecord();
    void showHelp(const QString &key);
    void showMainMenu();
    // Empties the slips without a question and clears their unsaved marks (company change).
    void resetSlips();
    // The windows hidden when the user stays in the program after the close question.
    void hideSideWindows();
    // Cancels unsaved edits, closes every dataset and connection.
    void shutdown();

private:
    // In the order the windows are created.
    std::unique_ptr<TgirisF> m_girisF;
    std::unique_ptr<TfrmMain> m_frmMain;
    std::unique_ptr<TcekortF> m_cekortF;
    QString m_shownCode;  // the company the slips were typed for
    std::unique_ptr<TForm2> m_form2;
    std::unique_ptr<TcariF> m_cariF;
    std::unique_ptr<TceklerF> m_ceklerF;
    std::unique_ptr<TfirmaF> m_firmaF;
    std::unique_ptr<TyardimF> m_yardimF;
    std::unique_ptr<TgirisRF> m_girisRF;
    std::unique_ptr<TkasaRF> m_kasaRF;
    std::unique_ptr<TkasaF> m_kasaF;
    std::unique_ptr<TnakitnedenF> m_nakitnedenF;
    std::unique_ptr<TsifreF> m_sifreF;
};
