#include "app/shelllocator.h"

#include <QDir>
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
    setCurrentIndex(index);
    scrollTo(index);
    return true;
}

QString TFcShellLocator::GetPathName() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? model_->filePath(current) : QString();
}

}  // namespace tw::app
