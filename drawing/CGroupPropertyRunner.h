#pragma once

#include "drawing/CGroupPropertyDialog.h"
#include "model/CGroupPropertiesDialog.h"

// Runs the "Group properties" dialog for the object model, which knows it only through its
// interface: the dialog window's own modal run answers a different type.
class CGroupPropertyRunner : public CGroupPropertiesDialog {
  public:
    // Makes the object model run this dialog for Properties on a group.
    static void Register();

    void SetObject(CGroup* group, const CPose* pose, BOOL multipleSelection) override;
    void FindElevation() override { m_dialog.FindElevation(); }
    int DoModal() override;
    std::unique_ptr<CGroup> TakeResult(int& applyMode) override { return m_dialog.TakeResult(applyMode); }
    void ApplyElevation() override { m_dialog.ApplyElevation(m_group); }

    CGroupPropertyDialog& Dialog() { return m_dialog; }

  private:
    CGroupPropertyDialog m_dialog;
    CGroup* m_group = nullptr;
};
