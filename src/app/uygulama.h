#pragma once
// The application object: creates every window once at start-up, in their fixed
// order, and lets the windows reach each other. Windows are shown and hidden,
// never destroyed before shutdown.
#include "app/program_update.h"

#include <QObject>
#include <QString>
#include <memory>

class Table;
class TForm2;
class TForm3;
class DocumentWindow;
class TcariF;
class TcarihareketDF;
class TcarihareketF;
class TcekortF;
class TcekcikisF;
class TcekiadeverilenF;
class TcekduzenleF;
class TcikisozetF;
class TceklerF;
class TcekbordroF;
class TcikisbordroF;
class TcikisceklerF;
class TbankaraporF;
class TvadeGorunumuF;
class ReceivedOperations;
class TduzenlenenceklerF;
class TduzenlenencekodeF;
class TfirmaF;
class TfrmMain;
class TgirisF;
class TgirisRF;
class TkurturF;
class TkasaF;
class TkasaRF;
class TikitarihF;
class TraporKasaF;
class TgelirdetayF;
class TgiderdetayF;
class TnakitnedenF;
class TsifreF;
class TyardimF;
class Tvadefark2F;
class TverikontrolF;

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
    TcekbordroF *cekbordroF() const { return m_cekbordroF.get(); }
    TcikisbordroF *cikisbordroF() const { return m_cikisbordroF.get(); }
    TcikisceklerF *cikisceklerF() const { return m_cikisceklerF.get(); }
    TbankaraporF *bankaraporF() const { return m_bankaraporF.get(); }
    TvadeGorunumuF *vadeGorunumuF() const { return m_vadeGorunumuF.get(); }
    ReceivedOperations *receivedOperations() const { return m_receivedOps.get(); }
    TcekiadeverilenF *cekiadeverilenF() const { return m_cekiadeverilenF.get(); }
    TduzenlenenceklerF *duzenlenenceklerF() const { return m_duzenlenenceklerF.get(); }
    TduzenlenencekodeF *duzenlenencekodeF() const { return m_duzenlenencekodeF.get(); }
    TfirmaF *firmaF() const { return m_firmaF.get(); }
    TyardimF *yardimF() const { return m_yardimF.get(); }
    TgirisRF *girisRF() const { return m_girisRF.get(); }
    TsifreF *sifreF() const { return m_sifreF.get(); }
    TkurturF *kurturF() const { return m_kurturF.get(); }
    TForm3 *form3() const { return m_form3.get(); }
    // The document windows: received cheques, own cheques, account cards, cash movements.
    DocumentWindow *resimF() const { return m_resimF.get(); }
    DocumentWindow *resimduzenF() const { return m_resimduzenF.get(); }
    DocumentWindow *resimfirmaF() const { return m_resimfirmaF.get(); }
    DocumentWindow *resimkasaF() const { return m_resimkasaF.get(); }
    TcarihareketF *carihareketF() const { return m_carihareketF.get(); }
    TcarihareketDF *carihareketDF() const { return m_carihareketDF.get(); }
    Tvadefark2F *vadefark2F() const { return m_vadefark2F.get(); }
    TverikontrolF *verikontrolF() const { return m_verikontrolF.get(); }
    TcekcikisF *cekcikisF() const { return m_cekcikisF.get(); }
    TcikisozetF *cikisozetF() const { return m_cikisozetF.get(); }
    TcekduzenleF *cekduzenleF() const { return m_cekduzenleF.get(); }
    TkasaRF *kasaRF() const { return m_kasaRF.get(); }
    TkasaF *kasaF() const { return m_kasaF.get(); }
    TikitarihF *ikitarihF() const { return m_ikitarihF.get(); }
    TraporKasaF *raporKasaF() const { return m_raporKasaF.get(); }
    TgelirdetayF *gelirdetayF() const { return m_gelirdetayF.get(); }
    TgiderdetayF *giderdetayF() const { return m_giderdetayF.get(); }
    TnakitnedenF *nakitnedenF() const { return m_nakitnedenF.get(); }


    void showCompanyList();
    void showNewCompany(const QString &code);
    void showPasswordWindow();
    // "Ödeme Yap" of the main menu's own cheques: the payment window for the row.
    void payOwnChequeOfMainMenu();
    // The company form on the open company's record.
    void showOpenCompanyRecord();
    void showHelp(const QString &key);
    // "PROGRAMI GÜNCELLE": the update from the configured place.
    void updateProgram(QWidget *parent);
    // The same from where the settings say. The program goes on after the update:
    // half-typed slips and the day's note stay until the user closes as usual.
    void updateProgram(QWidget *parent, const ProgramUpdate::Settings &settings);
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
    std::unique_ptr<TcekbordroF> m_cekbordroF;
    std::unique_ptr<TcikisbordroF> m_cikisbordroF;
    std::unique_ptr<TduzenlenenceklerF> m_duzenlenenceklerF;
    std::unique_ptr<TduzenlenencekodeF> m_duzenlenencekodeF;
    std::unique_ptr<TcarihareketF> m_carihareketF;
    std::unique_ptr<TfirmaF> m_firmaF;
    std::unique_ptr<TyardimF> m_yardimF;
    std::unique_ptr<TgirisRF> m_girisRF;
    std::unique_ptr<TcarihareketDF> m_carihareketDF;
    std::unique_ptr<TkasaRF> m_kasaRF;
    std::unique_ptr<TkasaF> m_kasaF;
    std::unique_ptr<TikitarihF> m_ikitarihF;
    std::unique_ptr<TraporKasaF> m_raporKasaF;
    std::unique_ptr<TgelirdetayF> m_gelirdetayF;
    std::unique_ptr<TgiderdetayF> m_giderdetayF;
    std::unique_ptr<TnakitnedenF> m_nakitnedenF;
    std::unique_ptr<TsifreF> m_sifreF;
    std::unique_ptr<TkurturF> m_kurturF;
    std::unique_ptr<TForm3> m_form3;
    std::unique_ptr<DocumentWindow> m_resimF, m_resimduzenF, m_resimfirmaF, m_resimkasaF;
    std::unique_ptr<TverikontrolF> m_verikontrolF;
    void wireDocuments();
    void wireDataCheck();
    void wireSlipRegisters();
    void wireReceivedOperations();
    // The given cheque lists: created, and their ways in and bounce hand-over wired.
    void wireGivenLists();
    std::unique_ptr<TcikisceklerF> m_cikisceklerF;
    void wireTakeBack();
    // The cheque history window and its ways in from the lists.
    void wireHistory();
    std::unique_ptr<class TcekgecmisF> m_cekgecmisF;
    std::unique_ptr<Tvadefark2F> m_vadefark2F;
    std::unique_ptr<TcekcikisF> m_cekcikisF;
    std::unique_ptr<TcikisozetF> m_cikisozetF;
    std::unique_ptr<TcekduzenleF> m_cekduzenleF;
    std::unique_ptr<ReceivedOperations> m_receivedOps;
    std::unique_ptr<TcekiadeverilenF> m_cekiadeverilenF;
    std::unique_ptr<TbankaraporF> m_bankaraporF;
    std::unique_ptr<TvadeGorunumuF> m_vadeGorunumuF;
};
