#pragma once
// The tab controls to assistive technology, as QTabWidget and QTabBar show
// themselves: the control is a page tab list with one page tab per visible
// tab (its name without the accelerator marker, selected and focused states,
// a press action that selects it), the scroller's two halves and the close box
// as buttons, and then the control's shown child widgets (the active page).

namespace tw::controls {

// Registers the interface with the library's accessibility factory (once).
void RegisterTabAccessible();

}  // namespace tw::controls
