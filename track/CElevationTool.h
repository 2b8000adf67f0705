#pragma once

#include "model/CPose.h"
#include "model/PaintRecords.h"

class CGroup;
class CTool;

// "Set Selected Track Elevations": a drag from one track end to another opens the
// "Elevations" dialog for the selected track and cameras, on the plane through the two ends;
// at least one of them must lie on a selected piece.
class CElevationTool {
  public:
    explicit CElevationTool(CTool& tool) : m_tool(tool) {}

    void OnMouse(int phase, CGroup* group, const CPose* frame);

  private:
    void Press(CGroup* group, const CPose* frame);
    void Move();
    void Release(CGroup* group, const CPose* frame);
    // Looks for an end at the cursor in the group's members, then again among the selection;
    // answers whether the members had one. The pick's gauge tells whether the selection had.
    bool PickEnd(int slot, CGroup* group, const CPose* frame);
    void InvalidateLine();
    void OpenDialog();

    CTool& m_tool;
    CPaintList m_selection;
    bool m_bPressFound = false;
};
