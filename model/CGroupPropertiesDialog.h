#pragma once

#include <functional>
#include <memory>

#include "platform/base/WinTypes.h"

class CGroup;
class CPose;

// The "Group properties" dialog as a group runs it. The dialog lives with the 2D dialogs and
// registers its maker here, so that the object model runs it without knowing its class.
class CGroupPropertiesDialog {
  public:
    static constexpr int kResultOk = 1;

    virtual ~CGroupPropertiesDialog() = default;
    // Keeps a copy of the group as the dialog's working group.
    virtual void SetObject(CGroup* group, const CPose* pose, BOOL multipleSelection) = 0;
    // Takes the lowest member elevation as the group elevation the dialog shows.
    virtual void FindElevation() = 0;
    // Runs the dialog modally; kResultOk when it was closed with OK.
    virtual int DoModal() = 0;
    // A fresh copy of the working group and the apply mode (0 the clicked group, 1 the
    // selection, 2 all); null when the dialog has no working group.
    virtual std::unique_ptr<CGroup> TakeResult(int& applyMode) = 0;
    // Raises or lowers the members by the change of the group elevation made in the dialog.
    virtual void ApplyElevation() = 0;
};

using GroupPropertiesDialogMaker = std::function<std::unique_ptr<CGroupPropertiesDialog>()>;

// Replaces the registered maker; an empty maker removes it.
void RegisterGroupPropertiesDialog(GroupPropertiesDialogMaker maker);
// Null when no maker is registered.
std::unique_ptr<CGroupPropertiesDialog> MakeGroupPropertiesDialog();
