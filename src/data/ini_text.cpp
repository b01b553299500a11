#include "data/ini_text.h"

#include "data/text_encoding.h"

#include <QFile>
#include <QSaveFile>

namespace {

bool isSection(const QString &line, QString *name = nullptr)
{
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(u'[') || !t.endsWith(u']')) return false;
    if (name) *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool isKey(const QString &line, const QString &key, QString *value = nullptr)
{
    const QString t = line.trimmed();
    if (t.startsWith(u';') || t.startsWith(u'#')) return false;
    const int eq = t.indexOf(u'=');
    if (eq <= 0 || t.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0) return false;
    if (value) *value = t.mid(eq + 1).trimmed();
    return true;
}

} // namespace

IniText IniText::parse(const QString &text)
{
    IniText ini;
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    ini.m_lines = t.split(u'\n');
    while (!ini.m_lines.isEmpty() && ini.m_lines.constLast().trimmed().isEmpty()) ini.m_lines.removeLast();
    return ini;
}

IniText IniText::load(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return IniText();
    return parse(TextEncoding::decode(f.readAll()));
}

int IniText::sectionLine(const QString &section) const
{
    QString name;
    for (int i = 0; i < m_lines.size(); ++i)
        if (isSection(m_lines[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int IniText::keyLine(const QString &section, const QString &key) const
{
    const int start = sectionLine(section);
    if (start < 0) return -1;
    for (int i = start + 1; i < m_lines.size() && !isSection(m_lines[i]); ++i)
        if (isKey(m_lines[i], key)) return i;
    return -1;
}

bool IniText::contains(const QString &section, const QString &key) const { return keyLine(section, key) >= 0; }

QString IniText::value(const QString &section, const QString &key, const QString &fallback) const
{
    const int i = keyLine(section, key);
    if (i < 0) return fallback;
    QString v;
    isKey(m_lines[i], key, &v);
    return v;
}

void IniText::setValue(const QString &section, const QString &key, const QString &value)
{
    // A value cannot span lines: a line break would start a new key.
    QString v = value;
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString line = key + u'=' + v;
    const int i = keyLine(section, key);
    if (i >= 0) {
        m_lines[i] = line;
        return;
    }
    int start = sectionLine(section);
    if (start < 0) {
        if (!m_lines.isEmpty() && !m_lines.constLast().trimmed().isEmpty()) m_lines << QString();
        m_lines << u'[' + section + u']' << line;
        return;
    }
    int end = start + 1;
    while (end < m_lines.size() && !isSection(m_lines[end])) ++end;
    while (end > start + 1 && m_lines[end - 1].trimmed().isEmpty()) --end;  // before the blank lines
    m_lines.insert(end, line);
}

QString IniText::text() const
{
    QString out;
    for (const QString &l : m_lines) out += l + QStringLiteral("\r\n");
    return out;
}

bool IniText::save(const QString &path, QString *error) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text().toUtf8()) < 0 || !f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}
