#include "platform/win/MenuText.h"

#include <cctype>
#include <cstdio>

#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/SystemColors.h"

namespace {
CFont* InterfaceFont(bool bold) {
    static CFont normal;
    static CFont heavy;
    CFont& font = bold ? heavy : normal;
    if (!font.GetSafeHandle()) {
        LOGFONT logFont{};
        logFont.lfHeight = -11;
        logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        std::snprintf(logFont.lfFaceName, LF_FACESIZE, "%s", "MS Sans Serif");
        font.CreateFontIndirect(&logFont);
    }
    return &font;
}

CString Label(const CString& text) {
    const int tab = text.Find('\t');
    return tab >= 0 ? text.Left(tab) : text;
}
}  // namespace

namespace MenuText {

int Width(const CString& text) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(InterfaceFont(false));
    return dc.GetTextExtent(Plain(text)).cx;
}

int Height() { return 13; }

void Draw(CDC& dc, const CString& text, const CRect& rect, bool grayed, UINT align, bool highlighted) {
    CFont* old = dc.SelectObject(InterfaceFont(false));
    dc.SetBkMode(TRANSPARENT);
    const int tab = text.Find('\t');
    CRect area = rect;
    auto drawPart = [&](const CString& part, UINT format) {
        if (grayed) {
            CRect shifted = area;
            shifted.OffsetRect(1, 1);
            dc.SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
            dc.DrawText(part, &shifted, format);
            dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
        } else {
            dc.SetTextColor(GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        }
        dc.DrawText(part, &area, format);
    };
    drawPart(Label(text), align | DT_SINGLELINE | DT_VCENTER);
    if (tab >= 0) drawPart(text.Mid(tab + 1), DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    dc.SelectObject(old);
}

void DrawBarItem(CDC& dc, const CString& text, const CRect& rect, bool grayed, BarItemLook look) {
    if (look == BarItemLook::kPlain) {
        Draw(dc, text, rect, grayed, DT_CENTER);
        return;
    }
    const bool open = look == BarItemLook::kOpen;
    CRect edge(rect.left, rect.top + 1, rect.right, rect.bottom - 1);
    dc.Draw3dRect(&edge, GetSysColor(open ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT),
                  GetSysColor(open ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW));
    CRect shown = rect;
    if (open)
        shown.OffsetRect(1, 1);
    Draw(dc, text, shown, grayed, DT_CENTER);
}

void DrawCaption(CDC& dc, const CString& text, const CRect& rect, COLORREF color) {
    CFont* old = dc.SelectObject(InterfaceFont(true));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(color);
    CRect area = rect;
    dc.DrawText(text, &area, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    dc.SelectObject(old);
}

// "&&" stands for an ampersand shown as it is, never for a key.
char AccessKey(const CString& text) {
    for (int at = 0; at + 1 < text.GetLength(); ++at) {
        if (text[at] != '&') continue;
        if (text[at + 1] == '&') {
            ++at;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(text[at + 1])));
    }
    return 0;
}

CString Plain(const CString& text) {
    return WithoutPrefixMarks(Label(text));
}

CString WithoutPrefixMarks(const CString& text) {
    CString shown;
    for (int at = 0; at < text.GetLength(); ++at) {
        if (text[at] == '&' && ++at == text.GetLength()) break;
        shown += text[at];
    }
    return shown;
}

}  // namespace MenuText
