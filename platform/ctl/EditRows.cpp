#include "platform/ctl/EditRows.h"

#include <algorithm>

#include "platform/ctl/EditBuffer.h"

void EditRows::Lay(const EditBuffer& buffer, int width, const Measure& measure) {
    m_starts.clear();
    m_ends.clear();
    for (int line = 0; line < buffer.LineCount(); ++line) {
        const int start = buffer.LineIndex(line);
        const int end = start + buffer.LineLength(line);
        if (width > 0)
            WrapLine(buffer.Text(), start, end, width, measure);
        else {
            m_starts.push_back(start);
            m_ends.push_back(end);
        }
    }
}

void EditRows::WrapLine(const CString& text, int start, int end, int width, const Measure& measure) {
    int row = start;
    do {
        const CString rest = text.Mid(row, end - row);
        int fits = rest.GetLength();
        if (measure(rest) > width) {
            fits = 1;
            while (fits < rest.GetLength() && measure(rest.Left(fits + 1)) <= width) ++fits;
        }
        int rowEnd = row + fits;
        if (rowEnd < end) {
            // Back to the last blank that fits, or the one just past the edge.
            const int blank = rest.Left(fits + 1).ReverseFind(' ');
            if (blank >= 0)
                rowEnd = row + blank + 1;
            while (rowEnd < end && text[rowEnd] == ' ') ++rowEnd;
        }
        m_starts.push_back(row);
        m_ends.push_back(rowEnd);
        row = rowEnd;
    } while (row < end);
}

int EditRows::FromChar(int position) const {
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), position);
    return std::max(0, static_cast<int>(after - m_starts.begin()) - 1);
}

int EditRows::Start(int row) const {
    return m_starts.empty() ? 0 : m_starts[std::clamp(row, 0, Count() - 1)];
}

int EditRows::Length(int row) const {
    if (m_starts.empty())
        return 0;
    const int clamped = std::clamp(row, 0, Count() - 1);
    return m_ends[clamped] - m_starts[clamped];
}
