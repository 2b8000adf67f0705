#pragma once

// Marks a close (of the program, a frame or a document) as under way for as long as it lives.
// A close asks about unsaved changes in a modal loop, where the desktop may deliver another
// close request; that one is ignored, for it would delete what the first is still using.
class CloseInProgress {
  public:
    CloseInProgress();
    ~CloseInProgress();
    CloseInProgress(const CloseInProgress&) = delete;
    CloseInProgress& operator=(const CloseInProgress&) = delete;

    // Whether any close is under way now.
    static bool Any();
};
