#include "sending/SpellChecker.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <hunspell.hxx>

QStringList SpellChecker::defaultFolders()
{
    return {QStringLiteral("/usr/share/hunspell"), QStringLiteral("/usr/share/myspell"),
            QStringLiteral("/usr/share/myspell/dicts")};
}

std::unique_ptr<SpellChecker> SpellChecker::open(const QLocale& locale, const QStringList& folders)
{
    const QString full = locale.name();  // "de_DE"
    const QString language = full.section(u'_', 0, 0);
    const auto find = [&folders](const QString& pattern) -> QString {
        for (const QString& folder : folders) {
            const QStringList found = QDir(folder).entryList({pattern + ".dic"}, QDir::Files, QDir::Name);
            for (const QString& dic : found) {
                const QString base = QDir(folder).filePath(QFileInfo(dic).completeBaseName());
                if (QFileInfo::exists(base + ".aff"))
                    return base;
            }
        }
        return {};
    };
    QString base = find(full);
    if (base.isEmpty())
        base = find(language + "_*");
    if (base.isEmpty())
        base = find(language);
    if (base.isEmpty())
        base = find(QStringLiteral("en_US"));
    if (base.isEmpty())
        return nullptr;
    return std::unique_ptr<SpellChecker>(new SpellChecker(base + ".aff", base + ".dic", QFileInfo(base).fileName()));
}

SpellChecker::SpellChecker(const QString& affix, const QString& dictionary, QString name)
    : hunspell_(std::make_unique<Hunspell>(QFile::encodeName(affix).constData(),
                                           QFile::encodeName(dictionary).constData())),
      name_(std::move(name))
{
    const QString encoding = QString::fromStdString(hunspell_->get_dict_encoding()).toUpper();
    latin1_ = encoding == "ISO8859-1" || encoding == "ISO-8859-1";
}

SpellChecker::~SpellChecker() = default;

QByteArray SpellChecker::encoded(const QString& word) const
{
    return latin1_ ? word.toLatin1() : word.toUtf8();
}

QString SpellChecker::decoded(const std::string& word) const
{
    return latin1_ ? QString::fromLatin1(word) : QString::fromStdString(word);
}

bool SpellChecker::isCorrect(const QString& word) const
{
    return hunspell_->spell(encoded(word).toStdString());
}

QStringList SpellChecker::suggestions(const QString& word) const
{
    QStringList list;
    for (const std::string& suggestion : hunspell_->suggest(encoded(word).toStdString()))
        list << decoded(suggestion);
    return list;
}

void SpellChecker::accept(const QString& word)
{
    hunspell_->add(encoded(word).toStdString());
}

SpellChecker::Word SpellChecker::nextMisspelt(const QString& text, int from) const
{
    // Tokens that are not prose go first in the alternation so their letters are not
    // taken for words.
    static const QRegularExpression token(
        QStringLiteral(R"(%[A-Z0-9_]+%|\b(?:https?://|mailto:|www\.)\S+|[\w.+-]+@[\w.-]+|[\p{L}\p{M}\d]+(?:['’][\p{L}\p{M}]+)*)"),
        QRegularExpression::UseUnicodePropertiesOption);
    for (auto it = token.globalMatch(text, from); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString word = match.captured();
        if (word.startsWith(u'%') || word.contains(u'@') || word.contains(u'/') || word.startsWith("www."))
            continue;
        if (std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); }))
            continue;
        if (!isCorrect(word))
            return {int(match.capturedStart()), int(match.capturedLength())};
    }
    return {};
}
