#pragma once
// "Delete backup file" without its window: the selected file is deleted at
// once, without a question, and a file that is still there afterwards is
// reported.

#include <string>

#include "data/services/userinterface.h"

namespace tw::settings {

// selectedPath: the full path of the item selected in the backup file list;
// empty when nothing is selected ("Please select the backup file"). True when
// the file is gone afterwards. The caller repaints the list and the free
// space either way.
bool RemoveBackupFile(const std::string& selectedPath, data::UserInterface& ui);

}  // namespace tw::settings
