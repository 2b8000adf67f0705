#pragma once

#include <string>

#include "platform/base/CString.h"

// One operation that may read many data files (opening a layout, applying a dialog, one undo):
// while one lives, each message about a file that cannot be read (a pattern, a picture, a
// texture) is shown once, not once per object that names the file, and at most kShownLimit
// messages are shown; when the operation ends, one last message counts the files left unsaid.
// Operations nest; the outermost one ends the batch. Outside an operation every message shows.
// The 3D library's own file look-ups are kept for the operation in the same way.
class CMissingFileReport {
  public:
    static constexpr int kShownLimit = 10;

    CMissingFileReport();
    ~CMissingFileReport();
    CMissingFileReport(const CMissingFileReport&) = delete;
    CMissingFileReport& operator=(const CMissingFileReport&) = delete;

    // The message about the file, named as the message names it, with the exclamation icon.
    static void Show(const CString& text, const CString& fileName);
    // The message that begins with what went wrong and ends with the file's name as shown.
    static void ShowFile(const CString& whatWentWrong, const CString& shownName);
    // What lookUp finds on the disk for a stored name (the real file or folder it stands for).
    // While an operation runs each name is looked up once by each lookUp: building the models
    // of a layout reads the same few files and folders for every piece.
    using DiskLookUp = std::string (*)(const CString& stored);
    static std::string LookUp(const CString& stored, DiskLookUp lookUp);
    // What the running operation keeps of its own about data files (what it found, the work it
    // has left): made afresh when an operation starts, and for every use outside one.
    template <typename Kept>
    static Kept& KeptByOperation();

  private:
    // The running outermost operation, numbered from 1 as they start; 0 outside one.
    static unsigned Current();
};

template <typename Kept>
Kept& CMissingFileReport::KeptByOperation() {
    static unsigned keptFor = 0;
    static Kept kept;
    const unsigned operation = Current();
    if (operation == 0 || operation != keptFor) {
        keptFor = operation;
        kept = Kept();
    }
    return kept;
}
