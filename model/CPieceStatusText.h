#pragma once

#include "platform/base/CObject.h"
#include "platform/base/CString.h"

// The status-bar description of the object under edit: each layout class fills the source
// texts and its kind in its UpdateSizeInfo; the panes are built from them by kind.
class CPieceStatusText : public CObject {
  public:
    // The kind with nothing to describe, and the kind of a selection summary.
    static constexpr int kNone = -1;
    static constexpr int kSummary = -2;
    static constexpr int kMeasureCount = 12;

    CPieceStatusText();
    // Fills the five panes from the source texts by kind.
    void FormatPieceStatus();

    CString m_strName;
    CString m_strSummary;
    // Degrees.
    double m_fRotation = 0.0;
    // Measure texts m1 to m12 in the document's unit, at [0] to [11]; which hold what depends
    // on the kind.
    CString m_strMeasure[kMeasureCount];
    double m_fStartAngle = 0.0;
    double m_fArcAngle = 0.0;
    double m_fGrade = 0.0;
    CString m_strPane[5];
    int m_nKind = kNone;
    int m_nFlag = 1;
    // The mouse position in the document's unit, y growing upward.
    CString m_strPosition;

  private:
    // Measure text m1 to m12.
    CString Measure(int number) const;
    CString TrackHeights() const;
};
