#pragma once
// What screen readers see of the glyph-drawn radio button and check box, as
// QRadioButton and QCheckBox show themselves: the role, the caption as name,
// checkable with the checked (or, for a grayed box, mixed) state, and the
// toggle action, which clicks the control.

namespace tw::controls {

// Registers both interfaces once.
void RegisterChoiceAccessible();

}  // namespace tw::controls
