// The job status page: Save trims the six texts, stores them, and rebuilds
// the query page's status choice keeping its selected position.
#include "setupfixture.h"

#include <gtest/gtest.h>

namespace tw::settings::testing {
namespace {

using JobStatusTest = SetupTest;

TEST_F(JobStatusTest, ShowingPutsTheTextsInThePageOrder)
{
    settings_.JobStatusTexts = {"Won", "Done", "Busy", "-", "Lost", "Quoted"};
    logic_->ShowSetup();
    EXPECT_EQ(view_.Statuses, (StatusEditTexts{"Quoted", "Won", "Busy", "-", "Done", "Lost"}));
}

TEST_F(JobStatusTest, SaveTrimsStoresAndRebuildsTheStatusChoice)
{
    logic_->ShowSetup();
    host_.StatusIndex = 4;
    view_.Statuses = {"  Quoted ", "Won", "Under way", "", "Done\t", "Lost"};
    logic_->SaveJobStatusDefsClick();

    const QStringList texts{"Won", "Done", "Under way", "", "Lost", "Quoted"};
    EXPECT_EQ(settings_.JobStatusTexts, texts);
    EXPECT_EQ(host_.StatusItems, texts) << "Pending's text is the last item";
    EXPECT_EQ(host_.AppliedTexts, texts);
    EXPECT_EQ(host_.StatusIndex, 4) << "the choice keeps its position";
    EXPECT_FALSE(host_.RestrictToSelectedStatus);
    EXPECT_EQ(StoredText("params.dbf", "PENDING"), "Quoted");
    EXPECT_EQ(StoredText("params.dbf", "AWARDED"), "Won");
    EXPECT_EQ(StoredText("params.dbf", "INPROGRESS"), "Under way");
    EXPECT_EQ(StoredText("params.dbf", "NONE"), "") << "an empty text is stored empty";
    EXPECT_EQ(StoredText("params.dbf", "CLOSED"), "Done");
    EXPECT_EQ(StoredText("params.dbf", "NAWARDED"), "Lost");
    EXPECT_EQ(view_.Status, "Job status definitions saved");
    EXPECT_EQ(view_.Closes, 1);
}

TEST_F(JobStatusTest, ATextLongerThanItsFieldIsUsedAsStored)
{
    logic_->ShowSetup();
    const QString longText(30, QLatin1Char('w'));
    view_.Statuses = {"Pending", longText, "In progress", "None", "Closed", "Not awarded"};
    logic_->SaveJobStatusDefsClick();
    EXPECT_EQ(StoredText("params.dbf", "AWARDED"), longText.left(25).toStdString());
    EXPECT_EQ(settings_.JobStatusTexts.value(0), longText.left(25));
}

TEST_F(JobStatusTest, SaveDoesNothingBeforeTheDialogIsShown)
{
    view_.Statuses = {"Quoted", "Won", "Busy", "-", "Done", "Lost"};
    logic_->SaveJobStatusDefsClick();
    EXPECT_EQ(settings_.JobStatusTexts.value(5), "Pending");
    EXPECT_TRUE(host_.RestrictToSelectedStatus);
    EXPECT_EQ(StoredText("params.dbf", "PENDING"), "");
    EXPECT_EQ(view_.Closes, 0);
}

}  // namespace
}  // namespace tw::settings::testing
