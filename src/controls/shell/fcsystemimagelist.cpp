#include "controls/shell/fcsystemimagelist.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QPainter>

namespace tw::controls::shell {

namespace {

QString Key(const QString& name, IconVariant variant)
{
    return name + QLatin1Char('\n') + QChar(static_cast<int>(variant) + '0');
}

QIcon ThemeIcon(const QString& name, const QString& fallback)
{
    QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull() && !fallback.isEmpty())
        icon = QIcon::fromTheme(fallback);
    return icon;
}

}  // namespace

SystemImageList& SystemImageList::Instance()
{
    static SystemImageList list;
    return list;
}

int SystemImageList::IndexFor(const QString& themeName, const QString& fallback, IconVariant variant)
{
    const QString key = Key(themeName, variant);
    const auto it = byKey_.constFind(key);
    if (it != byKey_.constEnd())
        return it.value();
    entries_.push_back({themeName, fallback, variant});
    const int index = Count() - 1;
    byKey_.insert(key, index);
    return index;
}

int SystemImageList::FolderIconIndex(IconVariant variant)
{
    return variant == IconVariant::Open
        ? IndexFor(QStringLiteral("folder-open"), QStringLiteral("folder"), variant)
        : IndexFor(QStringLiteral("folder"), QString(), variant);
}

int SystemImageList::NamedIconIndex(const QString& themeName, IconVariant variant)
{
    return IndexFor(themeName, QStringLiteral("folder"), variant);
}

int SystemImageList::IconIndexFromExt(const QString& nameOrExt, IconVariant variant)
{
    QString ext = nameOrExt.section(QLatin1Char('/'), -1);
    const qsizetype dot = ext.lastIndexOf(QLatin1Char('.'));
    ext = dot >= 0 ? ext.mid(dot + 1).toLower() : ext.toLower();
    auto it = iconNameByExt_.constFind(ext);
    if (it == iconNameByExt_.constEnd()) {
        static QMimeDatabase db;
        const QMimeType type = db.mimeTypeForFile(QStringLiteral("x.") + ext, QMimeDatabase::MatchExtension);
        fallbackByExt_.insert(ext, type.genericIconName());
        it = iconNameByExt_.insert(ext, type.iconName());
    }
    return IndexFor(it.value(), fallbackByExt_.value(ext), variant);
}

int SystemImageList::IconIndexFromPath(const QString& path, IconVariant variant)
{
    const QFileInfo info(path);
    if (info.isDir())
        return FolderIconIndex(variant);
    return IconIndexFromExt(info.fileName(), variant);
}

QImage SystemImageList::Image(int index, int size) const
{
    if (index < 0 || index >= Count())
        return {};
    const Entry& e = entries_[static_cast<std::size_t>(index)];
    const QIcon icon = ThemeIcon(e.themeName, e.fallback);
    QImage out(size, size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    if (!icon.isNull()) {
        const QIcon::Mode mode = e.variant == IconVariant::Selected ? QIcon::Selected : QIcon::Normal;
        QPainter p(&out);
        icon.paint(&p, QRect(0, 0, size, size), Qt::AlignCenter, mode);
    }
    return out;
}

QImage SystemImageList::Overlay(int overlay, int size) const
{
    const QString name =
        overlay == kShareOverlay ? QStringLiteral("emblem-shared") : QStringLiteral("emblem-symbolic-link");
    QImage out(size, size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    const QIcon icon = QIcon::fromTheme(name);
    if (!icon.isNull()) {
        QPainter p(&out);
        // An overlay sits in the bottom-left half of the icon.
        icon.paint(&p, QRect(0, size / 2, size / 2, size / 2));
    }
    return out;
}

QImage SystemImageList::Ghosted(const QImage& image)
{
    QImage out(image.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setOpacity(0.5);
    p.drawImage(0, 0, image);
    return out;
}

}  // namespace tw::controls::shell
