#include "platform/win/CPrintInfo.h"

namespace {
PrintPrompt& InstalledPrompt() {
    static PrintPrompt prompt;
    return prompt;
}
}  // namespace

void AfxSetPrintPrompt(PrintPrompt prompt) { InstalledPrompt() = std::move(prompt); }
const PrintPrompt& AfxGetPrintPrompt() { return InstalledPrompt(); }
