#include "settings/IniFile.h"

#include "util/TextFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

bool IniFile::load(const QString& path, QString* reason)
{
    sections_.clear();
    if (!QFileInfo::exists(path))
        return true;
    const std::optional<QStringList> lines = readTextLines(path, reason);
    if (!lines)
        return false;
    parse(*lines);
    return true;
}

void IniFile::parse(const QStringList& lines)
{
    sections_.clear();
    QString current;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
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
                                       [&](const Entry& e) {
                                           return e.key.compare(key, Qt::CaseInsensitive) == 0;
                                       });
        if (!known)
            section.entries.append({key, line.mid(eq + 1).trimmed()});
    }
}

const IniFile::Section* IniFile::findSection(const QString& name) const
{
    for (const Section& s : sections_)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

IniFile::Section& IniFile::sectionFor(const QString& name)
{
    for (Section& s : sections_)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return s;
    sections_.append({name, {}});
    return sections_.last();
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    for (const Entry& e : s->entries)
        if (e.key.compare(key, Qt::CaseInsensitive) == 0)
            return e.value;
    return std::nullopt;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    QString oneLine = value;
    oneLine.replace('\r', ' ').replace('\n', ' ');
    oneLine = oneLine.trimmed();
    Section& s = sectionFor(section);
    for (Entry& e : s.entries) {
        if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
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
