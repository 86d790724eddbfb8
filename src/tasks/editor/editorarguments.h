#pragma once
// What a caller asks of the task editor: the one thing a page that opens the
// editor needs to know of it (the editor itself is tasks/editor/taskeditor.h).

#include <optional>
#include <string>

#include "data/jobstatus.h"
#include "platform/datetime/datetime.h"
#include "platform/db/table.h"

namespace tw::tasks {

// The arguments every caller passes, in their order.
struct EditorArguments {
    db::Table* Table = nullptr;
    bool IsMainView = false;
    bool Edit = false;
    int HelpLevel = 0;
    std::string Description;
    // A new task's start as a value: texts of the locale do not read back
    // as the same instant everywhere. None: today at the start of the working day.
    std::optional<TDateTime> Start;
    bool AddMissingData = false;
    std::string NotesText;
    std::string CustomerListId;
    std::string ListId;
    std::string JobListId;
    std::string FullName;
    bool RebuildOnClose = false;
    int Status = data::JobStatusTexts::kNone;
    bool Modal = false;
    bool SkipOverlapCheck = false;
};

}  // namespace tw::tasks
