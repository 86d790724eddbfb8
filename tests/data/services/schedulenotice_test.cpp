#include "data/services/schedulenotice.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tw::data {
namespace {

using enum ScheduleChange;

TEST(ScheduleNotice, StagesHearInTheirOrderWhateverTheOrderOfSubscribing)
{
    ScheduleNotice notice;
    std::vector<std::string> heard;
    auto chart = notice.Subscribe(NoticeStage::Chart, [&](ScheduleChanges) { heard.push_back("chart"); });
    auto calendar =
        notice.Subscribe(NoticeStage::Calendar, [&](ScheduleChanges) { heard.push_back("calendar"); });
    auto query = notice.Subscribe(NoticeStage::Views, [&](ScheduleChanges) { heard.push_back("query"); });
    auto customers =
        notice.Subscribe(NoticeStage::Views, [&](ScheduleChanges) { heard.push_back("customers"); });

    notice.Raise(Tasks);

    EXPECT_EQ(heard, (std::vector<std::string>{"query", "customers", "calendar", "chart"}));
}

TEST(ScheduleNotice, ListenersHearWhatChangedOnceAndNothingWhenNothingChanged)
{
    ScheduleNotice notice;
    std::vector<ScheduleChanges> heard;
    auto views = notice.Subscribe(NoticeStage::Views, [&](ScheduleChanges c) { heard.push_back(c); });

    notice.Raise(Customers | Jobs);
    notice.Raise(ScheduleChanges{});

    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].Has(Customers));
    EXPECT_TRUE(heard[0].Has(Jobs));
    EXPECT_FALSE(heard[0].Has(Tasks));
    EXPECT_FALSE(heard[0].Has(Resources));
    EXPECT_FALSE(heard[0].Has(Calendar));
}

TEST(ScheduleNotice, AListenerGoneHearsNoMoreEvenWhenItGoesDuringARaise)
{
    ScheduleNotice notice;
    int chartBuilds = 0;
    std::optional<ScheduleNotice::Subscription> chart =
        notice.Subscribe(NoticeStage::Chart, [&](ScheduleChanges) { ++chartBuilds; });
    // The page that closes the chart's page while hearing the notice.
    auto closer = notice.Subscribe(NoticeStage::Views, [&](ScheduleChanges) { chart.reset(); });

    notice.Raise(Tasks);
    notice.Raise(Tasks);

    EXPECT_EQ(chartBuilds, 0);
}

TEST(ScheduleNotice, AMovedSubscriptionStillListensAndEndsOnce)
{
    ScheduleNotice notice;
    int heard = 0;
    ScheduleNotice::Subscription kept;
    {
        auto first = notice.Subscribe(NoticeStage::Views, [&](ScheduleChanges) { ++heard; });
        kept = std::move(first);
    }
    notice.Raise(Calendar);
    kept = ScheduleNotice::Subscription{};
    notice.Raise(Calendar);

    EXPECT_EQ(heard, 1);
}

}  // namespace
}  // namespace tw::data
