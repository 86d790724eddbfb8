#pragma once
// SystemImageList: the icons of the shell controls, at 16 and 32 pixels,
// under indexes that stay the same for the life of the process.
//
// An icon comes from the theme by the item's MIME type (the folder icons for
// folders), with an open variant for folders and a selected variant drawn
// in the theme's selected mode. An extension's icon is looked up once and
// then kept. Overlays: 0 the share overlay, 1 the link overlay. Hidden items
// are drawn ghosted (Ghosted).

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QString>

#include <vector>

namespace tw::controls::shell {

enum class IconVariant { Normal, Open, Selected };

class SystemImageList {
public:
    static constexpr int kSmall = 16;
    static constexpr int kLarge = 32;
    static constexpr int kShareOverlay = 0;
    static constexpr int kLinkOverlay = 1;

    // The process's list.
    static SystemImageList& Instance();

    // The index for an existing file or folder.
    int IconIndexFromPath(const QString& path, IconVariant variant = IconVariant::Normal);
    // The index for a file name or extension that need not exist.
    int IconIndexFromExt(const QString& nameOrExt, IconVariant variant = IconVariant::Normal);
    int FolderIconIndex(IconVariant variant = IconVariant::Normal);
    // A virtual place by its theme name ("user-home", "computer", "network-workgroup").
    int NamedIconIndex(const QString& themeName, IconVariant variant = IconVariant::Normal);

    int Count() const { return static_cast<int>(entries_.size()); }
    // The image at 16 or 32 pixels (needs the GUI application).
    QImage Image(int index, int size) const;
    QImage Overlay(int overlay, int size) const;
    static QImage Ghosted(const QImage& image);

private:
    struct Entry {
        QString themeName;
        QString fallback;
        IconVariant variant;
    };
    int IndexFor(const QString& themeName, const QString& fallback, IconVariant variant);

    std::vector<Entry> entries_;
    QHash<QString, int> byKey_;
    QHash<QString, QString> iconNameByExt_;
    QHash<QString, QString> fallbackByExt_;
};

}  // namespace tw::controls::shell
