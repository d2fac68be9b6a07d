#include "sending/SmtpAccountCheck.h"

#include "support/ScriptedUi.h"
#include "support/SmtpSink.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::HasSubstr;

class SmtpAccountCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!SmtpSink::installed())
            GTEST_SKIP() << "python3-aiosmtpd is not installed";
    }

    ScriptedUi ui;
};

SmtpSinkOptions loginRequired()
{
    SmtpSinkOptions options;
    options.tls = SmtpSinkOptions::Tls::StartTls;
    options.user = "owner";
    options.password = "secret";
    return options;
}

} // namespace

TEST_F(SmtpAccountCheckTest, ALoginOverStartTlsIsAcceptedAndNothingIsSent)
{
    SmtpSink sink(loginRequired());
    ASSERT_TRUE(sink.started());
    const SmtpAccount account = sink.account(SmtpSecurity::StartTls);
    const AccountCheck found = checkSmtpAccount(account, ui);
    EXPECT_TRUE(found.ok) << found.text.toStdString();
    EXPECT_EQ(found.text, "The SMTP server 127.0.0.1:" + QString::number(account.port) +
                              " answered and accepted the log-in of owner.");
    EXPECT_TRUE(sink.messages().isEmpty());
}

TEST_F(SmtpAccountCheckTest, ARefusedLoginGivesTheServersWordsAndNoServerSaysSo)
{
    SmtpSink sink(loginRequired());
    ASSERT_TRUE(sink.started());
    SmtpAccount account = sink.account(SmtpSecurity::StartTls);
    account.password = "wrong";
    const AccountCheck refused = checkSmtpAccount(account, ui);
    EXPECT_FALSE(refused.ok);
    EXPECT_THAT(refused.text.toStdString(), HasSubstr("could not be used: 535"));

    sink.stop();
    const AccountCheck nobody = checkSmtpAccount(account, ui);
    EXPECT_FALSE(nobody.ok);
    EXPECT_EQ(nobody.text, "The SMTP server 127.0.0.1:" + QString::number(account.port) +
                               " could not be used: Error connecting to the Internet");
}
