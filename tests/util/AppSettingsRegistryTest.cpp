#include "util/AppSettingsRegistry.h"

#include "support/ScriptedUi.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Registry, AppSettingRoundTripInTheProductsFile)
{
    QTemporaryDir dir;
    const Registry registry = Registry::inFolder(dir.path());
    ScriptedUi ui;
    EXPECT_TRUE(WriteAppSetting(registry, ui, "Corvanel", "Layout", "Main", "1,2,3 Zoë"));
    EXPECT_EQ(ReadAppSetting(registry, "Corvanel", "Layout", "Main"), "1,2,3 Zoë");
    EXPECT_TRUE(QFile::exists(dir.path() + "/Corvanel.conf"));
    EXPECT_TRUE(ui.shown.isEmpty());

    // Another store, reading the same file, sees the value: it was written out.
    const Registry again = Registry::inFolder(dir.path());
    EXPECT_EQ(ReadRegString(again, "SOFTWARE\\Tamrix\\Corvanel\\Layout", "Main"), "1,2,3 Zoë");
    EXPECT_EQ(ReadRegString(again, "software/tamrix/Corvanel/Layout/", "Main"), "1,2,3 Zoë");
}

TEST(Registry, MissingValuesReadEmpty)
{
    QTemporaryDir dir;
    const Registry registry = Registry::inFolder(dir.path());
    EXPECT_EQ(ReadAppSetting(registry, "Corvanel", "Nowhere", "Nothing"), "");
    EXPECT_EQ(ReadRegString(registry, "SOFTWARE\\Other\\Program", "x"), "");
}

TEST(Registry, EmptyNameDeletesTheUnnamedValue)
{
    QTemporaryDir dir;
    const Registry registry = Registry::inFolder(dir.path());
    {
        QSettings store(dir.path() + "/Corvanel.conf", QSettings::IniFormat);
        store.setValue("Layout/Default", "old");
    }
    EXPECT_EQ(ReadAppSetting(registry, "Corvanel", "Layout", ""), "old");
    ScriptedUi ui;
    EXPECT_TRUE(WriteAppSetting(registry, ui, "Corvanel", "Layout", "", "ignored"));
    EXPECT_EQ(ReadAppSetting(registry, "Corvanel", "Layout", ""), "");
}

TEST(Registry, AKeyThatCannotBeOpenedIsReported)
{
    QTemporaryDir dir;
    ScriptedUi ui;
    EXPECT_FALSE(WriteRegString(Registry::inFolder(dir.path()), ui, "SOFTWARE\\Other", "x", "y"));
    EXPECT_EQ(ui.texts(), QStringList{"Error encountered saving registry"});

    // A store whose folder cannot exist (under a plain file) cannot be written.
    QFile blocker(dir.path() + "/file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ScriptedUi second;
    EXPECT_FALSE(WriteAppSetting(Registry::inFolder(dir.path() + "/file/sub"), second, "Corvanel",
                                 "Layout", "Main", "1"));
    EXPECT_EQ(second.texts(), QStringList{"Error encountered saving registry"});
}
