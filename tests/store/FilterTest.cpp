#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/SqlFilter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FilterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Database::createMissingTables(dir.path(), TableScope::All);
        db.setFolder(dir.path(), false, false);
        db.openTable(TableId::Entries);
        add("a@x", "Sales", 0, true, false, false, QDateTime(QDate(2026, 12, 1), QTime(9, 0)));
        add("b@x", "o'brien", 7, false, true, false, QDateTime(QDate(2026, 12, 5), QTime(9, 0)));
        add("c@x", "Support", 2, true, false, true, QDateTime(QDate(2026, 11, 1), QTime(9, 0)));
        db.entries().execute(QStringLiteral("INSERT INTO mailist (Item) VALUES ('nogroup@x')"));
    }

    void add(const char* item, const char* group, int bounces, bool rights, bool isNew, bool tagged,
             const QDateTime& inserted)
    {
        Entry e;
        e.Item = QString::fromUtf8(item);
        e.Category = QString::fromUtf8(group);
        e.Bounces = bounces;
        e.SendRights = rights;
        e.NewUser = isNew;
        e.Tagged = tagged;
        e.SearchHit = tagged;
        e.InsertDate = inserted;
        db.entries().insert(e);
    }

    QStringList items(const QString& expression)
    {
        QStringList found;
        db.entries().walk(parseFilter(expression), [&](const Entry& e) {
            found << e.Item;
            return true;
        });
        return found;
    }

    QTemporaryDir dir;
    Database db;
};

TEST_F(FilterTest, FlagForms)
{
    EXPECT_EQ(items(QStringLiteral("SearchHit = TRUE")), QStringList{"c@x"});
    EXPECT_EQ(items(QStringLiteral("NewUser = TRUE")), QStringList{"b@x"});
    EXPECT_EQ(items(QStringLiteral("SendRights = FALSE")), QStringList{"b@x"});
    EXPECT_EQ(items(QStringLiteral("Tagged = TRUE")), QStringList{"c@x"});
    // A flag never written counts as FALSE.
    EXPECT_EQ(items(QStringLiteral("tagged = false")), (QStringList{"a@x", "b@x", "nogroup@x"}));
}

TEST_F(FilterTest, BounceAndDateForms)
{
    EXPECT_EQ(items(QStringLiteral("Bounces > 5")), QStringList{"b@x"});
    EXPECT_EQ(items(QStringLiteral("Bounces > 1")), (QStringList{"b@x", "c@x"}));
    EXPECT_EQ(items(QStringLiteral("InsertDate > '2026-11-28T09:00:00'")), (QStringList{"a@x", "b@x"}));
    EXPECT_EQ(items(QStringLiteral("InsertDate > '2026-12-01T09:00:00'")), QStringList{"b@x"});
}

TEST_F(FilterTest, GroupTermsJoinedByOrAndAnd)
{
    EXPECT_EQ(items(QStringLiteral("(Category = 'sales') OR (Category = 'SUPPORT')")), (QStringList{"a@x", "c@x"}));
    EXPECT_EQ(items(QStringLiteral("Category = 'Sales' OR Category = 'Support'")), (QStringList{"a@x", "c@x"}));
    // Hiding groups keeps the entries that have no group at all.
    EXPECT_EQ(items(QStringLiteral("(Category <> 'sales') AND (Category <> 'support')")),
              (QStringList{"b@x", "nogroup@x"}));
    EXPECT_TRUE(parseFilter(QString()).where.isEmpty());
    EXPECT_EQ(items(QString()).size(), 4);
}

TEST_F(FilterTest, AQuoteInAGroupNameFindsThatGroupAndNeverChangesTheStatement)
{
    const SqlFilter filter = parseFilter(QStringLiteral("(Category = 'O''Brien')"));
    EXPECT_FALSE(filter.where.contains(QStringLiteral("rien")));
    EXPECT_EQ(filter.params, QVariantList{QStringLiteral("O'Brien")});
    EXPECT_EQ(items(QStringLiteral("(Category = 'O''Brien')")), QStringList{"b@x"});
    // The attempt reads as one group name that no entry has.
    EXPECT_TRUE(items(QStringLiteral("(Category = 'x'' OR ''1''=''1')")).isEmpty());
    // Unbalanced quotes are refused, not run.
    EXPECT_THROW(parseFilter(QStringLiteral("(Category = 'x' OR '1'='1')")), FilterError);
}

TEST_F(FilterTest, UnknownFormsAreRefusedWithAClearText)
{
    for (const char* bad : {"Bounces > 'x'", "Tagged = 5", "Password = 'x'", "Bounces >", "(Category = 'x'",
                            "Category = 'x' OR", "InsertDate > 'yesterday'", "Bounces > 5; DROP TABLE mailist",
                            "Category > 'x'"}) {
        try {
            parseFilter(QString::fromUtf8(bad));
            ADD_FAILURE() << bad;
        } catch (const FilterError& e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(QStringLiteral("Cannot use the filter"))) << bad;
        }
    }
}

}  // namespace
