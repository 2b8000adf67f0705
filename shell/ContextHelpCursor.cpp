#include "shell/ContextHelpCursor.h"

#include <initializer_list>

#include "platform/win/Cursors.h"

namespace {

// Clear of the program's own cursor resources.
constexpr UINT kContextHelpCursor = 32651;

// 'B' black, 'W' white, anything else leaves the screen; the tip of the arrow is the hot spot.
constexpr std::initializer_list<const char*> kRows = {
    "W",
    "WW",
    "WBW",
    "WBBW",
    "WBBBW",
    "WBBBBW          WWWWWW",
    "WBBBBBW        WBBBBBBW",
    "WBBBBBBW      WBBWWWWBBW",
    "WBBBBBBBW     WBBW  WBBW",
    "WBBBBBBBBW     WW   WBBW",
    "WBBBBBWWWWW        WBBW",
    "WBBWBBW           WBBW",
    "WBW WBBW         WBBW",
    "WW  WBBW         WBBW",
    "W    WBBW        WWWW",
    "     WBBW        WBBW",
    "      WW         WBBW",
    "                 WWWW",
};

CursorPicture DrawContextHelpCursor() {
    CursorPicture picture;
    int y = 0;
    for (const char* row : kRows) {
        for (int x = 0; row[x] != '\0'; ++x) {
            if (row[x] == 'B')
                picture.Set(x, y, CursorPicture::Pixel::Black);
            else if (row[x] == 'W')
                picture.Set(x, y, CursorPicture::Pixel::White);
        }
        ++y;
    }
    picture.SetHotSpot(CPoint(0, 0));
    return picture;
}

}  // namespace

HCURSOR LoadContextHelpCursor() {
    static const bool registered = [] {
        RegisterResourceCursor(kContextHelpCursor, DrawContextHelpCursor());
        return true;
    }();
    return registered ? LoadResourceCursor(kContextHelpCursor) : nullptr;
}
