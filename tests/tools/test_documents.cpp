// Document pictures of a record: loading, the size rule, following the owner,
// saving as JPEG, printing, and the cash documents by year.
#include "data/data_context.h"
#include "data/jpeg.h"
#include "data/query.h"
#include "data/spreadsheet_writer.h"
#include "data/table.h"
#include "reports/prepared_report.h"
#include "reports/report.h"
#include "reports/report_output.h"
#include "support/test_home.h"
#include "support/typing.h"
#include "tools/document_window.h"
#include "widgets/file_dialog.h"
#include "widgets/message_box.h"

#include <QDataStream>
#include <QFileInfo>
#include <QBuffer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QPainter>
#include <QtTest>

namespace {

DataContext &ctx() { return DataContext::instance(); }

QImage sample(int w = 160, int h = 100)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(30, 90, 200));
    return image;
}

QString writeFile(const TestHome &home, const QString &name, const QByteArray &bytes)
{
    QFile f(home.path(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
}

// A JPEG of exactly n bytes: a real picture padded after its end marker.
QByteArray jpegOfSize(qint64 n)
{
    QByteArray j = Jpeg::encode(sample());
    return j + QByteArray(n - j.size(), '\0');
}

struct Fixture {
    TestHome home;
    Table owner;
    std::unique_ptr<DocumentWindow> window;
    QStringList opened;
    Fixture()
    {
        home.openCompany("A1", 2024);
        for (int i = 1; i <= 2; ++i)
            TestHome::insertRow(ctx().ADOConnection1, "cekgiris",
                                {{"alindigi_firma", QStringLiteral("Firma %1").arg(i)},
                                 {"cek_tarihi", QDate(2024, 3, i)},
                                 {"para_birimi", "TL"}});
        owner.setConnection(&ctx().ADOConnection1);
        owner.setTableName("cekgiris");
        owner.open();
        window = std::make_unique<DocumentWindow>(DocumentKind::receivedCheque());
        window->setOwner(&owner);
        window->ac();
        SpreadsheetExport::setOpener([this](const QString &p) {
            opened << p;
            return true;
        });
        MessageBox::clearShown();
    }
    ~Fixture() { SpreadsheetExport::setOpener({}); }
    // The stored documents as "cekid:name:bytes".
    QStringList stored(const QString &table = "resim", Connection *c = nullptr)
    {
        Query q(c ? c : &ctx().ADOConnection1);
        q.sql() << QStringLiteral("SELECT cekid, nakidid, resimadi, resim FROM %1 ORDER BY rid").arg(table);
        q.open();
        QStringList out;
        for (q.first(); !q.eof(); q.next())
            out << QStringLiteral("%1:%2:%3")
                       .arg(q.field(table == "resimnakit" ? "nakidid" : "cekid").asString(), q.field("resimadi").asString())
                       .arg(q.field("resim").value().toByteArray().size());
        return out;
    }
};

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT
private slots:
    void sizeRule_data();
    void sizeRule();
    void loadingCreatesOrReplaces();
    void unreadablePicturesRefused();
    void documentsFollowTheOwner();
    void documentsFollowTheList_data();
    void documentsFollowTheList();
    void undecodablePictureSaysSoAfterResizes();
    void deleteAsksFirst();
    void savingAsJpeg();
    void printing();
    void cashDocumentsBelongToTheirYear();
    void screenshot();
};

void TestDocuments::sizeRule_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("message");
    const QString tail = " KB 350 KB tan büyük resim yüklemesi yapamazsınız!";
    QTest::newRow("400 KB") << qint64(409600) << "Resim Boyutu 400" + tail;
    QTest::newRow("400,1 KB") << qint64(409700) << "Resim Boyutu 400,1" + tail;
    QTest::newRow("just over") << qint64(358401) << "Resim Boyutu 350" + tail;
    QTest::newRow("exactly 350 KB") << qint64(358400) << "";
    QTest::newRow("small") << qint64(1000) << "";
}

void TestDocuments::sizeRule()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, message);
    QCOMPARE(DocumentWindow::sizeRefusal(bytes), message);
    if (bytes < 5000) return;
    // Through the window: refused files store nothing, 350 KB loads.
    Fixture fx;
    const QString file = writeFile(fx.home, "belge.jpg", jpegOfSize(bytes));
    FileDialog::queueFile(file);
    QCOMPARE(fx.window->evrakYukle(), message.isEmpty());
    fx.window->sakla();
    if (message.isEmpty()) {
        QCOMPARE(fx.stored(), QStringList{QStringLiteral("1::%1").arg(bytes)});
    } else {
        QCOMPARE(MessageBox::shown().last().text, message);
        QVERIFY(fx.stored().isEmpty());
    }
}

void TestDocuments::loadingCreatesOrReplaces()
{
    Fixture fx;
    const QByteArray jpeg = Jpeg::encode(sample());
    const QString file = writeFile(fx.home, "a.jpg", jpeg);
    // An empty list: a new document linked to the owner, kept byte for byte.
    QVERIFY(fx.window->loadPictureFile(file));
    fx.window->evrakAdiEdit->setText("Ön yüz");
    QTest::keyClick(fx.window->evrakAdiEdit, Qt::Key_A);
    fx.window->sakla();
    QCOMPARE(fx.stored(), QStringList{QStringLiteral("1:Ön yüza:%1").arg(jpeg.size())});
    // The current document: its picture is replaced.
    QByteArray png;
    {
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        sample(40, 20).save(&b, "PNG");
    }
    QVERIFY(fx.window->loadPictureFile(writeFile(fx.home, "b.png", png)));
    fx.window->sakla();
    QCOMPARE(fx.stored().size(), 1);
    QCOMPARE(fx.window->currentPicture().size(), QSize(40, 20));  // a PNG kept as JPEG
    QVERIFY(Jpeg::looksLikeJpeg(fx.window->images()->value("resim").toByteArray()));
    // After "Yeni" the load fills the new row, not another one.
    fx.window->yeniBut->click();
    FileDialog::queueFile(file);
    QVERIFY(fx.window->evrakYukle());
    fx.window->sakla();
    QCOMPARE(fx.stored().size(), 2);
    QVERIFY(fx.stored()[1].startsWith("1::"));
}

void TestDocuments::unreadablePicturesRefused()
{
    Fixture fx;
    const QByteArray jpeg = Jpeg::encode(sample());
    for (const QByteArray &bytes : {QByteArray("metin, resim değil\n"), jpeg.left(jpeg.size() / 2)}) {
        MessageBox::clearShown();
        QVERIFY(!fx.window->loadPictureFile(writeFile(fx.home, "bozuk.jpg", bytes)));
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(MessageBox::shown()[0].text.startsWith("Resim yüklenemedi: "));
    }
    fx.window->sakla();
    QVERIFY(fx.stored().isEmpty());
    // Without a picture, print, save and open do nothing.
    QVERIFY(!fx.window->yazdir(false));
    QVERIFY(!fx.window->jpgSakla());
    QVERIFY(!fx.window->windowstanAc());
    QVERIFY(FileDialog::calls().isEmpty() || FileDialog::calls().last().kind != FileDialog::Kind::Save);
    QVERIFY(fx.opened.isEmpty());
}

void TestDocuments::documentsFollowTheOwner()
{
    Fixture fx;
    const QString file = writeFile(fx.home, "a.jpg", Jpeg::encode(sample()));
    QVERIFY(fx.window->loadPictureFile(file));
    fx.window->sakla();
    QCOMPARE(fx.window->headerEdits[0]->text(), QStringLiteral("Firma 1"));
    QCOMPARE(fx.window->headerEdits[3]->text(), QStringLiteral("01.03.2024"));
    // Another cheque: its own (no) documents; a document appended before the move
    // belongs to the cheque current when it was appended.
    fx.window->yeniBut->click();
    QVERIFY(fx.window->loadPictureFile(file));
    fx.owner.next();
    QCOMPARE(fx.window->headerEdits[0]->text(), QStringLiteral("Firma 2"));
    QCOMPARE(fx.window->images()->recordCount(), 0);
    QVERIFY(fx.window->loadPictureFile(file));
    fx.window->sakla();
    QStringList links;
    for (const QString &s : fx.stored()) links << s.section(u':', 0, 0);
    QCOMPARE(links, (QStringList{"1", "1", "2"}));
    fx.owner.first();
    QCOMPARE(fx.window->images()->recordCount(), 2);
    // Hiding closes the table; a row still pending is dropped.
    fx.window->yeniBut->click();
    fx.window->hide();
    QVERIFY(!fx.window->images()->isActive());
    QCOMPARE(fx.stored().size(), 3);
}

void TestDocuments::documentsFollowTheList_data()
{
    QTest::addColumn<int>("row");  // the list row moved to
    QTest::addColumn<QString>("firm");
    QTest::newRow("second") << 1 << "Firma 2";
    QTest::newRow("back to the first") << 0 << "Firma 1";
}

void TestDocuments::documentsFollowTheList()
{
    QFETCH(int, row);
    QFETCH(QString, firm);
    Fixture fx;
    // A window opened from a list by the row's key follows the list's current row.
    DocumentWindow window(DocumentKind::receivedCheque());
    Query list(&ctx().ADOConnection1);
    list.sql() << "SELECT cek_ind, alindigi_firma FROM cekgiris ORDER BY cek_ind DESC";
    list.open();
    const auto key = [&list] { return list.value("cek_ind"); };
    QVERIFY(window.showFor(key()));
    window.followList(&list, key);
    QCOMPARE(window.headerEdits[0]->text(), QStringLiteral("Firma 2"));
    list.setRecNo(2);
    QCOMPARE(window.headerEdits[0]->text(), QStringLiteral("Firma 1"));
    list.setRecNo(2 - row);
    QCOMPARE(window.headerEdits[0]->text(), firm);
    window.hide();
}

void TestDocuments::undecodablePictureSaysSoAfterResizes()
{
    Fixture fx;
    fx.window->hide();
    TestHome::insertRow(ctx().ADOConnection1, "resim", {{"cekid", 1}, {"resimadi", "bozuk"}, {"resim", QByteArray("bozuk resim")}});
    fx.window->resize(500, 400);
    fx.window->ac();
    QVERIFY(fx.window->Image1->text().startsWith("Resim gösterilemiyor: "));
    for (const QSize &size : {QSize(700, 500), QSize(520, 420)}) {
        fx.window->resize(size);
        QApplication::processEvents();
        QVERIFY2(fx.window->Image1->text().startsWith("Resim gösterilemiyor: "), qPrintable(fx.window->Image1->text()));
    }
}

void TestDocuments::deleteAsksFirst()
{
    Fixture fx;
    QVERIFY(fx.window->loadPictureFile(writeFile(fx.home, "a.jpg", Jpeg::encode(sample()))));
    fx.window->sakla();
    for (int answer : {int(MessageBox::No), int(MessageBox::Cancel)}) {
        MessageBox::queueAnswer(answer);
        fx.window->silBut->click();
        QCOMPARE(fx.stored().size(), 1);
    }
    const auto &box = MessageBox::shown().last();
    QCOMPARE(box.text, QStringLiteral("Bu kayıt silinecek.\n\rDevam edilsinmi?"));
    QCOMPARE(box.caption, QStringLiteral("Brenvo Çek Senet Takip Programı"));
    QCOMPARE(box.buttons, MessageBox::Yes | MessageBox::No | MessageBox::Cancel);
    MessageBox::queueAnswer(MessageBox::Yes);
    fx.window->silBut->click();
    QVERIFY(fx.stored().isEmpty());
}

void TestDocuments::savingAsJpeg()
{
    Fixture fx;
    const QByteArray jpeg = Jpeg::encode(sample());
    QVERIFY(fx.window->loadPictureFile(writeFile(fx.home, "a.jpg", jpeg)));
    // "belge" becomes belge.jpg; No to opening.
    FileDialog::queueFile(fx.home.path("belge"));
    MessageBox::queueAnswer(MessageBox::No);
    QVERIFY(fx.window->jpgSakla());
    QVERIFY(!FileDialog::calls().last().asksOverwrite);  // the question is asked once, by the window
    QFile saved(fx.home.path("belge.jpg"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), jpeg);
    QVERIFY(fx.opened.isEmpty());
    // The file exists: No keeps it; Yes overwrites, and opens it.
    FileDialog::queueFile(fx.home.path("belge.jpg"));
    MessageBox::queueAnswer(MessageBox::No);
    MessageBox::clearShown();
    QVERIFY(!fx.window->jpgSakla());
    QCOMPARE(MessageBox::shown().size(), 1);
    QVERIFY(!FileDialog::calls().last().asksOverwrite);
    QCOMPARE(MessageBox::shown().last().text, QStringLiteral("Dosya mevcut Üzerine kayıt edilsinmi?"));
    FileDialog::queueFile(fx.home.path("belge.jpg"));
    MessageBox::queueAnswer(MessageBox::Yes);
    MessageBox::queueAnswer(MessageBox::Yes);
    QVERIFY(fx.window->jpgSakla());
    QCOMPARE(MessageBox::shown().last().text, QStringLiteral("Dosyayı açmak istermisiniz?"));
    QCOMPARE(fx.opened, QStringList{fx.home.path("belge.jpg")});
    // "Windows'tan Aç": RaporR.jpg in the program folder, opened.
    QVERIFY(fx.window->windowstanAc());
    QCOMPARE(fx.opened.last(), fx.home.path("RaporR.jpg"));
    QVERIFY(QFile::exists(fx.home.path("RaporR.jpg")));
}

void TestDocuments::printing()
{
    for (bool landscape : {false, true}) {
        const PreparedReport pages = DocumentWindow::pictureReport(sample(400, 200), landscape).prepare();
        QCOMPARE(pages.pageCount(), 1);
        QCOMPARE(pages.pageLayout.orientation(), landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        QCOMPARE(pages.pages[0].items.size(), 1);
        QCOMPARE(pages.pages[0].items[0].picture.size(), QSize(400, 200));
        // Saved and loaded, the picture comes back.
        TestHome home;
        QString error;
        QVERIFY2(pages.save(home.path("evrak.frp"), &error), qPrintable(error));
        PreparedReport back;
        QVERIFY2(PreparedReport::load(home.path("evrak.frp"), &back, &error), qPrintable(error));
        QCOMPARE(back.pages[0].items[0].picture.size(), QSize(400, 200));
        // As PDF: the page holds the picture (kept under /tmp to be looked at when asked).
        const QString pdf = home.path(landscape ? "yatay.pdf" : "dikey.pdf");
        QVERIFY2(writePdf(pages, pdf, &error), qPrintable(error));
        QVERIFY(QFileInfo(pdf).size() > 1000);
        if (qEnvironmentVariableIsSet("CEKSENET_SCREENSHOTS"))
            QFile::copy(pdf, qEnvironmentVariable("CEKSENET_SCREENSHOTS") + (landscape ? "/yatay.pdf" : "/dikey.pdf"));
    }
    // A report saved before pictures existed still loads.
    TestHome home;
    QFile old(home.path("eski.frp"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    QDataStream out(&old);
    out.setVersion(QDataStream::Qt_6_4);
    out << quint32(0x42525052) << quint16(1) << QStringLiteral("Eski") << qint32(QPageSize::A4)
        << qint32(QPageLayout::Portrait) << 210.0 << 297.0 << quint32(1) << QStringLiteral("DejaVu Sans") << 8.0
        << false << false << quint32(1) << quint32(1) << QRectF(10, 10, 50, 5) << QStringLiteral("ESKİ RAPOR")
        << quint16(0) << quint16(Qt::AlignLeft) << quint8(0) << false;
    old.close();
    PreparedReport back;
    QString error;
    QVERIFY2(PreparedReport::load(old.fileName(), &back, &error), qPrintable(error));
    QCOMPARE(back.pageTexts(0), QStringList{"ESKİ RAPOR"});
}

void TestDocuments::cashDocumentsBelongToTheirYear()
{
    TestHome home;
    home.openCompany("A1", 2024);
    const qint64 nid = TestHome::insertRow(ctx().kasaConnection, "nakit",
                                           {{"aciklama", "Kira"}, {"islem_tarihi", QDate(2024, 5, 2)},
                                            {"doviz_cinsi", "TL"}, {"alacak_tutar", 1500.0}});
    DocumentWindow window(DocumentKind::cashMovement());
    QVERIFY(window.showFor(nid));
    QCOMPARE(window.windowTitle(), QStringLiteral("Brenvo Çek Senet Takip Programı - Kasa Hareketleri Evrak Kayıt ve İzleme"));
    QCOMPARE(window.headerEdits[4]->text(), QStringLiteral("1.500,00"));
    QVERIFY(window.loadPictureFile([&] {
        QFile f(home.path("makbuz.jpg"));
        f.open(QIODevice::WriteOnly);
        f.write(Jpeg::encode(sample()));
        return f.fileName();
    }()));
    window.sakla();
    QCOMPARE(TestHome::countRows(ctx().kasaConnection, "resimnakit"), 1);
    QVERIFY(!window.showFor(nid + 100));  // no such movement: nothing
    window.hide();
    // Another year's cash file: its own documents only.
    QVERIFY(kasadegistir(2025));
    QCOMPARE(TestHome::countRows(ctx().kasaConnection, "resimnakit"), 0);
    QVERIFY(!window.showFor(nid));
}

void TestDocuments::screenshot()
{
    Fixture fx;
    QImage scan(900, 420, QImage::Format_RGB32);
    scan.fill(QColor(250, 248, 235));
    {
        QPainter p(&scan);
        p.setPen(QPen(Qt::darkBlue, 3));
        p.drawRect(10, 10, 880, 400);
        QFont f = p.font();
        f.setPointSize(28);
        p.setFont(f);
        p.drawText(QRect(0, 60, 900, 80), Qt::AlignCenter, QStringLiteral("ÇEK  No: A-100"));
        p.drawText(QRect(0, 200, 900, 80), Qt::AlignCenter, QStringLiteral("10.000,00 TL"));
    }
    QVERIFY(fx.window->loadPictureFile(writeFile(fx.home, "cek.jpg", Jpeg::encode(scan))));
    fx.window->evrakAdiEdit->setFocus();
    type(fx.window->evrakAdiEdit, QStringLiteral("Çek ön yüzü"));
    fx.window->sakla();
    fx.window->resize(1100, 600);
    QTest::qWait(50);
    const QString dir = qEnvironmentVariable("CEKSENET_SCREENSHOTS", QStringLiteral("/tmp"));
    QVERIFY(fx.window->grab().save(dir + QStringLiteral("/tresimf.png")));
}

QTEST_MAIN(TestDocuments)
#include "test_documents.moc"
