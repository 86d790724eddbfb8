#pragma once
// The Add / Edit / Query page in a started main window with a small schedule:
// two resources, three tasks of one job, the page shown.
#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "query/querypage.h"
#include "schedule/visualize/visualizepage.h"
#include "platform/datetime/localetexts.h"
#include "chartrows.h"
#include "sampleschedule.h"
#include "testapplication.h"
#include "support/december.h"

#include <QImage>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace tw::app {

using fixtures::Day;

class QueryPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen);
        page = window.Features().Query->Page();
        ASSERT_TRUE(page->Attached());
        ann = examples::AddSampleResource(window, "Ann");
        bob = examples::AddSampleResource(window, "Bob");
        fitUnits = examples::AddSampleTask(window, ann, {"Ames", "Kitchen", "Fit units", Day(7, 10), 1});
        paintWalls = examples::AddSampleTask(window, ann, {"Ames", "Kitchen", "Paint walls", Day(7, 13), 1});
        clearSite = examples::AddSampleTask(window, bob, {"Ames", "Kitchen", "Clear site", Day(8, 10), 2});
        window.resize(1180, 760);
        window.TabControl()->setCurrentIndex(TMainScreen::SelectPage);
        window.show();
        window.StartClock()->stop();
        window.Features().Query->ApplyCustomerQuery();
    }

    template <typename T>
    T* Find(const char* name)
    {
        T* widget = page->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // The texts of a grid's first column, top to bottom.
    static std::vector<std::string> Column(QTableView* grid)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            texts.push_back(grid->model()->index(row, 0).data().toString().toStdString());
        return texts;
    }
    void SelectRow(QTableView* grid, const std::string& text)
    {
        const std::vector<std::string> texts = Column(grid);
        const auto it = std::find(texts.begin(), texts.end(), text);
        ASSERT_NE(it, texts.end()) << text;
        grid->setCurrentIndex(grid->model()->index(int(it - texts.begin()), 0));
    }
    // How many pixels of a grid row's band differ from the grid's empty
    // background (taken below the last row).
    static int PaintedPixels(QTableView* grid, int row)
    {
        const QImage image = grid->viewport()->grab().toImage();
        const int height = grid->rowHeight(0);
        const int top = row * height;
        const int empty = qGray(image.pixel(image.width() / 2, image.height() - 3));
        int painted = 0;
        for (int y = top + 2; y < top + height - 2 && y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (std::abs(qGray(image.pixel(x, y)) - empty) > 60)
                    ++painted;
        return painted;
    }
    std::vector<std::string> ChartRows()
    {
        return testing::ChartRowNames(*window.Features().Visualize->Page()->RAC());
    }

    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    TMainScreen window;
    TQueryPage* page = nullptr;
    std::int32_t ann = 0, bob = 0, fitUnits = 0, paintWalls = 0, clearSite = 0;
};

}  // namespace tw::app
