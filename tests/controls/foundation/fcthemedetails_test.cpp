#include "controls/foundation/fcthemedetails.h"

#include <gtest/gtest.h>

namespace tw::controls {
namespace {

TEST(FcThemeDetails, PartAndStateByRange)
{
    struct Case {
        TThemedElementDetails got, expected;
    };
    const Case cases[] = {
        {GetElementDetails(tbPushButtonNormal), {teButton, 1, 1}},
        {GetElementDetails(tbPushButtonDefaulted), {teButton, 1, 5}},
        {GetElementDetails(tbCheckBoxMixedDisabled), {teButton, 3, 12}},
        {GetElementDetails(tbButtonRoot), {teButton, 0, 2}},
        {GetElementDetails(tbButtonDontCare), {teButton, 0, 1}},
        {GetElementDetails(tbUserButton), {teButton, 5, 1}},
        {GetElementDetails(tebHeaderPinSelectedNormal), {teExplorerBar, 3, 4}},
        {GetElementDetails(tcDropDownButtonNormal), {teComboBox, 1, 1}},
        {GetElementDetails(tcDropDownButtonDisabled), {teComboBox, 1, 4}},
        {GetElementDetails(tsGripper), {teStatus, 3, 1}},
        {GetElementDetails(twSmallFrameBottomInactive), {teWindow, 12, 2}},
        {GetElementDetails(twSmallFrameBottomSizingTemplate), {teWindow, 37, 1}},
        {GetElementDetails(tpChunkVert), {teProgress, 4, 1}},
        {GetElementDetails(ttTopTabItemBothEdgeFocused), {teTab, 8, 5}},
        {GetElementDetails(ttBody), {teTab, 10, 1}},
        {GetElementDetails(tsSizeBoxLeftAlign), {teScrollBar, 10, 2}},
        {GetElementDetails(ttbSeparatorVertCheckedHot), {teToolBar, 6, 6}},
        {GetElementDetails(tsDownHorzDisabled), {teSpin, 4, 4}},
        {GetElementDetails(ttbThumbTicsVert), {teTrackBar, 10, 1}},
        {GetElementDetails(teEditCaret), {teEdit, 2, 1}},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;
}

TEST(FcThemeDetails, ClassNames)
{
    EXPECT_EQ(ThemeClassName(teButton), "button");
    EXPECT_EQ(ThemeClassName(teTrayNotify), "traynotify");
    EXPECT_EQ(ThemeClassName(teWindow), "window");
}

TEST(FcThemeDetails, LibraryBindingCountsItsUsers)
{
    while (ThemeLibraryUsers() > 0)
        FreeThemeLibrary();
    EXPECT_TRUE(InitThemeLibrary());
    EXPECT_TRUE(InitThemeLibrary());
    FreeThemeLibrary();
    EXPECT_TRUE(ThemeLibraryLoaded());
    FreeThemeLibrary();
    EXPECT_FALSE(ThemeLibraryLoaded());
    FreeThemeLibrary();  // one too many changes nothing
    EXPECT_FALSE(ThemeLibraryLoaded());
    EXPECT_EQ(ThemeLibraryUsers(), 0);
}

}  // namespace
}  // namespace tw::controls
