// Every date picker shows a date as the program writes it in the user's
// locale, whatever that locale's short date pattern is.
#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "query/querypage.h"
#include "platform/datetime/localetexts.h"
#include "tasks/addtaskform.h"
#include "testapplication.h"

#include <QDateEdit>

#include <gtest/gtest.h>

namespace tw::app {
namespace {

TEST(DatePickers, ShowTheDateOfTheLocalesShortDate)
{
    testing::ApplicationInUse application;
    for (const char* name : {"en_US", "de_DE", "C"}) {
        locale::PinLocale(name);
        testing::FreshUser user;
        testing::Recorder recorder;
        TMainScreen window;
        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen) << name;
        const std::string expected = locale::DateToStr(EncodeDate(2026, 10, 23));
        for (QWidget* owner : std::initializer_list<QWidget*>{window.Features().Query->Page(),
                                                              window.Features().Editor->Editor()}) {
            for (const char* picker : {"TaskStartDate", "TaskEndDate"}) {
                auto* edit = owner->findChild<QDateEdit*>(QLatin1String(picker));
                ASSERT_NE(edit, nullptr) << picker;
                edit->setDate(QDate(2026, 10, 23));
                EXPECT_EQ(edit->text().toStdString(), expected)
                    << name << " " << owner->objectName().toStdString() << " " << picker;
            }
        }
    }
    locale::PinLocale("en_US");
}

}  // namespace
}  // namespace tw::app
