#include "controls/foundation/fcthemedetails.h"

#include <mutex>
#include <span>

namespace tw::controls {
namespace {

struct PartRange {
    int first;
    int last;
    int part;
};

struct ElementInfo {
    std::string_view className;
    std::span<const PartRange> ranges;
};

// TThemedButton
constexpr PartRange kButtonRanges[] = {
    {tbPushButtonNormal, tbPushButtonDefaulted, 1},
    {tbRadioButtonUncheckedNormal, tbRadioButtonCheckedDisabled, 2},
    {tbCheckBoxUncheckedNormal, tbCheckBoxMixedDisabled, 3},
    {tbGroupBoxNormal, tbGroupBoxDisabled, 4},
    {tbUserButton, tbUserButton, 5},
};
// TThemedClock
constexpr PartRange kClockRanges[] = {
    {tcTimeNormal, tcTimeNormal, 1},
};
// TThemedComboBox
constexpr PartRange kComboBoxRanges[] = {
    {tcDropDownButtonNormal, tcDropDownButtonDisabled, 1},
};
// TThemedEdit
constexpr PartRange kEditRanges[] = {
    {teEditTextNormal, teEditTextAssist, 1},
    {teEditCaret, teEditCaret, 2},
};
// TThemedExplorerBar
constexpr PartRange kExplorerBarRanges[] = {
    {tebHeaderBackgroundNormal, tebHeaderBackgroundPressed, 1},
    {tebHeaderCloseNormal, tebHeaderClosePressed, 2},
    {tebHeaderPinNormal, tebHeaderPinSelectedPressed, 3},
    {tebIEBarMenuNormal, tebIEBarMenuPressed, 4},
    {tebNormalGroupBackground, tebNormalGroupBackground, 5},
    {tebNormalGroupCollapseNormal, tebNormalGroupCollapsePressed, 6},
    {tebNormalGroupExpandNormal, tebNormalGroupExpandPressed, 7},
    {tebNormalGroupHead, tebNormalGroupHead, 8},
    {tebSpecialGroupBackground, tebSpecialGroupBackground, 9},
    {tebSpecialGroupCollapseSpecial, tebSpecialGroupCollapsePressed, 10},
    {tebSpecialGroupExpandSpecial, tebSpecialGroupExpandPressed, 11},
    {tebSpecialGroupHead, tebSpecialGroupHead, 12},
};
// TThemedHeader
constexpr PartRange kHeaderRanges[] = {
    {thHeaderItemNormal, thHeaderItemPressed, 1},
    {thHeaderItemLeftNormal, thHeaderItemLeftPressed, 2},
    {thHeaderItemRightNormal, thHeaderItemRightPressed, 3},
    {thHeaderSortArrowSortedUp, thHeaderSortArrowSortedDown, 4},
};
// TThemedListview
constexpr PartRange kListviewRanges[] = {
    {tlListItemNormal, tlListItemSelectedNotFocus, 1},
    {tlListGroup, tlListGroup, 2},
    {tlListDetail, tlListDetail, 3},
    {tlListSortDetail, tlListSortDetail, 4},
    {tlEmptyText, tlEmptyText, 5},
};
// TThemedMenu
constexpr PartRange kMenuRanges[] = {
    {tmMenuItemNormal, tmMenuItemDemoted, 1},
    {tmMenuDropDown, tmMenuDropDown, 2},
    {tmMenuBarItem, tmMenuBarItem, 3},
    {tmMenuBarDropDown, tmMenuBarDropDown, 4},
    {tmChevron, tmChevron, 5},
    {tmSeparator, tmSeparator, 6},
};
// TThemedPage
constexpr PartRange kPageRanges[] = {
    {tpUpNormal, tpUpDisabled, 1},
    {tpDownNormal, tpDownDisabled, 2},
    {tpUpHorzNormal, tpUpHorzDisabled, 3},
    {tpDownHorzNormal, tpDownHorzDisabled, 4},
};
// TThemedProgress
constexpr PartRange kProgressRanges[] = {
    {tpBar, tpBar, 1},
    {tpBarVert, tpBarVert, 2},
    {tpChunk, tpChunk, 3},
    {tpChunkVert, tpChunkVert, 4},
};
// TThemedRebar
constexpr PartRange kRebarRanges[] = {
    {trGripper, trGripper, 1},
    {trGripperVert, trGripperVert, 2},
    {trBandNormal, trBandHotChecked, 3},
    {trChevronNormal, trChevronDisabled, 4},
    {trChevronVertNormal, trChevronVertDisabled, 5},
};
// TThemedScrollBar
constexpr PartRange kScrollBarRanges[] = {
    {tsArrowBtnUpNormal, tsArrowBtnRightDisabled, 1},
    {tsThumbBtnHorzNormal, tsThumbBtnHorzDisabled, 2},
    {tsThumbBtnVertNormal, tsThumbBtnVertDisabled, 3},
    {tsLowerTrackHorzNormal, tsLowerTrackHorzDisabled, 4},
    {tsUpperTrackHorzNormal, tsUpperTrackHorzDisabled, 5},
    {tsLowerTrackVertNormal, tsLowerTrackVertDisabled, 6},
    {tsUpperTrackVertNormal, tsUpperTrackVertDisabled, 7},
    {tsGripperHorzNormal, tsGripperHorzDisabled, 8},
    {tsGripperVertNormal, tsGripperVertDisabled, 9},
    {tsSizeBoxRightAlign, tsSizeBoxLeftAlign, 10},
};
// TThemedSpin
constexpr PartRange kSpinRanges[] = {
    {tsUpNormal, tsUpDisabled, 1},
    {tsDownNormal, tsDownDisabled, 2},
    {tsUpHorzNormal, tsUpHorzDisabled, 3},
    {tsDownHorzNormal, tsDownHorzDisabled, 4},
};
// TThemedStartPanel
constexpr PartRange kStartPanelRanges[] = {
    {tspUserPane, tspUserPane, 1},
    {tspMorePrograms, tspMorePrograms, 2},
    {tspMoreProgramsArrowNormal, tspMoreProgramsArrowPressed, 3},
    {tspProgList, tspProgList, 4},
    {tspProgListSeparator, tspProgListSeparator, 5},
    {tspPlacesList, tspPlacesList, 6},
    {tspPlacesListSeparator, tspPlacesListSeparator, 7},
    {tspLogOff, tspLogOff, 8},
    {tspLogOffButtonsNormal, tspLogOffButtonsPressed, 9},
    {tspUserPicture, tspUserPicture, 10},
    {tspPreview, tspPreview, 11},
};
// TThemedStatus
constexpr PartRange kStatusRanges[] = {
    {tsPane, tsPane, 1},
    {tsGripperPane, tsGripperPane, 2},
    {tsGripper, tsGripper, 3},
};
// TThemedTab
constexpr PartRange kTabRanges[] = {
    {ttTabItemNormal, ttTabItemFocused, 1},
    {ttTabItemLeftEdgeNormal, ttTabItemLeftEdgeFocused, 2},
    {ttTabItemRightEdgeNormal, ttTabItemRightEdgeFocused, 3},
    {ttTabItemBothEdgeNormal, ttTabItemBothEdgeFocused, 4},
    {ttTopTabItemNormal, ttTopTabItemFocused, 5},
    {ttTopTabItemLeftEdgeNormal, ttTopTabItemLeftEdgeFocused, 6},
    {ttTopTabItemRightEdgeNormal, ttTopTabItemRightEdgeFocused, 7},
    {ttTopTabItemBothEdgeNormal, ttTopTabItemBothEdgeFocused, 8},
    {ttPane, ttPane, 9},
    {ttBody, ttBody, 10},
};
// TThemedTaskBand
constexpr PartRange kTaskBandRanges[] = {
    {ttbGroupCount, ttbGroupCount, 1},
    {ttbFlashButton, ttbFlashButton, 2},
    {ttpFlashButtonGroupMenu, ttpFlashButtonGroupMenu, 3},
};
// TThemedTaskBar
constexpr PartRange kTaskBarRanges[] = {
    {ttbTimeNormal, ttbTimeNormal, 1},
};
// TThemedToolBar
constexpr PartRange kToolBarRanges[] = {
    {ttbButtonNormal, ttbButtonCheckedHot, 1},
    {ttbDropDownButtonNormal, ttbDropDownButtonCheckedHot, 2},
    {ttbSplitButtonNormal, ttbSplitButtonCheckedHot, 3},
    {ttbSplitButtonDropDownNormal, ttbSplitButtonDropDownCheckedHot, 4},
    {ttbSeparatorNormal, ttbSeparatorCheckedHot, 5},
    {ttbSeparatorVertNormal, ttbSeparatorVertCheckedHot, 6},
};
// TThemedToolTip
constexpr PartRange kToolTipRanges[] = {
    {tttStandardNormal, tttStandardLink, 1}, {tttStandardTitleNormal, tttStandardTitleLink, 2},
    {tttBaloonNormal, tttBaloonLink, 3},     {tttBaloonTitleNormal, tttBaloonTitleLink, 4},
    {tttCloseNormal, tttClosePressed, 5},
};
// TThemedTrackBar
constexpr PartRange kTrackBarRanges[] = {
    {ttbTrack, ttbTrack, 1},
    {ttbTrackVert, ttbTrackVert, 2},
    {ttbThumbNormal, ttbThumbDisabled, 3},
    {ttbThumbBottomNormal, ttbThumbBottomDisabled, 4},
    {ttbThumbTopNormal, ttbThumbTopDisabled, 5},
    {ttbThumbVertNormal, ttbThumbVertDisabled, 6},
    {ttbThumbLeftNormal, ttbThumbLeftDisabled, 7},
    {ttbThumbRightNormal, ttbThumbRightDisabled, 8},
    {ttbThumbTics, ttbThumbTics, 9},
    {ttbThumbTicsVert, ttbThumbTicsVert, 10},
};
// TThemedTrayNotify
constexpr PartRange kTrayNotifyRanges[] = {
    {ttnBackground, ttnBackground, 1},
    {ttnAnimBackground, ttnAnimBackground, 2},
};
// TThemedTreeview
constexpr PartRange kTreeviewRanges[] = {
    {ttItemNormal, ttItemSelectedNotFocus, 1},
    {ttGlyphClosed, ttGlyphOpened, 2},
    {ttBranch, ttBranch, 3},
};
// TThemedWindow
constexpr PartRange kWindowRanges[] = {
    {twCaptionActive, twCaptionDisabled, 1},
    {twSmallCaptionActive, twSmallCaptionDisabled, 2},
    {twMinCaptionActive, twMinCaptionDisabled, 3},
    {twSmallMinCaptionActive, twSmallMinCaptionDisabled, 4},
    {twMaxCaptionActive, twMaxCaptionDisabled, 5},
    {twSmallMaxCaptionActive, twSmallMaxCaptionDisabled, 6},
    {twFrameLeftActive, twFrameLeftInactive, 7},
    {twFrameRightActive, twFrameRightInactive, 8},
    {twFrameBottomActive, twFrameBottomInactive, 9},
    {twSmallFrameLeftActive, twSmallFrameLeftInactive, 10},
    {twSmallFrameRightActive, twSmallFrameRightInactive, 11},
    {twSmallFrameBottomActive, twSmallFrameBottomInactive, 12},
    {twSysButtonNormal, twSysButtonDisabled, 13},
    {twMDISysButtonNormal, twMDISysButtonDisabled, 14},
    {twMinButtonNormal, twMinButtonDisabled, 15},
    {twMDIMinButtonNormal, twMDIMinButtonDisabled, 16},
    {twMaxButtonNormal, twMaxButtonDisabled, 17},
    {twCloseButtonNormal, twCloseButtonDisabled, 18},
    {twSmallCloseButtonNormal, twSmallCloseButtonDisabled, 19},
    {twMDICloseButtonNormal, twMDICloseButtonDisabled, 20},
    {twRestoreButtonNormal, twRestoreButtonDisabled, 21},
    {twMDIRestoreButtonNormal, twMDIRestoreButtonDisabled, 22},
    {twHelpButtonNormal, twHelpButtonDisabled, 23},
    {twMDIHelpButtonNormal, twMDIHelpButtonDisabled, 24},
    {twHorzScrollNormal, twHorzScrollDisabled, 25},
    {twHorzThumbNormal, twHorzThumbDisabled, 26},
    {twVertScrollNormal, twVertScrollDisabled, 27},
    {twVertThumbNormal, twVertThumbDisabled, 28},
    {twDialog, twDialog, 29},
    {twCaptionSizingTemplate, twCaptionSizingTemplate, 30},
    {twSmallCaptionSizingTemplate, twSmallCaptionSizingTemplate, 31},
    {twFrameLeftSizingTemplate, twFrameLeftSizingTemplate, 32},
    {twSmallFrameLeftSizingTemplate, twSmallFrameLeftSizingTemplate, 33},
    {twFrameRightSizingTemplate, twFrameRightSizingTemplate, 34},
    {twSmallFrameRightSizingTemplate, twSmallFrameRightSizingTemplate, 35},
    {twFrameBottomSizingTemplate, twFrameBottomSizingTemplate, 36},
    {twSmallFrameBottomSizingTemplate, twSmallFrameBottomSizingTemplate, 37},
};

constexpr ElementInfo kElements[] = {
    {"button", kButtonRanges},
    {"clock", kClockRanges},
    {"combobox", kComboBoxRanges},
    {"edit", kEditRanges},
    {"explorerbar", kExplorerBarRanges},
    {"header", kHeaderRanges},
    {"listview", kListviewRanges},
    {"menu", kMenuRanges},
    {"page", kPageRanges},
    {"progress", kProgressRanges},
    {"rebar", kRebarRanges},
    {"scrollbar", kScrollBarRanges},
    {"spin", kSpinRanges},
    {"startpanel", kStartPanelRanges},
    {"status", kStatusRanges},
    {"tab", kTabRanges},
    {"taskband", kTaskBandRanges},
    {"taskbar", kTaskBarRanges},
    {"toolbar", kToolBarRanges},
    {"tooltip", kToolTipRanges},
    {"trackbar", kTrackBarRanges},
    {"traynotify", kTrayNotifyRanges},
    {"treeview", kTreeviewRanges},
    {"window", kWindowRanges},
};

static_assert(std::size(kElements) == kThemedElementCount);

TThemedElementDetails Details(TThemedElement element, int value)
{
    for (const PartRange& range : kElements[element].ranges) {
        if (value >= range.first && value <= range.last)
            return {element, range.part, value - range.first + 1};
    }
    // The ...DontCare and ...Root values belong to no part.
    return {element, 0, value + 1};
}

std::mutex& BindingLock()
{
    static std::mutex lock;
    return lock;
}
int gUsers = 0;
bool gLoaded = false;

}  // namespace

std::string_view ThemeClassName(TThemedElement element)
{
    return kElements[element].className;
}

TThemedElementDetails GetElementDetails(TThemedButton detail)
{
    return Details(teButton, detail);
}
TThemedElementDetails GetElementDetails(TThemedClock detail)
{
    return Details(teClock, detail);
}
TThemedElementDetails GetElementDetails(TThemedComboBox detail)
{
    return Details(teComboBox, detail);
}
TThemedElementDetails GetElementDetails(TThemedEdit detail)
{
    return Details(teEdit, detail);
}
TThemedElementDetails GetElementDetails(TThemedExplorerBar detail)
{
    return Details(teExplorerBar, detail);
}
TThemedElementDetails GetElementDetails(TThemedHeader detail)
{
    return Details(teHeader, detail);
}
TThemedElementDetails GetElementDetails(TThemedListview detail)
{
    return Details(teListView, detail);
}
TThemedElementDetails GetElementDetails(TThemedMenu detail)
{
    return Details(teMenu, detail);
}
TThemedElementDetails GetElementDetails(TThemedPage detail)
{
    return Details(tePage, detail);
}
TThemedElementDetails GetElementDetails(TThemedProgress detail)
{
    return Details(teProgress, detail);
}
TThemedElementDetails GetElementDetails(TThemedRebar detail)
{
    return Details(teRebar, detail);
}
TThemedElementDetails GetElementDetails(TThemedScrollBar detail)
{
    return Details(teScrollBar, detail);
}
TThemedElementDetails GetElementDetails(TThemedSpin detail)
{
    return Details(teSpin, detail);
}
TThemedElementDetails GetElementDetails(TThemedStartPanel detail)
{
    return Details(teStartPanel, detail);
}
TThemedElementDetails GetElementDetails(TThemedStatus detail)
{
    return Details(teStatus, detail);
}
TThemedElementDetails GetElementDetails(TThemedTab detail)
{
    return Details(teTab, detail);
}
TThemedElementDetails GetElementDetails(TThemedTaskBand detail)
{
    return Details(teTaskBand, detail);
}
TThemedElementDetails GetElementDetails(TThemedTaskBar detail)
{
    return Details(teTaskBar, detail);
}
TThemedElementDetails GetElementDetails(TThemedToolBar detail)
{
    return Details(teToolBar, detail);
}
TThemedElementDetails GetElementDetails(TThemedToolTip detail)
{
    return Details(teToolTip, detail);
}
TThemedElementDetails GetElementDetails(TThemedTrackBar detail)
{
    return Details(teTrackBar, detail);
}
TThemedElementDetails GetElementDetails(TThemedTrayNotify detail)
{
    return Details(teTrayNotify, detail);
}
TThemedElementDetails GetElementDetails(TThemedTreeview detail)
{
    return Details(teTreeview, detail);
}
TThemedElementDetails GetElementDetails(TThemedWindow detail)
{
    return Details(teWindow, detail);
}

bool InitThemeLibrary()
{
    std::lock_guard guard(BindingLock());
    ++gUsers;
    gLoaded = true;
    return gLoaded;
}

void FreeThemeLibrary()
{
    std::lock_guard guard(BindingLock());
    if (gUsers > 0)
        --gUsers;
    if (gLoaded && gUsers == 0)
        gLoaded = false;
}

bool ThemeLibraryLoaded()
{
    std::lock_guard guard(BindingLock());
    return gLoaded;
}

int ThemeLibraryUsers()
{
    std::lock_guard guard(BindingLock());
    return gUsers;
}

}  // namespace tw::controls
