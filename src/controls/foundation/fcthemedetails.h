#pragma once
// The visual-style element classes and their detail enumerations: one value
// per part and state of an element class, each turned into the numeric
// (element, part, state) triple by GetElementDetails. The drawing side
// (fcthemesrv.h) maps the triple onto the application's QStyle.
//
// Also the reference-counted binding of the style library. On this platform
// the "library" is the application's widget style: it is always present, but
// the binding's counting and locking rules stay as they are because the
// controls pair their Init/Free calls by them.

#include <string_view>

namespace tw::controls {

enum TThemedElement {
    teButton, teClock, teComboBox, teEdit, teExplorerBar, teHeader, teListView, teMenu, tePage, teProgress, teRebar, teScrollBar, teSpin, teStartPanel, teStatus, teTab, teTaskBand, teTaskBar, teToolBar, teToolTip, teTrackBar, teTrayNotify, teTreeview, teWindow
};
inline constexpr int kThemedElementCount = 24;

enum TThemedButton {
    tbButtonDontCare, tbButtonRoot, tbPushButtonNormal, tbPushButtonHot, tbPushButtonPressed,
    tbPushButtonDisabled, tbPushButtonDefaulted, tbRadioButtonUncheckedNormal,
    tbRadioButtonUncheckedHot, tbRadioButtonUncheckedPressed, tbRadioButtonUncheckedDisabled,
    tbRadioButtonCheckedNormal, tbRadioButtonCheckedHot, tbRadioButtonCheckedPressed,
    tbRadioButtonCheckedDisabled, tbCheckBoxUncheckedNormal, tbCheckBoxUncheckedHot,
    tbCheckBoxUncheckedPressed, tbCheckBoxUncheckedDisabled, tbCheckBoxCheckedNormal,
    tbCheckBoxCheckedHot, tbCheckBoxCheckedPressed, tbCheckBoxCheckedDisabled, tbCheckBoxMixedNormal,
    tbCheckBoxMixedHot, tbCheckBoxMixedPressed, tbCheckBoxMixedDisabled, tbGroupBoxNormal,
    tbGroupBoxDisabled, tbUserButton,
};
enum TThemedClock {
    tcClockDontCare, tcClockRoot, tcTimeNormal,
};
enum TThemedComboBox {
    tcComboBoxDontCare, tcComboBoxRoot, tcDropDownButtonNormal, tcDropDownButtonHot,
    tcDropDownButtonPressed, tcDropDownButtonDisabled,
};
enum TThemedEdit {
    teEditDontCare, teEditRoot, teEditTextNormal, teEditTextHot, teEditTextSelected, teEditTextDisabled,
    teEditTextFocused, teEditTextReadOnly, teEditTextAssist, teEditCaret,
};
enum TThemedExplorerBar {
    tebExplorerBarDontCare, tebExplorerBarRoot, tebHeaderBackgroundNormal, tebHeaderBackgroundHot,
    tebHeaderBackgroundPressed, tebHeaderCloseNormal, tebHeaderCloseHot, tebHeaderClosePressed,
    tebHeaderPinNormal, tebHeaderPinHot, tebHeaderPinPressed, tebHeaderPinSelectedNormal,
    tebHeaderPinSelectedHot, tebHeaderPinSelectedPressed, tebIEBarMenuNormal, tebIEBarMenuHot,
    tebIEBarMenuPressed, tebNormalGroupBackground, tebNormalGroupCollapseNormal,
    tebNormalGroupCollapseHot, tebNormalGroupCollapsePressed, tebNormalGroupExpandNormal,
    tebNormalGroupExpandHot, tebNormalGroupExpandPressed, tebNormalGroupHead, tebSpecialGroupBackground,
    tebSpecialGroupCollapseSpecial, tebSpecialGroupCollapseHot, tebSpecialGroupCollapsePressed,
    tebSpecialGroupExpandSpecial, tebSpecialGroupExpandHot, tebSpecialGroupExpandPressed,
    tebSpecialGroupHead,
};
enum TThemedHeader {
    thHeaderDontCare, thHeaderRoot, thHeaderItemNormal, thHeaderItemHot, thHeaderItemPressed,
    thHeaderItemLeftNormal, thHeaderItemLeftHot, thHeaderItemLeftPressed, thHeaderItemRightNormal,
    thHeaderItemRightHot, thHeaderItemRightPressed, thHeaderSortArrowSortedUp,
    thHeaderSortArrowSortedDown,
};
enum TThemedListview {
    tlListviewDontCare, tlListviewRoot, tlListItemNormal, tlListItemHot, tlListItemSelected,
    tlListItemDisabled, tlListItemSelectedNotFocus, tlListGroup, tlListDetail, tlListSortDetail,
    tlEmptyText,
};
enum TThemedMenu {
    tmMenuDontCare, tmMenuRoot, tmMenuItemNormal, tmMenuItemSelected, tmMenuItemDemoted, tmMenuDropDown,
    tmMenuBarItem, tmMenuBarDropDown, tmChevron, tmSeparator,
};
enum TThemedPage {
    tpPageDontCare, tpPageRoot, tpUpNormal, tpUpHot, tpUpPressed, tpUpDisabled, tpDownNormal, tpDownHot,
    tpDownPressed, tpDownDisabled, tpUpHorzNormal, tpUpHorzHot, tpUpHorzPressed, tpUpHorzDisabled,
    tpDownHorzNormal, tpDownHorzHot, tpDownHorzPressed, tpDownHorzDisabled,
};
enum TThemedProgress {
    tpProgressDontCare, tpProgressRoot, tpBar, tpBarVert, tpChunk, tpChunkVert,
};
enum TThemedRebar {
    trRebarDontCare, trRebarRoot, trGripper, trGripperVert, trBandNormal, trBandHot, trBandPressed,
    trBandDisabled, trBandChecked, trBandHotChecked, trChevronNormal, trChevronHot, trChevronPressed,
    trChevronDisabled, trChevronVertNormal, trChevronVertHot, trChevronVertPressed,
    trChevronVertDisabled,
};
enum TThemedScrollBar {
    tsScrollBarDontCare, tsScrollBarRoot, tsArrowBtnUpNormal, tsArrowBtnUpHot, tsArrowBtnUpPressed,
    tsArrowBtnUpDisabled, tsArrowBtnDownNormal, tsArrowBtnDownHot, tsArrowBtnDownPressed,
    tsArrowBtnDownDisabled, tsArrowBtnLeftNormal, tsArrowBtnLeftHot, tsArrowBtnLeftPressed,
    tsArrowBtnLeftDisabled, tsArrowBtnRightNormal, tsArrowBtnRightHot, tsArrowBtnRightPressed,
    tsArrowBtnRightDisabled, tsThumbBtnHorzNormal, tsThumbBtnHorzHot, tsThumbBtnHorzPressed,
    tsThumbBtnHorzDisabled, tsThumbBtnVertNormal, tsThumbBtnVertHot, tsThumbBtnVertPressed,
    tsThumbBtnVertDisabled, tsLowerTrackHorzNormal, tsLowerTrackHorzHot, tsLowerTrackHorzPressed,
    tsLowerTrackHorzDisabled, tsUpperTrackHorzNormal, tsUpperTrackHorzHot, tsUpperTrackHorzPressed,
    tsUpperTrackHorzDisabled, tsLowerTrackVertNormal, tsLowerTrackVertHot, tsLowerTrackVertPressed,
    tsLowerTrackVertDisabled, tsUpperTrackVertNormal, tsUpperTrackVertHot, tsUpperTrackVertPressed,
    tsUpperTrackVertDisabled, tsGripperHorzNormal, tsGripperHorzHot, tsGripperHorzPressed,
    tsGripperHorzDisabled, tsGripperVertNormal, tsGripperVertHot, tsGripperVertPressed,
    tsGripperVertDisabled, tsSizeBoxRightAlign, tsSizeBoxLeftAlign,
};
enum TThemedSpin {
    tsSpinDontCare, tsSpinRoot, tsUpNormal, tsUpHot, tsUpPressed, tsUpDisabled, tsDownNormal, tsDownHot,
    tsDownPressed, tsDownDisabled, tsUpHorzNormal, tsUpHorzHot, tsUpHorzPressed, tsUpHorzDisabled,
    tsDownHorzNormal, tsDownHorzHot, tsDownHorzPressed, tsDownHorzDisabled,
};
enum TThemedStartPanel {
    tspStartPanelDontCare, tspStartPanelRoot, tspUserPane, tspMorePrograms, tspMoreProgramsArrowNormal,
    tspMoreProgramsArrowHot, tspMoreProgramsArrowPressed, tspProgList, tspProgListSeparator,
    tspPlacesList, tspPlacesListSeparator, tspLogOff, tspLogOffButtonsNormal, tspLogOffButtonsHot,
    tspLogOffButtonsPressed, tspUserPicture, tspPreview,
};
enum TThemedStatus {
    tsStatusDontCare, tsStatusRoot, tsPane, tsGripperPane, tsGripper,
};
enum TThemedTab {
    ttTabDontCare, ttTabRoot, ttTabItemNormal, ttTabItemHot, ttTabItemSelected, ttTabItemDisabled,
    ttTabItemFocused, ttTabItemLeftEdgeNormal, ttTabItemLeftEdgeHot, ttTabItemLeftEdgeSelected,
    ttTabItemLeftEdgeDisabled, ttTabItemLeftEdgeFocused, ttTabItemRightEdgeNormal,
    ttTabItemRightEdgeHot, ttTabItemRightEdgeSelected, ttTabItemRightEdgeDisabled,
    ttTabItemRightEdgeFocused, ttTabItemBothEdgeNormal, ttTabItemBothEdgeHot, ttTabItemBothEdgeSelected,
    ttTabItemBothEdgeDisabled, ttTabItemBothEdgeFocused, ttTopTabItemNormal, ttTopTabItemHot,
    ttTopTabItemSelected, ttTopTabItemDisabled, ttTopTabItemFocused, ttTopTabItemLeftEdgeNormal,
    ttTopTabItemLeftEdgeHot, ttTopTabItemLeftEdgeSelected, ttTopTabItemLeftEdgeDisabled,
    ttTopTabItemLeftEdgeFocused, ttTopTabItemRightEdgeNormal, ttTopTabItemRightEdgeHot,
    ttTopTabItemRightEdgeSelected, ttTopTabItemRightEdgeDisabled, ttTopTabItemRightEdgeFocused,
    ttTopTabItemBothEdgeNormal, ttTopTabItemBothEdgeHot, ttTopTabItemBothEdgeSelected,
    ttTopTabItemBothEdgeDisabled, ttTopTabItemBothEdgeFocused, ttPane, ttBody,
};
enum TThemedTaskBand {
    ttbTaskBandDontCare, ttbTaskBandRoot, ttbGroupCount, ttbFlashButton, ttpFlashButtonGroupMenu,
};
enum TThemedTaskBar {
    ttTaskBarDontCare, ttTaskBarRoot, ttbTimeNormal,
};
enum TThemedToolBar {
    ttbToolBarDontCare, ttbToolBarRoot, ttbButtonNormal, ttbButtonHot, ttbButtonPressed,
    ttbButtonDisabled, ttbButtonChecked, ttbButtonCheckedHot, ttbDropDownButtonNormal,
    ttbDropDownButtonHot, ttbDropDownButtonPressed, ttbDropDownButtonDisabled, ttbDropDownButtonChecked,
    ttbDropDownButtonCheckedHot, ttbSplitButtonNormal, ttbSplitButtonHot, ttbSplitButtonPressed,
    ttbSplitButtonDisabled, ttbSplitButtonChecked, ttbSplitButtonCheckedHot,
    ttbSplitButtonDropDownNormal, ttbSplitButtonDropDownHot, ttbSplitButtonDropDownPressed,
    ttbSplitButtonDropDownDisabled, ttbSplitButtonDropDownChecked, ttbSplitButtonDropDownCheckedHot,
    ttbSeparatorNormal, ttbSeparatorHot, ttbSeparatorPressed, ttbSeparatorDisabled, ttbSeparatorChecked,
    ttbSeparatorCheckedHot, ttbSeparatorVertNormal, ttbSeparatorVertHot, ttbSeparatorVertPressed,
    ttbSeparatorVertDisabled, ttbSeparatorVertChecked, ttbSeparatorVertCheckedHot,
};
enum TThemedToolTip {
    tttToolTipDontCare, tttToolTipRoot, tttStandardNormal, tttStandardLink, tttStandardTitleNormal,
    tttStandardTitleLink, tttBaloonNormal, tttBaloonLink, tttBaloonTitleNormal, tttBaloonTitleLink,
    tttCloseNormal, tttCloseHot, tttClosePressed,
};
enum TThemedTrackBar {
    ttbTrackBarDontCare, ttbTrackBarRoot, ttbTrack, ttbTrackVert, ttbThumbNormal, ttbThumbHot,
    ttbThumbPressed, ttbThumbFocused, ttbThumbDisabled, ttbThumbBottomNormal, ttbThumbBottomHot,
    ttbThumbBottomPressed, ttbThumbBottomFocused, ttbThumbBottomDisabled, ttbThumbTopNormal,
    ttbThumbTopHot, ttbThumbTopPressed, ttbThumbTopFocused, ttbThumbTopDisabled, ttbThumbVertNormal,
    ttbThumbVertHot, ttbThumbVertPressed, ttbThumbVertFocused, ttbThumbVertDisabled, ttbThumbLeftNormal,
    ttbThumbLeftHot, ttbThumbLeftPressed, ttbThumbLeftFocused, ttbThumbLeftDisabled,
    ttbThumbRightNormal, ttbThumbRightHot, ttbThumbRightPressed, ttbThumbRightFocused,
    ttbThumbRightDisabled, ttbThumbTics, ttbThumbTicsVert,
};
enum TThemedTrayNotify {
    ttnTrayNotifyDontCare, ttnTrayNotifyRoot, ttnBackground, ttnAnimBackground,
};
enum TThemedTreeview {
    ttTreeviewDontCare, ttTreeviewRoot, ttItemNormal, ttItemHot, ttItemSelected, ttItemDisabled,
    ttItemSelectedNotFocus, ttGlyphClosed, ttGlyphOpened, ttBranch,
};
enum TThemedWindow {
    twWindowDontCare, twWindowRoot, twCaptionActive, twCaptionInactive, twCaptionDisabled,
    twSmallCaptionActive, twSmallCaptionInactive, twSmallCaptionDisabled, twMinCaptionActive,
    twMinCaptionInactive, twMinCaptionDisabled, twSmallMinCaptionActive, twSmallMinCaptionInactive,
    twSmallMinCaptionDisabled, twMaxCaptionActive, twMaxCaptionInactive, twMaxCaptionDisabled,
    twSmallMaxCaptionActive, twSmallMaxCaptionInactive, twSmallMaxCaptionDisabled, twFrameLeftActive,
    twFrameLeftInactive, twFrameRightActive, twFrameRightInactive, twFrameBottomActive,
    twFrameBottomInactive, twSmallFrameLeftActive, twSmallFrameLeftInactive, twSmallFrameRightActive,
    twSmallFrameRightInactive, twSmallFrameBottomActive, twSmallFrameBottomInactive, twSysButtonNormal,
    twSysButtonHot, twSysButtonPushed, twSysButtonDisabled, twMDISysButtonNormal, twMDISysButtonHot,
    twMDISysButtonPushed, twMDISysButtonDisabled, twMinButtonNormal, twMinButtonHot, twMinButtonPushed,
    twMinButtonDisabled, twMDIMinButtonNormal, twMDIMinButtonHot, twMDIMinButtonPushed,
    twMDIMinButtonDisabled, twMaxButtonNormal, twMaxButtonHot, twMaxButtonPushed, twMaxButtonDisabled,
    twCloseButtonNormal, twCloseButtonHot, twCloseButtonPushed, twCloseButtonDisabled,
    twSmallCloseButtonNormal, twSmallCloseButtonHot, twSmallCloseButtonPushed,
    twSmallCloseButtonDisabled, twMDICloseButtonNormal, twMDICloseButtonHot, twMDICloseButtonPushed,
    twMDICloseButtonDisabled, twRestoreButtonNormal, twRestoreButtonHot, twRestoreButtonPushed,
    twRestoreButtonDisabled, twMDIRestoreButtonNormal, twMDIRestoreButtonHot, twMDIRestoreButtonPushed,
    twMDIRestoreButtonDisabled, twHelpButtonNormal, twHelpButtonHot, twHelpButtonPushed,
    twHelpButtonDisabled, twMDIHelpButtonNormal, twMDIHelpButtonHot, twMDIHelpButtonPushed,
    twMDIHelpButtonDisabled, twHorzScrollNormal, twHorzScrollHot, twHorzScrollPushed,
    twHorzScrollDisabled, twHorzThumbNormal, twHorzThumbHot, twHorzThumbPushed, twHorzThumbDisabled,
    twVertScrollNormal, twVertScrollHot, twVertScrollPushed, twVertScrollDisabled, twVertThumbNormal,
    twVertThumbHot, twVertThumbPushed, twVertThumbDisabled, twDialog, twCaptionSizingTemplate,
    twSmallCaptionSizingTemplate, twFrameLeftSizingTemplate, twSmallFrameLeftSizingTemplate,
    twFrameRightSizingTemplate, twSmallFrameRightSizingTemplate, twFrameBottomSizingTemplate,
    twSmallFrameBottomSizingTemplate,
};

struct TThemedElementDetails {
    TThemedElement Element = teButton;
    int Part = 0;
    int State = 0;
    friend bool operator==(const TThemedElementDetails&, const TThemedElementDetails&) = default;
};

// The class name under which the style knows the element ("button", ...).
std::string_view ThemeClassName(TThemedElement element);

TThemedElementDetails GetElementDetails(TThemedButton detail);
TThemedElementDetails GetElementDetails(TThemedClock detail);
TThemedElementDetails GetElementDetails(TThemedComboBox detail);
TThemedElementDetails GetElementDetails(TThemedEdit detail);
TThemedElementDetails GetElementDetails(TThemedExplorerBar detail);
TThemedElementDetails GetElementDetails(TThemedHeader detail);
TThemedElementDetails GetElementDetails(TThemedListview detail);
TThemedElementDetails GetElementDetails(TThemedMenu detail);
TThemedElementDetails GetElementDetails(TThemedPage detail);
TThemedElementDetails GetElementDetails(TThemedProgress detail);
TThemedElementDetails GetElementDetails(TThemedRebar detail);
TThemedElementDetails GetElementDetails(TThemedScrollBar detail);
TThemedElementDetails GetElementDetails(TThemedSpin detail);
TThemedElementDetails GetElementDetails(TThemedStartPanel detail);
TThemedElementDetails GetElementDetails(TThemedStatus detail);
TThemedElementDetails GetElementDetails(TThemedTab detail);
TThemedElementDetails GetElementDetails(TThemedTaskBand detail);
TThemedElementDetails GetElementDetails(TThemedTaskBar detail);
TThemedElementDetails GetElementDetails(TThemedToolBar detail);
TThemedElementDetails GetElementDetails(TThemedToolTip detail);
TThemedElementDetails GetElementDetails(TThemedTrackBar detail);
TThemedElementDetails GetElementDetails(TThemedTrayNotify detail);
TThemedElementDetails GetElementDetails(TThemedTreeview detail);
TThemedElementDetails GetElementDetails(TThemedWindow detail);

// Binding of the style library: counts its users; true when it is bound.
bool InitThemeLibrary();
// One user less; unbinds when the count reaches 0; extra calls change nothing.
void FreeThemeLibrary();
// True while the library is bound (for tests of the counting).
bool ThemeLibraryLoaded();
int ThemeLibraryUsers();

}  // namespace tw::controls
