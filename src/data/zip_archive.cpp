#include "data/zip_archive.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <zip.h>

namespace {

// What went wrong in Turkish, by libzip's error number.
QString turkishReason(int code)
{
    switch (code) {
    case ZIP_ER_EXISTS: return QStringLiteral("Bu adda bir dosya zaten var.");
    case ZIP_ER_NOZIP: return QStringLiteral("Dosya bir zip arşivi değil.");
    case ZIP_ER_INCONS: return QStringLiteral("Arşiv tutarsız; dosya bozuk ya da eksik.");
    case ZIP_ER_CRC: return QStringLiteral("Arşivdeki bir kayıt bozuk (denetim toplamı tutmuyor).");
    case ZIP_ER_ZLIB: return QStringLiteral("Arşivdeki sıkıştırılmış veri bozuk.");
    case ZIP_ER_EOF: return QStringLiteral("Dosya beklenenden önce bitiyor; eksik kopyalanmış olabilir.");
    case ZIP_ER_NOENT: return QStringLiteral("Dosya ya da arşivdeki kayıt bulunamadı.");
    case ZIP_ER_OPEN: return QStringLiteral("Dosya açılamadı; dosya izinlerini denetleyin.");
    case ZIP_ER_READ: return QStringLiteral("Dosya okunamadı.");
    case ZIP_ER_WRITE: return QStringLiteral("Dosyaya yazılamadı; diskte yer olup olmadığını denetleyin.");
    case ZIP_ER_SEEK: return QStringLiteral("Dosyada ilerlenemedi; dosya bozuk olabilir.");
    case ZIP_ER_CLOSE: return QStringLiteral("Dosya kapatılamadı.");
    case ZIP_ER_TMPOPEN: return QStringLiteral("Geçici dosya oluşturulamadı; klasöre yazılabildiğini denetleyin.");
    case ZIP_ER_RENAME: return QStringLiteral("Geçici dosya yerine taşınamadı.");
    case ZIP_ER_REMOVE: return QStringLiteral("Dosya silinemedi.");
    case ZIP_ER_MEMORY: return QStringLiteral("Bellek yetersiz.");
    case ZIP_ER_RDONLY: return QStringLiteral("Dosya salt okunur.");
    case ZIP_ER_WRONGPASSWD: return QStringLiteral("Şifre yanlış.");
    case ZIP_ER_NOPASSWD: return QStringLiteral("Arşiv şifreli; şifre gerekli.");
    case ZIP_ER_COMPNOTSUPP: return QStringLiteral("Arşivin sıkıştırma yöntemi desteklenmiyor.");
    case ZIP_ER_ENCRNOTSUPP: return QStringLiteral("Arşivin şifreleme yöntemi desteklenmiyor.");
    case ZIP_ER_MULTIDISK: return QStringLiteral("Birden çok parçaya bölünmüş arşivler desteklenmiyor.");
    case ZIP_ER_CHANGED:
    case ZIP_ER_DELETED:
    case ZIP_ER_ZIPCLOSED: return QStringLiteral("Arşiv bu arada değişti ya da kapandı.");
    default: return QStringLiteral("Arşiv işlenemedi.");
    }
}

// The Turkish reason with the library's own text after it, for support.
QString libraryText(zip_error_t *error)
{
    return turkishReason(zip_error_code_zip(error)) + QStringLiteral(" (libzip: ")
           + QString::fromLocal8Bit(zip_error_strerror(error)) + u')';
}

QString openErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = libraryText(&error);
    zip_error_fini(&error);
    return text;
}

// The file types that are compressed already: deflating them again gains nothing.
const QStringList kStoredTypes = {QStringLiteral("gif"), QStringLiteral("png"), QStringLiteral("z"),
                                  QStringLiteral("zip"), QStringLiteral("zoo"), QStringLiteral("arc"),
                                  QStringLiteral("lzh"), QStringLiteral("arj"), QStringLiteral("taz"),
                                  QStringLiteral("tgz"), QStringLiteral("lha"), QStringLiteral("rar"),
                                  QStringLiteral("ace"), QStringLiteral("cab"), QStringLiteral("gz"),
                                  QStringLiteral("gzip"), QStringLiteral("jar")};

} // namespace

// ---------------------------------------------------------------- reading

ZipEntryStream::ZipEntryStream(zip_file *file, qint64 limit) : m_file(file), m_limit(limit)
{
    // Without a file: an entry whose declared size is past the limit already.
    m_tooLarge = !file;
    open(QIODevice::ReadOnly);
}

ZipEntryStream::~ZipEntryStream()
{
    if (m_file) zip_fclose(m_file);
}

qint64 ZipEntryStream::readData(char *data, qint64 maxSize)
{
    if (m_tooLarge || m_broken) return -1;
    // zip_fread checks the CRC once the whole entry has been read.
    const zip_int64_t got = zip_fread(m_file, data, zip_uint64_t(maxSize));
    if (got < 0) {
        m_broken = true;
        m_code = zip_error_code_zip(zip_file_get_error(m_file));
        m_message = libraryText(zip_file_get_error(m_file));
        setErrorString(m_message);
        return -1;
    }
    m_total += got;
    if (m_limit >= 0 && m_total > m_limit) {
        m_tooLarge = true;
        return -1;
    }
    return got;
}

ZipReader::ZipReader(const QString &path) : m_path(path)
{
    int code = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!m_zip) {
        m_error = openErrorText(code);
        m_code = code;
    }
}

bool ZipReader::isPasswordError(int code) { return code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_NOPASSWD; }

ZipReader::~ZipReader()
{
    if (m_zip) zip_discard(m_zip);
}

int ZipReader::count() const { return m_zip ? int(zip_get_num_entries(m_zip, 0)) : 0; }

ZipReader::Entry ZipReader::entry(int index) const
{
    Entry e;
    zip_stat_t st;
    zip_stat_init(&st);
    if (!m_zip || zip_stat_index(m_zip, zip_uint64_t(index), 0, &st) != 0) return e;
    if (st.valid & ZIP_STAT_NAME) e.name = QString::fromUtf8(st.name);
    if (st.valid & ZIP_STAT_SIZE) e.size = qint64(st.size);
    e.encrypted = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
    return e;
}

bool ZipReader::has(const QString &name) const
{
    return m_zip && zip_name_locate(m_zip, name.toUtf8().constData(), 0) >= 0;
}

void ZipReader::setPassword(const QString &password)
{
    if (m_zip) zip_set_default_password(m_zip, password.isEmpty() ? nullptr : password.toUtf8().constData());
}

std::unique_ptr<ZipEntryStream> ZipReader::open(const QString &name, qint64 limit)
{
    if (!m_zip) return nullptr;
    const zip_int64_t index = zip_name_locate(m_zip, name.toUtf8().constData(), 0);
    if (index < 0) {
        m_code = zip_error_code_zip(zip_get_error(m_zip));
        m_error = libraryText(zip_get_error(m_zip));
        return nullptr;
    }
    return open(int(index), limit);
}

std::unique_ptr<ZipEntryStream> ZipReader::open(int index, qint64 limit)
{
    if (!m_zip) return nullptr;
    if (limit >= 0) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE) &&
            st.size > zip_uint64_t(limit)) {
            // Refused before anything is inflated.
            auto none = std::make_unique<ZipEntryStream>(nullptr, limit);
            return none;
        }
    }
    zip_file_t *f = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!f) {
        m_code = zip_error_code_zip(zip_get_error(m_zip));
        m_error = libraryText(zip_get_error(m_zip));
        zip_error_clear(m_zip);
        return nullptr;
    }
    return std::make_unique<ZipEntryStream>(f, limit);
}

bool ZipReader::extract(int index, const QString &target, qint64 limit)
{
    m_tooLarge = false;
    auto in = open(index, limit);
    if (!in) return false;
    if (in->tooLarge()) {
        m_tooLarge = true;
        m_error = QStringLiteral("entry larger than its limit");
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        m_error = out.errorString();
        return false;
    }
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in->read(buffer.data(), buffer.size());
        if (got < 0) {
            m_tooLarge = in->tooLarge();
            m_code = in->libraryCode();
            m_error = m_tooLarge ? QStringLiteral("entry larger than its limit") : in->libraryMessage();
            out.cancelWriting();
            return false;
        }
        if (got == 0) break;
        if (out.write(buffer.constData(), got) != got) {
            m_error = out.errorString();
            out.cancelWriting();
            return false;
        }
    }
    if (!out.commit()) {
        m_error = out.errorString();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- writing

ZipWriter::ZipWriter(const QString &path) : m_path(path)
{
    int code = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!m_zip) m_error = openErrorText(code);
}

ZipWriter::~ZipWriter()
{
    if (m_zip) zip_discard(m_zip);
}

bool ZipWriter::isStoredType(const QString &fileName)
{
    return kStoredTypes.contains(QFileInfo(fileName).suffix().toLower());
}

int ZipWriter::methodFor(const QString &fileName) { return isStoredType(fileName) ? ZIP_CM_STORE : ZIP_CM_DEFLATE; }

bool ZipWriter::addFile(const QString &filePath)
{
    if (!m_zip) return false;
    const QString name = QFileInfo(filePath).fileName();
    // Read when the archive is written, in pieces.
    zip_source_t *source = zip_source_file(m_zip, QFile::encodeName(filePath).constData(), 0, 0);
    if (!source) {
        m_error = libraryText(zip_get_error(m_zip));
        return false;
    }
    const zip_int64_t index = zip_file_add(m_zip, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    if (index < 0) {
        m_error = libraryText(zip_get_error(m_zip));
        zip_source_free(source);
        return false;
    }
    const bool stored = isStoredType(name);
    if (zip_set_file_compression(m_zip, zip_uint64_t(index), stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, stored ? 0 : 9) != 0 ||
        (!m_password.isEmpty() &&
         zip_file_set_encryption(m_zip, zip_uint64_t(index), ZIP_EM_AES_256, m_password.toUtf8().constData()) != 0)) {
        m_error = libraryText(zip_get_error(m_zip));
        return false;
    }
    ++m_entries;
    return true;
}

bool ZipWriter::close()
{
    if (!m_zip) return false;
    if (zip_close(m_zip) != 0) {
        m_error = libraryText(zip_get_error(m_zip));
        zip_discard(m_zip);
        m_zip = nullptr;
        QFile::remove(m_path);
        return false;
    }
    m_zip = nullptr;
    if (m_entries == 0) {
        // The library writes no file for an archive without entries: an empty
        // archive is its end-of-directory record alone.
        QSaveFile out(m_path);
        QByteArray eocd(22, '\0');
        eocd[0] = 'P', eocd[1] = 'K', eocd[2] = 5, eocd[3] = 6;
        if (!out.open(QIODevice::WriteOnly) || out.write(eocd) != eocd.size() || !out.commit()) {
            m_error = out.errorString();
            return false;
        }
    }
    return true;
}
