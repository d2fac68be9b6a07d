#include "support/SendListRows.h"

#include <gtest/gtest.h>

TemporarySendList::TemporarySendList()
{
    EXPECT_TRUE(table.CreateSendMailTable(ui));
}

TemporarySendList::~TemporarySendList()
{
    table.FreeSendMailTable(true);
}

void TemporarySendList::add(const QString& item, const QString& name, const SendOutcome& outcome)
{
    SendListRow row;
    row.Item = item;
    row.Name = name;
    EXPECT_TRUE(table.insertOrIgnore(row)) << item.toStdString();
    table.setOutcome({item}, outcome);
}
