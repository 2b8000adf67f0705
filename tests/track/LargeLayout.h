#pragma once

#include "model/CCVNDoc.h"
#include "platform/base/CString.h"

// A club-sized layout made in code: rows of connected track, each row a straight, then
// curves to the left, right, right and left over and over, the rows stacked down the page
// (the plan's page lies below its origin).
// Every joint inside a row is marked connected on both sides.
struct LargeLayout {
    static constexpr int kRows = 50;
    static constexpr int kPiecesPerRow = 100;
    static constexpr double kRowSpacing = 1600.0;

    // Puts rows x piecesPerRow pieces into the document's root group and sizes its page to
    // hold them.
    static void Build(CCVNDoc& doc, int rows = kRows, int piecesPerRow = kPiecesPerRow);
};

// A layout document whose messages are kept instead of shown.
class QuietDoc : public CCVNDoc {
  public:
    void ReportError(const CString&) override {}
    void ReportSaveLoadException(LPCTSTR, const CString&, BOOL) override {}
};
