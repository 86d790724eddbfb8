#include "app/shelllocator.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QItemSelectionModel>

namespace tw::app {

TFcShellLocator::TFcShellLocator(QWidget* parent) : QTreeView(parent), model_(new QFileSystemModel(this))
{
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QDir::rootPath());
    setModel(model_);
    // A folder tree shows names only, as the shell's does.
    for (int column = 1; column < model_->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    setRootIndex(model_->index(QDir::rootPath()));
    // The model reads folders in the background and sorts their rows later,
    // moving the folder set by SetPathName; it is followed until the user
    // takes the tree over.
    const auto follow = [this] {
        if (!pendingPath_.isEmpty())
            scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
    };
    connect(model_, &QFileSystemModel::directoryLoaded, this, follow);
    connect(model_, &QAbstractItemModel::layoutChanged, this, follow);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { emit PathChanged(model_->filePath(current)); });
}

bool TFcShellLocator::SetPathName(const QString& path)
{
    const QFileInfo folder(path);
    if (path.isEmpty() || !folder.isDir())
        return false;
    const QModelIndex index = model_->index(folder.absoluteFilePath());
    if (!index.isValid())
        return false;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        expand(parent);
    setCurrentIndex(index);
    scrollTo(index, QAbstractItemView::PositionAtCenter);
    pendingPath_ = model_->filePath(index);
    return true;
}

bool TFcShellLocator::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Wheel)
        pendingPath_.clear();
    return QTreeView::viewportEvent(event);
}

QString TFcShellLocator::GetPathName() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? model_->filePath(current) : QString();
}

}  // namespace tw::app
