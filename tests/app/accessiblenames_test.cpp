// What a screen reader hears in every window of the program: the walk goes
// through QAccessible as a reader does, over the main window on each of its
// pages and over every other window the program opens, and fails on a
// control a user can focus that has no name, or whose name holds the runs of
// blanks that only pad a caption on screen. A window itself is a window or a
// dialog, never a plain area.

#include "app/databaseselection.h"
#include "settings/exitbackupwindow.h"
#include "app/features/allfeatures.h"
#include "app/password.h"
#include "app/win7advice.h"
#include "controls/tabs/fcpagecontrol.h"
#include "reports/email/sendemailform.h"
#include "tasks/addtaskform.h"
#include "samplewindow.h"
#include "tasks/repeat/repeatdialogs.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QSet>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tw::app {
namespace {

std::string Where(const QAccessibleInterface* iface)
{
    std::string path;
    for (const QAccessibleInterface* at = iface; at; at = at->parent()) {
        QObject* object = at->object();
        std::string step = object && !object->objectName().isEmpty()
                               ? object->objectName().toStdString()
                               : (object ? std::string(object->metaObject()->className())
                                         : "role " + std::to_string(static_cast<int>(at->role())));
        path = path.empty() ? step : step + "/" + path;
        if (object && object->isWidgetType() && static_cast<QWidget*>(object)->isWindow())
            break;
    }
    return path;
}

// The rows and cells of a grid, list or tree say their data, not a name;
// the list that drops from a combo box is the box's own.
bool IsControl(const QAccessibleInterface* iface)
{
    switch (iface->role()) {
    case QAccessible::Cell:
    case QAccessible::Row:
    case QAccessible::ListItem:
    case QAccessible::TreeItem:
    case QAccessible::ColumnHeader:
    case QAccessible::RowHeader: return false;
    default: break;
    }
    const QObject* object = iface->object();
    return !object || qstrcmp(object->metaObject()->className(), "QComboBoxListView") != 0;
}

void Walk(QAccessibleInterface* iface, QSet<QAccessibleInterface*>& seen, std::vector<std::string>& faults)
{
    if (!iface || !iface->isValid() || seen.contains(iface))
        return;
    seen.insert(iface);
    if (iface->state().focusable && IsControl(iface)) {
        const QString name = iface->text(QAccessible::Name);
        const bool saysSomething =
            std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber(); });
        if (name.trimmed().isEmpty())
            faults.push_back(Where(iface) + ": no name");
        else if (name.contains(QStringLiteral("  ")) || name != name.trimmed())
            faults.push_back(Where(iface) + ": padded name \"" + name.toStdString() + "\"");
        // A button face such as "|<" is no word to say; a combo box says its
        // value as its name here, its label comes as a relation.
        else if (!saysSomething && iface->role() != QAccessible::ComboBox)
            faults.push_back(Where(iface) + ": only signs \"" + name.toStdString() + "\"");
    }
    for (int i = 0; i < iface->childCount(); ++i)
        Walk(iface->child(i), seen, faults);
}

std::vector<std::string> Faults(QWidget* window)
{
    window->ensurePolished();  // the group boxes name their fields as the window is polished
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window);
    std::vector<std::string> faults;
    if (!iface)
        return {window->objectName().toStdString() + ": no accessible interface"};
    if (iface->role() != QAccessible::Dialog && iface->role() != QAccessible::Window)
        faults.push_back(Where(iface) + ": role " + std::to_string(static_cast<int>(iface->role())) +
                         " instead of a window or dialog");
    // A page control shows a reader its current page only: each page in turn.
    std::vector<std::pair<controls::TFcPageControl*, int>> controls{{nullptr, 0}};
    for (auto* pages : window->findChildren<controls::TFcPageControl*>())
        for (int i = 0; i < pages->PageCount(); ++i)
            controls.emplace_back(pages, i);
    QSet<QString> reported;
    for (const auto& [pages, index] : controls) {
        if (pages)
            pages->SetActivePageIndex(index);
        std::vector<std::string> found;
        QSet<QAccessibleInterface*> seen;
        Walk(iface, seen, found);
        for (const std::string& fault : found)
            if (!reported.contains(QString::fromStdString(fault))) {
                reported.insert(QString::fromStdString(fault));
                faults.push_back(fault);
            }
    }
    return faults;
}

// A window the program opens, not a menu, a popup or a tool tip.
bool IsProgramWindow(QWidget* w)
{
    if (qobject_cast<QMenu*>(w))
        return false;
    const Qt::WindowType type = w->windowType();
    return type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen && type != Qt::Desktop;
}

class AccessibleNamesTest : public testing::SampleWindowTest {};

TEST_F(AccessibleNamesTest, EveryFocusableControlOfEveryWindowHasASpokenName)
{
    AddKitchenJob();
    ShowOn(TMainScreen::SchedulePage);
    std::vector<std::string> faults;
    const auto add = [&faults](const std::vector<std::string>& more) {
        faults.insert(faults.end(), more.begin(), more.end());
    };
    add(Faults(&window));

    // The windows made on demand, and those a step of the program makes for itself.
    const FeatureUnits& features = window.Features();
    features.Utilities->SetupDialog();
    features.Editor->OpenEditChart();
    window.Session().State.EstimatorAlias.clear();
    features.Exchange->ImportFromQMClick();
    features.Exchange->ImportFromQBClick();
    features.Exchange->ExportToQBClick();
    TPassword password(&window);
    TWin7Advice advice(&window);
    TExitBackupWindow exitBackup;
    tasks::TRepeatTask repeat(&window);
    tasks::TCustomRepeat customRepeat(window.Session().Interface(), &window);
    data::TEstimateData& data = window.Session().Data();
    TTWDatabaseSelection scheduleNames(&window, *window.Features().Startup, data.Aliases, data.SchedulerDatabase);
    TDatabaseSelection estimatingNames(&window, *window.Features().Startup, data.Aliases, data.EstimatorDatabase);
    int windows = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == &window || !IsProgramWindow(top))
            continue;
        ++windows;
        add(Faults(top));
    }
    EXPECT_GE(windows, 20) << "fewer windows than the program has";
    std::sort(faults.begin(), faults.end());
    faults.erase(std::unique(faults.begin(), faults.end()), faults.end());
    std::string all;
    for (const std::string& fault : faults)
        all += "\n  " + fault;
    EXPECT_TRUE(faults.empty()) << faults.size() << " controls a reader cannot name:" << all;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != &window && top->isVisible())
            top->close();
}

// What a reader says for fields that had no name of their own: a group box
// names the field inside it by its caption, a navigator button by its hint.
TEST_F(AccessibleNamesTest, GroupBoxesNameTheirFieldsAndNavigatorButtonsSayTheirHints)
{
    AddKitchenJob();
    ShowOn(TMainScreen::CalendarPage);
    window.ensurePolished();
    const auto spoken = [](QWidget* w) {
        EXPECT_NE(w, nullptr);
        QAccessibleInterface* iface = w ? QAccessible::queryAccessibleInterface(w) : nullptr;
        return iface ? iface->text(QAccessible::Name).toStdString() : std::string();
    };
    const auto find = [this](QWidget* root, const char* name) {
        return root->findChild<QWidget*>(QString::fromLatin1(name));
    };
    EXPECT_EQ(spoken(find(&window, "StartDayTime")), "Start working day at");
    EXPECT_EQ(spoken(find(&window, "EndDayTime")), "End working day at");
    // The holiday calendar's day grid, which takes its focus, says the group's caption too.
    QWidget* holidays = find(&window, "HolidayCalendar");
    ASSERT_NE(holidays, nullptr);
    EXPECT_EQ(spoken(holidays->focusProxy()), spoken(holidays));
    EXPECT_FALSE(spoken(holidays).empty());
    EXPECT_EQ(spoken(find(&window, "UpDownDay")->findChild<QWidget*>("Up")), "One day forward");
    EXPECT_EQ(spoken(find(&window, "CustomerNavigator")->findChild<QWidget*>("First")), "First customer");

    tasks::TAddTask* editor = window.Features().Editor->Editor();
    editor->ensurePolished();
    EXPECT_EQ(spoken(find(editor, "Notes")), "Notes:");
    EXPECT_EQ(spoken(find(editor, "TaskLength")), "Length");
    EXPECT_EQ(spoken(find(editor, "UpDown2UpRight")), "Longer");
    // Padding blanks of a caption are not said.
    QWidget* mail = window.Features().Email->Window();
    mail->ensurePolished();
    EXPECT_EQ(spoken(find(mail, "AddName")), "Add recipient");
    EXPECT_EQ(spoken(find(mail, "Subject")), "Subject:");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(mail)->role(), QAccessible::Dialog);
}

}  // namespace
}  // namespace tw::app
