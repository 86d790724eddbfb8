#include "controls/fccmbobx.h"

#include <gtest/gtest.h>

#include "testapplication.h"

namespace tw::controls {
namespace {

TEST(TFcCustomComboBoxTest, AddAppendsAtTheEndEvenWhenTheTextIsThereAlready)
{
    testing::TestApplication();
    TFcCustomComboBox box;
    box.Add("Default for all resources");
    box.Add("Anna");
    box.Add("Anna");
    ASSERT_EQ(box.count(), 3);
    EXPECT_EQ(box.itemText(0), "Default for all resources");
    EXPECT_EQ(box.itemText(2), "Anna");
}

}  // namespace
}  // namespace tw::controls
