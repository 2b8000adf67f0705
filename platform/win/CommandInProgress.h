#pragma once

#include "platform/win/WinDefs.h"

// Marks a command from a menu, an accelerator or a tool bar as being carried out for as long as
// it lives. A dialog the command opens and that has no help of its own (a common dialog) asks
// for the command's help.
class CommandInProgress {
  public:
    // Ids below the command range are a dialog's buttons, which mark nothing.
    explicit CommandInProgress(UINT id);
    ~CommandInProgress();
    CommandInProgress(const CommandInProgress&) = delete;
    CommandInProgress& operator=(const CommandInProgress&) = delete;

    // The innermost command being carried out; 0 when none is.
    static UINT Current();

  private:
    bool m_marked = false;
};
