#pragma once

#include "base/Folders.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/StatisticsRecorder.h"
#include "store/TdmML.h"
#include "subscriptions/InsertEntry.h"
#include "subscriptions/ListContext.h"
#include "support/ScriptedUi.h"
#include "util/TextFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A real database folder in a temporary directory with every table open, the
// logs writing into it, and the acknowledgements collected instead of sent.
class ListFixture : public ::testing::Test {
protected:
    struct Acknowledgement {
        QString address;
        QString text;
        bool subscribe;
    };

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folders = Folders::forApplication(dir.path());
        folder = folders.application + "DB/";
        ASSERT_TRUE(QDir().mkpath(folder));
        settings.MaintainLog = true;
        settings.Cats = {"default", "news"};
        logs = std::make_unique<Logs>(settings.logSwitches(), folders.application, [this] { return folder; });
        db = std::make_unique<TdmML>(folders, settings, *logs, ui);
        Database::createMissingTables(folder, TableScope::All);
        db->database().setFolder(folder, false, false);
        for (TableId table : kOpenOrder)
            db->database().openTable(table);
        statistics = std::make_unique<StatisticsRecorder>(db->database(),
                                                          [this] { return db->entryCount(); });
        ctx = std::make_unique<ListContext>(ListContext{
            settings, *logs, ui, *db, *statistics,
            [this](const QString& address, const QString& text, bool subscribe) {
                acks.push_back({address, text, subscribe});
            }});
    }

    void TearDown() override { db->database().close(); }

    EntriesTable& entries() { return db->database().entries(); }

    qint64 addEntry(const QString& item, const QString& category, int bounces = 0)
    {
        Entry e;
        e.Item = item;
        e.Category = category;
        e.Bounces = bounces;
        db->setEntryCount(db->entryCount() + 1);
        return entries().insert(e);
    }

    // A request as the check run makes it: statistics and acknowledgement on,
    // checks on, comment "c".
    QStringList request(bool add, const QString& address, const QString& group,
                        const QString& name = {}, const QString& dateText = {})
    {
        return insertentry(*ctx, add, address, true, true, false, dateText, "c", TCVNAddress{}, name,
                           group);
    }

    // The lines of a file of the database folder; empty when it is absent.
    QStringList fileLines(const QString& name) const
    {
        return readTextLines(folder + name).value_or(QStringList());
    }

    // The activity-log messages, without their date-time.
    QStringList logMessages() const
    {
        QStringList out;
        for (const QString& line : fileLines("log.txt"))
            out << line.mid(line.indexOf("  -  ") + 5);
        return out;
    }

    QStringList itemsAndGroups()
    {
        QStringList out;
        entries().walk([&](const Entry& e) {
            out << e.Item + "|" + e.Category;
            return true;
        });
        return out;
    }

    QTemporaryDir dir;
    Folders folders;
    QString folder;
    Settings settings;
    ScriptedUi ui;
    std::unique_ptr<Logs> logs;
    std::unique_ptr<TdmML> db;
    std::unique_ptr<StatisticsRecorder> statistics;
    std::unique_ptr<ListContext> ctx;
    QList<Acknowledgement> acks;
};
