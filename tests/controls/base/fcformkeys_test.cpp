// The form's key routing through real widgets: which keys the focused widget
// passes on, what reaches the controls' hooks, and what stays in the window.

#include "../testapplication.h"

#include "controls/base/fccontrol.h"
#include "controls/base/fcformkeys.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw::controls {
namespace {

using testing::ApplicationInUse;

// Takes the keys and characters it is told to and records every round.
class KeyProbe : public TFcControl {
public:
    explicit KeyProbe(QWidget* parent, bool takes = true)
        : TFcControl(parent)
        , takes_(takes)
    {
        setFocusPolicy(Qt::StrongFocus);
    }
    std::vector<std::pair<int, Qt::KeyboardModifiers>> keys;
    std::vector<QChar> chars;
    std::vector<QWidget*> focus;

    bool DialogKey(int key, Qt::KeyboardModifiers modifiers) override
    {
        keys.emplace_back(key, modifiers);
        return takes_;
    }
    bool DialogChar(QChar character, Qt::KeyboardModifiers) override
    {
        chars.push_back(character);
        return takes_ && character == u's';
    }
    void FocusChanged(QWidget* focused) override { focus.push_back(focused); }

private:
    bool takes_;
};

struct FormKeys : ::testing::Test {
    ApplicationInUse app;
    QDialog dialog;
    QVBoxLayout* layout = new QVBoxLayout(&dialog);
    QCheckBox* check = new QCheckBox("Check", &dialog);
    QLineEdit* line = new QLineEdit(&dialog);
    QPlainTextEdit* text = new QPlainTextEdit(&dialog);
    KeyProbe* probe = new KeyProbe(&dialog);

    FormKeys()
    {
        layout->addWidget(check);
        layout->addWidget(line);
        layout->addWidget(text);
        layout->addWidget(probe);
        TFcFormKeys::Install(&dialog);
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    void FocusOn(QWidget* widget)
    {
        widget->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), widget);
    }
};

TEST_F(FormKeys, EnterAndEscapeReachTheControlsUnlessTheFocusedWidgetKeepsThem)
{
    FocusOn(check);
    QTest::keyClick(check, Qt::Key_Return);
    QTest::keyClick(check, Qt::Key_Escape);
    FocusOn(line);
    QTest::keyClick(line, Qt::Key_Enter, Qt::KeypadModifier);
    FocusOn(text);
    QTest::keyClick(text, Qt::Key_Return);  // a text editor keeps its Enter
    ASSERT_EQ(probe->keys.size(), 3u);
    EXPECT_EQ(probe->keys[0].first, Qt::Key_Return);
    EXPECT_EQ(probe->keys[1].first, Qt::Key_Escape);
    EXPECT_EQ(probe->keys[2].first, Qt::Key_Enter);
    EXPECT_EQ(probe->keys[2].second, Qt::NoModifier);  // the keypad is no shift state
    EXPECT_EQ(text->toPlainText(), "\n");
    EXPECT_TRUE(dialog.isVisible());  // the control took Escape, so QDialog did not reject
}

TEST_F(FormKeys, EscapeNoControlTakesStillRejectsTheDialog)
{
    auto* idle = new KeyProbe(&dialog, false);
    delete probe;
    probe = idle;
    FocusOn(check);
    QTest::keyClick(check, Qt::Key_Escape);
    EXPECT_EQ(idle->keys.size(), 1u);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(FormKeys, CtrlTabArrivesAsTabWithControlBothWays)
{
    FocusOn(check);
    QTest::keyClick(check, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(check, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(check, Qt::Key_Tab);  // plain Tab moves the focus and nothing more
    ASSERT_EQ(probe->keys.size(), 2u);
    EXPECT_EQ(probe->keys[0], std::make_pair(int(Qt::Key_Tab), Qt::KeyboardModifiers(Qt::ControlModifier)));
    EXPECT_EQ(probe->keys[1],
              std::make_pair(int(Qt::Key_Tab), Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier)));
}

TEST_F(FormKeys, AltCharacterGoesRoundBeforeALineEditTypesIt)
{
    FocusOn(line);
    QTest::keyClick(line, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(probe->chars, std::vector<QChar>{u's'});
    EXPECT_TRUE(line->text().isEmpty());
    QTest::keyClicks(line, "s");  // a plain character is the line edit's
    EXPECT_EQ(line->text(), "s");
    EXPECT_EQ(probe->chars.size(), 1u);
    FocusOn(check);
    QTest::keyClick(check, Qt::Key_S);  // a check box takes no characters
    EXPECT_EQ(probe->chars.size(), 2u);
}

TEST_F(FormKeys, FocusChangesGoRoundWithTheNewWidget)
{
    FocusOn(check);
    probe->focus.clear();
    FocusOn(line);
    FocusOn(probe);
    EXPECT_EQ(probe->focus, (std::vector<QWidget*>{line, probe}));
    EXPECT_EQ(ActiveControlOf(check), probe);
}

TEST_F(FormKeys, AnotherWindowsControlsAndKeysStayOut)
{
    QDialog other(&dialog);
    auto* otherLine = new QLineEdit(&other);
    auto* otherProbe = new KeyProbe(&other);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    otherLine->setFocus();
    QApplication::processEvents();
    QTest::keyClick(otherLine, Qt::Key_Return);
    QTest::keyClick(otherLine, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(probe->keys.empty());
    EXPECT_TRUE(probe->chars.empty());
    EXPECT_TRUE(otherProbe->keys.empty());  // that window installed no routing
    EXPECT_EQ(TFcFormKeys::Of(otherLine), nullptr);
    EXPECT_EQ(TFcFormKeys::Of(line), TFcFormKeys::Install(line));
}

}  // namespace
}  // namespace tw::controls
