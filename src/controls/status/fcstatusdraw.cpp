#include "controls/status/fcstatusdraw.h"

namespace tw::controls {

void DrawOpenCornerFrame(TFcCanvas& canvas, const TRect& r, TColor colour)
{
    canvas.Pen.Width = 1;
    canvas.Pen.Style = TPenStyle::Solid;
    canvas.Pen.Color = colour;
    canvas.MoveTo(r.Left, r.Top + 1);
    canvas.LineTo(r.Left, r.Bottom - 1);
    canvas.MoveTo(r.Left + 1, r.Top);
    canvas.LineTo(r.Right - 1, r.Top);
    canvas.MoveTo(r.Right - 1, r.Top + 1);
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
    canvas.MoveTo(r.Left + 1, r.Bottom - 1);
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
}

}  // namespace tw::controls
