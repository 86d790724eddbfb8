#pragma once
// What the other units may ask of the blocks-of-time unit (timeblocksfeature.h).

#include <optional>

#include "tasks/editor/taskeditor.h"

namespace tw::app {

class PendingBlocks {
public:
    virtual ~PendingBlocks() = default;
    // The block a new task starts in while an insert is pending.
    virtual std::optional<tasks::PendingBlock> PendingBlock() const = 0;
    // A refresh ends whatever insert was going on; the buttons work again.
    virtual void EndPendingInsert() = 0;
};

}  // namespace tw::app
