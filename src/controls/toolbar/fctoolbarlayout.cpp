#include "controls/toolbar/fctoolbarlayout.h"
#include "controls/foundation/fcreginifile.h"
#include <QCoreApplication>
#include <algorithm>
namespace tw::controls {
int TFcToolbarControlList::IndexOfName(const QString& name) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<size_t>(i)].Name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TFcToolbarControlList::AddControlName(const QString& name)
{
    const int i = IndexOfName(name);
    if (i >= 0)
        return i;
    TFcToolbarItem item;
    item.Name = name;
    items_.push_back(item);
    return Count() - 1;
}

void TFcToolbarControlList::RemoveControlName(const QString& name)
{
    const int i = IndexOfName(name);
    if (i >= 0)
        items_.erase(items_.begin() + i);
}

void TFcToolbarControlList::Move(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
        return;
    TFcToolbarItem item = items_[static_cast<size_t>(from)];
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, item);
}

TFcToolbarLayoutResult LayoutToolbar(const TFcToolbarGeometry& g, TFcToolbarControlList& list)
{
    const bool horizontal = g.Orientation == orHorizontal;
    int offset = g.Margin;
    int widest = 0;
    int row = 1;
    bool first = true;
    for (int i = 0; i < list.Count(); ++i) {
        TFcToolbarItem& item = list[i];
        if (!item.Visible && !g.Designing)
            continue;
        const int along = horizontal ? item.Width : item.Height;
        const int room = horizontal ? g.Width : g.Height;
        if (g.WrapControls && !first && room - g.Margin < offset + along) {
            widest = std::max(widest, offset);
            offset = g.Margin;
            ++row;
        }
        first = false;
        if (horizontal) {
            item.Top = (row - 1) * g.RowHeight + g.TopMargin + g.RowHeight / 2 - item.Height / 2;
            item.Left = item.RightToLeft ? g.Width - item.Width - offset : offset;
        } else {
            item.Left = (row - 1) * g.RowHeight + g.Margin + g.RowHeight / 2 - item.Width / 2;
            item.Top = offset;
        }
        offset += along;
    }
    widest = std::max(widest, offset);
    TFcToolbarLayoutResult result{row, g.Width, g.Height, false};
    if (g.AutoResize) {
        const bool sideways = g.Align == tbaLeft || g.Align == tbaRight;
        const bool acrossTop = g.Align == tbaTop || g.Align == tbaBottom;
        if (horizontal) {
            if (sideways && widest != 0)
                result.Width = g.Margin + widest;
            else if (acrossTop)
                result.Height = row * g.RowHeight + 2 * g.TopMargin;
        } else {
            if (acrossTop && widest != 0)
                result.Height = g.Margin + widest;
            else if (sideways)
                result.Width = row * g.RowHeight + 2 + g.TopMargin;
        }
        result.Resized = result.Width != g.Width || result.Height != g.Height;
    }
    return result;
}

bool TextOptionPreset(TFcToolbarTextOptions option, TOrientation orientation, TFcTextOptionPreset& preset)
{
    const bool vertical = orientation == orVertical;
    switch (option) {
    case ttoNoTextLabels: preset = {blGlyphLeft, 25, 25, false, 25}; return true;
    case ttoShowTextLabels: preset = {blGlyphTop, 60, 40, true, vertical ? 60 : 40}; return true;
    case ttoSelectiveTextOnRight: preset = {blGlyphLeft, 60, 25, true, vertical ? 60 : 25}; return true;
    case ttoCustom: return false;
    }
    return false;
}

namespace {
void RequireStore(TFcRegIniFile* store)
{
    if (!store)
        throw EFcError(QCoreApplication::translate("TFcToolbar", "No TFcRegIniFile component specified")
                           .toStdString());
}
const QString kHidden = QStringLiteral("##");
}  // namespace

void SaveToolbarLayout(TFcRegIniFile* store, const QString& section, TFcToolbarTextOptions options,
                       const TFcToolbarControlList& list)
{
    RequireStore(store);
    store->WriteInteger(section, QStringLiteral("TextOptions"), options);
    store->WriteInteger(section, QStringLiteral("Count"), list.Count());
    for (int i = 0; i < list.Count(); ++i)
        store->WriteString(section, QStringLiteral("Control%1").arg(i),
                           (list[i].Visible ? QString() : kHidden) + list[i].Name);
}

int RestoreToolbarLayout(TFcRegIniFile* store, const QString& section, TFcToolbarControlList& list)
{
    RequireStore(store);
    const int count = store->ReadInteger(section, QStringLiteral("Count"), 0);
    if (count >= 1 && count == list.Count()) {
        int place = 0;
        for (int i = 0; i < count; ++i) {
            QString name = store->ReadString(section, QStringLiteral("Control%1").arg(i), QString());
            if (name.isEmpty())
                continue;
            const bool hidden = name.startsWith(kHidden);
            if (hidden)
                name = name.mid(kHidden.size());
            const int index = list.IndexOfName(name);
            // A name that matches no entry is skipped; the others keep their
            // saved order among themselves.
            if (index < 0)
                continue;
            list.Move(index, std::min(place, list.Count() - 1));
            list[std::min(place, list.Count() - 1)].Visible = !hidden;
            ++place;
        }
    }
    return store->ReadInteger(section, QStringLiteral("TextOptions"), -1);
}
}  // namespace tw::controls
