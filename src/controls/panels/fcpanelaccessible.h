#pragma once
// What screen readers see of the group box (and the radio and check groups
// built on it): a grouping named by its caption, its items as its children.

namespace tw::controls {

// Registers the group box's interface once.
void RegisterGroupBoxAccessible();

}  // namespace tw::controls
