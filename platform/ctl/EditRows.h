#pragma once

#include <functional>
#include <vector>

#include "platform/base/CString.h"

class EditBuffer;

// The rows an edit field shows its text in: a row for each line, or, where words wrap, as many
// rows as each line needs to fit a width. A row breaks after the last blank that fits (the
// blanks after it stay on the row), or, for a word longer than the width, inside the word.
class EditRows {
  public:
    // Width of a text in pixels.
    using Measure = std::function<int(const CString&)>;

    // Lays the rows out for text; a width of 0 or less keeps each line one row.
    void Lay(const EditBuffer& buffer, int width, const Measure& measure);
    int Count() const { return static_cast<int>(m_starts.size()); }
    // The row showing the character at position.
    int FromChar(int position) const;
    int Start(int row) const;
    int Length(int row) const;

  private:
    void WrapLine(const CString& text, int start, int end, int width, const Measure& measure);

    std::vector<int> m_starts;
    std::vector<int> m_ends;
};
