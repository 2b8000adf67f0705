#pragma once

#include "platform/win/CursorPicture.h"
#include "platform/win/WinDefs.h"

// A mouse cursor: a standard shape (arrow, cross, wait ...) or one of the program's resources.
struct CursorShape {
    int standard;                  // one of the IDC_ numbers, 0 for a resource cursor
    UINT resource;                 // the resource id of a program cursor
    const CursorPicture* picture;  // the drawing of a program cursor, none for a standard one
};

constexpr int IDC_ARROW = 32512;
constexpr int IDC_IBEAM = 32513;
constexpr int IDC_WAIT = 32514;
constexpr int IDC_CROSS = 32515;
constexpr int IDC_SIZEALL = 32646;
constexpr int IDC_SIZENWSE = 32642;
constexpr int IDC_SIZENESW = 32643;
constexpr int IDC_SIZEWE = 32644;
constexpr int IDC_SIZENS = 32645;
constexpr int IDC_NO = 32648;
constexpr int IDC_HAND = 32649;

// The program hands its cursor drawings over before it loads them; a later drawing of the same
// id replaces the earlier one.
void RegisterResourceCursor(UINT resource, const CursorPicture& picture);

// The shared record of a standard cursor or of a resource cursor; the same id gives the same
// handle. A resource id without a drawing gives none.
HCURSOR LoadStandardCursor(int idc);
HCURSOR LoadResourceCursor(UINT resource);
