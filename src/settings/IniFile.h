#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A plain INI text: "[Section]" headers and "key=value" lines, as any INI tool
// reads them. Section and key names compare without regard to letter case, the
// first occurrence of a key wins, and keys the program does not know are kept
// so that saving never drops what another tool (or an older version) wrote.
// Keys above the first header (hand-made files have them) answer for any
// section that lacks them, and move into the section a value is set in.
class IniFile {
public:
    // Replaces the contents with the file's. A missing file gives an empty INI
    // and true; false when the file exists but cannot be read (*reason says why).
    // UTF-16 and UTF-32 files with a byte-order mark (as Windows tools write
    // them) are read as well as the text files of TextFiles.h.
    bool load(const QString& path, QString* reason = nullptr);
    void parse(const QStringList& lines);

    // What parsing found, for telling an INI text from something else.
    bool hasBinaryContent() const { return binary_; }  // a NUL character
    bool isBlank() const { return blank_; }            // nothing but blanks and comments
    bool hasSectionHeader() const;

    std::optional<QString> value(const QString& section, const QString& key) const;
    // The names of the sections, in file order.
    QStringList sectionNames() const;
    // Line breaks inside a value become blanks: a value is one line and can
    // never smuggle in a key of its own.
    void setValue(const QString& section, const QString& key, const QString& value);

    QByteArray text() const;
    // Written in one step (temporary file + rename) and readable by the owner
    // only, since the file holds passwords. False when it could not be written
    // (*reason says why).
    bool save(const QString& path, QString* reason = nullptr) const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        QList<Entry> entries;
    };
    const Section* findSection(const QString& name) const;
    Section& sectionFor(const QString& name);

    QList<Section> sections_;
    bool binary_ = false;
    bool blank_ = true;
};
