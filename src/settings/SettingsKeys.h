#pragma once

#include "settings/Settings.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <variant>

class IniFile;

// Every key of Settings.ini in one table, used by loading and saving alike, so
// a key is named exactly once. A key's default is the value a default-made
// Settings holds (its member initialiser).

// For the few keys whose text is not simply the member's value.
struct SettingCodec {
    // text: the stored text, nullopt when the key is absent.
    void (*read)(Settings& s, const std::optional<QString>& text);
    // nullptr: the key is read only and never written.
    QString (*write)(const Settings& s);
};

using SettingBinding =
    std::variant<bool Settings::*, int Settings::*, QString Settings::*, SettingCodec>;

enum class KeyAccess { ReadWrite, ReadOnly };

struct IntRange {
    int min;
    int max;
    constexpr bool contains(int n) const { return n >= min && n <= max; }
};

// The values a key accepts. Loading replaces a stored value outside them by the
// key's default and says so in the debug log; the options dialog bounds its
// controls by the same rules. A key without a rule takes any value of its type.
struct KeyRule {
    // A number: its usual values, the ones its control offers ...
    std::optional<IntRange> usual;
    // ... of which only these, for an enumeration with gaps ...
    std::span<const int> only;
    // ... and, outside them, values with a meaning of their own ("0 or less: off").
    std::optional<IntRange> special;
    // A text: one of these, matched in any letter case, read in this spelling.
    std::span<const char* const> choices;

    bool accepts(int n) const;
};

struct SettingKey {
    const char* section;
    const char* key;
    SettingBinding binding;
    KeyRule rule = {};
    KeyAccess access = KeyAccess::ReadWrite;
};

// In file order. A codec may rely on the keys listed before its own.
std::span<const SettingKey> settingKeys();
// The key of that name (exact spelling); nullptr when there is none.
const SettingKey* settingKey(const QString& name);

// A text-list file of the configuration folder and the list it fills.
struct ListFile {
    const char* fileName;
    QStringList Settings::*member;
};

// In loading order.
std::span<const ListFile> listFiles();

// The Settings.ini formats: booleans "true"/"False", read back in any letter
// case with anything else giving the default; integers in decimal.
QString boolText(bool value);
bool boolFromText(const std::optional<QString>& text, bool fallback);
int intFromText(const std::optional<QString>& text, int fallback);

// Reads one key into s; an absent or unreadable value gives the key's default,
// and so does one its rule does not accept, which *replaced then describes.
void readKey(const SettingKey& key, Settings& s, const IniFile& ini, QString* replaced = nullptr);
// The text saved for the key; nullopt for the read-only keys.
std::optional<QString> keyText(const SettingKey& key, const Settings& s);
