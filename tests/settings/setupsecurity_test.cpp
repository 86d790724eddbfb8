// The security page: access choices with and without the password given in
// this run, the Save that applies them, Log in, and changing the password.
#include "data/textroutines.h"
#include "setupfixture.h"

#include <gtest/gtest.h>

namespace tw::settings::testing {
namespace {

using SecurityTest = SetupTest;

TEST_F(SecurityTest, RelaxingTheAccessNeedsThePasswordGivenInThisRun)
{
    const struct {
        const char* name;
        bool accepted;
        int from, to;
        int choice;  // AccessChoice afterwards, and the index shown
        bool required, readOnly;
        const char* readOnlyMsg;
        const char* passwordMsg;
    } cases[] = {
        {"no password given, to read/write", false, 2, 0, 2, true, false, "", ""},
        {"no password given, to read-only", false, 2, 1, 2, true, false, "", ""},
        {"password given, to read/write", true, 2, 0, 0, false, false,
         "This Tarnwick is allowed to change the schedule", "No password is required on startup"},
        {"password given, to read-only", true, 2, 1, 1, false, true,
         "This Tarnwick cannot change the schedule", "No password is required on startup"},
        {"no password given, to password", false, 0, 2, 2, true, false,
         "This Tarnwick is allowed to change the schedule", "Password is required on startup"},
        {"password given, to password", true, 1, 2, 2, true, false,
         "This Tarnwick is allowed to change the schedule", "Password is required on startup"},
    };
    for (const auto& c : cases) {
        settings_ = SetupSettings();
        settings_.AccessChoice = c.from;
        settings_.PasswordRequired = c.from == 2;
        settings_.PasswordAccepted = c.accepted;
        view_.ReadOnlyMsg = view_.PasswordMsg = QString();
        view_.Access = c.to;
        logic_->AccessPanelClick();
        EXPECT_EQ(view_.Access, c.choice) << c.name;
        EXPECT_EQ(settings_.AccessChoice, c.choice) << c.name;
        EXPECT_EQ(settings_.PasswordRequired, c.required) << c.name;
        EXPECT_EQ(logic_->ReadOnlyChoice(), c.readOnly) << c.name;
        EXPECT_EQ(view_.ReadOnlyMsg, QString::fromLatin1(c.readOnlyMsg)) << c.name;
        EXPECT_EQ(view_.PasswordMsg, QString::fromLatin1(c.passwordMsg)) << c.name;
        EXPECT_FALSE(settings_.ReadOnlyAccess) << c.name << ": applied only by Save";
    }
}

TEST_F(SecurityTest, ShowingTheDialogLoadsTheStateAndChangesNoSetting)
{
    settings_.AccessChoice = 2;
    settings_.PasswordRequired = true;
    settings_.ReadOnlyAccess = true;
    ASSERT_TRUE(logic_->ShowSetup());
    EXPECT_TRUE(logic_->Shown());
    EXPECT_EQ(view_.Access, 2);
    EXPECT_TRUE(logic_->ReadOnlyChoice() == false) << "the password choice is a read/write one";
    EXPECT_FALSE(view_.DatabaseChangesEnabled);
    EXPECT_EQ(view_.PasswordMsg, "Password is required on startup");
    EXPECT_EQ(settings_.AccessChoice, 2);
    EXPECT_TRUE(settings_.PasswordRequired);
    EXPECT_TRUE(settings_.ReadOnlyAccess);
    EXPECT_EQ(view_.Status, QString());
    EXPECT_FALSE(logic_->ShowSetup()) << "a second showing while shown only brings the window back";
}

TEST_F(SecurityTest, ReadOnlyWithoutPasswordKeepsTheDatabaseTextAndChoice)
{
    settings_.AccessChoice = 1;
    settings_.ReadOnlyAccess = true;
    logic_->ShowSetup();
    // Without the password given, the choice is not re-applied: the text the
    // show routine set stays.
    EXPECT_EQ(view_.ReadOnlyMsg, "This Tarnwick cannot change the database");
    EXPECT_TRUE(logic_->ReadOnlyChoice());
    EXPECT_EQ(view_.Access, 1);
}

TEST_F(SecurityTest, SaveAppliesTheChoiceReopensTablesAndStoresUsePassword)
{
    settings_.AccessChoice = 2;
    settings_.PasswordRequired = true;
    settings_.PasswordAccepted = true;
    Write(params_, [](db::Table& t) { t.fieldByName("USEPASSWD").setAsBoolean(true); });
    logic_->ShowSetup();
    view_.Access = 1;
    logic_->AccessPanelClick();
    logic_->SecuritySaveClick();
    EXPECT_TRUE(settings_.ReadOnlyAccess);
    EXPECT_EQ(settings_.AccessChoice, 1);
    EXPECT_FALSE(settings_.PasswordRequired);
    EXPECT_FALSE(settings_.PasswordAccepted) << "no password asked any more: it must be given again";
    EXPECT_EQ(host_.Calls, (std::vector<std::string>{"read-only", "close tables", "open tables"}));
    EXPECT_FALSE(StoredFlag("params.dbf", "USEPASSWD"));
    EXPECT_EQ(view_.Closes, 1);
    EXPECT_FALSE(logic_->Shown());
}

TEST_F(SecurityTest, SaveWithPasswordChoiceStoresUsePasswordAndLocksThePanelUntilLogIn)
{
    settings_.AccessChoice = 0;
    logic_->ShowSetup();
    view_.Access = 2;
    logic_->AccessPanelClick();
    logic_->SecuritySaveClick();
    EXPECT_TRUE(settings_.PasswordRequired);
    EXPECT_FALSE(view_.AccessPanelEnabled);
    EXPECT_TRUE(StoredFlag("params.dbf", "USEPASSWD"));
    EXPECT_EQ(view_.PasswordMsg, "Password is required on startup");
}

TEST_F(SecurityTest, LogIn)
{
    view_.AccessPanelEnabled = false;
    host_.PasswordGiven = true;
    logic_->ShowSetup();
    logic_->CallLoginClick();
    EXPECT_TRUE(settings_.PasswordAccepted);
    EXPECT_TRUE(view_.AccessPanelEnabled);
    EXPECT_EQ(view_.Closes, 0);

    // A refused log-in ends the program.
    host_.PasswordGiven = false;
    host_.Calls.clear();
    logic_->CallLoginClick();
    EXPECT_FALSE(settings_.PasswordAccepted);
    EXPECT_TRUE(settings_.LoginRefused);
    EXPECT_EQ(host_.Calls, (std::vector<std::string>{"ask password", "close tables", "terminate"}));
    EXPECT_EQ(view_.Closes, 1);
}

TEST_F(SecurityTest, RefusedPasswordChangesStoreNothingAndKeepPasswordRequired)
{
    const std::string stored = data::SwapPasswordLetters("secret");
    Write(params_, [&](db::Table& t) {
        t.fieldByName("PASSWORD").setAsString(stored);
        t.fieldByName("USEPASSWD").setAsBoolean(true);
    });
    const struct {
        const char* name;
        const char *old, *new1, *new2;
        const char* message;
    } cases[] = {
        {"wrong old password", "Secret", "newer", "newer", "Old password is incorrect"},
        {"the stored field typed as the old password", "\x14\x05\x12\x03\x05\x13", "newer", "newer",
         "Old password is incorrect"},
        {"new passwords differ", "secret", "newer", "newest", "New passwords do not match"},
        {"new password blank", "secret", "   ", "", "New password is blank"},
    };
    for (const auto& c : cases) {
        settings_.PasswordRequired = true;
        ui_.Messages.clear();
        view_.Old = c.old;
        view_.New1 = c.new1;
        view_.New2 = c.new2;
        view_.Status = "(untouched)";
        logic_->SavePasswordClick();
        ASSERT_EQ(ui_.Messages.size(), 1u) << c.name;
        EXPECT_EQ(ui_.Messages[0].text, c.message) << c.name;
        EXPECT_EQ(ui_.Messages[0].caption, "Change or set password error") << c.name;
        EXPECT_EQ(ui_.Messages[0].icon, data::MessageIcon::Stop) << c.name;
        EXPECT_TRUE(settings_.PasswordRequired) << c.name << ": the next start must still ask";
        EXPECT_EQ(StoredText("params.dbf", "PASSWORD"), stored) << c.name;
        EXPECT_EQ(view_.Status, "(untouched)") << c.name;
        EXPECT_EQ(view_.Old, QString::fromLatin1(c.old)) << c.name << ": the edits keep what was typed";
    }
}

TEST_F(SecurityTest, PasswordChanges)
{
    const struct {
        const char* name;
        const char* storedBefore;
        const char *old, *new1, *new2;
        const char* newPassword;
    } cases[] = {
        {"first password, nothing stored", "", "", "first", "first", "first"},
        {"the stored password", "secret", "secret", "other", "other", "other"},
        {"built-in password over another", "secret", "qPlaceholderSecrtz", "other", "other", "other"},
        {"blanks around every entry", "secret", "secret ", " other", "other  ", "other"},
        {"codes the swap does not undo", "secret", "secret", "br{ce}s|", "br{ce}s|", "br{ce}s|"},
    };
    for (const auto& c : cases) {
        Write(params_, [&](db::Table& t) {
            t.fieldByName("PASSWORD").setAsString(data::SwapPasswordLetters(c.storedBefore));
            t.fieldByName("USEPASSWD").setAsBoolean(false);
        });
        settings_.PasswordRequired = true;
        ui_.Messages.clear();
        view_.Old = c.old;
        view_.New1 = c.new1;
        view_.New2 = c.new2;
        logic_->SavePasswordClick();
        EXPECT_TRUE(ui_.Messages.empty()) << c.name << ": " << (ui_.Messages.empty() ? "" : ui_.Messages[0].text);
        EXPECT_EQ(StoredText("params.dbf", "PASSWORD"), data::SwapPasswordLetters(c.newPassword)) << c.name;
        EXPECT_TRUE(StoredFlag("params.dbf", "USEPASSWD")) << c.name;
        EXPECT_EQ(view_.Status, "New password accepted") << c.name;
        EXPECT_TRUE(view_.Old.isEmpty() && view_.New1.isEmpty() && view_.New2.isEmpty()) << c.name;

        // The new password is accepted as the old one next time.
        view_.Old = c.newPassword;
        view_.New1 = view_.New2 = c.newPassword;
        logic_->SavePasswordClick();
        EXPECT_TRUE(ui_.Messages.empty()) << c.name << ": the password just set is refused";
    }
    EXPECT_EQ(view_.Closes, 0) << "the dialog stays open";
}

TEST_F(SecurityTest, APasswordTheFieldCannotKeepIsRefused)
{
    for (const QString& typed : {QString::fromUtf8("pr\u20ACis"), QString(101, QLatin1Char('x'))}) {
        ui_.Messages.clear();
        view_.Old = "";
        view_.New1 = view_.New2 = typed;
        logic_->SavePasswordClick();
        ASSERT_EQ(ui_.Messages.size(), 1u);
        EXPECT_EQ(ui_.Messages[0].caption, "Change or set password error");
        EXPECT_EQ(StoredText("params.dbf", "PASSWORD"), "");
    }
}

}  // namespace
}  // namespace tw::settings::testing
