#pragma once

#include <string>

#include "platform/base/CString.h"

// One operation that may read many data files (opening a layout, building the 3D models,
// applying a dialog, one undo). While one lives, what it learns about files is kept for it:
// each stored name is looked up on the disk once, each folder is listed once (CFolderListings),
// the 3D library keeps its own look-ups, and other work keeps its state through KeptByOperation.
// Operations nest; the outermost one ends the keeping.
class CDataFileOperation {
  public:
    CDataFileOperation();
    ~CDataFileOperation();
    CDataFileOperation(const CDataFileOperation&) = delete;
    CDataFileOperation& operator=(const CDataFileOperation&) = delete;

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
Kept& CDataFileOperation::KeptByOperation() {
    static unsigned keptFor = 0;
    static Kept kept;
    const unsigned operation = Current();
    if (operation == 0 || operation != keptFor) {
        keptFor = operation;
        kept = Kept();
    }
    return kept;
}
