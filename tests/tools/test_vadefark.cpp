// The maturity-difference calculator driven through its controls: typing, the
// commands, the stored rates, files, printouts, export and mail.
#include "data/ini_text.h"
#include "data/program_home.h"
#include "data/spreadsheet_reader.h"
#include "data/spreadsheet_writer.h"
#include "reports/preview_window.h"
#include "reports/report.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "tools/mail_compose.h"
#include "tools/tvadefark2f.h"
#include "tools/vadefark_file.h"
#include "widgets/file_dialog.h"
#include "widgets/message_box.h"
#include "widgets/slip_grid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <sys/time.h>

using namespace VadeFark;

namespace {

// The worked example: 01.03.2024, 365 days, 24 %, a debt of 10.000,00 due
// 31.03.2024 and a credit of 2.500,00 due 20.02.2024, then the input row.
void fillWorkedExample(Tvadefark2F &f)
{
    f.firmaadiEdit->setText("ABC");
    f.DateTimePicker61->setDate(QDate(2024, 3, 1));
    f.yildakigunEdit->setText("365");
    f.yillikfaizEdit->setText("24");
    f.aylikfaizEdit->setText("2");
    f.borceksureEdit->setText("0");
    f.alacakeksureEdit->setText("0");
    f.CheckBox8->setChecked(false);
    f.CheckBox9->setChecked(false);
    setCell(f.StringGrid3, 0, ColVade, "31.03.2024");
    setCell(f.StringGrid3, 0, ColAciklama, "Fatura 1, mart");
    setCell(f.StringGrid3, 0, ColBorc, "10000");
    setCell(f.StringGrid3, 1, ColVade, "20.02.2024");
    setCell(f.StringGrid3, 1, ColAlacak, "2500");
    setCell(f.StringGrid3, 2, ColVade, "");
    f.yenidenHesapla();
}

QStringList resultTexts(const Tvadefark2F &f)
{
    return {f.borctoplamEdit->text(), f.alacaktoplamtutarEdit->text(), f.bakiyetutarEdit->text(),
            f.borcvadefarkEdit->text(), f.alacakvadefarkEdit->text(), f.netvadefarkEdit->text(),
            f.borcortgunEdit->text(),   f.alacakortEdit->text(),         f.genelortgunEdit->text()};
}

QAction *command(Tvadefark2F &f, const char *name) { return f.StringGrid3->findChild<QAction *>(QString::fromLatin1(name)); }

void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
void typeKeys(const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); }

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestVadeFark : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { MailCompose::setTestMode(true); }
    void controlsAndTexts();
    void workedExampleWithAverages();
    void typingALineByKeyboard();
    void recalculationNeedsTwoRows();
    void dateAndYearDaysMessages();
    void ratesFollowEachOther();
    void storedRatesAreCrossed();
    void insertDeleteAndSort();
    void resetAndFaizBul();
    void savingAndOpening();
    void computedRatesInFull_data();
    void computedRatesInFull();
    void recalculationRunsEveryLine();
    void faizBulWithNothingToDivide();
    void badFilesLeaveTheWindowAsItWas();
    void printoutFlowsOverPages();
    void exportOpensTheWorkbook();
    void mailOutcomes_data();
    void mailOutcomes();
    void oldMailCopiesRemovedAtStart_data();
    void oldMailCopiesRemovedAtStart();
    void screenshots();
};

void TestVadeFark::controlsAndTexts()
{
    TestHome home;
    Tvadefark2F f;
    QCOMPARE(f.objectName(), QStringLiteral("Tvadefark2F"));
    QCOMPARE(f.windowTitle(), QStringLiteral("Brenvo Çek Senet Takip Programı - Vade Farkı Hesaplama"));
    const QPair<const char *, const char *> buttons[] = {
        {"BitBtn45", "İŞLEMİ KAYDET"}, {"BitBtn46", "KAYITTAN AÇ"}, {"BitBtn26", "EXCEL'E VERİ AKTAR"},
        {"BitBtn28", "YAZDIR"}, {"oranlariSaklaBut", "ORANLARI SAKLA"}, {"yenidenHesaplaBut", "YENİDEN HESAPLA"},
        {"sifirlaBut", "SIFIRLA"}, {"siralaBut", "KAYITLARI SIRALA"}, {"faizBulBut", "FAİZ BUL"}};
    for (const auto &[name, text] : buttons) {
        auto *b = f.findChild<QPushButton *>(name);
        QVERIFY2(b, name);
        QCOMPARE(b->text(), QString::fromUtf8(text));
    }
    QCOMPARE(f.mailgonder->toolTip(), QStringLiteral("Outlook'tan Mail Olarak Gönder"));
    QCOMPARE(f.YazdirButton->toolTip(), QStringLiteral("Yazıcı Önizlemeyi Göster"));
    QCOMPARE(f.findChild<QLabel *>("baslikLabel")->text(), QStringLiteral("VADE FARKI HESAPLAMA TABLOSU"));
    QVERIFY(f.findChild<QLabel *>("notLabel")->text().contains(QStringLiteral("vadesinden  daha erkendir.")));
    for (const char *name : {"firmaadiEdit", "DateTimePicker61", "yildakigunEdit", "yillikfaizEdit", "aylikfaizEdit",
                             "borceksureEdit", "alacakeksureEdit", "CheckBox8", "CheckBox9", "StringGrid3",
                             "borctoplamEdit", "alacaktoplamtutarEdit", "bakiyetutarEdit", "borcvadefarkEdit",
                             "alacakvadefarkEdit", "netvadefarkEdit", "DateTimePicker76", "borcortgunEdit",
                             "DateTimePicker3", "alacakortEdit", "DateTimePicker4", "genelortgunEdit",
                             "yillikfaizneolurEdit", "aylikfaizneolurEdit", "mailgonder", "YazdirButton"})
        QVERIFY2(f.findChild<QWidget *>(name), name);
    QCOMPARE(f.CheckBox8->text(), QStringLiteral("Borç Cumartesi - Pazar Ekle"));
    QCOMPARE(f.CheckBox9->text(), QStringLiteral("Alacak Cumartesi - Pazar Ekle"));
    QCOMPARE(f.DateTimePicker61->date(), QDate::currentDate());
    QCOMPARE(f.DateTimePicker4->date(), QDate::currentDate());
    QCOMPARE(f.yillikfaizneolurEdit->text(), QStringLiteral("0,00"));

    // The grid: titles, visible widths, the hidden columns, the pop-up commands.
    QCOMPARE(f.StringGrid3->columnCount(), 13);
    QStringList titles;
    for (int c = 0; c < 13; ++c) titles << f.StringGrid3->horizontalHeaderItem(c)->text();
    QCOMPARE(titles, columnTitles());
    for (int c : {9, 10, 11, 12}) QVERIFY(f.StringGrid3->isColumnHidden(c));
    QCOMPARE(f.StringGrid3->rowCount(), 1);
    QCOMPARE(f.StringGrid3->item(0, 0)->text(), QStringLiteral("1"));
    const QPair<const char *, QKeySequence> commands[] = {
        {"satirEkleItem", QKeySequence(Qt::SHIFT | Qt::Key_Insert)}, {"satirSilItem", QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
        {"yenidenHesaplaItem", QKeySequence(Qt::Key_F3)}, {"sifirlaItem", QKeySequence(Qt::Key_F7)}};
    const QStringList texts = {"  Satır Ekle   ", "  Satır Sil   ", "  Yeniden Hesapla", "  Sıfırla"};
    for (int i = 0; i < 4; ++i) {
        QAction *a = command(f, commands[i].first);
        QVERIFY2(a, commands[i].first);
        QCOMPARE(a->text(), texts[i]);
        QCOMPARE(a->shortcut(), commands[i].second);
    }
    // Typing limits of the parameters.
    const QPair<QLineEdit *, QString> limits[] = {{f.yildakigunEdit, "365"}, {f.yillikfaizEdit, "12345678"},
                                                  {f.borceksureEdit, "1234"}};
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    for (const auto &[edit, kept] : limits) {
        edit->clear();
        type(edit, kept + "9a");
        QCOMPARE(edit->text(), kept);
    }
}

void TestVadeFark::workedExampleWithAverages()
{
    TestHome home;
    Tvadefark2F f;
    fillWorkedExample(f);
    const QVector<QStringList> rows = f.rows();
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].mid(0, 11), (QStringList{"1", "31.03.2024", "31.03.2024", "Fatura 1, mart", "10.000,00", "", "30",
                                              "-197,26", "", "300.000,00", ""}));
    QCOMPARE(rows[1].mid(4, 7), (QStringList{"", "2.500,00", "-10", "", "16,44", "", "-25.000,00"}));
    QCOMPARE(resultTexts(f), (QStringList{"10.000,00", "2.500,00", "7.500,00", "-197,26", "16,44", "-213,70", "30", "-10", "43"}));
    QCOMPARE(f.DateTimePicker76->date(), QDate(2024, 3, 31));
    QCOMPARE(f.DateTimePicker3->date(), QDate(2024, 2, 20));
    QCOMPARE(f.DateTimePicker4->date(), QDate(2024, 4, 13));
    QVERIFY(MessageBox::shown().isEmpty());

    // A click in the grid recalculates the current line and the results.
    setCell(f.StringGrid3, 0, ColBorc, "20000");
    f.StringGrid3->setCurrentCell(0, ColBorc);
    QVERIFY(f.satirHesapla());
    QCOMPARE(f.borctoplamEdit->text(), QStringLiteral("20.000,00"));
    QCOMPARE(f.borcvadefarkEdit->text(), QStringLiteral("-394,52"));
}

void TestVadeFark::typingALineByKeyboard()
{
    TestHome home;
    Tvadefark2F f;
    f.DateTimePicker61->setDate(QDate(2024, 3, 1));
    f.yildakigunEdit->setText("365");
    f.yillikfaizEdit->setText("24");
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QApplication::setActiveWindow(&f);
    f.StringGrid3->setFocus();
    f.StringGrid3->setCurrentCell(0, ColIslem);
    typeKeys("010324");
    press(Qt::Key_Return);
    QCOMPARE(f.StringGrid3->currentColumn(), int(ColVade));
    typeKeys("310324");
    press(Qt::Key_Return);  // into the description: the next row opens
    QCOMPARE(f.StringGrid3->currentColumn(), int(ColAciklama));
    QCOMPARE(f.StringGrid3->rowCount(), 2);
    typeKeys("Fatura");
    press(Qt::Key_Return);
    typeKeys("12500");
    QCOMPARE(qobject_cast<QLineEdit *>(QApplication::focusWidget())->text(), QStringLiteral("12.500"));
    press(Qt::Key_Return);
    QCOMPARE(f.StringGrid3->currentColumn(), int(ColAlacak));
    press(Qt::Key_Return);  // from the credit to the transaction date of the next row
    QCOMPARE(f.StringGrid3->currentRow(), 1);
    QCOMPARE(f.StringGrid3->currentColumn(), int(ColIslem));
    const QStringList row = f.rows()[0];
    QCOMPARE(row.mid(1, 7), (QStringList{"01.03.2024", "31.03.2024", "Fatura", "12.500,00", "", "30", "-246,58"}));
    QCOMPARE(f.borctoplamEdit->text(), QStringLiteral("12.500,00"));
    // The calculated columns are not selected: a click there lands on the credit.
    f.StringGrid3->setCurrentCell(0, ColBorcFark);
    QCOMPARE(f.StringGrid3->currentColumn(), int(ColAlacak));
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestVadeFark::recalculationNeedsTwoRows()
{
    TestHome home;
    Tvadefark2F f;
    f.yildakigunEdit->setText("365");
    setCell(f.StringGrid3, 0, ColVade, "31.03.2024");
    setCell(f.StringGrid3, 0, ColBorc, "100");
    f.yenidenHesapla();  // the title row and one row: nothing to do
    QCOMPARE(f.rows()[0][ColBorc], QStringLiteral("100"));
    QCOMPARE(f.borctoplamEdit->text(), QString());
    command(f, "yenidenHesaplaItem")->trigger();
    QCOMPARE(f.rows()[0][ColGun], QString());
}

void TestVadeFark::dateAndYearDaysMessages()
{
    TestHome home;
    Tvadefark2F f;
    fillWorkedExample(f);
    // Days in a year 0 stops the line with a message; the line keeps its values.
    f.yildakigunEdit->setText("0");
    setCell(f.StringGrid3, 0, ColBorc, "5000");
    f.yenidenHesapla();
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown()[0].text, QStringLiteral("Şu satırlar hesaplanamadı:\nYıldaki gün sıfır olamaz. (satır 1, 2)"));
    QCOMPARE(f.rows()[0][ColBorcFark], QStringLiteral("-197,26"));
    MessageBox::clearShown();
    // An empty days edit is no number either.
    f.yildakigunEdit->clear();
    f.yenidenHesapla();
    QCOMPARE(MessageBox::shown().value(0).text, QStringLiteral("Şu satırlar hesaplanamadı:\n'' geçerli bir sayı değil. (satır 1, 2)"));
    MessageBox::clearShown();
    // A refused date empties its cell and says why.
    f.yildakigunEdit->setText("365");
    setCell(f.StringGrid3, 1, ColVade, "01.01.1900");
    f.StringGrid3->setCurrentCell(1, ColVade);
    QVERIFY(!f.satirHesapla());
    QCOMPARE(MessageBox::shown().value(0).text, QStringLiteral("\"01.01.1900\" tarih girişiniz uygun değil!"));
    QCOMPARE(f.rows()[1][ColVade], QString());
    // An empty yearly rate becomes 0.
    MessageBox::clearShown();
    f.yillikfaizEdit->clear();
    f.yenidenHesapla();
    QCOMPARE(f.yillikfaizEdit->text(), QStringLiteral("0"));
    QCOMPARE(f.rows()[0][ColBorcFark], QStringLiteral("0,00"));
}

void TestVadeFark::ratesFollowEachOther()
{
    TestHome home;
    Tvadefark2F f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QApplication::setActiveWindow(&f);
    retype(f.yillikfaizEdit, "24");
    QCOMPARE(f.aylikfaizEdit->text(), QStringLiteral("2"));
    retype(f.aylikfaizEdit, "1,5");
    QCOMPARE(f.yillikfaizEdit->text(), QStringLiteral("18"));
    // Leaving the monthly edit hands the lead to the yearly one: a rate the program
    // puts into the monthly edit now stays as it is put.
    f.firmaadiEdit->setFocus();
    f.aylikfaizEdit->setText("3");
    QCOMPARE(f.yillikfaizEdit->text(), QStringLiteral("18"));
}

void TestVadeFark::storedRatesAreCrossed()
{
    TestHome home;
    {
        Tvadefark2F f;
        QCOMPARE(f.yildakigunEdit->text(), QString());  // no settings yet: empty edits
        f.yildakigunEdit->setText("360");
        f.yillikfaizEdit->setText("24");
        f.aylikfaizEdit->setText("2");
        f.borceksureEdit->setText("3");
        f.alacakeksureEdit->setText("5");
        f.CheckBox8->setChecked(true);
        f.oranlariSaklaBut->click();
    }
    const IniText ini = IniText::load(home.path("Ayarlar.ini"));
    const QPair<const char *, const char *> stored[] = {{"yilgun", "360"}, {"ayfaiz", "24"}, {"yilfaiz", "2"},
                                                        {"borcgun", "3"},  {"alacakgun", "5"}, {"borcCheck", "1"},
                                                        {"alacakCheck", "2"}};
    for (const auto &[key, value] : stored) QCOMPARE(ini.value("Ayar", key), QString::fromLatin1(value));
    const QByteArray raw = fileBytes(home.path("Ayarlar.ini"));
    QVERIFY2(raw.contains("ayfaiz=24\r\n") && raw.contains("yilfaiz=2\r\n"), raw.constData());  // as typed, unquoted

    // Read back at creation as typed, crossed the same way, converting nothing.
    QFile file(home.path("Ayarlar.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Ayar]\r\nyilgun=365\r\nayfaiz=1,5\r\nyilfaiz=7\r\nborcCheck=1\r\nalacakCheck=x\r\n");
    file.close();
    Tvadefark2F g;
    QCOMPARE(g.yildakigunEdit->text(), QStringLiteral("365"));
    QCOMPARE(g.yillikfaizEdit->text(), QStringLiteral("1,5"));
    QCOMPARE(g.aylikfaizEdit->text(), QStringLiteral("7"));
    QCOMPARE(g.borceksureEdit->text(), QString());
    QVERIFY(g.CheckBox8->isChecked());
    QVERIFY(!g.CheckBox9->isChecked());
}

void TestVadeFark::insertDeleteAndSort()
{
    TestHome home;
    Tvadefark2F f;
    fillWorkedExample(f);
    // Insert at the current row: the rows below move down, all renumbered.
    f.StringGrid3->setCurrentCell(1, ColIslem);
    command(f, "satirEkleItem")->trigger();
    QCOMPARE(f.StringGrid3->rowCount(), 4);
    QStringList numbers, dues;
    for (const QStringList &r : f.rows()) {
        numbers << r[ColNo];
        dues << r[ColVade];
    }
    QCOMPARE(numbers, (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(dues, (QStringList{"31.03.2024", "", "20.02.2024", ""}));

    // Sorting by transaction date puts the credit of 20.02 first, the empty rows last.
    f.siralaBut->click();
    dues.clear();
    for (const QStringList &r : f.rows()) dues << r[ColVade];
    QCOMPARE(dues, (QStringList{"20.02.2024", "31.03.2024", "", ""}));
    QCOMPARE(f.rows()[0][ColIndex2], QStringLiteral("20240220"));

    // Deleting a line asks; No keeps it; an empty row goes without a question.
    f.StringGrid3->setCurrentCell(0, ColIslem);
    MessageBox::queueAnswer(MessageBox::No);
    command(f, "satirSilItem")->trigger();
    QCOMPARE(f.StringGrid3->rowCount(), 4);
    const MessageBox::Shown asked = MessageBox::shown().last();
    QCOMPARE(asked.caption, QStringLiteral("Brenvo Vade Farkı Hesaplama Programı"));
    QCOMPARE(asked.text, QStringLiteral("Kaydı Silmek istediğinizden eminmisiniz?"));
    QCOMPARE(asked.icon, MessageBox::Icon::Question);
    QCOMPARE(asked.buttons, MessageBox::Yes | MessageBox::No | MessageBox::Cancel);
    f.StringGrid3->setCurrentCell(2, ColIslem);
    MessageBox::clearShown();
    command(f, "satirSilItem")->trigger();
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(f.StringGrid3->rowCount(), 3);
    // Yes deletes; the list still ends with its input row, so the line left last is counted.
    f.StringGrid3->setCurrentCell(0, ColIslem);
    MessageBox::queueAnswer(MessageBox::Yes);
    command(f, "satirSilItem")->trigger();
    QCOMPARE(f.StringGrid3->rowCount(), 2);
    QCOMPARE(f.rows()[0][ColVade], QStringLiteral("31.03.2024"));
    QCOMPARE(f.rows()[1][ColNo], QStringLiteral("2"));
    QCOMPARE(f.borctoplamEdit->text(), QStringLiteral("10.000,00"));
    QCOMPARE(f.alacaktoplamtutarEdit->text(), QStringLiteral("0,00"));
    // The last line deleted: one empty row stays.
    f.StringGrid3->setCurrentCell(0, ColIslem);
    MessageBox::queueAnswer(MessageBox::Yes);
    command(f, "satirSilItem")->trigger();
    QCOMPARE(f.StringGrid3->rowCount(), 1);
    QCOMPARE(f.rows()[0], (QStringList{"1", "", "", "", "", "", "", "", "", "", "", "", ""}));
}

void TestVadeFark::resetAndFaizBul()
{
    TestHome home;
    Tvadefark2F f;
    fillWorkedExample(f);
    // The debt is larger: balance / credit / (credit days - debt days) x 365 x 100.
    f.faizBulBut->click();
    QCOMPARE(f.yillikfaizneolurEdit->text(), QStringLiteral("-2737,5"));
    QCOMPARE(f.aylikfaizneolurEdit->text(), QStringLiteral("-228,125"));

    // "SIFIRLA" asks; No keeps the list, Yes empties it and the results, not the parameters.
    MessageBox::queueAnswer(MessageBox::No);
    f.sifirlaBut->click();
    QCOMPARE(f.StringGrid3->rowCount(), 3);
    QCOMPARE(MessageBox::shown().last().text, QStringLiteral("Dosyayı Boşaltmak istediğinizden eminmisiniz?"));
    MessageBox::queueAnswer(MessageBox::Yes);
    command(f, "sifirlaItem")->trigger();
    QCOMPARE(f.StringGrid3->rowCount(), 1);
    QCOMPARE(resultTexts(f), QStringList(9));
    QCOMPARE(f.yillikfaizneolurEdit->text(), QStringLiteral("0,00"));
    QCOMPARE(f.aylikfaizneolurEdit->text(), QStringLiteral("0,00"));
    QCOMPARE(f.DateTimePicker76->date(), QDate::currentDate());
    QCOMPARE(f.DateTimePicker61->date(), QDate(2024, 3, 1));
    QCOMPARE(f.yillikfaizEdit->text(), QStringLiteral("24"));

    // Nothing to divide by: nothing computed, never "inf" or "nan".
    f.faizBulBut->click();
    QCOMPARE(f.yillikfaizneolurEdit->text(), QStringLiteral("0,00"));
    setCell(f.StringGrid3, 0, ColVade, "31.03.2024");
    setCell(f.StringGrid3, 0, ColAlacak, "1000");
    setCell(f.StringGrid3, 1, ColVade, "");
    f.yenidenHesapla();  // credit only: the debt total is 0
    f.faizBulBut->click();
    QCOMPARE(f.yillikfaizneolurEdit->text(), QStringLiteral("0,00"));
    QCOMPARE(f.aylikfaizneolurEdit->text(), QStringLiteral("0,00"));
}

void TestVadeFark::savingAndOpening()
{
    TestHome home;
    Tvadefark2F f;
    fillWorkedExample(f);
    setCell(f.StringGrid3, 2, ColVade, "15.04.2024");
    setCell(f.StringGrid3, 2, ColAciklama, "çek \"acil\"");
    setCell(f.StringGrid3, 2, ColBorc, "1000");
    setCell(f.StringGrid3, 3, ColVade, "");
    f.CheckBox8->setChecked(true);
    f.alacakeksureEdit->setText("2");
    f.yenidenHesapla();
    const QVector<QStringList> saved = f.rows();
    QCOMPARE(saved.size(), 4);  // titles, three lines, the input row

    // The account name is proposed in the folder "Dosya", made when missing.
    const QString dosya = home.path("Dosya");
    QVERIFY(!QDir(dosya).exists());
    FileDialog::queueFile(dosya + "/ABC");
    f.BitBtn45->click();
    const FileDialog::Call call = FileDialog::calls().last();
    QCOMPARE(call.caption, QStringLiteral("Vade Farkı Dosyası Sakla"));
    QCOMPARE(call.dir, dosya + "/ABC");
    QCOMPARE(call.filter, QStringLiteral("Vade Farkı Dosyası (*.fdv)"));
    QVERIFY(QFile::exists(dosya + "/ABC.fdv"));
    QVERIFY(MessageBox::shown().isEmpty());
    const QByteArray first = fileBytes(dosya + "/ABC.fdv");
    QCOMPARE(first.count("\r\n"), 6);

    // The same name again: the question; No leaves the file as it was.
    f.firmaadiEdit->setText("Başka");
    FileDialog::queueFile(dosya + "/ABC.fdv");
    MessageBox::queueAnswer(MessageBox::No);
    f.BitBtn45->click();
    QCOMPARE(MessageBox::shown().last().text, QStringLiteral("Dosya mevcut Üzerine kayıt edilsinmi?"));
    QCOMPARE(fileBytes(dosya + "/ABC.fdv"), first);
    FileDialog::queueFile(dosya + "/ABC.fdv");
    MessageBox::queueAnswer(MessageBox::Yes);
    f.BitBtn45->click();
    QVERIFY(fileBytes(dosya + "/ABC.fdv").contains("Başka"));
    // ".FDV" is not ".fdv".
    FileDialog::queueFile(dosya + "/liste.FDV");
    f.BitBtn45->click();
    QVERIFY(QFile::exists(dosya + "/liste.FDV.fdv"));
    // A file that cannot be written says so; the list stays.
    MessageBox::clearShown();
    FileDialog::queueFile(home.path("yok/klasor/x"));
    f.BitBtn45->click();
    QCOMPARE(MessageBox::shown().value(0).text, "Dosya Saklanamıyor:\r" + home.path("yok/klasor/x.fdv"));
    QCOMPARE(MessageBox::shown().value(0).icon, MessageBox::Icon::Critical);
    QCOMPARE(f.rows(), saved);

    // Opening gives back the list and the parameters.
    MessageBox::queueAnswer(MessageBox::Yes);
    f.sifirlaBut->click();
    f.CheckBox8->setChecked(false);
    f.alacakeksureEdit->clear();
    f.DateTimePicker61->setDate(QDate(2025, 1, 1));
    FileDialog::queueFile(dosya + "/ABC.fdv");
    MessageBox::clearShown();
    f.BitBtn46->click();
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(FileDialog::calls().last().caption, QStringLiteral("Vade Farkı Dosyası Aç"));
    QCOMPARE(f.rows(), saved);
    QCOMPARE(f.firmaadiEdit->text(), QStringLiteral("Başka"));
    QVERIFY(f.CheckBox8->isChecked());
    QCOMPARE(f.alacakeksureEdit->text(), QStringLiteral("2"));
    QCOMPARE(f.DateTimePicker61->date(), QDate(2024, 3, 1));
    QCOMPARE(f.borctoplamEdit->text(), QStringLiteral("11.000,00"));  // recalculated after opening
    // A file that is not there: nothing happens.
    FileDialog::queueFile(dosya + "/yok.fdv");
    f.BitBtn46->click();
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestVadeFark::computedRatesInFull_data()
{
    QTest::addColumn<QString>("edit");     // the rate typed
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("yearly");   // the yearly rate in full, as the lines take it
    QTest::addColumn<QString>("monthly");  // the monthly rate in full, as the file keeps it
    QTest::newRow("yearly 25") << "yillikfaizEdit" << "25" << "25" << "2,08333333333333";
    QTest::newRow("monthly 1,111111") << "aylikfaizEdit" << "1,111111" << "13,333332" << "1,111111";
    QTest::newRow("yearly 0,0001") << "yillikfaizEdit" << "0,0001" << "0,0001" << "0,00000833333333333333";
}

void TestVadeFark::computedRatesInFull()
{
    QFETCH(QString, edit);
    QFETCH(QString, typed);
    QFETCH(QString, yearly);
    QFETCH(QString, monthly);
    TestHome home;
    Tvadefark2F f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QApplication::setActiveWindow(&f);
    fillWorkedExample(f);
    setCell(f.StringGrid3, 0, ColBorc, "100000000");
    retype(f.findChild<QLineEdit *>(edit), typed);
    f.firmaadiEdit->setFocus();
    // The line is computed with the rate in full.
    f.yenidenHesapla();
    QStringList cells = f.rows()[0];
    QCOMPARE(f.sheet().yillikFaiz, yearly);
    Params p;
    p.hesapTarihi = QDate(2024, 3, 1);
    p.yildakiGun = "365";
    p.yillikFaiz = yearly;
    p.borcEkSure = "0";
    p.alacakEkSure = "0";
    QStringList expected = cells;
    calculateLine(expected, p);
    QCOMPARE(cells[ColBorcFark], expected[ColBorcFark]);
    // Saved and opened again: the file reads back, the rates in full.
    MessageBox::clearShown();
    const QString path = home.path("oran.fdv");
    FileDialog::queueFile(path);
    f.BitBtn45->click();
    QVERIFY(fileBytes(path).contains(monthly.toUtf8()));
    FileDialog::queueFile(path);
    f.BitBtn46->click();
    QVERIFY2(MessageBox::shown().isEmpty(), qPrintable(MessageBox::shown().value(0).text));
    QCOMPARE(f.sheet().yillikFaiz, yearly);
    QCOMPARE(f.rows()[0][ColBorcFark], expected[ColBorcFark]);
}

void TestVadeFark::recalculationRunsEveryLine()
{
    TestHome home;
    Tvadefark2F f;
    fillWorkedExample(f);
    // A line that cannot be computed between two that can: every line is computed, and
    // the one that could not be is named.
    setCell(f.StringGrid3, 2, ColVade, "15.04.2024");
    setCell(f.StringGrid3, 2, ColBorc, "1000");
    setCell(f.StringGrid3, 3, ColVade, "");
    f.yenidenHesapla();
    const QString third = f.rows()[2][ColBorcFark];
    QVERIFY(!third.isEmpty());
    setCell(f.StringGrid3, 1, ColVade, "99.99.2024");
    setCell(f.StringGrid3, 2, ColBorc, "2000");
    MessageBox::clearShown();
    f.yenidenHesapla();
    QCOMPARE(MessageBox::shown().size(), 1);
    QVERIFY2(MessageBox::shown()[0].text.startsWith("Şu satırlar hesaplanamadı:\n"), qPrintable(MessageBox::shown()[0].text));
    QVERIFY2(MessageBox::shown()[0].text.endsWith("(satır 2)"), qPrintable(MessageBox::shown()[0].text));
    QVERIFY(f.rows()[2][ColBorcFark] != third);  // the line below was computed again
}

void TestVadeFark::faizBulWithNothingToDivide()
{
    TestHome home;
    Tvadefark2F f;
    fillWorkedExample(f);
    f.faizBulBut->click();
    QCOMPARE(f.yillikfaizneolurEdit->text(), QStringLiteral("-2737,5"));
    // Debt and credit made equal: nothing to divide, no earlier result.
    setCell(f.StringGrid3, 1, ColAlacak, "10000");
    f.yenidenHesapla();
    f.faizBulBut->click();
    QCOMPARE(f.yillikfaizneolurEdit->text(), QStringLiteral("0,00"));
    QCOMPARE(f.aylikfaizneolurEdit->text(), QStringLiteral("0,00"));
}

void TestVadeFark::badFilesLeaveTheWindowAsItWas()
{
    TestHome home;
    Tvadefark2F f;
    fillWorkedExample(f);
    const QVector<QStringList> before = f.rows();
    const QStringList results = resultTexts(f);
    const QString path = home.path("bozuk.fdv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("400,30,2,0,0,Yeni,E,E,E,01.01.2025\r\n,a,b\r\n1,01.01.2025,,,\"5,00\",,,,,,,,\r\n2,\"yarım\r\n");
    file.close();
    QVERIFY(!f.dosyaAc(path));
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown()[0].text,
             "Vade farkı dosyası okunamadı:\n\r" + path + "\n\rSatır 4: kapanmayan tırnak işareti.");
    QCOMPARE(f.rows(), before);
    QCOMPARE(resultTexts(f), results);
    QCOMPARE(f.yildakigunEdit->text(), QStringLiteral("365"));
    QCOMPARE(f.firmaadiEdit->text(), QStringLiteral("ABC"));
    QCOMPARE(f.DateTimePicker61->date(), QDate(2024, 3, 1));
}

void TestVadeFark::printoutFlowsOverPages()
{
    TestHome home;
    Tvadefark2F f;
    fillWorkedExample(f);
    f.firmaadiEdit->setText("ABC [İzmir]");  // brackets typed by the user print as they are
    Report worked = f.rapor(PrintKind::Differences);
    worked.setClock([] { return QDateTime(QDate(2024, 3, 5), QTime(10, 0)); });
    const PreparedReport one = worked.prepare();
    QCOMPARE(one.pageCount(), 1);
    const QStringList texts = one.pageTexts(0);
    QVERIFY(texts.contains("Brenvo Kasa ve Cari Hesap Takip Programı Rapor Dökümü"));
    QVERIFY(texts.contains("İşlem Yapılan Firma : ABC [İzmir]"));
    QVERIFY(texts.contains("Alacaklara 0, Borçlara 0 Gün eklendi. Cumartesi Pazar Borçlara Eklenmedi, Alacaklara Eklenmedi."));
    QVERIFY(texts.contains("05.03.2024"));
    QVERIFY(texts.contains("Sayfa 1"));
    QVERIFY(texts.contains("1    31.03.2024      10.000,00                     30        -197,26               "));
    QCOMPARE(one.title, kPrintCaption);

    // 150 lines flow over pages, each printed once, with the date and the column
    // header on every page.
    QVector<QStringList> rows;
    for (int i = 0; i < 150; ++i) {
        QStringList r(ColumnCount);
        r[ColNo] = QString::number(i + 1);
        r[ColVade] = QDate(2024, 4, 1).addDays(i).toString("dd.MM.yyyy");
        r[ColAciklama] = QStringLiteral("Satır %1").arg(i + 1);
        r[ColBorc] = QString::number(100 + i);
        rows << r;
    }
    QStringList input(ColumnCount);
    input[ColNo] = "151";
    rows << input;
    f.setRows(rows);
    for (PrintKind kind : {PrintKind::Differences, PrintKind::Descriptions}) {
        Report r = f.rapor(kind);
        r.setClock([] { return QDateTime(QDate(2024, 3, 5), QTime(10, 0)); });
        const PreparedReport pages = r.prepare();
        QVERIFY(pages.pageCount() >= 3);
        QMap<int, int> seen;
        for (int p = 0; p < pages.pageCount(); ++p) {
            const QStringList t = pages.pageTexts(p);
            QVERIFY(t.contains("05.03.2024"));
            QVERIFY(t.contains(QStringLiteral("Sayfa %1").arg(p + 1)));
            QVERIFY(std::any_of(t.begin(), t.end(), [](const QString &s) { return s.contains("Borç Tutarı"); }));
            for (const QString &s : t) {
                const QStringList parts = s.split(u' ', Qt::SkipEmptyParts);
                bool number = false;
                const int n = parts.value(0).toInt(&number);
                if (number && parts.size() > 1 && parts[1].contains(".2024")) seen[n]++;
            }
        }
        QCOMPARE(seen.size(), 150);
        for (auto it = seen.begin(); it != seen.end(); ++it) QCOMPARE(it.value(), 1);
        QVERIFY(pages.pageTexts(pages.pageCount() - 1).contains(QStringLiteral("Borç Ortalama Gün     : ") + f.borcortgunEdit->text()));
    }
}

void TestVadeFark::exportOpensTheWorkbook()
{
    TestHome home;
    Tvadefark2F f;
    fillWorkedExample(f);
    QString opened;
    SpreadsheetExport::setOpener([&opened](const QString &path) {
        opened = path;
        return true;
    });
    f.BitBtn26->click();
    QVERIFY(!opened.isEmpty());
    const SheetData sheet = readSpreadsheet(opened);
    QCOMPARE(sheet.value(1, 1).toString(), QStringLiteral("İşlem Yapılan Firma : ABC"));
    QCOMPARE(sheet.value(4, 4).toDouble(), 10000.0);
    QCOMPARE(sheet.value(5, 5).toDouble(), 2500.0);
    QCOMPARE(sheet.formats.value({9, 4}).formula, QStringLiteral("Sum(D4:D7)"));  // R = 4
    QVERIFY(MessageBox::shown().isEmpty());
    // No application for the workbook: the message, with the file's path.
    SpreadsheetExport::setOpener([](const QString &) { return false; });
    f.BitBtn26->click();
    QVERIFY(MessageBox::shown().value(0).text.startsWith(SpreadsheetExport::kNoApplication));
    SpreadsheetExport::setOpener({});
}

void TestVadeFark::mailOutcomes_data()
{
    QTest::addColumn<QString>("handler");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("programs");
    QTest::addColumn<bool>("attached");
    QTest::addColumn<int>("message");  // 0 none, 1 no mail program, 2 folder opened
    QTest::newRow("Thunderbird") << "thunderbird.desktop" << 0 << QStringList{"xdg-email"} << true << 0;
    QTest::newRow("KMail") << "org.kde.kmail2.desktop" << 0 << QStringList{"xdg-email"} << true << 0;
    QTest::newRow("Evolution fails") << "org.gnome.Evolution.desktop" << 3 << QStringList{"xdg-email", "xdg-open"} << true << 2;
    QTest::newRow("other program") << "org.gnome.Geary.desktop" << 0 << QStringList{"xdg-email", "xdg-open"} << false << 2;
    QTest::newRow("no mail program") << "" << 0 << QStringList{} << false << 1;
}

void TestVadeFark::mailOutcomes()
{
    QFETCH(QString, handler);
    QFETCH(int, exitCode);
    QFETCH(QStringList, programs);
    QFETCH(bool, attached);
    QFETCH(int, message);
    TestHome home;
    Tvadefark2F f;
    fillWorkedExample(f);
    MailCompose::setTestMode(true, handler, exitCode);
    f.mailgonder->click();
    const QString path = f.lastMailFile();
    // The workbook stays where the mail program can read it when the mail is sent.
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("Rapor.xlsx"));
    QVERIFY(path.startsWith(home.path("Gecici/")));
    QCOMPARE(readSpreadsheet(path).value(4, 4).toDouble(), 10000.0);
    QStringList ran;
    for (const MailCompose::Command &c : MailCompose::commands()) ran << c.program;
    QCOMPARE(ran, programs);
    if (!programs.isEmpty()) {
        const QStringList args = MailCompose::commands()[0].arguments;
        QCOMPARE(args.last(), QStringLiteral("@"));
        QCOMPARE(args.value(args.indexOf("--subject") + 1), QStringLiteral("ABC"));
        QCOMPARE(args.value(args.indexOf("--body") + 1), QStringLiteral("ABC"));
        QCOMPARE(args.contains(path), attached);
    }
    if (programs.size() > 1) QCOMPARE(MailCompose::commands()[1].arguments, QStringList{QFileInfo(path).absolutePath()});
    const QStringList expected = {QString(), MailCompose::kNoMailProgram, MailCompose::kFolderOpened + path};
    QCOMPARE(MessageBox::shown().value(0).text, expected[message]);
    MailCompose::setTestMode(true);
}

// Pictures of the window with the worked example and of the printout's preview,
// written where CEKSENET_SCREENSHOTS points (to look at them, not compared).
void TestVadeFark::oldMailCopiesRemovedAtStart_data()
{
    QTest::addColumn<int>("ageHours");
    QTest::addColumn<bool>("kept");
    QTest::newRow("two days") << 48 << false;
    QTest::newRow("an hour") << 1 << true;
}

void TestVadeFark::oldMailCopiesRemovedAtStart()
{
    QFETCH(int, ageHours);
    QFETCH(bool, kept);
    TestHome home;
    const QString folder = home.path("Gecici/posta-abc123");
    QVERIFY(QDir().mkpath(folder));
    {
        QFile f(folder + "/Rapor.xlsx");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    const time_t then = QDateTime::currentDateTime().addSecs(-3600 * ageHours).toSecsSinceEpoch();
    const struct timeval times[2] = {{then, 0}, {then, 0}};
    QCOMPARE(utimes(QFile::encodeName(folder).constData(), times), 0);
    // Another file of the folder is no mail copy.
    QFile other(home.path("Gecici/baska.txt"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();
    Tvadefark2F f;
    QCOMPARE(QFileInfo::exists(folder), kept);
    QVERIFY(other.exists());
}

void TestVadeFark::screenshots()
{
    const QString dir = qEnvironmentVariable("CEKSENET_SCREENSHOTS");
    if (dir.isEmpty()) QSKIP("CEKSENET_SCREENSHOTS not set");
    TestHome home;
    Tvadefark2F f;
    f.resize(1366, 740);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    fillWorkedExample(f);
    setCell(f.StringGrid3, 2, ColIslem, "05.03.2024");
    setCell(f.StringGrid3, 2, ColVade, "30.03.2024");
    setCell(f.StringGrid3, 2, ColAciklama, "Çek 123456, İş Bankası");
    setCell(f.StringGrid3, 2, ColBorc, "1234567,89");
    setCell(f.StringGrid3, 3, ColVade, "");
    f.yenidenHesapla();
    f.faizBulBut->click();
    QVERIFY(f.grab().save(dir + "/vadefark.png"));
    Report r = f.rapor(PrintKind::Differences);
    TRaporOnizlemeF preview(r.prepare(), kPrintCaption);
    preview.resize(1366, 740);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    preview.setZoomPercent(100);
    QTest::qWait(200);
    QVERIFY(preview.grab().save(dir + "/vadefark_yazdir.png"));
    Report d = f.rapor(PrintKind::Descriptions);
    preview.setReport(d.prepare());
    QTest::qWait(200);
    QVERIFY(preview.grab().save(dir + "/vadefark_onizle.png"));
}

QTEST_MAIN(TestVadeFark)
#include "test_vadefark.moc"
