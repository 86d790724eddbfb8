#include "app/windowlayout.h"

#include "platform/registry/registry.h"

#include "testfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include <unistd.h>

namespace tw::app {
namespace {

namespace fs = std::filesystem;

TEST(LayoutNumberTest, OnlyWholeNumbersCount)
{
    struct Case {
        const char* text;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {"120", 120}, {" 758 ", 758}, {"+5", 5},           {"-20", -20},    {"0", 0},
        {"", {}},     {"   ", {}},    {"abc", {}},         {"12px", {}},    {"1.5", {}},
        {"0x10", {}}, {"- 3", {}},    {"99999999999", {}}, {"927 758", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LayoutNumber(c.text), c.expected) << "text '" << c.text << "'";
}

class WindowLayoutTest : public testing::TestFolder {
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        file_ = (dir_ / "registry.ini").string();
    }

    registry::TRegistry VersionKeyWith(std::initializer_list<std::pair<const char*, const char*>> values)
    {
        registry::TRegistry reg(file_);
        reg.SetRootKey(registry::RootKey::LocalMachine);
        EXPECT_TRUE(reg.OpenKey(kVersionKey, true));
        for (const auto& [name, value] : values)
            reg.WriteString(name, value);
        return reg;
    }

    std::string file_;
};

TEST_F(WindowLayoutTest, MissingKeyReadsNothingAndIsNotCreatedBySaving)
{
    registry::TRegistry reg(file_);
    EXPECT_FALSE(LoadWindowLayout(reg));
    EXPECT_FALSE(SaveWindowLayout(reg, WindowLayout{}));
    reg.SetRootKey(registry::RootKey::LocalMachine);
    EXPECT_FALSE(reg.KeyExists(kVersionKey));
}

TEST_F(WindowLayoutTest, EmptyKeyGivesTheDefaults)
{
    registry::TRegistry reg = VersionKeyWith({});
    const std::optional<WindowLayout> layout = LoadWindowLayout(reg);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->Top, 115);
    EXPECT_EQ(layout->Height, 758);
    EXPECT_EQ(layout->Width, 927);
    EXPECT_EQ(layout->Left, 58);
    EXPECT_TRUE(layout->TasksGridAutoWidth);
    EXPECT_EQ(layout->EditChartHeight, 342);
    EXPECT_EQ(layout->CustomFieldsLeft, 489);
    EXPECT_EQ(layout->AddTaskLeft, 0);
}

// Values edited by hand or left by another program once kept the program from
// starting; now each one that is not a number takes its default.
TEST_F(WindowLayoutTest, DamagedGeometryTakesTheDefaultsValueByValue)
{
    registry::TRegistry reg = VersionKeyWith({{"Top", "abc"},
                                              {"Height", "600"},
                                              {"Width", "12.5"},
                                              {"Left", ""},
                                              {"ECHS", "x"},
                                              {"pfl", "310"},
                                              {"cft", "1e3"}});
    const std::optional<WindowLayout> layout = LoadWindowLayout(reg);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->Top, 115);
    EXPECT_EQ(layout->Height, 600);
    EXPECT_EQ(layout->Width, 927);
    EXPECT_EQ(layout->Left, 58);
    EXPECT_EQ(layout->EditChartHeight, 342);
    EXPECT_EQ(layout->PrintLeft, 310);
    EXPECT_EQ(layout->CustomFieldsTop, 301);
}

TEST_F(WindowLayoutTest, TasksGridColumnsFollowColumnThree)
{
    struct Case {
        const char* name;
        const char* tcw3;
        const char* tcw2;
        bool autoWidth;
        std::array<int, 4> columns;
    };
    const Case cases[] = {
        {"empty column 3 fills the grid, whatever the others hold", "", "90", true, {110, 100, 75, 0}},
        {"damaged column 3 counts as empty", "wide", "90", true, {110, 100, 75, 0}},
        {"sized columns are used", "40", "90", false, {110, 100, 90, 40}},
        {"an empty or damaged other column takes its default", "40", "?", false, {110, 100, 75, 40}},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir_);
        registry::TRegistry reg = VersionKeyWith({{"tcw3", c.tcw3}, {"tcw2", c.tcw2}});
        const std::optional<WindowLayout> layout = LoadWindowLayout(reg);
        ASSERT_TRUE(layout) << c.name;
        EXPECT_EQ(layout->TasksGridAutoWidth, c.autoWidth) << c.name;
        if (!c.autoWidth) {
            EXPECT_EQ(layout->TasksGridColumnWidths, c.columns) << c.name;
        }
    }
}

TEST_F(WindowLayoutTest, SavedLayoutReadsBackAndLeavesTheGridColumnsAlone)
{
    registry::TRegistry reg = VersionKeyWith({{"tcw3", "44"}});
    WindowLayout layout;
    layout.Top = -8;
    layout.Height = 900;
    layout.Width = 1400;
    layout.Left = 1930;
    layout.EditChartTop = 77;
    layout.EmailTop = 250;
    layout.AddTaskLeft = 12;
    layout.TasksGridColumnWidths = {1, 2, 3, 4};
    ASSERT_TRUE(SaveWindowLayout(reg, layout));

    registry::TRegistry again(file_);
    const std::optional<WindowLayout> read = LoadWindowLayout(again);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Top, -8);
    EXPECT_EQ(read->Height, 900);
    EXPECT_EQ(read->Width, 1400);
    EXPECT_EQ(read->Left, 1930);
    EXPECT_EQ(read->EditChartTop, 77);
    EXPECT_EQ(read->EmailTop, 250);
    EXPECT_EQ(read->AddTaskLeft, 12);
    EXPECT_EQ(again.ReadString("Height"), "900");
    EXPECT_EQ(read->TasksGridColumnWidths[3], 44);
}

}  // namespace
}  // namespace tw::app
