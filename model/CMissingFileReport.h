#pragma once

#include <string>

#include "platform/base/CString.h"

// One operation that may read many data files (opening a layout, applying a dialog, one undo):
// while one lives, each message about a file that cannot be read (a pattern, a picture, a
// texture) is shown once, not once per object that names the file, and at most kShownLimit
// messages are shown; when the operation ends, one last message counts the files left unsaid.
// Operations nest; the outermost one ends the batch. Outside an operation every message shows.
class CMissingFileReport {
  public:
    static constexpr int kShownLimit = 10;

    CMissingFileReport();
    ~CMissingFileReport();
    CMissingFileReport(const CMissingFileReport&) = delete;
    CMissingFileReport& operator=(const CMissingFileReport&) = delete;

    // The message about the file, named as the message names it, with the exclamation icon.
    static void Show(const CString& text, const CString& fileName);
    // The running outermost operation, numbered from 1 as they start; 0 outside one. What an
    // operation learns about data files may be kept for as long as the number stays.
    static unsigned Current();
    // What lookUp finds on the disk for a stored name (the real file or folder it stands for).
    // While an operation runs each name is looked up once by each lookUp: building the models
    // of a layout reads the same few files and folders for every piece.
    using DiskLookUp = std::string (*)(const CString& stored);
    static std::string LookUp(const CString& stored, DiskLookUp lookUp);
};
