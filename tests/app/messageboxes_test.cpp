// A message box opens over the window that shows it: the stay-on-top task
// editor's refusals are its own boxes, on top of it, and the typed task is
// still there when the box is closed.
#include "app/appservices.h"
#include "app/features/allfeatures.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/recordnavigator.h"
#include "tasks/addtaskform.h"
#include "pressbutton.h"
#include "querypagefixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QToolButton>

#include <cstdlib>
#include <memory>

namespace tw::app {
namespace {

// The editor with its box drawn where the box stands, for the screenshot.
QImage EditorWithBox(QWidget* editor, QWidget* box)
{
    const QRect area = editor->frameGeometry().united(box->frameGeometry());
    QImage image(area.size(), QImage::Format_ARGB32);
    image.fill(Qt::darkGray);
    QPainter painter(&image);
    painter.drawPixmap(editor->geometry().topLeft() - area.topLeft(), editor->grab());
    painter.drawPixmap(box->geometry().topLeft() - area.topLeft(), box->grab());
    painter.setPen(Qt::black);
    painter.drawRect(QRect(box->geometry().topLeft() - area.topLeft(), box->size()).adjusted(-1, -1, 0, 0));
    return image;
}

TEST_F(QueryPageTest, TheTaskEditorsRefusalOpensOnTopOfTheEditor)
{
    Find<controls::RecordNavigator>("TasksNavigator")->ButtonOf(controls::RecordNavigator::Insert)->click();
    tasks::TAddTask* editor = window.Features().Editor->Editor();
    ASSERT_TRUE(editor->isVisible());
    ASSERT_TRUE(editor->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    auto* length = editor->findChild<QLineEdit*>("TaskLength");
    ASSERT_NE(length, nullptr);
    length->setText(QStringLiteral("3"));
    editor->findChild<QLineEdit*>("TaskDesc")->setText(QStringLiteral("  "));
    auto* done = editor->findChild<controls::TFcBitBtn*>("AddTaskManual");
    ASSERT_NE(done, nullptr);

    std::unique_ptr<QMessageBox> shown;
    recorder.Boxes.clear();
    const MessageBoxHandler recording = SetMessageBoxHandler([&](const MessageBoxRequest& r) {
        recorder.Boxes.push_back(r);
        shown = MakeMessageBox(r);
        shown->show();
    });
    testing::PressButton(done);
    SetMessageBoxHandler(recording);

    ASSERT_EQ(recorder.Boxes.size(), 1u);
    EXPECT_EQ(recorder.Boxes[0].Text, "Enter task description");
    EXPECT_EQ(recorder.Boxes[0].Parent, editor);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->parentWidget(), editor);
    EXPECT_TRUE(shown->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(editor->geometry().intersects(shown->geometry()));
    if (const char* dir = std::getenv("TARNWICK_SCREENSHOTS"))
        EditorWithBox(editor, shown.get()).save(QString::fromLocal8Bit(dir) + "/taskeditor-refusal.png");

    // Closed, the box leaves the editor open with what was typed.
    shown->accept();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(length->text(), "3");
    editor->close();
}

// Without any window of the program active, a box of the main window still
// opens over a stay-on-top window that shows.
TEST_F(QueryPageTest, ABoxOfTheMainWindowGoesOverAStayOnTopWindow)
{
    QWidget tool(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint);
    tool.show();
    if (QApplication::activeWindow() != nullptr)
        GTEST_SKIP() << "a window is active";
    EXPECT_EQ(MessageBoxOwner(&window), &tool);
    tool.hide();
    EXPECT_EQ(MessageBoxOwner(&window), &window);
}

}  // namespace
}  // namespace tw::app
