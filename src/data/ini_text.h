#pragma once
// A settings file in INI form whose values are kept exactly as typed
// ("ayfaiz=1,5", "SonTumYedek=05.03.2024"): QSettings quotes such values and reads
// an unquoted one with a comma as a list, which other programs' files do not expect.
// Sections and keys compare without regard to case, as Windows INI files do; lines
// the program does not know (comments, other keys) are kept in place on saving.
#include <QString>
#include <QStringList>

class IniText {
public:
    // Reads the file (UTF-8, or Windows-1254 when not valid UTF-8); a missing or
    // unreadable file gives an empty one.
    static IniText load(const QString &path);
    static IniText parse(const QString &text);

    bool contains(const QString &section, const QString &key) const;
    // The value after the first "=", spaces around it trimmed; fallback when absent.
    QString value(const QString &section, const QString &key, const QString &fallback = QString()) const;
    // Replaces the key's value, or adds the key at the end of its section (the
    // section at the end of the file when new).
    void setValue(const QString &section, const QString &key, const QString &value);

    QString text() const;  // lines joined by CRLF, ending with one
    // Writes UTF-8 through a temporary file renamed into place, so a failed write
    // leaves the former file whole. False with a reason when it cannot.
    bool save(const QString &path, QString *error = nullptr) const;

private:
    int sectionLine(const QString &section) const;              // -1 when absent
    int keyLine(const QString &section, const QString &key) const;
    QStringList m_lines;
};
