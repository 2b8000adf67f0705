#pragma once

#include <span>

#include "platform/base/CString.h"
#include "platform/win/WinDefs.h"

// Which help topic answers a command or a dialog: the keys of the topic files by command id and
// by dialog template id.
struct HelpContext {
    UINT id;
    const char* topic;
};

std::span<const HelpContext> CommandHelpContexts();
std::span<const HelpContext> DialogHelpContexts();

// The topic of a help context (HID_BASE_COMMAND or HID_BASE_RESOURCE plus an id); empty when
// none answers it.
CString HelpTopicOfContext(DWORD_PTR context);
