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

struct SettingKey {
    const char* section;
    const char* key;
    SettingBinding binding;
    KeyAccess access = KeyAccess::ReadWrite;
};

// In file order. A codec may rely on the keys listed before its own.
std::span<const SettingKey> settingKeys();

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

// Reads one key into s; an absent or unreadable value gives the key's default.
void readKey(const SettingKey& key, Settings& s, const IniFile& ini);
// The text saved for the key; nullopt for the read-only keys.
std::optional<QString> keyText(const SettingKey& key, const Settings& s);
