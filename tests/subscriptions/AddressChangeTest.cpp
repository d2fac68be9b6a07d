#include "ListFixture.h"

#include "subscriptions/AddressChange.h"
#include "subscriptions/ExceptionScan.h"

namespace {

class AddressChange : public ListFixture {};

TEST_F(AddressChange, ReplacesTheAddressInEveryEntry)
{
    addEntry("old@example.com", "default");
    addEntry("OLD@example.com", "news");
    addEntry("other@example.com", "news");
    EXPECT_TRUE(ChangeEmailAddress(*ctx, "old@example.com", "new@example.com", true, true));
    EXPECT_EQ(itemsAndGroups(), (QStringList{"new@example.com|default", "new@example.com|news",
                                             "other@example.com|news"}));
    EXPECT_EQ(logMessages(), (QStringList{"Changed Email Address old@example.com to new@example.com",
                                          "Changed Email Address old@example.com to new@example.com"}));
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_EQ(ui.maxBusyDepth, 1);
}

TEST_F(AddressChange, ACaseOnlyChangeEndsAfterOnePass)
{
    addEntry("Mixed@Example.com", "default");
    EXPECT_TRUE(ChangeEmailAddress(*ctx, "mixed@example.com", "mixed@example.com", false, true));
    EXPECT_EQ(itemsAndGroups(), QStringList{"mixed@example.com|default"});
    EXPECT_EQ(logMessages().size(), 1);
}

TEST_F(AddressChange, InvalidNewAddressIsReported)
{
    addEntry("old@example.com", "default");
    EXPECT_FALSE(ChangeEmailAddress(*ctx, "old@example.com", "new__x@example.com", true, true));
    EXPECT_EQ(ui.texts(), QStringList{"The e-mail address, new__x@example.com, does not appear to be valid."});
    EXPECT_EQ(logMessages(), QStringList{"Changed Email Address old@example.com to new__x@example.com -> "
                                         "Address not valid: new__x@example.com!"});
    EXPECT_EQ(fileLines("Errors.txt"), QStringList{"MODIFY old@example.com new__x@example.com"});
    // Without the exception list the same address passes.
    EXPECT_TRUE(ChangeEmailAddress(*ctx, "old@example.com", "new__x@example.com", true, false));
}

TEST_F(AddressChange, UnknownOldAddressIsReported)
{
    EXPECT_FALSE(ChangeEmailAddress(*ctx, "missing@example.com", "new@example.com", true, true));
    EXPECT_EQ(ui.texts(), QStringList{"The address, missing@example.com, could not be found!"});
    EXPECT_EQ(logMessages(), QStringList{"Changed Email Address missing@example.com to new@example.com -> "
                                         "Address not found!"});
    EXPECT_EQ(fileLines("Errors.txt"), QStringList{"MODIFY missing@example.com new@example.com"});

    EXPECT_FALSE(ChangeEmailAddress(*ctx, "missing@example.com", "new@example.com", false, true));
    EXPECT_EQ(ui.shown.size(), 1);
}

TEST_F(AddressChange, AFailurePartWayChangesNothing)
{
    addEntry("old@example.com", "default");
    addEntry("old@example.com", "news");
    int posts = 0;
    entries().afterPost = [&] {
        if (++posts == 2)
            throw StoreError(StoreError::Kind::Other, 1, "disk full");
    };
    EXPECT_FALSE(ChangeEmailAddress(*ctx, "old@example.com", "new@example.com", true, true));
    entries().afterPost = {};
    EXPECT_EQ(itemsAndGroups(), (QStringList{"old@example.com|default", "old@example.com|news"}));
    EXPECT_EQ(ui.texts(), QStringList{"An error was encountered:\n\ndisk full"});
    EXPECT_EQ(logMessages(), QStringList{"Change Email Address old@example.com -> new@example.com, ERROR: disk full"});
}

TEST_F(AddressChange, PromptPassesTheIgnoreRulesBoxAsTheExceptionSwitch)
{
    addEntry("old@example.com", "default");
    ui.addressChanges.push_back(Ui::AddressChange{"old@example.com", "new__x@example.com", false});
    EXPECT_TRUE(PromptToModifyAddress(*ctx, "old@example.com", "", true));
    EXPECT_EQ(entries().count(), 1);
    EXPECT_TRUE(entries().locate("old@example.com").has_value());

    ui.addressChanges.push_back(Ui::AddressChange{"old@example.com", "new__x@example.com", true});
    EXPECT_TRUE(PromptToModifyAddress(*ctx, "old@example.com", "", true));
    EXPECT_TRUE(entries().locate("new__x@example.com").has_value());
    EXPECT_EQ(ui.ignoreRulesShown, (QList<bool>{true, true}));

    EXPECT_FALSE(PromptToModifyAddress(*ctx, "new__x@example.com", "", false));
    EXPECT_EQ(ui.ignoreRulesShown.last(), false);
}

TEST_F(AddressChange, ExceptionScanRemovesMatchesInAnyCase)
{
    settings.ExceptList = {"__", "", "hotmial"};
    addEntry("A__B@example.com", "news");
    addEntry("fine@example.com", "news");
    addEntry("x@HOTMIAL.com", "default");
    EXPECT_EQ(ScanDBForExceptions(*ctx), 2);
    EXPECT_EQ(itemsAndGroups(), QStringList{"fine@example.com|news"});
    EXPECT_EQ(fileLines("Errors.txt"), (QStringList{"ADD A__B@example.com news", "ADD x@HOTMIAL.com default"}));
    EXPECT_EQ(db->entryCount(), 1);
    EXPECT_EQ(ui.progressCaptions, QStringList{"Checking for Exceptions"});
}

TEST_F(AddressChange, ExceptionScanStopsWhenCancelled)
{
    settings.ExceptList = {"__"};
    addEntry("a__1@example.com", "news");
    addEntry("a__2@example.com", "news");
    addEntry("a__3@example.com", "news");
    ui.cancelAt = 1;
    EXPECT_EQ(ScanDBForExceptions(*ctx), 1);
    EXPECT_EQ(entries().count(), 2);
}

}  // namespace
