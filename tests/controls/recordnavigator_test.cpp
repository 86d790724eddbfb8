// The navigator's press: BeforeAction may leave the action out, OnClick
// always follows; the cursor model's rows follow its view's filter.
#include "controls/recordnavigator.h"

#include <gtest/gtest.h>

#include <QToolButton>

#include <string>
#include <vector>

#include "testapplication.h"

namespace tw::controls {
namespace {

TEST(RecordNavigatorTest, ARefusalLeavesTheActionOutButNotTheClick)
{
    testing::TestApplication();
    RecordNavigator navigator;
    std::vector<std::string> steps;
    navigator.BeforeAction = [&](RecordNavigator::Button b) {
        steps.push_back("before " + std::to_string(b));
        return b != RecordNavigator::Delete;
    };
    navigator.Action = [&](RecordNavigator::Button b) { steps.push_back("action " + std::to_string(b)); };
    navigator.OnClick = [&](RecordNavigator::Button b) { steps.push_back("click " + std::to_string(b)); };

    navigator.ButtonOf(RecordNavigator::Next)->click();
    navigator.ButtonOf(RecordNavigator::Delete)->click();
    EXPECT_EQ(steps, (std::vector<std::string>{"before 2", "action 2", "click 2", "before 5", "click 5"}));

    navigator.SetButtonVisible(RecordNavigator::Insert, false);
    EXPECT_FALSE(navigator.ButtonVisible(RecordNavigator::Insert));
    EXPECT_TRUE(navigator.ButtonVisible(RecordNavigator::Delete));
}

}  // namespace
}  // namespace tw::controls
