#include "app/password.h"

#include "pressbutton.h"
#include "testapplication.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace tw::app {
namespace {

using testing::Recorder;

class PasswordTest : public ::testing::Test {
protected:
    // Shows the dialog (not modally: the test plays the user) over a stored field.
    void Open(const std::string& storedField)
    {
        dialog_.SetStoredPasswordSource([storedField] { return storedField; });
        dialog_.setResult(0);
        dialog_.show();
    }
    // Enters text (pasted: it may hold tabs and characters no key gives) and presses Enter.
    void Type(const QString& text)
    {
        dialog_.PasswordEntry()->insert(text);
        QTest::keyClick(dialog_.PasswordEntry(), Qt::Key_Return);
    }
    controls::TFcBitBtn* Button(const char* name) { return dialog_.findChild<controls::TFcBitBtn*>(name); }

    testing::ApplicationInUse application_;
    Recorder recorder_;
    TPassword dialog_;
};

// The title and the label say what to type, and both are shown whole; the
// entry masks every character.
TEST_F(PasswordTest, TheDialogSaysWhatToTypeAndMasksIt)
{
    Open("");
    auto* label = dialog_.findChild<QLabel*>("PasswordLabel");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Please enter password");
    EXPECT_EQ(dialog_.windowTitle(), "Please enter password");
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
    // Room for the title beside the title bar's buttons, in the bold font most title bars use.
    QFont titleFont = dialog_.font();
    titleFont.setBold(true);
    EXPECT_GE(dialog_.width(), QFontMetrics(titleFont).horizontalAdvance(dialog_.windowTitle()) + 60);
    EXPECT_EQ(dialog_.PasswordEntry()->echoMode(), QLineEdit::Password);
    // The documentation's picture, written only on request.
    const QString folder = qEnvironmentVariable("TARNWICK_SCREENSHOTS");
    if (!folder.isEmpty())
        EXPECT_TRUE(dialog_.grab().save(folder + "/password.png"));
}

// Stored fields are written out as the settings record keeps them: every
// letter swapped and the order reversed ("secret" is stored as 20 5 18 3 5 19).
TEST_F(PasswordTest, EntriesAgainstTheStoredField)
{
    struct Case {
        const char* name;
        std::string stored;
        QString entry;
        bool accepted;
    };
    const std::string secret("\x14\x05\x12\x03\x05\x13", 6);
    const Case cases[] = {
        {"the stored password", secret, "secret", true},
        {"blanks and tabs around it do not count", secret, "  secret\t", true},
        {"letter case counts", secret, "Secret", false},
        {"a part of it", secret, "secre", false},
        {"the field's padding does not count", secret + "    ", "secret", true},
        {"capitals and digits are kept as they are",
         std::string("1\x02"
                     "A",
                     3),
         "Ab1", true},
        {"the built-in password whatever is stored", secret, "qPlaceholderSecrtz", true},
        {"an empty stored password and an empty entry", "", "", true},
        {"an empty stored password and an entry", "", "x", false},
        // The entry is compared in stored form: codes above 122 do not come
        // back through the swap, so swapping the field back once made such a
        // password impossible to give again.
        {"a brace, stored as 27", "\x1B", "{", true},
        {"a stored byte that no entry swaps to", "\xE9", "I", false},
        {"a character outside the settings' byte range", secret, QString::fromUtf8("secret\u20AC"), false},
    };
    for (const Case& c : cases) {
        Open(c.stored);
        Type(c.entry);
        EXPECT_EQ(dialog_.result() == QDialog::Accepted, c.accepted) << c.name;
        EXPECT_EQ(dialog_.isVisible(), !c.accepted) << c.name;
        dialog_.hide();
    }
}

TEST_F(PasswordTest, ThreeRefusalsWithTheMessageThenTheFourthClosesSilently)
{
    Open("");
    for (int attempt = 1; attempt <= 3; ++attempt) {
        Type("wrong");
        ASSERT_TRUE(dialog_.isVisible()) << attempt;
        ASSERT_EQ(recorder_.Boxes.size(), size_t(attempt));
        EXPECT_EQ(recorder_.Boxes.back().Text, "Invalid password-- try again");
        EXPECT_EQ(recorder_.Boxes.back().Caption, "Error");
        EXPECT_EQ(recorder_.Boxes.back().Icon, MessageIcon::Stop);
        EXPECT_EQ(recorder_.Boxes.back().Modality, MessageModality::Window);
        dialog_.PasswordEntry()->clear();
    }
    QTest::keyClicks(dialog_.PasswordEntry(), "still wrong");
    testing::PressButton(Button("Ok"));
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.result(), QDialog::Rejected);
    EXPECT_EQ(recorder_.Boxes.size(), 3u);
}

// Enter in the entry is one try (no button answers it a second time); Escape
// answers Cancel and closes the dialog refused.
TEST_F(PasswordTest, EnterIsOneTryAndEscapeIsCancel)
{
    Open("");
    int cancels = 0;
    QObject::connect(Button("Cancel"), &controls::TFcControl::clicked, [&] { ++cancels; });
    Type("wrong");
    EXPECT_EQ(dialog_.TryCount(), 1);
    EXPECT_TRUE(dialog_.isVisible());
    QTest::keyClick(dialog_.PasswordEntry(), Qt::Key_Escape);
    EXPECT_EQ(cancels, 1);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.result(), QDialog::Rejected);
    EXPECT_EQ(recorder_.Boxes.size(), 1u);
}

TEST_F(PasswordTest, EachShowingStartsWithAnEmptyEntryAndNoTries)
{
    Open("");
    Type("wrong");
    Type("again");
    EXPECT_EQ(dialog_.TryCount(), 2);
    testing::PressButton(Button("Cancel"));
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.result(), QDialog::Rejected);

    QTest::keyClicks(dialog_.PasswordEntry(), "left over");
    dialog_.show();
    EXPECT_EQ(dialog_.TryCount(), 0);
    EXPECT_TRUE(dialog_.PasswordEntry()->text().isEmpty());
    EXPECT_EQ(dialog_.PasswordEntry()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog_.windowTitle(), "Please enter password");
}

TEST_F(PasswordTest, TheStoredPasswordIsReadAtEachTry)
{
    std::string stored = "\x01";  // "a"
    dialog_.SetStoredPasswordSource([&stored] { return stored; });
    dialog_.show();
    Type("b");
    EXPECT_TRUE(dialog_.isVisible());
    stored = "\x02";  // changed meanwhile to "b"
    dialog_.PasswordEntry()->clear();
    Type("b");
    EXPECT_EQ(dialog_.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace tw::app
