// The busy guard: the flag and the hourglass for a scope, put back as found.
#include <gtest/gtest.h>

#include <stdexcept>

#include "data/services/busyscopes.h"
#include "support/recordinguserinterface.h"

namespace tw::data {
namespace {

// Counts its hourglasses as the main window does: shown while any is held.
class CountingUserInterface : public RecordingUserInterface {
public:
    void SetBusyCursor(bool busy) override
    {
        depth += busy ? 1 : -1;
        ASSERT_GE(depth, 0) << "an hourglass given back that was never shown";
    }
    int depth = 0;
};

TEST(BusyScope, ANestedStepLeavesTheOuterOneBusy)
{
    MainScreenState state;
    CountingUserInterface ui;
    {
        BusyScope outer(state, ui);
        {
            BusyScope inner(state, ui);
            EXPECT_TRUE(state.TablesBusy);
            EXPECT_EQ(ui.depth, 2);
        }
        EXPECT_TRUE(state.TablesBusy);
        EXPECT_EQ(ui.depth, 1);
    }
    EXPECT_FALSE(state.TablesBusy);
    EXPECT_EQ(ui.depth, 0);
}

TEST(BusyScope, AnErrorPutsBackWhatWasFound)
{
    for (const bool before : {false, true}) {
        MainScreenState state;
        state.TablesBusy = before;
        CountingUserInterface ui;
        EXPECT_THROW(
            {
                BusyScope busy(state, ui);
                BusyScope inner(state);
                throw std::runtime_error("table locked");
            },
            std::runtime_error);
        EXPECT_EQ(state.TablesBusy, before);
        EXPECT_EQ(ui.depth, 0);
    }
}

TEST(BusyScope, EarlyReleasesGiveBackOnceAndOnlyWhatTheyName)
{
    MainScreenState state;
    CountingUserInterface ui;
    BusyScope outer(state, ui);
    {
        BusyScope step(state, ui);
        step.ReleaseHourglass();
        EXPECT_EQ(ui.depth, 1);
        EXPECT_TRUE(state.TablesBusy);
        step.ReleaseHourglass();
        step.Release();
        EXPECT_EQ(ui.depth, 1);
        EXPECT_TRUE(state.TablesBusy) << "the outer step still holds the flag";
    }
    EXPECT_EQ(ui.depth, 1);
    outer.ReleaseFlag();
    EXPECT_FALSE(state.TablesBusy);
    EXPECT_EQ(ui.depth, 1);
}

TEST(BusyScope, EachFormTouchesOnlyWhatItIsGiven)
{
    MainScreenState state;
    CountingUserInterface ui;
    bool dialogBusy = false;
    {
        BusyScope hourglass(ui);
        EXPECT_FALSE(state.TablesBusy);
        EXPECT_EQ(ui.depth, 1);
    }
    {
        BusyScope flag(dialogBusy);
        EXPECT_TRUE(dialogBusy);
        EXPECT_EQ(ui.depth, 0);
    }
    EXPECT_FALSE(dialogBusy);
}

}  // namespace
}  // namespace tw::data
