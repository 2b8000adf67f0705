#pragma once

class CImageList;

// The small pictures of the catalogue lists, drawn by the program, 16 x 16 with a mask.
// The parts list: 0 a part not marked (an empty box), 1 a marked part (a ticked box).
void MakePartMarkIcons(CImageList& images);
// The materials report: 0 an object of the report's own group, 1 an object of a nested group,
// 2 a collapsed group, 3 an expanded group, 4 a group that does not open.
void MakeReportRowIcons(CImageList& images);
