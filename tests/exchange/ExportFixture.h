#pragma once

#include "base/Folders.h"
#include "exchange/ExportList.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/TdmML.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A database opened as the program opens one, in a temporary folder, with a list
// to write out.
class ExportFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folders = Folders::forApplication(dir.path());
        folder = folders.application + "DB/";
        ASSERT_TRUE(QDir().mkpath(folder));
        logs = std::make_unique<Logs>(settings.logSwitches(), folders.application, [this] { return folder; });
        db = std::make_unique<TdmML>(folders, settings, *logs, ui);
        ui.answer(Ui::Answer::Yes);  // create the database
        ASSERT_TRUE(db->OpenDatabase(folder));
        ui.shown.clear();
    }

    void TearDown() override { db->database().close(); }

    EntriesTable& entries() { return db->database().entries(); }
    ExportContext context(ExportHooks hooks = {}) { return {entries(), ui, std::move(hooks)}; }

    void add(const QString& item, const QString& name = {}, const QString& city = {})
    {
        Entry e;
        e.Item = item;
        e.Category = "default";
        e.Name = name;
        e.City = city;
        entries().insert(e);
    }

    static ExportColumnFlags only(std::initializer_list<ExportColumn> columns)
    {
        ExportColumnFlags flags{};
        for (ExportColumn c : columns)
            flags[size_t(c)] = true;
        return flags;
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    Folders folders;
    QString folder;
    Settings settings;
    ScriptedUi ui;
    std::unique_ptr<Logs> logs;
    std::unique_ptr<TdmML> db;
};
