#include "model/CPieceStatusText.h"

#include "platform/base/CStringTable.h"
#include "resources/StringTable.h"

namespace {

CString Formatted(const char* format, double value) {
    CString text;
    text.Format(format, value);
    return text;
}

}  // namespace

CPieceStatusText::CPieceStatusText() {
    m_strSummary = " ";
    for (CString& measure : m_strMeasure) measure = " ";
    for (CString& pane : m_strPane) pane = " ";
}

CString CPieceStatusText::Measure(int number) const {
    return m_strMeasure[number - 1];
}

CString CPieceStatusText::TrackHeights() const {
    CString text;
    text.Format("H1=%s   H2=%s  Grade=%.1f%%", static_cast<const char*>(Measure(11)),
                static_cast<const char*>(Measure(12)), m_fGrade);
    return text;
}

void CPieceStatusText::FormatPieceStatus() {
    for (int pane = 0; pane < 4; ++pane) m_strPane[pane].Empty();
    m_strPane[4] = m_strName;
    const CString angle = Formatted("%.2f\xB0", m_fRotation);
    const CString span = Measure(1) + "-" + Measure(2);
    CString& p1 = m_strPane[0];
    CString& p2 = m_strPane[1];
    CString& p3 = m_strPane[2];
    CString& p4 = m_strPane[3];
    switch (m_nKind) {
        case kSummary:
            p1.Format("%s", static_cast<const char*>(m_strSummary));
            return;
        case 0:
            p1.Format("%s-%s  SAng=%.1f\xB0   ArcD=%.1f\xB0   R1=%s   R2=%s   C%s",
                      static_cast<const char*>(Measure(1)), static_cast<const char*>(Measure(2)),
                      m_fStartAngle, m_fArcAngle, static_cast<const char*>(Measure(7)),
                      static_cast<const char*>(Measure(8)), static_cast<const char*>(Measure(6)));
            p2 = Measure(10);
            break;
        case 1:
            p1 = "H=" + Measure(11) + " W=" + Measure(4) + " L=" + Measure(3) + " A=" + Measure(5);
            p2 = Measure(10) + "   " + Measure(9);
            p3 = "E=" + Measure(12);
            break;
        case 2:
        case 14:
        case 16:
            p1 = span + " H=" + Measure(3) + " W=" + Measure(4);
            p2 = Measure(10);
            break;
        case 3:
            p1 = span + " H=" + Measure(3) + " W=" + Measure(4) + " A=" + Measure(5);
            p2 = Measure(10);
            break;
        case 4:
            p1 = span + " H=" + Measure(3) + " W=" + Measure(4) + " S=" + Measure(5);
            p2 = Measure(10);
            break;
        case 5:
            p1 = Measure(6) + " H=" + Measure(11);
            p2 = Measure(10);
            break;
        case 6:
            p1 = " H=" + Measure(3) + " W=" + Measure(4);
            p2 = Measure(10) + "   " + Measure(9);
            return;
        case 7:
        case 8:
        case 10:
        case 13:
        case 15:
            p1 = span + " L=" + Measure(3);
            p2 = Measure(10);
            break;
        case 11:
            p1 = span + " H=" + Measure(3) + " W=" + Measure(4) + " R=" + Measure(7) + " A=" + Measure(5);
            p2 = Measure(10);
            break;
        case 12:
            p1 = span + " C" + Measure(6) + " R=" + Measure(7) + " " + Formatted("%.1f\xB0", m_fStartAngle);
            p2 = Measure(10);
            break;
        case 17:
            p1 = span + " L=" + Measure(3);
            p2 = Measure(10);
            p3 = TrackHeights();
            break;
        case 18:
            p1.Format("%s-%s L=%s   SAng=%.1f\xB0   ArcD=%.1f   R1=%s   R2=%s   C%s",
                      static_cast<const char*>(Measure(1)), static_cast<const char*>(Measure(2)),
                      static_cast<const char*>(Measure(3)), m_fStartAngle, m_fArcAngle,
                      static_cast<const char*>(Measure(7)), static_cast<const char*>(Measure(8)),
                      static_cast<const char*>(Measure(6)));
            p2 = Measure(10);
            p3 = TrackHeights();
            break;
        case 19:
            p1.Format("%s-%s L=%s   SAng=%.1f\xB0   ArcD=%.1f   R1=%s  C%s",
                      static_cast<const char*>(Measure(1)), static_cast<const char*>(Measure(2)),
                      static_cast<const char*>(Measure(3)), m_fStartAngle, m_fArcAngle,
                      static_cast<const char*>(Measure(7)), static_cast<const char*>(Measure(6)));
            p2 = Measure(10);
            p3 = TrackHeights();
            break;
        case 20:
            p1.Format("%s-%s L=%s", static_cast<const char*>(Measure(1)),
                      static_cast<const char*>(Measure(2)), static_cast<const char*>(Measure(3)));
            p2 = Measure(10);
            p3 = TrackHeights();
            break;
        case 21:
            p1 = span + " H=" + Measure(3) + " W=" + Measure(4);
            p2 = CStringTable::Text(IDS_3D_BITMAP);
            p3 = "E=" + Measure(12);
            break;
        case 22:
            p1 = "H=" + Measure(11);
            p2 = Measure(10);
            break;
        case 23:
            p1 = CStringTable::Text(IDS_3D_VIEW);
            m_strPane[4].Empty();
            return;
        default:
            return;
    }
    p4 = angle;
}
