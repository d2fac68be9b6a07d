#pragma once

#include <QSettings>
#include <QString>
#include <memory>

class Ui;

// The current user's registry: "SOFTWARE\Tamrix\" + product is one QSettings store
// (native format, organisation "Tamrix", application = product); the rest of a key
// path is a group in it. The caller creates the value and hands it down, so tests
// point it at a temporary folder.
class Registry {
public:
    // The real per-user place.
    static Registry currentUser();
    // product + ".conf" files (INI format) in the given folder.
    static Registry inFolder(const QString& folder);

    // The store of one product; never null.
    std::unique_ptr<QSettings> open(const QString& product) const;

private:
    QString folder_;  // empty: native per-user place
};

// key: a path under the current user's root, "\" or "/" separated, such as
// "SOFTWARE\Tamrix\Corvanel\Layout\Main". An empty name stands for the key's
// unnamed value: reading gives it, while writing with an empty name deletes it
// and ignores the value given. Keys outside "SOFTWARE\Tamrix\<product>" cannot
// be opened.
// False (after the warning "Error encountered saving registry") when the key cannot
// be opened or written.
bool WriteRegString(const Registry& root, Ui& ui, const QString& key, const QString& name,
                    const QString& value);
// Empty when the key or the value is missing.
QString ReadRegString(const Registry& root, const QString& key, const QString& name);

// The same under "SOFTWARE\Tamrix\" + product + "\" + section.
bool WriteAppSetting(const Registry& root, Ui& ui, const QString& product, const QString& section,
                     const QString& name, const QString& value);
QString ReadAppSetting(const Registry& root, const QString& product, const QString& section,
                       const QString& name);
