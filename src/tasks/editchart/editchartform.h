#pragma once
// The job task list "Task editor": a modeless, always-on-top window over the
// window-free tasks::EditChart.

#include <QDialog>

#include <functional>
#include <memory>

#include "tasks/editchart/editchart.h"
#include "tasks/formvalues.h"

namespace Ui {
class TEditChart;
}

namespace tw::tasks {

// The four main-window members the window's place lives in.
struct EditChartPlace {
    int* Left;
    int* Top;
    int* Width;
    int* Height;
};

class TEditChart : public QDialog {
    Q_OBJECT
public:
    // Where a window of size whose frame's top-left corner is at lies whole
    // on the screen that holds at (or the primary one).
    static QPoint OnScreen(QPoint at, QSize size);

    // place: where the window opens and where closing keeps its place.
    TEditChart(db::Table& view, db::Table& lookup, data::MainScreenState& state,
               const data::JobStatusTexts& statusTexts, EditChartHost& host,
               data::UserInterface& userInterface, EditChartPlace place, QWidget* parent = nullptr);
    ~TEditChart() override;

    void Open(int helpLevel);
    EditChart& Logic() { return logic_; }

protected:
    void done(int result) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Run(const std::function<void()>& handler);
    void ShowState();
    void FormResize();
    void Close();

    std::unique_ptr<Ui::TEditChart> ui;
    EditChart logic_;
    EditChartPlace place_;
    RadioChoice following_;
    QString hint_;
    bool showing_ = false;
};

}  // namespace tw::tasks
