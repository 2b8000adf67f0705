#pragma once

#include <vector>

// One pixel of an integer line walk, and the picture column or row the caller keeps with it.
struct WalkRecord {
    int x = 0;
    int y = 0;
    int s = 0;
};

// Walks from (x0, y0) toward (x1, y1) one pixel at a time: record 0 is the start, then one
// record per step and an extra one where a step moves in both directions, so that two
// consecutive records differ in one coordinate by one. Answers the number of records after
// the start; the records hold exactly those and the start.
int StepLine(int x0, int y0, int x1, int y1, std::vector<WalkRecord>& records);
