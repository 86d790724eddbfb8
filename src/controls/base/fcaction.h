#pragma once
// TFcAction: the action the library's controls link to (TFcControl::SetAction):
// a QAction that also carries the index of its picture in an image list, which
// bitmap buttons and toolbars copy into their own ImageIndex.
//
//   auto* save = new TFcAction(tr("&Save"), window);
//   save->SetImageIndex(3);
//   connect(save, &QAction::triggered, window, &Window::save);
//   button->SetAction(save);

#include <QAction>

namespace tw::controls {

class TFcAction : public QAction {
    Q_OBJECT
public:
    explicit TFcAction(QObject* parent = nullptr);
    TFcAction(const QString& text, QObject* parent = nullptr);

    int ImageIndex() const { return imageIndex_; }
    // Emits QAction::changed when the index differs.
    void SetImageIndex(int index);

    // Runs the action as a click would: false when it is disabled.
    bool Execute();

private:
    int imageIndex_ = -1;
};

}  // namespace tw::controls
