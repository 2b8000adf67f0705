#pragma once

#include <vector>

#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/cdlg/OrientationPicture.h"
#include "platform/ctl/DialogTemplate.h"

class CDialog;

// The paper size list and the orientation radios with their picture, as print setup and the
// printer's properties show them.
class PaperChoice {
  public:
    // The two group boxes and their controls, top at the given dialog unit.
    static std::vector<DialogItem> Items(int top);

    // Shows the settings in the dialog made from Items, adding the picture.
    void Attach(CDialog& dialog, int top, const DEVMODE& settings);
    void Show(const DEVMODE& settings);
    // Answers true for the commands it handles (the orientation radios move the picture).
    bool OnCommand(UINT id, UINT code);
    void Read(DEVMODE& settings) const;

  private:
    CDialog* m_dialog = nullptr;
    OrientationPicture m_picture;
};
