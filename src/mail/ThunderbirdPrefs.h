#pragma once

#include <QHash>
#include <QString>
#include <optional>
#include <variant>

// The preferences of a Thunderbird profile as its prefs.js holds them: one
// user_pref("key", value); statement per preference, the value a quoted string,
// an integer or true/false, between // and /* */ comments.
class ThunderbirdPrefs {
public:
    // Reads the statements of the text. False when the text is not such a list
    // (*problem says where); what was read before stays.
    bool parse(const QString& text, QString* problem = nullptr);

    // The string preference; nullopt when absent or of another type.
    std::optional<QString> text(const QString& key) const;
    // The integer preference; nullopt when absent or of another type.
    std::optional<int> integer(const QString& key) const;

private:
    using Value = std::variant<QString, int, bool>;
    QHash<QString, Value> values_;
};
