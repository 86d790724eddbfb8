// Typing into a date or time picker: the text typed over the picker's text
// is read as the program reads dates and times once Enter or the focus ends
// the typing; the steps of the arrow keys count at once.
#include "controls/typedpicker.h"

#include "platform/datetime/localetexts.h"
#include "testapplication.h"

#include <QDateEdit>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimeEdit>

#include <gtest/gtest.h>

namespace tw::controls {
namespace {

class TypedPickerTest : public ::testing::Test {
protected:
    TypedPickerTest() { locale::PinLocale("en_US"); }

    template <typename Picker>
    void Type(Picker& picker, const char* text, Qt::Key end)
    {
        picker.template findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(&picker, QString::fromLatin1(text));
        if (end == Qt::Key_unknown) {
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(&picker, &out);
        } else {
            QTest::keyClick(&picker, end);
        }
    }

    testing::ApplicationInUse application;
    int changes = 0;
};

TEST_F(TypedPickerTest, ATypedTimeCountsOnceTypedInFull)
{
    QTimeEdit picker;
    picker.setDisplayFormat(QStringLiteral("h:mm AP"));
    picker.setTime(QTime(10, 0));
    TypedPicker::Watch(&picker, [this] { ++changes; });
    const struct {
        const char* Typed;
        Qt::Key End;  // Qt::Key_unknown: the focus leaves
        QTime Time;
        int Changes;
    } cases[] = {
        {"7:00 AM", Qt::Key_Return, QTime(7, 0), 1},
        {"7:00 AM", Qt::Key_Tab, QTime(7, 0), 0},
        {"4:45 pm", Qt::Key_unknown, QTime(16, 45), 1},
        {"18:30", Qt::Key_Return, QTime(18, 30), 1},
        {"7:75", Qt::Key_Return, QTime(18, 30), 0},
        {"half past", Qt::Key_Tab, QTime(18, 30), 0},
        {"8:00 AM", Qt::Key_Escape, QTime(18, 30), 0},
    };
    for (const auto& c : cases) {
        changes = 0;
        Type(picker, c.Typed, c.End);
        EXPECT_EQ(picker.time(), c.Time) << c.Typed;
        EXPECT_EQ(changes, c.Changes) << c.Typed;
        EXPECT_EQ(picker.findChild<QLineEdit*>()->text(), QLocale().toString(c.Time, picker.displayFormat()))
            << c.Typed;
    }

    // A step of the arrows counts at once: the hour, where the cursor stands.
    changes = 0;
    picker.findChild<QLineEdit*>()->setCursorPosition(0);
    picker.stepUp();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(picker.time(), QTime(19, 30));
}

TEST_F(TypedPickerTest, ATypedDateIsReadInTheShortDateOrder)
{
    QDateEdit picker;
    picker.setDisplayFormat(QString::fromStdString(locale::QtShortDatePattern()));
    picker.setDate(QDate(2026, 12, 7));
    TypedPicker::Watch(&picker, [this] { ++changes; });
    Type(picker, "12/24/2026", Qt::Key_Return);
    EXPECT_EQ(picker.date(), QDate(2026, 12, 24));
    EXPECT_EQ(changes, 1);
    Type(picker, "24/12/2026", Qt::Key_Return);
    EXPECT_EQ(picker.date(), QDate(2026, 12, 24));
    EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace tw::controls
