#include "drawing/CLabelExtent.h"

#include <cstring>

#include "drawing/CLabelFont.h"

DeviceRect CLabelExtent::Bounds(const CLabelFont& font, int escapement, const dimension::LabelLine& line) {
    const LOGFONT description = font.Description();
    if (!Holds(description, escapement, line.text)) {
        m_box = dimension::LabelBounds(font, escapement, {CPoint(0, 0), line.text});
        m_description = description;
        m_nEscapement = escapement;
        m_strText = line.text;
        ++m_nMeasured;
    }
    return {m_box.left + line.at.x, m_box.top + line.at.y, m_box.right + line.at.x, m_box.bottom + line.at.y};
}

bool CLabelExtent::Holds(const LOGFONT& description, int escapement, const CString& text) const {
    return m_nMeasured > 0 && escapement == m_nEscapement && text == m_strText &&
           std::memcmp(&description, &m_description, sizeof(LOGFONT)) == 0;
}
