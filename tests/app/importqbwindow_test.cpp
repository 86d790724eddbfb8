// "Import from QuickBooks" from the Add / Edit / Query page of a started
// program, against the sample company that the registry's link names: the
// button opens the window, and a listed job reaches the schedule.
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "app/querypage.h"
#include "controls/buttons/fcbitbtn.h"
#include "exchange/importqbform.h"
#include "exchange/qbtestcompany.h"
#include "platform/datetime/localetexts.h"
#include "support/qblink.h"
#include "testapplication.h"
#include "ui_importqbform.h"

namespace tw::app {
namespace {

class ImportQBWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen);
        window.resize(1180, 760);
        window.TabControl()->setCurrentIndex(TMainScreen::SelectPage);
        window.show();
        window.StartClock()->stop();
        ASSERT_TRUE(test::LinkLocalCompany(company.Path()));
        window.Session().Settings.QBEdition = 1;
        window.Session().Settings.QBCompanyFile.clear();  // automatic access: the file the product has open
    }

    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    TMainScreen window;
    qb::test::CompanyFolder company{qb::test::SampleCompany()};
};

TEST_F(ImportQBWindowTest, TheButtonOpensTheWindowAndAListedJobReachesTheSchedule)
{
    auto* button =
        window.Features().Query->Page()->findChild<controls::TFcBitBtn*>(QStringLiteral("ImportFromQB"));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    button->Click();
    exchange::TImportQB* importWindow = window.Features().Exchange->ImportQB();
    ASSERT_NE(importWindow, nullptr);
    EXPECT_TRUE(importWindow->isVisible());
    Ui::TImportQB& ui = importWindow->Controls();
    ui.ShowQBCustomers->Click();
    QTreeWidget* list = ui.CustomerList;
    QTreeWidgetItem* barn = nullptr;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(3) == "Barn roof")
            barn = list->topLevelItem(i);
    ASSERT_NE(barn, nullptr) << recorder.Boxes.size();
    list->setCurrentItem(barn);
    ui.ImportQBJob->Click();
    EXPECT_EQ(ui.StatusBar->PanelText(0), "Ashdown Farms:Barn roof imported");
    EXPECT_FALSE(window.Session().State.TablesBusy);
    db::Table& charts = window.Session().Data().ChartsTable5;
    charts.refresh();
    bool found = false;
    for (charts.first(); !charts.eof(); charts.next())
        if (charts.fieldByName("DESC").asString().rfind("Barn roof", 0) == 0)
            found = true;
    EXPECT_TRUE(found);
    importWindow->close();
    window.Features().Startup->ApplyReadOnlyAccess(true);
    EXPECT_FALSE(button->isEnabled());
}

}  // namespace
}  // namespace tw::app
