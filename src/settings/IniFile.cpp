#include "settings/IniFile.h"

#include "util/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

bool IniFile::load(const QString& path, QString* reason)
{
    parse({});
    if (!QFileInfo::exists(path))
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    parse(decodeText(file.readAll()).split(lineBreak));
    return true;
}

void IniFile::parse(const QStringList& lines)
{
    sections_.clear();
    binary_ = false;
    blank_ = true;
    QString current;
    for (const QString& raw : lines) {
        binary_ = binary_ || raw.contains(QChar(0));
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        blank_ = false;
        if (line.startsWith('[') && line.endsWith(']')) {
            current = line.mid(1, line.size() - 2).trimmed();
            sectionFor(current);
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        Section& section = sectionFor(current);
        const bool known = std::any_of(section.entries.cbegin(), section.entries.cend(),
                                       [&](const Entry& e) { return sameName(e.key, key); });
        if (!known)
            section.entries.append({key, line.mid(eq + 1).trimmed()});
    }
}

bool IniFile::hasSectionHeader() const
{
    return std::any_of(sections_.cbegin(), sections_.cend(),
                       [](const Section& s) { return !s.name.isEmpty(); });
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    for (const Section& s : sections_)
        if (!s.name.isEmpty())
            names << s.name;
    return names;
}

const IniFile::Section* IniFile::findSection(const QString& name) const
{
    for (const Section& s : sections_)
        if (sameName(s.name, name))
            return &s;
    return nullptr;
}

IniFile::Section& IniFile::sectionFor(const QString& name)
{
    for (Section& s : sections_)
        if (sameName(s.name, name))
            return s;
    sections_.append({name, {}});
    return sections_.last();
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    for (const QString& name : {section, QString()}) {
        if (const Section* s = findSection(name))
            for (const Entry& e : s->entries)
                if (sameName(e.key, key))
                    return e.value;
    }
    return std::nullopt;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    QString oneLine = value;
    oneLine.replace('\r', ' ').replace('\n', ' ');
    oneLine = oneLine.trimmed();
    if (!section.isEmpty())
        for (Section& unnamed : sections_)
            if (unnamed.name.isEmpty())
                unnamed.entries.removeIf([&](const Entry& e) { return sameName(e.key, key); });
    Section& s = sectionFor(section);
    for (Entry& e : s.entries) {
        if (sameName(e.key, key)) {
            e.value = oneLine;
            return;
        }
    }
    s.entries.append({key, oneLine});
}

QByteArray IniFile::text() const
{
    QByteArray out;
    for (const Section& s : sections_) {
        if (!s.name.isEmpty()) {
            if (!out.isEmpty())
                out += '\n';
            out += '[' + s.name.toUtf8() + "]\n";
        }
        for (const Entry& e : s.entries)
            out += e.key.toUtf8() + '=' + e.value.toUtf8() + '\n';
    }
    return out;
}

bool IniFile::save(const QString& path, QString* reason) const
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    const QByteArray bytes = text();
    // Narrowed before the first byte is written, so the passwords are never
    // readable by others, not even for a moment.
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
                         file.write(bytes) == bytes.size() && file.commit();
    if (!written && reason)
        *reason = file.errorString();
    return written;
}
