#pragma once
// The toolbar's logic without widgets: the ordered list of the controls it
// lays out, the wrapping layout in rows (or columns) with automatic size, the
// text-option presets, and the layout kept in the settings store.
#include "controls/buttons/fcbuttonkinds.h"
#include "controls/foundation/fctypes.h"
#include <QString>
#include <vector>
namespace tw::controls {
class TFcRegIniFile;
enum TFcToolbarTextOptions { ttoNoTextLabels, ttoShowTextLabels, ttoSelectiveTextOnRight, ttoCustom };
// Where the toolbar sits in its parent, for its automatic size.
enum TFcToolbarAlign { tbaNone, tbaTop, tbaBottom, tbaLeft, tbaRight, tbaClient };
// One entry of the toolbar's list: the control's name, size and visibility.
struct TFcToolbarItem {
    QString Name;
    int Width = 25;
    int Height = 25;
    bool Visible = true;
    bool RightToLeft = false;
    // Set by the layout.
    int Left = 0;
    int Top = 0;
};
// The ordered list; names compare without regard to case.
class TFcToolbarControlList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TFcToolbarItem& operator[](int i) { return items_[static_cast<size_t>(i)]; }
    const TFcToolbarItem& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
    int IndexOfName(const QString& name) const;
    // The existing position, or the new entry's.
    int AddControlName(const QString& name);
    void RemoveControlName(const QString& name);
    void Move(int from, int to);
    std::vector<TFcToolbarItem>& Items() { return items_; }
private:
    std::vector<TFcToolbarItem> items_;
};
struct TFcToolbarGeometry {
    TOrientation Orientation = orHorizontal;
    int RowHeight = 25;
    int Margin = 4;
    int TopMargin = 2;
    bool WrapControls = true;
    bool AutoResize = true;
    TFcToolbarAlign Align = tbaTop;
    bool Designing = false;
    int Width = 32;
    int Height = 32;
};
struct TFcToolbarLayoutResult {
    int Rows = 1;
    int Width = 0;   // the toolbar's size afterwards
    int Height = 0;
    bool Resized = false;
};
// Places every visible entry (every entry while designing) and works out the
// toolbar's size.
TFcToolbarLayoutResult LayoutToolbar(const TFcToolbarGeometry& g, TFcToolbarControlList& list);
struct TFcTextOptionPreset {
    TButtonLayout Layout = blGlyphLeft;
    int ButtonWidth = 25;
    int ButtonHeight = 25;
    bool ShowCaptions = false;
    int RowHeight = 25;
};
// The preset of a text option; false for ttoCustom, which changes nothing.
bool TextOptionPreset(TFcToolbarTextOptions option, TOrientation orientation, TFcTextOptionPreset& preset);
// A speed button's layout under the toolbar's captions and height.
inline TButtonLayout SpeedButtonLayout(bool showCaptions, int height)
{
    return showCaptions && height >= 31 ? blGlyphTop : blGlyphLeft;
}
// The layout store. Both throw EFcError without a store.
void SaveToolbarLayout(TFcRegIniFile* store, const QString& section, TFcToolbarTextOptions options,
                       const TFcToolbarControlList& list);
// Reorders and shows or hides the entries when the saved count matches
// (names that match no entry are skipped); returns the saved text option,
// or -1 when none was saved.
int RestoreToolbarLayout(TFcRegIniFile* store, const QString& section, TFcToolbarControlList& list);
}  // namespace tw::controls
