#pragma once
// Screen readers see the status bar as a status bar, each pane as static text
// with its caption, and the progress bar as a progress bar with a value from
// 0 to 100.

namespace tw::controls {

// Registers the interfaces once; the status classes call it when made.
void RegisterStatusAccessible();

}  // namespace tw::controls
