#include "platform/win/ScrollRequest.h"

#include "platform/win/WinDefs.h"

int ScrollRequestTarget(UINT code, UINT thumb, int position, int line, int page, int last) {
    switch (code) {
        case SB_LINEUP:
            return position - line;
        case SB_LINEDOWN:
            return position + line;
        case SB_PAGEUP:
            return position - page;
        case SB_PAGEDOWN:
            return position + page;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            return static_cast<int>(thumb);
        case SB_TOP:
            return 0;
        case SB_BOTTOM:
            return last;
        default:
            return position;
    }
}
