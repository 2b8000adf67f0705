#include "platform/ctl/Clipboard.h"

namespace {
struct Backend {
    CString text;
    std::function<void(const CString&)> set;
    std::function<CString()> get;
};

Backend& Current() {
    static Backend backend;
    return backend;
}
}  // namespace

namespace Clipboard {

void SetText(const CString& text) {
    if (Current().set)
        Current().set(text);
    else
        Current().text = text;
}

CString GetText() {
    return Current().get ? Current().get() : Current().text;
}

bool HasText() {
    return !GetText().IsEmpty();
}

void Install(std::function<void(const CString&)> set, std::function<CString()> get) {
    Current().set = std::move(set);
    Current().get = std::move(get);
}

}  // namespace Clipboard
