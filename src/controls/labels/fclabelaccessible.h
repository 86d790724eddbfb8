#pragma once
// What screen readers see of the label (static text named by its caption)
// and of the URL label (a link whose press action opens it).

namespace tw::controls {

// Registers both interfaces once.
void RegisterLabelAccessible();

}  // namespace tw::controls
