#include "util/AppSettingsRegistry.h"

#include "base/Ui.h"

#include <QStringList>
#include <optional>

namespace {

const QString organisation = QStringLiteral("Tamrix");
// QSettings' name for a key's unnamed value; the Windows registry backend maps it
// to the real unnamed value.
const QString unnamedValue = QStringLiteral("Default");

struct KeyPlace {
    QString product;
    QString group;
};

// "SOFTWARE\Tamrix\<product>[\group...]"; nullopt for any other key.
std::optional<KeyPlace> placeOf(const QString& key)
{
    QStringList parts = QString(key).replace('\\', '/').split('/', Qt::SkipEmptyParts);
    if (parts.size() < 3 || parts[0].compare("SOFTWARE", Qt::CaseInsensitive) != 0 ||
        parts[1].compare(organisation, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    KeyPlace place{parts[2], {}};
    place.group = parts.mid(3).join('/');
    return place;
}

QString valueName(const QString& name)
{
    return name.isEmpty() ? unnamedValue : name;
}

QString appKey(const QString& product, const QString& section)
{
    return "SOFTWARE\\" + organisation + "\\" + product + "\\" + section;
}

}  // namespace

Registry Registry::currentUser()
{
    return Registry();
}

Registry Registry::inFolder(const QString& folder)
{
    Registry r;
    r.folder_ = QString(folder).replace('\\', '/');
    if (!r.folder_.endsWith('/'))
        r.folder_ += '/';
    return r;
}

std::unique_ptr<QSettings> Registry::open(const QString& product) const
{
    if (folder_.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           organisation, product);
    return std::make_unique<QSettings>(folder_ + product + ".conf", QSettings::IniFormat);
}

bool WriteRegString(const Registry& root, Ui& ui, const QString& key, const QString& name,
                    const QString& value)
{
    const std::optional<KeyPlace> place = placeOf(key);
    bool written = false;
    if (place) {
        const std::unique_ptr<QSettings> store = root.open(place->product);
        store->beginGroup(place->group);
        if (name.isEmpty())
            store->remove(unnamedValue);
        else
            store->setValue(name, value);
        store->endGroup();
        store->sync();
        written = store->status() == QSettings::NoError;
    }
    if (!written)
        ui.warn("Error encountered saving registry");
    return written;
}

QString ReadRegString(const Registry& root, const QString& key, const QString& name)
{
    const std::optional<KeyPlace> place = placeOf(key);
    if (!place)
        return {};
    const std::unique_ptr<QSettings> store = root.open(place->product);
    store->beginGroup(place->group);
    return store->value(valueName(name)).toString();
}

bool WriteAppSetting(const Registry& root, Ui& ui, const QString& product, const QString& section,
                     const QString& name, const QString& value)
{
    return WriteRegString(root, ui, appKey(product, section), name, value);
}

QString ReadAppSetting(const Registry& root, const QString& product, const QString& section,
                       const QString& name)
{
    return ReadRegString(root, appKey(product, section), name);
}
