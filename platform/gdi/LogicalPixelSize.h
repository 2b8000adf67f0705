#pragma once

class CDC;

// The logical width of one device pixel: the x of device point (1, 1) in logical units minus the
// x of device point (0, 0), as an integer. Pen widths are multiplied by it so that lines keep
// their pixel width on screen and on paper.
int LogicalPixelSize(const CDC* dc);
