#include "ListFixture.h"

#include "store/StatisticsFigures.h"

namespace {

class InsertEntryAdd : public ListFixture {};

TEST_F(InsertEntryAdd, InsertsEveryFieldCountsAndAcknowledges)
{
    settings.DefaultNoUserSend = true;
    const TCVNAddress contact{"", "", "Acme", "1 Road", "Town", "ST", "12345", "Land"};
    const QStringList results = insertentry(*ctx, true, "\"Smith, john\" <john@example.com>", true, true,
                                            false, "2026-12-01T10:30:00", "by mail", contact, "", "news");
    EXPECT_EQ(results, QStringList{"Entered Successfully"});

    const auto e = entries().locate("john@example.com");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Category, "news");
    EXPECT_EQ(e->Name, "john Smith");
    EXPECT_EQ(e->Salutation, "John");
    EXPECT_EQ(e->Surname, "Smith");
    EXPECT_EQ(e->Company, "Acme");
    EXPECT_EQ(e->Country, "Land");
    EXPECT_EQ(e->Comments, "by mail");
    EXPECT_FALSE(e->SendRights);
    EXPECT_EQ(e->Status, -1);
    EXPECT_TRUE(e->NewUser);
    EXPECT_FALSE(e->Tagged);
    EXPECT_EQ(e->InsertDate.date(), QDate(2026, 12, 1));
    EXPECT_EQ(e->InsertDate.time(), QTime(10, 30));
    EXPECT_FALSE(e->LastBounce.has_value());

    EXPECT_EQ(db->entryCount(), 1);
    EXPECT_EQ(statistics->counters.subscribes, 1);
    EXPECT_EQ(statistics->counters.movement, 1);
    const auto rows = readDailyStatRows(db->database());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].Date, QDate(2026, 12, 1));
    EXPECT_EQ(rows[0].Subscribes, 1);

    ASSERT_EQ(acks.size(), 1);
    EXPECT_EQ(acks[0].address, "john@example.com");
    EXPECT_EQ(acks[0].text, "The e-mail address, john@example.com, was successfully added to the Group, news.");
    EXPECT_TRUE(acks[0].subscribe);
    EXPECT_EQ(logMessages(),
              QStringList{"ADD john@example.com news  (by mail)  ->  Entered Successfully"});
}

TEST_F(InsertEntryAdd, EmptyGroupBecomesTheDefaultAndSingleGroupWordingWithoutMultipleGroups)
{
    settings.MultipleCategorySupport = false;
    EXPECT_EQ(request(true, "ann@example.com", ""), QStringList{"Entered Successfully"});
    EXPECT_EQ(entries().locate("ann@example.com")->Category, "Default");
    ASSERT_EQ(acks.size(), 1);
    EXPECT_EQ(acks[0].text, "The e-mail address, ann@example.com, was successfully added to our Mailing list.");
    EXPECT_EQ(logMessages(), QStringList{"ADD ann@example.com Default  (c)  ->  Entered Successfully"});
}

TEST_F(InsertEntryAdd, AnAddressInAnotherGroupGetsASecondEntryOnlyWithMultipleGroups)
{
    addEntry("ann@example.com", "news");
    EXPECT_EQ(request(true, "ANN@example.com", "default"), QStringList{"Entered Successfully"});
    EXPECT_EQ(entries().count(), 2);

    settings.MultipleCategorySupport = false;
    EXPECT_EQ(request(true, "ann@EXAMPLE.com", "default", "Ann Lee"), QStringList{"Entry already exists!"});
    EXPECT_EQ(entries().count(), 2);
    EXPECT_EQ(db->entryCount(), 2);
    ASSERT_EQ(acks.size(), 2);
    EXPECT_EQ(acks[1].text, "The e-mail address, ann@EXAMPLE.com, is already contained in our Mailing list.");
    EXPECT_EQ(logMessages().last(), "ADD ann@EXAMPLE.com default  (c)  ->  Entry already exists!");
}

TEST_F(InsertEntryAdd, DuplicateInTheSameGroupIsFoundWithoutRegardToCaseAndUpdated)
{
    const qint64 index = addEntry("zoë@example.com", "news");
    EXPECT_EQ(request(true, "ZOË@example.com", "NEWS", "Zoë Park"), QStringList{"Entry already exists!"});
    const auto e = entries().byIndex(index);
    EXPECT_EQ(e->Name, "Zoë Park");
    EXPECT_EQ(e->Salutation, "Zoë");
    EXPECT_EQ(e->Comments, "c");
    EXPECT_EQ(acks.last().text,
              "The e-mail address, ZOË@example.com, is already contained in the Group, NEWS.");

    settings.UpdateFieldsofOldEntry = false;
    EXPECT_EQ(request(true, "zoë@example.com", "news", "Other Name"), QStringList{"Entry already exists!"});
    EXPECT_EQ(entries().byIndex(index)->Name, "Zoë Park");
    EXPECT_EQ(entries().count(), 1);
}

TEST_F(InsertEntryAdd, GroupNamingSeveralGroupsMakesOneRequestEach)
{
    EXPECT_EQ(request(true, "bo@example.com", "news, default,"),
              (QStringList{"Entered Successfully", "Entered Successfully"}));
    EXPECT_EQ(itemsAndGroups(), (QStringList{"bo@example.com|news", "bo@example.com|default"}));
    EXPECT_EQ(logMessages(), (QStringList{"ADD bo@example.com news  (c)  ->  Entered Successfully",
                                          "ADD bo@example.com default  (c)  ->  Entered Successfully"}));
}

TEST_F(InsertEntryAdd, BlockedAddressIsRefusedWhateverItsCaseUnlessChecksAreSkipped)
{
    settings.Never = {"blocked@example.com"};
    EXPECT_EQ(request(true, "BLOCKED@Example.COM", "news"),
              QStringList{"Not Added: E-mail Address is listed in the Blocked Subscribers list!"});
    EXPECT_EQ(entries().count(), 0);
    EXPECT_TRUE(acks.isEmpty());
    EXPECT_EQ(logMessages(), QStringList{"ADD BLOCKED@Example.COM news  (c)  ->  Not Added: E-mail Address "
                                         "is listed in the Blocked Subscribers list!"});

    EXPECT_EQ(insertentry(*ctx, true, "BLOCKED@Example.COM", false, false, true, {}, "c", {}, {}, "news"),
              QStringList{"Entered Successfully"});
}

TEST_F(InsertEntryAdd, InvalidAddressesAreRefusedAndGoToTheErrorsList)
{
    EXPECT_EQ(request(true, "two__lines@example.com", "news"),
              QStringList{"Not Added: Invalid E-mail Address (Error: E-mail address contains Exception "
                          "text as set in Options)!"});
    EXPECT_EQ(request(true, "someone@nodot", ""),
              QStringList{"Not Added: Invalid E-mail Address (Error: The domain TLD part is missing (.com, "
                          ".net, etc))!"});
    EXPECT_EQ(entries().count(), 0);
    EXPECT_EQ(fileLines("Errors.txt"),
              (QStringList{"ADD two__lines@example.com news", "ADD someone@nodot Default"}));
    EXPECT_EQ(statistics->counters.subscribes, 0);
}

TEST_F(InsertEntryAdd, TextWithoutAnAtSignDoesNothing)
{
    EXPECT_TRUE(request(true, "nobody", "news").isEmpty());
    EXPECT_TRUE(request(true, "", "news").isEmpty());
    EXPECT_TRUE(logMessages().isEmpty());
}

TEST_F(InsertEntryAdd, StatisticsOnlyWhenAsked)
{
    insertentry(*ctx, true, "quiet@example.com", false, false, false, {}, "import", {}, {}, "news");
    EXPECT_EQ(entries().count(), 1);
    EXPECT_TRUE(readDailyStatRows(db->database()).isEmpty());
    EXPECT_EQ(statistics->counters.subscribes, 0);
    EXPECT_EQ(statistics->counters.movement, 1);
    EXPECT_TRUE(acks.isEmpty());
}

TEST_F(InsertEntryAdd, NameIsBuiltFromTheContactWhenMissing)
{
    insertentry(*ctx, true, "kim@example.com", false, false, false, {}, "c",
                TCVNAddress{"Kim", "Jones", {}, {}, {}, {}, {}, {}}, {}, "news");
    EXPECT_EQ(entries().locate("kim@example.com")->Name, "Kim Jones");

    settings.GuessSalutation = false;
    insertentry(*ctx, true, "lee@example.com", false, false, false, {}, "c", {}, "lee park", "news");
    const auto e = entries().locate("lee@example.com");
    EXPECT_EQ(e->Name, "lee park");
    EXPECT_TRUE(e->Salutation.isEmpty());
}

TEST_F(InsertEntryAdd, InsertFailureIsReportedAndCountsNothing)
{
    entries().afterPost = [] { throw StoreError(StoreError::Kind::Other, 1, "disk full"); };
    EXPECT_EQ(request(true, "fail@example.com", "news"),
              QStringList{"Error inserting into database: disk full"});
    entries().afterPost = {};
    EXPECT_EQ(entries().count(), 0);
    EXPECT_EQ(db->entryCount(), 0);
    EXPECT_TRUE(acks.isEmpty());
    EXPECT_EQ(fileLines("Errors.txt"), QStringList{"ADD fail@example.com news"});
}

}  // namespace
