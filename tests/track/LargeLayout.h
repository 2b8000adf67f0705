#pragma once

#include <filesystem>

#include "model/CCVNDoc.h"
#include "platform/base/CString.h"
#include "tests/support/FileBytes.h"

// A club-sized layout made in code: rows of track laid end to end, each row a straight, then
// curves to the left, right, right and left over and over, the rows stacked down the page
// (the plan's page lies below its origin).
// The pieces of a row meet head to tail, which leaves their ends unmarked: the program marks
// an end connected only where it leaves a point the same way as another piece's end, as the
// branch of a turnout does.
struct LargeLayout {
    static constexpr int kRows = 50;
    static constexpr int kPiecesPerRow = 100;
    static constexpr double kRowSpacing = 1600.0;

    // Puts rows x piecesPerRow pieces into the document's root group and sizes its page to
    // hold them.
    static void Build(CCVNDoc& doc, int rows = kRows, int piecesPerRow = kPiecesPerRow);
    // Marks both ends wherever neighbouring pieces of a row meet, so that the plan draws and
    // the file stores the marks of connected ends. The program itself never marks ends that
    // meet head to tail: the marks are there for their look and their bytes only.
    static void MarkMeetingEnds(CCVNDoc& doc);
    // Saves the document under the path and answers the bytes of the file.
    static FileBytes SavedBytes(CCVNDoc& doc, const std::filesystem::path& path);
};

// A layout document whose messages are kept instead of shown.
class QuietDoc : public CCVNDoc {
  public:
    void ReportError(const CString&) override {}
    void ReportSaveLoadException(LPCTSTR, const CString&, BOOL) override {}
};
