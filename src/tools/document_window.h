#pragma once
// The documents of a record: scanned pictures (the cheque itself, an invoice, a
// receipt) stored in an image table of the database, attached to the record that
// is current in the owning form. One window class serves the received cheques,
// the own cheques, the account cards and the cash movements; each is set up by
// its row of kinds below.
#include <QByteArray>
#include <QImage>
#include <QPointer>
#include <QVector>
#include <QWidget>
#include <functional>
#include <memory>

class Dataset;
class DatasetGrid;
class QLabel;
class QLineEdit;
class QPushButton;
class Report;
class RecordBinder;
class Table;

struct DocumentKind {
    const char *formName;     // "TresimF"
    QString caption;          // after "Brenvo Çek Senet Takip Programı - "
    QString table;            // image table
    QString ownerTable;       // the owner's table, for showFor
    bool cashDatabase;        // the working year's cash file, else the company file
    QString linkField;        // image field ...
    QString ownerField;       // ... equal to this field of the owner row
    QVector<QPair<QString, QString>> header;  // label, owner field

    static const DocumentKind &receivedCheque();  // TresimF
    static const DocumentKind &ownCheque();       // TresimduzenF
    static const DocumentKind &accountCard();     // TresimfirmaF
    static const DocumentKind &cashMovement();    // TresimkasaF
};

class DocumentWindow : public QWidget {
    Q_OBJECT
public:
    explicit DocumentWindow(const DocumentKind &kind, QWidget *parent = nullptr);
    ~DocumentWindow() override;

    // The owning form's dataset: its current row is the record whose documents show.
    void setOwner(Dataset *owner);
    // Opens the image table and shows the window over the owner's current record.
    void ac();
    // The openers that know only the owner's key: the record is found in the
    // owner's table (nothing happens when it is not there) and its documents shown.
    bool showFor(const QVariant &ownerKey);
    // The list the window was opened from: while the window shows, moving to another
    // row there shows that row's documents (key gives the row's owner key).
    void followList(Dataset *list, std::function<QVariant()> key);

    // Commands.
    void yeni();                   // "Yeni"
    bool evrakYukle();             // "Evrak Yükle": true when a picture was loaded
    bool loadPictureFile(const QString &path);
    void sakla();                  // "Sakla"
    void sil();                    // "Sil"
    bool yazdir(bool landscape);   // "Dikey/Yatay Önizle Yazdır"
    bool jpgSakla();               // "JPG Olarak Sakla"
    bool windowstanAc();           // "Windows'tan Aç"

    // The message of a file too large to load, or empty when it may be loaded.
    static QString sizeRefusal(qint64 bytes);
    // The one-band page of the picture, portrait or landscape A4.
    static Report pictureReport(const QImage &picture, bool landscape);
    QImage currentPicture() const;  // null when the current document has none

    Table *images() const { return m_images.get(); }
    const DocumentKind &kind() const { return m_kind; }

    QLineEdit *evrakAdiEdit = nullptr;
    DatasetGrid *evrakGrid = nullptr;
    QLabel *Image1 = nullptr;
    QVector<QLineEdit *> headerEdits;
    QPushButton *yeniBut = nullptr, *silBut = nullptr, *saklaBut = nullptr, *yukleBut = nullptr;
    QPushButton *dikeyBut = nullptr, *yatayBut = nullptr, *jpgBut = nullptr, *acBut = nullptr, *kapatBut = nullptr;

protected:
    void hideEvent(class QHideEvent *event) override;
    void resizeEvent(class QResizeEvent *event) override;

private:
    void followOwner();
    void showCurrent();
    QByteArray currentBytes() const;
    void appendDocumentRow();
    // Makes the current document pending (edited), or a new one linked to the
    // owner when there is none; true when it appended.
    bool beginDocumentRow();
    bool writeJpegFile(const QString &path);
    QVariant ownerLink() const;

    const DocumentKind &m_kind;
    std::unique_ptr<Table> m_images;
    std::unique_ptr<Table> m_ownRecord;  // the owner found by showFor
    bool m_changed = false;              // something typed or loaded into the pending row
    RecordBinder *m_binder = nullptr;
    QPointer<Dataset> m_owner;
    QImage m_shown;
    QString m_pictureError;            // why the stored picture cannot be shown
    QPointer<Dataset> m_followed;      // the list the window follows
    std::function<QVariant()> m_followKey;
};
