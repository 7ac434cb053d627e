// Painting helpers of the tab strip: chamfered fills and the tab layouts of
// the two styles. The painters themselves are XTabModel's DrawBackground,
// DrawTabs, DrawControlBox and pDrawOverXOred.
#pragma once

#include "platform/canvas.h"
#include "tabs/xtab_model.h"

namespace tuner {

// Fills rows top..bottom (both included) from start (top) to end (bottom),
// each row from x1 up to x2 (x2 not painted). Radius -1: square; otherwise
// the top corners are cut at 45 degrees, Radius rows deep, on the cut sides
// (with CutLeft false the right corner is cut whatever CutRight says). A fill
// whose top equals its bottom is one row in the start colour.
void pFillCurvedGradient(Canvas& c, int left, int top, int right, int bottom, OleColor start, OleColor end, int radius,
                         bool cut_left, bool cut_right);
void pFillCurvedSolid(Canvas& c, int left, int top, int right, int bottom, OleColor color, int radius, bool cut_left,
                      bool cut_right);
// The same shape XOR-ed with an RGB value (hover highlights).
void pFillCurvedXor(Canvas& c, int left, int top, int right, int bottom, uint32_t rgb, int radius, bool cut_left,
                    bool cut_right);

// Lays the tabs out and stores their rectangles and close boxes in the
// records, for a surface `width` pixels wide. Theme outside 0..4: nothing.
void layout_tabbed_dialog(XTabModel& m, int width);
void layout_property_pages(XTabModel& m, int width);

}  // namespace tuner
