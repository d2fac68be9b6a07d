#include "ListViewFixture.h"
#include "reports/BatchProcess.h"

namespace {
class Batch : public ListViewFixture {
protected:
    void SetUp() override
    {
        ListViewFixture::SetUp();
        for (int i = 0; i < 4; ++i) {
            Entry e;
            e.Item = QString("m%1@example.test").arg(i);
            e.Name = i == 0 ? QString() : QString("Member %1").arg(i);
            e.Bounces = 3;
            e.NewUser = true;
            rows << insert(e);
        }
    }
    Entry at(int i) { return *entries().byIndex(rows[i]); }
    QList<qint64> rows;
};
}  // namespace

TEST_F(Batch, EachActionChangesOnlyTheGivenRowsAndShowsItsProgress)
{
    BatchProcess(*ctx, BatchAction::ResetBounces, {rows[1], rows[3]});
    EXPECT_EQ(at(1).Bounces, 0);
    EXPECT_EQ(at(2).Bounces, 3);
    EXPECT_EQ(ui.progressCaptions, QStringList{"Resetting Bounce Count"});
    EXPECT_EQ(ui.progressPositions, QList<int>({1, 2}));

    BatchProcess(*ctx, BatchAction::DenySending, {rows[0]});
    EXPECT_FALSE(at(0).SendRights);
    BatchProcess(*ctx, BatchAction::AllowSending, {rows[0]});
    EXPECT_TRUE(at(0).SendRights);
    BatchProcess(*ctx, BatchAction::MarkViewed, {rows[2]});
    EXPECT_FALSE(at(2).NewUser);
    EXPECT_TRUE(at(1).NewUser);
    BatchProcess(*ctx, BatchAction::SetTag, {rows[1], rows[2]});
    BatchProcess(*ctx, BatchAction::ClearTag, {rows[2]});
    EXPECT_TRUE(at(1).Tagged);
    EXPECT_FALSE(at(2).Tagged);
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(Batch, ARowGoneMeanwhileIsToldAndTheRestIsDone)
{
    entries().remove(rows[1]);
    BatchProcess(*ctx, BatchAction::SetTag, {rows[0], rows[1], rows[2]});
    EXPECT_TRUE(ui.sawText("Error Encountered Setting the Tag"));
    EXPECT_TRUE(at(0).Tagged);
    EXPECT_TRUE(at(2).Tagged);
    EXPECT_THROW(PositionDBAtNode(entries(), rows[1]), std::runtime_error);
}

TEST_F(Batch, CancelStopsAfterTheRowsDone)
{
    ui.cancelAt = 2;
    BatchProcess(*ctx, BatchAction::SetTag, rows);
    EXPECT_TRUE(at(0).Tagged);
    EXPECT_FALSE(at(3).Tagged);
}

TEST_F(Batch, CopyGivesOneNameAndAddressLinePerRow)
{
    EXPECT_EQ(CopySelRecToClipboard(*ctx, {rows[2], rows[0]}), "Member 2 <m2@example.test>\nm0@example.test");
    EXPECT_EQ(ui.progressCaptions, QStringList{"Copying selection to clipboard"});
    EXPECT_TRUE(CopySelRecToClipboard(*ctx, {}).isEmpty());
}

TEST_F(Batch, DeleteAsksAndRemovesOnYesOnly)
{
    EXPECT_EQ(deleteSelectedEntries(*ctx, {rows[0], rows[1]}), 0);
    EXPECT_TRUE(ui.sawText("Are you sure you want to delete the 2 selected entries?"));
    EXPECT_EQ(entries().count(), 4);
    ui.answer(Ui::Answer::Yes);
    EXPECT_EQ(deleteSelectedEntries(*ctx, {rows[0], rows[1]}), 2);
    EXPECT_EQ(entries().count(), 2);
    EXPECT_EQ(db->entryCount(), 2);
}

TEST_F(Batch, DeleteAllEmptiesTheTableOnYes)
{
    EXPECT_FALSE(DeleteAllEntries(*ctx));
    EXPECT_EQ(entries().count(), 4);
    ui.answer(Ui::Answer::Yes);
    EXPECT_TRUE(DeleteAllEntries(*ctx));
    EXPECT_TRUE(ui.sawText("This will delete all the entries in mailing list!  Are you sure you want to continue?"));
    EXPECT_EQ(entries().count(), 0);
    EXPECT_EQ(db->entryCount(), 0);
}

TEST_F(Batch, WholeTableChangesReachEveryEntry)
{
    BatchProcess(*ctx, BatchAction::SetTag, rows);
    BatchProcess(*ctx, BatchAction::DenySending, {rows[1]});
    EXPECT_TRUE(changeAllEntries(*ctx, WholeTableChange::ClearAllTags));
    EXPECT_TRUE(changeAllEntries(*ctx, WholeTableChange::MarkAllViewed));
    EXPECT_TRUE(changeAllEntries(*ctx, WholeTableChange::AllowAllSending));
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(at(i).Tagged);
        EXPECT_FALSE(at(i).NewUser);
        EXPECT_TRUE(at(i).SendRights);
    }
}
