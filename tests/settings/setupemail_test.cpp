// The e-mail page: its two switches enable the fields and are written at
// once, typed values reach eparams.dbf when a switch is clicked or on Save,
// and Save hands the settings to the running program.
#include "setupfixture.h"

#include <gtest/gtest.h>

namespace tw::settings::testing {
namespace {

using EmailTest = SetupTest;

TEST_F(EmailTest, SwitchesEnableTheirFieldsAndAreWrittenAtOnce)
{
    const struct {
        bool outlook, useAuth;
        bool outlookEnabled, directEnabled, authFieldsEnabled;
    } cases[] = {
        {false, false, false, true, false},
        {false, true, false, true, true},
        {true, false, true, false, false},
        {true, true, true, false, false},  // the mail program disables every SMTP field
    };
    for (const auto& c : cases) {
        view_.Outlook = c.outlook;
        view_.UseAuth = c.useAuth;
        logic_->SelectOutlookClick();
        SCOPED_TRACE(::testing::Message() << "outlook " << c.outlook << ", authentication " << c.useAuth);
        EXPECT_EQ(view_.OutlookEnabled, c.outlookEnabled);
        EXPECT_EQ(view_.DirectEnabled, c.directEnabled);
        EXPECT_EQ(view_.AuthFieldsEnabled, c.authFieldsEnabled);
        EXPECT_EQ(StoredFlag("eparams.dbf", "EMAILUO"), c.outlook);
        EXPECT_EQ(StoredFlag("eparams.dbf", "EMAILUA"), c.useAuth);
    }
    view_.Outlook = false;
    logic_->SelectOutlookClick();
    view_.UseAuth = false;
    logic_->UseAuthClick();
    EXPECT_FALSE(view_.AuthFieldsEnabled);
    EXPECT_FALSE(StoredFlag("eparams.dbf", "EMAILUA"));
    EXPECT_EQ(view_.Closes, 0);
}

TEST_F(EmailTest, ShowingLoadsTheRecordAndWritesBackOnlyWhatItHolds)
{
    Write(email_, [](db::Table& t) {
        t.fieldByName("EMAILH").setAsString("smtp.example.test");
        t.fieldByName("EMAILPRT").setAsInteger(587);
        t.fieldByName("EMAILUID").setAsString("office");
        t.fieldByName("EMAILUO").setAsBoolean(true);
        t.fieldByName("EMAILUA").setAsBoolean(true);
        t.fieldByName("EMAILPT").setAsString("/usr/bin/mailer");
    });
    logic_->ShowSetup();
    EXPECT_TRUE(view_.Outlook);
    EXPECT_TRUE(view_.UseAuth);
    EXPECT_EQ(view_.MailProgram, "/usr/bin/mailer");
    EXPECT_EQ(view_.Email.Host, "smtp.example.test");
    EXPECT_EQ(view_.Email.Port, "587");
    EXPECT_TRUE(view_.OutlookEnabled);
    EXPECT_FALSE(view_.DirectEnabled);
    EXPECT_EQ(StoredText("eparams.dbf", "EMAILH"), "smtp.example.test");
    EXPECT_EQ(StoredNumber("eparams.dbf", "EMAILPRT"), 587);
    EXPECT_TRUE(StoredFlag("eparams.dbf", "EMAILUO"));
    EXPECT_TRUE(StoredFlag("eparams.dbf", "EMAILUA"));
}

TEST_F(EmailTest, TypedValuesAreStoredOnlyWhenASwitchIsClickedOrOnSave)
{
    logic_->ShowSetup();
    view_.Email = {"mail.example.test", "2525", "  clerk ", " pa ss  ", "office@example.test"};
    EXPECT_EQ(StoredText("eparams.dbf", "EMAILH"), "") << "typing alone writes nothing";
    view_.UseAuth = true;
    logic_->UseAuthClick();
    EXPECT_EQ(StoredText("eparams.dbf", "EMAILH"), "") << "the authentication switch writes its own field";
    logic_->SelectOutlookClick();
    EXPECT_EQ(StoredText("eparams.dbf", "EMAILH"), "mail.example.test");
    EXPECT_EQ(StoredNumber("eparams.dbf", "EMAILPRT"), 2525);

    view_.Email.From = "desk@example.test";
    logic_->SaveEMailSettingsClick();
    const mail::MailSettings& e = settings_.Email;
    EXPECT_EQ(e.Host, "mail.example.test");
    EXPECT_EQ(e.SmtpPort, 2525);
    EXPECT_EQ(e.UserId, "clerk");
    EXPECT_EQ(e.Password, "pa ss");
    EXPECT_EQ(e.From, "desk@example.test");
    EXPECT_TRUE(e.UseAuthentication);
    EXPECT_FALSE(e.UseMailProgram);
    EXPECT_EQ(StoredText("eparams.dbf", "EMAILUID"), "  clerk") << "the field keeps its leading blanks";
    EXPECT_EQ(StoredText("eparams.dbf", "EMAILFR"), "desk@example.test");
    EXPECT_EQ(view_.Closes, 1);
}

TEST_F(EmailTest, SaveReadsAPortOfZeroAsTheStandardPort)
{
    for (const char* port : {"0", "", "  "}) {
        settings_.Email.SmtpPort = 2525;
        view_.Email = {"mail.example.test", port, "", "", ""};
        logic_->SaveEMailSettingsClick();
        EXPECT_EQ(settings_.Email.SmtpPort, 25) << '"' << port << '"';
        EXPECT_EQ(StoredNumber("eparams.dbf", "EMAILPRT"), 25) << '"' << port << '"';
    }
}

TEST_F(EmailTest, APortTheFieldCannotHoldIsRefusedAndNothingIsCopied)
{
    Write(email_, [](db::Table& t) { t.fieldByName("EMAILPRT").setAsInteger(587); });
    settings_.Email.Host = "kept.example.test";
    for (const char* port : {"abc", "70000", "-1", "25a"}) {
        ui_.Messages.clear();
        view_.Email = {"typed.example.test", port, "", "", ""};
        logic_->SaveEMailSettingsClick();
        ASSERT_EQ(ui_.Messages.size(), 1u) << port;
        EXPECT_NE(ui_.Messages[0].text.find(port), std::string::npos) << ui_.Messages[0].text;
        EXPECT_EQ(settings_.Email.Host, "kept.example.test") << port;
        EXPECT_EQ(StoredNumber("eparams.dbf", "EMAILPRT"), 587) << port;
        EXPECT_EQ(StoredText("eparams.dbf", "EMAILH"), "") << port;
    }
    EXPECT_EQ(view_.Closes, 0) << "the user can mend the port";
}

TEST_F(EmailTest, BrowseStoresTheMailProgramAtOnce)
{
    view_.PickedProgram = std::nullopt;
    logic_->BrowseForOutlookClick();
    EXPECT_EQ(StoredText("eparams.dbf", "EMAILPT"), "");

    view_.PickedProgram = "/opt/mail/bin/mailer";
    logic_->BrowseForOutlookClick();
    EXPECT_EQ(view_.MailProgram, "/opt/mail/bin/mailer");
    EXPECT_EQ(StoredText("eparams.dbf", "EMAILPT"), "/opt/mail/bin/mailer");
    EXPECT_EQ(settings_.Email.MailProgram, "/opt/mail/bin/mailer");

    view_.PickedProgram = "/" + QString(170, QLatin1Char('m'));
    logic_->BrowseForOutlookClick();
    EXPECT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(StoredText("eparams.dbf", "EMAILPT"), "/opt/mail/bin/mailer");
    EXPECT_EQ(settings_.Email.MailProgram, "/opt/mail/bin/mailer");
}

}  // namespace
}  // namespace tw::settings::testing
