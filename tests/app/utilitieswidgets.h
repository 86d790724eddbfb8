#pragma once
// The Utilities tab's widgets as its window tests reach them.

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "settings/utilitiespage.h"
#include "controls/buttons/fcbitbtn.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tw::app::testing {

template <typename T = QWidget>
T* UtilitiesWidget(TMainScreen& window, const char* name)
{
    T* widget = window.Features().Utilities->Page()->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

inline void ClickUtilitiesButton(TMainScreen& window, const char* name)
{
    UtilitiesWidget<controls::TFcBitBtn>(window, name)->Click();
}

// The names a view shows under its root, once its model has read the folder
// (a file system model reads in the background).
inline QStringList ShownNames(QAbstractItemView* view)
{
    QTest::qWait(300);
    QStringList names;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row)
        names << view->model()->index(row, 0, root).data().toString();
    return names;
}

// Answers Yes to every question box while it lives, counting the answers.
class YesToEveryQuestion {
public:
    YesToEveryQuestion()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++Answered;
                box->button(QMessageBox::Yes)->click();
            }
        });
        timer_.start(10);
    }
    int Answered = 0;

private:
    QTimer timer_;
};

}  // namespace tw::app::testing
