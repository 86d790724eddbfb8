#pragma once
// Blocks of time as a feature unit: the Visualize page's "Insert time" and
// "Remove time" buttons, their dialogs (tasks::TInsertSlot, TRemoveSlot), the
// window-free operation (timeblocks::SlotOperations) on the session, for which
// the unit answers as its view, and the insert's 5-minute timer, after which a
// pending insert is pushed.

#include <memory>
#include <optional>

#include "app/features/featurecontext.h"
#include "tasks/unit/timeblocksunit.h"
#include "schedule/slots/slotoperations.h"
#include "tasks/editor/taskeditor.h"
#include "tasks/slots/slotdialogs.h"

class QTimer;

namespace tw::app {

class ChartButtons;
class ChartPage;
class ChartSelection;
class QuerySelection;

class TimeBlocksFeature final : public PendingBlocks,
                                public timeblocks::TimeBlocksView,
                                public timeblocks::SlotWorkingTime,
                                public tasks::SlotDialogHost {
public:
    // The chart's buttons start the operations, whose chart is built again
    // after them; the block is for the query's or the chart's current resource.
    TimeBlocksFeature(const FeatureContext& context, ChartPage& chart, ChartButtons& buttons,
                      ChartSelection& chartSelection, QuerySelection& query);
    ~TimeBlocksFeature() override;

    void InsertSpaceClick();
    void RemoveSpaceClick();
    void RemoveSpaceTimerTimer();
    // A refresh ends whatever insert was going on; the buttons work again.
    void EndPendingInsert() override;
    std::optional<tasks::PendingBlock> PendingBlock() const override;

    timeblocks::SlotOperations& Operations() { return *operations_; }
    tasks::TInsertSlot* InsertSlot() const { return insertSlot_.get(); }
    tasks::TRemoveSlot* RemoveSlot() const { return removeSlot_.get(); }
    QTimer* RemoveSpaceTimer() const { return removeSpaceTimer_; }

    void RestartRemoveSpaceTimer() override;
    void StopRemoveSpaceTimer() override;
    void SetInsertSpaceEnabled(bool enabled) override;
    void SetRemoveSpaceEnabled(bool enabled) override;
    void OpenInsertDialog() override;
    void OpenRemoveDialog() override;
    void RefreshChartsView() override;

    // The session's calendars, each resource on its own.
    TDateTime ComputeTaskEnd(std::int32_t crewId, TDateTime& startOut, TDateTime start, float hours) override;
    float WorkingHoursBetween(std::int32_t crewId, TDateTime from, TDateTime to) override;
    float LoadedHoursPerDay() override;
    TDateTime Now() override;

    timeblocks::SlotServices Services() override;
    std::int32_t CurrentResource(std::string& description) override;
    TDateTime LoadWorkCalendar(std::int32_t crewId) override;
    void PushChartUpdates() override;
    void AfterInsert() override;
    void AfterRemove() override;

private:
    tasks::SlotDialogContext DialogContext();
    void SetButtonsEnabled(bool enabled);

    FeatureContext context_;
    ChartPage& chart_;
    ChartButtons& buttons_;
    ChartSelection& chartSelection_;
    QuerySelection& query_;
    QTimer* removeSpaceTimer_ = nullptr;
    std::unique_ptr<timeblocks::SlotOperations> operations_;
    std::unique_ptr<tasks::TInsertSlot> insertSlot_;
    std::unique_ptr<tasks::TRemoveSlot> removeSlot_;
};

}  // namespace tw::app
