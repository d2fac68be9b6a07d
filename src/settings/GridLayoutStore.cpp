#include "settings/GridLayoutStore.h"

#include "util/TextRoutines.h"

#include <QSettings>

namespace {

const QString kGeometryKey = "Layout/Main";

// A value someone spoiled by hand keeps the column's current state.
int intValue(const QSettings& store, const QString& key, int current)
{
    bool ok = false;
    const int n = store.value(key).toInt(&ok);
    return ok ? n : current;
}

bool boolValue(const QSettings& store, const QString& key, bool current)
{
    const QString text = store.value(key).toString();
    // A registry number stands for a truth value too.
    if (text == "1" || text == "0")
        return text == "1";
    return TextToBool(text, current);
}

}  // namespace

GridLayoutStore::GridLayoutStore()
    : store_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "Tamrix",
                                         "Corvanel"))
{
}

GridLayoutStore::GridLayoutStore(const QString& fileName)
    : store_(std::make_unique<QSettings>(fileName, QSettings::NativeFormat))
{
}

GridLayoutStore::~GridLayoutStore() = default;

const QStringList& GridLayoutStore::columnNames()
{
    static const QStringList names{
        "dxDBGrid1Item",     "dxDBGrid1Name",        "dxDBGrid1Category", "dxDBGrid1Bounces",
        "dxDBGrid1Comments", "dxDBGrid1InsertDate",  "dxDBGrid1Salutation", "dxDBGrid1Surname",
        "dxDBGrid1Company",  "dxDBGrid1Address",     "dxDBGrid1City",     "dxDBGrid1State",
        "dxDBGrid1ZIP",      "dxDBGrid1Country",     "dxDBGrid1SendRights", "dxDBGrid1NewUser",
        "dxDBGrid1Tagged",   "dxDBGrid1LastBounce",
    };
    return names;
}

void GridLayoutStore::save(const GridLayout& layout)
{
    store_->setValue("ShowGroupPanel", layout.ShowGroupPanel);
    store_->setValue("FlatStyle", layout.FlatStyle);
    store_->setValue("AutoWidth", layout.AutoWidth);
    store_->setValue("AutoPreview", layout.AutoPreview);
    for (const GridColumnLayout& c : layout.columns) {
        store_->beginGroup(c.name);
        store_->setValue("Visible", c.Visible);
        store_->setValue("Index", c.Index);
        store_->setValue("GroupIndex", c.GroupIndex);
        store_->setValue("Width", c.Width);
        store_->setValue("Sorted", c.Sorted);
        store_->endGroup();
    }
}

GridLayout GridLayoutStore::load(GridLayout current) const
{
    for (GridColumnLayout& c : current.columns) {
        store_->beginGroup(c.name);
        c.Visible = boolValue(*store_, "Visible", c.Visible);
        c.Index = intValue(*store_, "Index", c.Index);
        c.GroupIndex = intValue(*store_, "GroupIndex", c.GroupIndex);
        c.Width = intValue(*store_, "Width", c.Width);
        c.Sorted = intValue(*store_, "Sorted", c.Sorted);
        store_->endGroup();
    }
    return current;
}

void GridLayoutStore::saveWindowGeometry(const QByteArray& geometry)
{
    store_->setValue(kGeometryKey, geometry);
}

QByteArray GridLayoutStore::windowGeometry() const
{
    return store_->value(kGeometryKey).toByteArray();
}

bool GridLayoutStore::sync()
{
    store_->sync();
    return store_->status() == QSettings::NoError;
}
