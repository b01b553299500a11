#pragma once
// Zip archives through libzip: reading entries as streams (the spreadsheet import,
// the restore of a backup) and writing files into a new archive (the backups).
// Entries are named by plain file names; files are read while the archive is
// written, never held whole in memory.
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <memory>

struct zip;
struct zip_file;

// One entry of an archive, read as it is inflated (and decrypted). The CRC is
// checked once the whole entry has been read; an entry may not grow past its
// limit whatever size its header declares.
class ZipEntryStream : public QIODevice {
public:
    ZipEntryStream(zip_file *file, qint64 limit);
    ~ZipEntryStream() override;
    bool isSequential() const override { return true; }
    bool broken() const { return m_broken; }      // the library refused a read (damage, CRC, password)
    bool tooLarge() const { return m_tooLarge; }  // the entry ran past the limit
    QString libraryMessage() const { return m_message; }
    int libraryCode() const { return m_code; }  // libzip's ZIP_ER_* of a refused read

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    zip_file *m_file;
    qint64 m_limit;
    qint64 m_total = 0;
    bool m_tooLarge = false;
    bool m_broken = false;
    QString m_message;
    int m_code = 0;
};

class ZipReader {
public:
    // Opens the archive for reading, its directory checked for consistency.
    explicit ZipReader(const QString &path);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    bool isOpen() const { return m_zip != nullptr; }
    // Why the archive could not be opened, or why the last call failed: the library's message.
    QString errorString() const { return m_error; }
    // libzip's ZIP_ER_* number of the last failure, 0 when none.
    int errorCode() const { return m_code; }
    // Whether a failure code means a missing or wrong password.
    static bool isPasswordError(int code);

    struct Entry {
        QString name;
        qint64 size = -1;
        bool encrypted = false;
    };
    int count() const;
    Entry entry(int index) const;
    bool has(const QString &name) const;
    // The password used for encrypted entries (AES and the old zip cipher).
    void setPassword(const QString &password);

    // An entry to read, or nullptr with errorString() (no such entry, wrong password,
    // unsupported method). limit < 0: no limit.
    std::unique_ptr<ZipEntryStream> open(const QString &name, qint64 limit = -1);
    std::unique_ptr<ZipEntryStream> open(int index, qint64 limit = -1);
    // Copies an entry into a file (written under a temporary name, renamed when
    // whole). False with errorString() on a read or write failure, and with
    // tooLarge() when the entry would pass limit bytes (limit < 0: no limit): then
    // at most limit bytes and one buffer were written, and the file is removed.
    bool extract(int index, const QString &target, qint64 limit = -1);
    // Whether the last extract stopped at its limit.
    bool tooLarge() const { return m_tooLarge; }

private:
    QString m_path;
    zip *m_zip = nullptr;
    QString m_error;
    int m_code = 0;
    bool m_tooLarge = false;
};

class ZipWriter {
public:
    // Creates the archive, replacing a file of that name when it is closed.
    explicit ZipWriter(const QString &path);
    ~ZipWriter();  // discards an archive not closed
    ZipWriter(const ZipWriter &) = delete;
    ZipWriter &operator=(const ZipWriter &) = delete;

    bool isOpen() const { return m_zip != nullptr; }
    QString errorString() const { return m_error; }
    // Entries added afterwards are encrypted with AES-256 under this password.
    void setPassword(const QString &password) { m_password = password; }
    // Adds a file under its plain file name: deflated at level 9, or stored for the
    // types that are compressed already. The file is read when the archive closes.
    bool addFile(const QString &filePath);
    // Writes the archive. False with the library's message when it cannot; the
    // file is not left behind then.
    bool close();

    // Whether a file of this name is stored without compression (GIF, PNG, ZIP, ...).
    static bool isStoredType(const QString &fileName);
    // The compression method and encryption method an entry of this file gets
    // (libzip's ZIP_CM_* and ZIP_EM_* numbers), for checks.
    static int methodFor(const QString &fileName);

private:
    QString m_path;
    zip *m_zip = nullptr;
    QString m_password;
    QString m_error;
    int m_entries = 0;
};
