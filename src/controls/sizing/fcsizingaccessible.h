#pragma once
// Screen readers see the splitter and the size panel with their bar as a
// separator whose value is the position (the panel's width or height for the
// size panel), and the hot spot, when shown, as a button with a press action.

namespace tw::controls {

// Registers the interfaces once; the sizing classes call it when made.
void RegisterSizingAccessible();

}  // namespace tw::controls
