#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <memory>

class Hunspell;

// One Hunspell dictionary: the installed one of the locale's language, so a list
// owner writing in German is not told every word is wrong.
class SpellChecker {
public:
    // Where Debian's hunspell-* and myspell-* packages put their dictionaries.
    static QStringList defaultFolders();
    // The dictionary of the locale's language and country, else of its language, else
    // American English; nullptr when none is installed.
    static std::unique_ptr<SpellChecker> open(const QLocale& locale, const QStringList& folders = defaultFolders());

    ~SpellChecker();
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    QString dictionaryName() const { return name_; }  // "en_US"
    bool isCorrect(const QString& word) const;
    QStringList suggestions(const QString& word) const;
    // Accepts the word for the rest of this checker's life ("Ignore All").
    void accept(const QString& word);

    struct Word {
        int start = -1;
        int length = 0;
    };
    // The first misspelt word at or after `from`; start -1 when there is none. Numbers,
    // field codes such as %FIRST_NAME% and web or mail addresses are not words.
    Word nextMisspelt(const QString& text, int from) const;

private:
    SpellChecker(const QString& affix, const QString& dictionary, QString name);
    QByteArray encoded(const QString& word) const;
    QString decoded(const std::string& word) const;

    std::unique_ptr<Hunspell> hunspell_;
    QString name_;
    bool latin1_ = false;
};
