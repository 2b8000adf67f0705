#pragma once

#include <functional>
#include <vector>

#include "platform/base/CString.h"

// One character of a laid-out text: where its top-left corner goes, in device units from the
// box's top-left corner, before the box's turn; y decreases downward, as on the plan.
struct PlacedCharacter {
    char character;
    int x;
    int y;
};

struct TextLayout {
    std::vector<PlacedCharacter> characters;
    // The width of each line, and of the line the layout ended on.
    std::vector<int> lineWidths;
};

// Lays a text out character by character in a box of the width and height, in lines of the
// height: a line ends at a line feed or where the next character would pass the right edge;
// carriage returns are skipped; the layout stops when the next line no longer fits.
TextLayout LayOutText(const CString& text, int boxWidth, int boxHeight, int lineHeight,
                      const std::function<int(char)>& characterWidth);
