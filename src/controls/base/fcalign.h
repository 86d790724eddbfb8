#pragma once
// TAlign: the edge of its parent a control keeps to. Qt layouts place most
// widgets; a control that docks itself (the dialog button panel, the status
// bar) reads this to size and place itself inside a parent without a layout.

namespace tw::controls {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

}  // namespace tw::controls
