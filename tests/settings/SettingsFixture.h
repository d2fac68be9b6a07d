#pragma once

#include "base/Folders.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "support/ScriptedUi.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

// A settings store over a fresh application folder, with a fixed clock, a
// recorded browser and wizard, and the debug log switched on.
class SettingsFixture : public ::testing::Test {
protected:
    SettingsFixture();

    SettingsStore::Hooks hooks();
    // One store for the whole test, made at first use from the hooks above.
    SettingsStore& store();

    Settings loaded();                      // a fresh Settings through Loadentries
    void writeFile(const QString& path, const QByteArray& bytes);
    QByteArray readFile(const QString& path) const;
    QString configIni() const { return folders.config + "Settings.ini"; }
    QString appIni() const { return folders.application + "Settings.ini"; }
    // The value of a key as the saved file holds it; nullopt when absent.
    std::optional<QString> savedValue(const QString& section, const QString& key) const;
    QStringList debugLines() const;

    QTemporaryDir dir;
    Folders folders;
    ScriptedUi ui;
    Settings logSettings;
    Logs logs;
    QDateTime clock{QDate(2026, 12, 8), QTime(12, 0)};
    QList<QUrl> opened;
    int wizardRuns = 0;
    int databaseSaves = 0;
    int wizardChoice = 1;
    QString symbolicDatabase;  // empty: no currentDatabaseFolder hook; set before store()

private:
    std::unique_ptr<SettingsStore> store_;
};
