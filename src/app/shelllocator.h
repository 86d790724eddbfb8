#pragma once
// A folder tree that is pointed at a folder and tells which folder is
// selected. It stands in for the component library's shell tree until that
// lands; callers use only SetPathName, GetPathName and PathChanged, so the
// library's control can take its place without changing them.
//
//   locator->SetPathName("/srv/tarnwick");
//   const QString folder = locator->GetPathName();

#include <QString>
#include <QTreeView>

class QFileSystemModel;

namespace tw::app {

class TFcShellLocator : public QTreeView {
    Q_OBJECT
public:
    explicit TFcShellLocator(QWidget* parent = nullptr);

    // Selects folder path and scrolls to it. False when it is not an existing
    // folder; the selection stays as it was then.
    bool SetPathName(const QString& path);
    // The selected folder; empty when none is selected.
    QString GetPathName() const;

    // The tree's model, for a file list that follows the selected folder.
    QFileSystemModel* FileSystemModel() const { return model_; }

signals:
    void PathChanged(const QString& path);

protected:
    bool viewportEvent(QEvent* event) override;

private:
    QFileSystemModel* model_;
    QString pendingPath_;  // the folder set by SetPathName, until the user scrolls or clicks
};

}  // namespace tw::app
