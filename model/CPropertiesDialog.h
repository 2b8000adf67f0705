#pragma once

#include <functional>
#include <memory>

#include "platform/base/WinTypes.h"

class CPaint;
class CPose;

// A layout object's properties dialog as the object model runs it. The dialogs live with the
// drawing objects; they register their maker here, so that the object model runs whichever
// dialog the object's class has without knowing the dialog classes.
class CPropertiesDialog {
  public:
    static constexpr int kResultOk = 1;
    // Where the chosen properties go.
    enum ApplyMode : int { kApplyToObject = 0, kApplyToSelection = 1, kApplyToAll = 2 };

    virtual ~CPropertiesDialog() = default;
    // Runs the dialog modally; kResultOk when it was closed with OK.
    virtual int DoModal() = 0;
    // The object holding the chosen properties (a fresh copy of the dialog's working object)
    // and the apply mode, or null when the dialog hands nothing back.
    virtual std::unique_ptr<CPaint> TakeResult(int& applyMode) = 0;
};

// Makes the dialog for the object; the flag tells that more than one object is selected.
using PropertiesDialogMaker = std::function<std::unique_ptr<CPropertiesDialog>(
    CPaint* object, BOOL multipleSelection, const CPose* pose)>;

// Replaces the registered maker; an empty maker removes it.
void RegisterPropertiesDialog(PropertiesDialogMaker maker);
// Null when no maker is registered or the maker makes none for this object.
std::unique_ptr<CPropertiesDialog> MakePropertiesDialog(CPaint* object, BOOL multipleSelection,
                                                        const CPose* pose);
