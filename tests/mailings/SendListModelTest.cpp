#include "mailings/SendListModel.h"
#include "store/Database.h"
#include "support/SendListRows.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

namespace {

QString address(int i)
{
    return QStringLiteral("r%1@example.test").arg(i, 5, 10, QLatin1Char('0'));
}

TEST(SendListModel, AJumpFarDownShowsTheRowsOfThatPlaceInAddressOrder)
{
    TemporarySendList list;
    SendListTable& table = list.table;
    constexpr int kRows = SendListModel::kPageSize * 12 + 7;  // more pages than are kept
    Transaction filling(list.connection);
    for (int i = kRows - 1; i >= 0; --i) {
        SendListRow row;
        row.Item = address(i);
        row.Name = QStringLiteral("Name %1").arg(i);
        ASSERT_TRUE(table.insertOrIgnore(row));
    }
    filling.commit();
    table.setOutcome({address(kRows - 1)}, SendOutcome::refused(550, "No such user"));

    SendListModel model(table);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(model.rowCount(), kRows);
    EXPECT_EQ(model.headerData(SendListModel::Outcome, Qt::Horizontal).toString(), "Outcome");
    // The last row first, then back to the top, the middle and the end again.
    for (int r : {kRows - 1, 0, kRows / 2, SendListModel::kPageSize, kRows - 2, 1}) {
        EXPECT_EQ(model.index(r, SendListModel::Email).data().toString(), address(r)) << r;
        EXPECT_EQ(model.index(r, SendListModel::FullName).data().toString(), QStringLiteral("Name %1").arg(r));
    }
    EXPECT_EQ(model.index(kRows - 1, SendListModel::Outcome).data().toString(), "Refused (550 No such user)");
    EXPECT_EQ(model.index(kRows - 1, SendListModel::MessageSent).data().toString(), "Yes");
    EXPECT_EQ(model.index(0, SendListModel::Outcome).data().toString(), "Waiting");
    EXPECT_EQ(model.index(0, SendListModel::MessageSent).data().toString(), "No");
}

}  // namespace
