#include "shell/CToolBarEx.h"

#include <algorithm>

#include "platform/base/CRuntimeClass.h"
#include "platform/ctl/CButton.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/CStatic.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/Cursors.h"
#include "platform/win/WindowDCs.h"
#include "resources/BitmapIds.h"
#include "shell/ToolBarButtons.h"
#include "shell/ToolBarPictures.h"

IMPLEMENT_DYNAMIC(CToolBarEx, CControlBar)

namespace {
constexpr int kBorder = 3;
constexpr int kSeparatorWidth = 8;
constexpr int kExpandedHeight = 27;
constexpr int kCollapsedHeight = 10;
constexpr int kWholeWidth = 32676;
constexpr int kLargestControlHeight = 18;
constexpr COLORREF kTransparentGrey = RGB(192, 192, 192);

// A button's state asked of the command targets: enabling and checking set its style bits.
class ToolBarCmdUI : public CCmdUI {
  public:
    explicit ToolBarCmdUI(CToolBarEx& bar) : m_bar(bar) {}
    void Enable(BOOL on) override {
        m_bEnableChanged = TRUE;
        Change(CToolBarEx::kDisabled, !on);
    }
    void SetCheck(int check) override { Change(CToolBarEx::kChecked, check == 1); }
    void SetRadio(BOOL on) override { SetCheck(on ? 1 : 0); }
    void SetText(LPCTSTR) override {}

  private:
    void Change(UINT bit, bool set) {
        const int slot = static_cast<int>(m_nIndex);
        const UINT style = m_bar.GetButtonStyle(slot);
        m_bar.SetButtonStyle(slot, set ? (style | bit) : (style & ~bit));
    }
    CToolBarEx& m_bar;
};

std::unique_ptr<CWnd> MakeControl(const CRuntimeClass* controlClass, LPCTSTR text, DWORD style,
                                  const CRect& rect, CWnd* bar, UINT id) {
    const CString name = controlClass ? controlClass->m_lpszClassName : "";
    if (name == "CComboBox") {
        auto combo = std::make_unique<CComboBox>();
        return combo->Create(style, rect, bar, id) ? std::move(combo) : nullptr;
    }
    if (name == "CEdit") {
        auto edit = std::make_unique<CEdit>();
        return edit->Create(style, rect, bar, id) ? std::move(edit) : nullptr;
    }
    if (name == "CButton") {
        auto button = std::make_unique<CButton>();
        return button->Create(text, style, rect, bar, id) ? std::move(button) : nullptr;
    }
    if (name == "CStatic") {
        auto label = std::make_unique<CStatic>();
        return label->Create(text, style, rect, bar, id) ? std::move(label) : nullptr;
    }
    CObject* made = controlClass ? controlClass->CreateObject() : nullptr;
    std::unique_ptr<CWnd> control(dynamic_cast<CWnd*>(made));
    if (!control) {
        delete made;
        return nullptr;
    }
    return control->Create(nullptr, nullptr, style, rect, bar, id) ? std::move(control) : nullptr;
}

// The tool tip of a command: its prompt after the line break (the whole prompt without one).
CString TipText(UINT command) {
    CString prompt;
    prompt.LoadString(command);
    const int lineBreak = prompt.Find('\n');
    return lineBreak < 0 ? prompt : prompt.Mid(lineBreak + 1);
}
}  // namespace

CToolBarEx::CToolBarEx()
    : m_shadow(GetSysColor(COLOR_BTNSHADOW)),
      m_light(GetSysColor(COLOR_3DLIGHT)),
      m_face(GetSysColor(COLOR_BTNFACE)),
      m_highlight(GetSysColor(COLOR_BTNHIGHLIGHT)) {}

CToolBarEx::~CToolBarEx() {
    for (auto& control : m_controls)
        if (IsWindow(control.get()))
            control->DestroyWindow();
    if (IsWindow(&m_tips))
        m_tips.DestroyWindow();
    if (IsWindow(&m_palette))
        m_palette.DestroyWindow();
}

BOOL CToolBarEx::Create(CWnd* parent, DWORD style, UINT id) {
    m_dwBarStyle = style & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM |
                            CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    static CBrush faceBrush(GetSysColor(COLOR_BTNFACE));
    static const LPCTSTR className =
        AfxRegisterWndClass(CS_DBLCLKS, LoadStandardCursor(IDC_ARROW), &faceBrush);
    const DWORD windowStyle = (style & (WS_VISIBLE | WS_DISABLED)) | WS_CHILD;
    if (!CWnd::Create(className, nullptr, windowStyle, CRect(), parent, id))
        return FALSE;
    m_palette.Create(this);
    m_tips.Create(this);
    LoadToolBarPicture(IDB_DROP_DOWN_ARROW, m_arrow);
    LoadToolBarPicture(IDB_COLLAPSE_STRIP, m_expandedStrip);
    LoadToolBarPicture(IDB_COLLAPSED_BAR, m_collapsedStrip);
    m_font.CreatePointFont(80, "MS Sans Serif");
    SetFont(&m_font, FALSE);
    return TRUE;
}

BOOL CToolBarEx::LoadBitmap(UINT bitmapId) {
    CBitmap strip;
    if (!LoadToolBarPicture(bitmapId, strip))
        return FALSE;
    m_images.DeleteImageList();
    return m_images.Create(&strip, m_imageSize.cx, 1, kTransparentGrey);
}

BOOL CToolBarEx::SetButtons(const UINT* ids, int count) {
    if (count < 0 || (count > 0 && !ids))
        return FALSE;
    m_slots.clear();
    m_dropDowns.clear();
    int image = 0;
    for (int i = 0; i < count; ++i) {
        if (ids[i] == 0)
            m_slots.push_back({0, kSeparator, 0, 0, kSeparatorWidth});
        else
            m_slots.push_back({ids[i], kButton, 0, 0, image++});
    }
    m_pressed = m_hot = -1;
    RebuildToolTips();
    Invalidate();
    return TRUE;
}

int CToolBarEx::CommandToIndex(UINT id) const {
    for (int slot = 0; slot < GetCount(); ++slot)
        if (m_slots[slot].id == id)
            return slot;
    return -1;
}

void CToolBarEx::SetDropDownButton(int slot, UINT bitmapId, int cellWidth) {
    if (!ValidSlot(slot) || IsDropDown(slot))
        return;
    m_slots[slot].flags |= kDropDown;
    auto images = std::make_unique<CImageList>();
    CBitmap strip;
    if (LoadToolBarPicture(bitmapId, strip))
        images->Create(&strip, cellWidth, 1, kTransparentGrey);
    m_dropDowns.push_back({slot, std::move(images), {}});
    RebuildToolTips();
    Invalidate();
}

void CToolBarEx::SetDropDownCommands(int slot, const UINT* ids, int count) {
    DropDown* dropDown = DropDownOf(slot);
    if (!dropDown || count < 0 || (count > 0 && !ids))
        return;
    dropDown->commands.assign(ids, ids + count);
}

CWnd* CToolBarEx::AddControl(const CRuntimeClass* controlClass, LPCTSTR text, const CRect& rect, int slot,
                             UINT id, DWORD style) {
    if (!ValidSlot(slot))
        return nullptr;
    style |= WS_CHILD | WS_VISIBLE;
    const int centringHeight = std::min(rect.Height(), kLargestControlHeight);
    m_slots[slot] = {id, kSeparator, 0, 0, rect.Width()};
    RebuildToolTips();
    Invalidate();
    std::unique_ptr<CWnd> control = MakeControl(controlClass, text, style, rect, this, id);
    if (!control)
        return nullptr;
    CRect item;
    GetItemRect(slot, &item);
    control->SetWindowPos(nullptr, item.left, item.top + (item.Height() - centringHeight) / 2, 0, 0,
                          SWP_NOSIZE | SWP_NOZORDER);
    control->SetFont(&m_font);
    control->ShowWindow(m_collapsed ? SW_HIDE : SW_SHOW);
    m_controls.push_back(std::move(control));
    return m_controls.back().get();
}

UINT CToolBarEx::GetItemID(int slot) const {
    return ValidSlot(slot) ? m_slots[slot].id : 0;
}

UINT CToolBarEx::GetButtonStyle(int slot) const {
    return ValidSlot(slot) ? m_slots[slot].style : 0;
}

void CToolBarEx::SetButtonStyle(int slot, UINT style) {
    if (!ValidSlot(slot))
        return;
    const UINT old = m_slots[slot].style;
    m_slots[slot].style = style;
    if (!((old & kPressed) && (style & kPressed)) && old != style)
        RepaintSlot(slot);
}

void CToolBarEx::GetButtonInfo(int slot, UINT& id, UINT& style, int& image) const {
    if (!ValidSlot(slot))
        return;
    id = m_slots[slot].id;
    style = m_slots[slot].style;
    image = m_slots[slot].imageOrWidth;
}

void CToolBarEx::SetButtonInfo(int slot, UINT id, UINT style, int image) {
    if (!ValidSlot(slot))
        return;
    m_slots[slot].id = id;
    m_slots[slot].style = style;
    m_slots[slot].imageOrWidth = image;
    RebuildToolTips();
    RepaintSlot(slot);
}

bool CToolBarEx::IsDropDown(int slot) const {
    return ValidSlot(slot) && (m_slots[slot].flags & kDropDown) != 0;
}

// --- Layout -----------------------------------------------------------------------------------

int CToolBarEx::SlotWidth(const Slot& slot) const {
    if (slot.style & kSeparator)
        return slot.imageOrWidth;
    return kButtonWidth + ((slot.flags & kDropDown) ? kArrowWidth : 0) + slot.extraWidth;
}

CRect CToolBarEx::RowRect() const {
    CRect row;
    if (m_hWnd)
        GetClientRect(&row);
    row.top += kBorder - 1;
    row.bottom -= kBorder - 1;
    return CRect(row.left + m_leftIndent, row.top, row.right, row.top + kButtonHeight);
}

void CToolBarEx::GetItemRect(int slot, RECT* rect) const {
    const CRect row = RowRect();
    int x = row.left;
    for (int i = 0; i < slot && i < GetCount(); ++i) x += SlotWidth(m_slots[i]);
    const int width = ValidSlot(slot) ? SlotWidth(m_slots[slot]) : 0;
    *rect = CRect(x, row.top, x + width, row.top + kButtonHeight);
}

int CToolBarEx::HitTest(CPoint point) const {
    const CRect row = RowRect();
    if (m_slots.empty() || point.y < row.top || point.y >= row.bottom)
        return -1;
    int x = row.left;
    for (int slot = 0; slot < GetCount(); ++slot) {
        x += SlotWidth(m_slots[slot]);
        if (!(m_slots[slot].style & kSeparator) && x > point.x)
            return slot;
    }
    return -1;
}

CSize CToolBarEx::CalcFixedLayout(BOOL, BOOL) const {
    return CSize(kWholeWidth, m_collapsed ? kCollapsedHeight : kExpandedHeight);
}

int CToolBarEx::Thickness() const {
    return CalcFixedLayout(TRUE, TRUE).cy;
}

// --- Commands and their state ------------------------------------------------------------------

CWnd* CToolBarEx::GetCommandOwner() const {
    return GetOwner();
}

void CToolBarEx::SendToOwner(UINT message, WPARAM wParam) {
    if (CWnd* owner = GetCommandOwner())
        owner->SendMessage(message, wParam, 0);
}

void CToolBarEx::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
    ToolBarCmdUI state(*this);
    for (int slot = 0; slot < GetCount(); ++slot) {
        if (m_slots[slot].style & kSeparator)
            continue;
        state.m_nID = m_slots[slot].id;
        state.m_nIndex = static_cast<UINT>(slot);
        state.DoUpdate(target, disableIfNoHandler);
    }
    for (auto& control : m_controls) {
        CCmdUI controlState;
        controlState.m_nID = static_cast<UINT>(control->GetDlgCtrlID());
        controlState.m_pOther = control.get();
        controlState.DoUpdate(target, disableIfNoHandler);
    }
}

void CToolBarEx::UpdateSlot(int slot) {
    CWnd* owner = GetCommandOwner();
    if (!owner || !ValidSlot(slot) || (m_slots[slot].style & kSeparator))
        return;
    ToolBarCmdUI state(*this);
    state.m_nID = m_slots[slot].id;
    state.m_nIndex = static_cast<UINT>(slot);
    state.DoUpdate(owner, TRUE);
}

void CToolBarEx::RepaintSlot(int slot) {
    CRect item;
    GetItemRect(slot, &item);
    InvalidateRect(&item, FALSE);
}

void CToolBarEx::StoreStyle(int slot, UINT style) {
    if (!ValidSlot(slot) || m_slots[slot].style == style)
        return;
    m_slots[slot].style = style;
    RepaintSlot(slot);
}

// --- Mouse -------------------------------------------------------------------------------------

void CToolBarEx::OnLButtonDown(UINT, CPoint point) {
    RelayToToolTips(WM_LBUTTONDOWN, point);
    if (point.x < m_stripWidth) {
        ToggleCollapsed();
        return;
    }
    if (m_collapsed)
        return;
    const int slot = HitTest(point);
    if (slot < 0) {
        Default();
        return;
    }
    UpdateSlot(slot);
    if (m_slots[slot].style & kDisabled) {
        m_pressed = -1;
        return;
    }
    PressSlot(slot, point);
}

void CToolBarEx::PressSlot(int slot, CPoint point) {
    m_pressed = slot;
    m_slots[slot].style |= kPressed;
    CRect item;
    GetItemRect(slot, &item);
    if (DropDown* dropDown = DropDownOf(slot); dropDown && point.x > item.left + kButtonWidth) {
        ClientToScreen(&item);
        m_palette.SetImageList(dropDown->images.get());
        m_palette.ShowAt(item.left - 1, item.bottom, kButtonWidth, kButtonHeight);
        m_paletteOpen = true;
    }
    RepaintSlot(slot);
    UpdateWindow();
    const UINT command = m_slots[slot].id;
    if (IsRepeatingCommand(command)) {
        if (GetCapture() != this)
            SetCapture();
        m_repeatCommand = command;
        SendToOwner(WM_COMMAND, command);
        SetTimer(kRepeatTimer, kRepeatInterval);
    }
    SendToOwner(WM_SETMESSAGESTRING, command);
    m_flyBy = slot;
    if (GetCapture() != this)
        SetCapture();
}

void CToolBarEx::OnMouseMove(UINT, CPoint point) {
    RelayToToolTips(WM_MOUSEMOVE, point);
    if (!m_mouseTracked) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, this, 0};
        TrackMouseEvent(&track);
        m_mouseTracked = true;
    }
    if (m_collapsed)
        return;
    if (m_pressed >= 0) {
        if (m_paletteOpen) {
            ClientToScreen(&point);
            m_palette.TrackPoint(point.x, point.y);
            return;
        }
        const UINT style = m_slots[m_pressed].style;
        if (GetCapture() == this) {
            StoreStyle(m_pressed, HitTest(point) == m_pressed ? (style | kPressed) : (style & ~kPressed));
        } else {
            StoreStyle(m_pressed, style & ~kPressed);
            m_pressed = -1;
            SendToOwner(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
            m_flyBy = -1;
        }
        UpdateWindow();
        return;
    }
    int slot = HitTest(point);
    ShowFlyBy(slot);
    if (slot == m_hot)
        return;
    if (ValidSlot(m_hot))
        StoreStyle(m_hot, m_slots[m_hot].style & ~kHot);
    if (ValidSlot(slot) && !(m_slots[slot].style & kDisabled))
        StoreStyle(slot, m_slots[slot].style | kHot);
    else
        slot = -1;
    m_hot = slot;
}

void CToolBarEx::OnMouseLeave() {
    RelayToToolTips(WM_MOUSELEAVE, CPoint());
    if (ValidSlot(m_hot))
        StoreStyle(m_hot, m_slots[m_hot].style & ~kHot);
    m_hot = -1;
    m_mouseTracked = false;
    ShowFlyBy(-1);
}

// With fly-by status text the owner shows the prompt of the button under the mouse, and its idle
// text once the mouse is off the buttons.
void CToolBarEx::ShowFlyBy(int slot) {
    if (!(m_dwBarStyle & CBRS_FLYBY) || slot == m_flyBy)
        return;
    m_flyBy = slot;
    SendToOwner(WM_SETMESSAGESTRING, ValidSlot(slot) ? m_slots[slot].id : AFX_IDS_IDLEMESSAGE);
}

void CToolBarEx::OnLButtonUp(UINT, CPoint point) {
    RelayToToolTips(WM_LBUTTONUP, point);
    if (m_pressed < 0) {
        Default();
        return;
    }
    if (m_collapsed)
        return;
    if (GetCapture() == this) {
        ReleaseCapture();
        EndRepeat();
    }
    if (m_paletteOpen) {
        m_paletteOpen = false;
        m_palette.Hide();
        if (!TakePaletteChoice())
            return;
        CRect item;
        GetItemRect(m_pressed, &item);
        point = item.TopLeft() + CPoint(5, 5);
    }
    ReleasePress(m_pressed, point);
}

bool CToolBarEx::TakePaletteChoice() {
    DropDown* dropDown = DropDownOf(m_pressed);
    const int cell = m_palette.HotCell();
    if (!dropDown || cell < 0 || cell >= static_cast<int>(dropDown->commands.size()))
        return false;
    Slot& slot = m_slots[m_pressed];
    slot.id = dropDown->commands[cell];
    CopyImage(*dropDown->images, cell, m_images, slot.imageOrWidth);
    RebuildToolTips();
    RepaintSlot(m_pressed);
    return true;
}

void CToolBarEx::ReleasePress(int slot, CPoint point) {
    if (HitTest(point) != slot) {
        StoreStyle(slot, m_slots[slot].style & ~kPressed);
        m_pressed = -1;
        return;
    }
    UpdateSlot(slot);
    const UINT style = m_slots[slot].style & ~(kPressed | kHot);
    const UINT command = (m_slots[slot].style & kDisabled) ? 0 : m_slots[slot].id;
    SendToOwner(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    m_flyBy = -1;
    if (command && !IsRepeatingCommand(command))
        SendToOwner(WM_COMMAND, command);
    if (!IsWindow(this) || !ValidSlot(slot))
        return;
    StoreStyle(slot, style);
    if (m_hot == slot)
        m_hot = -1;
    UpdateSlot(slot);
    UpdateWindow();
    m_pressed = -1;
}

// A dialog or a window switch ends the press; a held camera button stops repeating with it.
void CToolBarEx::OnCancelMode() {
    Default();
    EndRepeat();
    if (m_pressed < 0)
        return;
    if (m_paletteOpen) {
        m_paletteOpen = false;
        m_palette.Hide();
    }
    if (GetCapture() == this)
        ReleaseCapture();
    StoreStyle(m_pressed, m_slots[m_pressed].style & ~kPressed);
    m_pressed = -1;
    UpdateWindow();
}

// Whoever takes the mouse away also takes the held button's repetition.
void CToolBarEx::OnCaptureChanged(CWnd* window) {
    EndRepeat();
    CControlBar::OnCaptureChanged(window);
}

void CToolBarEx::OnTimer(UINT_PTR id) {
    if (id != kRepeatTimer) {
        Default();
        return;
    }
    if (m_repeatCommand)
        SendToOwner(WM_COMMAND, m_repeatCommand);
}

void CToolBarEx::EndRepeat() {
    KillTimer(kRepeatTimer);
    m_repeatCommand = 0;
}

CToolBarEx::DropDown* CToolBarEx::DropDownOf(int slot) {
    for (DropDown& dropDown : m_dropDowns)
        if (dropDown.slot == slot)
            return &dropDown;
    return nullptr;
}

// --- Collapse strip ----------------------------------------------------------------------------

void CToolBarEx::ToggleCollapsed() {
    m_collapsed = !m_collapsed;
    m_stripWidth = m_collapsed ? m_stripWidth * 3 : m_stripWidth / 3;
    for (auto& control : m_controls) control->ShowWindow(m_collapsed ? SW_HIDE : SW_SHOW);
    RebuildToolTips();
    Invalidate();
    if (auto* frame = dynamic_cast<CFrameWnd*>(GetParentFrame()))
        frame->RecalcLayout();
}

// --- Tool tips ---------------------------------------------------------------------------------

void CToolBarEx::RelayToToolTips(UINT message, CPoint point) {
    if (!(m_dwBarStyle & CBRS_TOOLTIPS) || !IsWindow(&m_tips))
        return;
    MSG msg{this, message, 0, MAKELPARAM(point.x, point.y), 0, point};
    m_tips.RelayEvent(&msg);
}

void CToolBarEx::RebuildToolTips() {
    if (!IsWindow(&m_tips))
        return;
    for (UINT id : m_tipIds) m_tips.DelTool(this, id);
    m_tipIds.clear();
    if (m_collapsed)
        return;
    for (int slot = 0; slot < GetCount(); ++slot) {
        if (m_slots[slot].style & kSeparator)
            continue;
        CRect item;
        GetItemRect(slot, &item);
        m_tips.AddTool(this, TipText(m_slots[slot].id), &item, m_slots[slot].id);
        m_tipIds.push_back(m_slots[slot].id);
    }
}

// --- Painting ----------------------------------------------------------------------------------

void CToolBarEx::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    DrawBorders(dc, client);
    DrawCollapseStrip(dc);
    if (m_collapsed)
        return;
    for (int slot = 0; slot < GetCount(); ++slot) {
        CRect item;
        GetItemRect(slot, &item);
        if (m_slots[slot].style & kSeparator)
            DrawSeparator(dc, item);
        else
            DrawButton(dc, slot);
    }
}

void CToolBarEx::DrawBorders(CDC& dc, const CRect& client) const {
    if (m_dwBarStyle & CBRS_BORDER_TOP) {
        dc.FillSolidRect(client.left, client.top, client.Width(), 1, m_shadow);
        dc.FillSolidRect(client.left, client.top + 1, client.Width(), 1, m_highlight);
    }
    if (m_dwBarStyle & CBRS_BORDER_BOTTOM) {
        dc.FillSolidRect(client.left, client.bottom - 2, client.Width(), 1, m_shadow);
        dc.FillSolidRect(client.left, client.bottom - 1, client.Width(), 1, m_highlight);
    }
}

void CToolBarEx::DrawCollapseStrip(CDC& dc) const {
    const CBitmap& picture = m_collapsed ? m_collapsedStrip : m_expandedStrip;
    if (!picture.GetSafeHandle())
        return;
    const CPoint at = m_collapsed ? CPoint(4, 3) : CPoint(4, 4);
    const CSize size = picture.GetBitmapDimension();
    CDC source;
    source.CreateCompatibleDC(&dc);
    CBitmap* old = source.SelectObject(const_cast<CBitmap*>(&picture));
    dc.BitBlt(at.x, at.y, size.cx, size.cy, &source, 0, 0, SRCCOPY);
    source.SelectObject(old);
}

// Thin separators get an etched line; wide ones hold a control and get nothing.
void CToolBarEx::DrawSeparator(CDC& dc, const CRect& item) const {
    if (item.Width() >= 9)
        return;
    const int right = (item.left + item.right) / 2 + 1;
    const int left = right - 2;
    const int height = item.Height() - 4;
    dc.FillSolidRect(left, item.top + 2, 1, height, m_shadow);
    dc.FillSolidRect(left + 1, item.top + 2, 1, height, m_highlight);
}

void CToolBarEx::DrawButton(CDC& dc, int slot) const {
    const Slot& button = m_slots[slot];
    CRect item;
    GetItemRect(slot, &item);
    const bool dropDown = (button.flags & kDropDown) != 0;
    const bool disabled = (button.style & kDisabled) != 0;
    const CRect face(item.left, item.top, item.left + SlotWidth(button), item.top + kButtonHeight);
    const CRect imagePart(item.left, item.top, item.left + kButtonWidth, item.top + kButtonHeight);
    dc.FillSolidRect(&face, GetSysColor(COLOR_BTNFACE));
    const_cast<CImageList&>(m_images).Draw(&dc, button.imageOrWidth,
                                           CPoint(item.left + 3, item.top + (kButtonHeight - 15) / 2),
                                           ILD_TRANSPARENT);
    if (disabled)
        Emboss(dc, imagePart);
    if (dropDown) {
        DrawArrow(dc, item.left + kButtonWidth + 3, item.top);
        if (disabled)
            Emboss(dc, CRect(item.left + 25, item.top, item.left + 33, item.top + kButtonHeight));
    }
    if (button.style & (kPressed | kChecked)) {
        if (dropDown && m_paletteOpen && slot == m_pressed) {
            dc.Draw3dRect(&face, m_shadow, m_highlight);
            dc.Draw3dRect(&imagePart, m_highlight, m_shadow);
        } else {
            dc.Draw3dRect(&imagePart, m_shadow, m_highlight);
        }
    } else if (button.style & kHot) {
        dc.Draw3dRect(&face, m_highlight, m_shadow);
        if (dropDown) {
            dc.FillSolidRect(item.left + 21, item.top + 1, 1, kButtonHeight - 2, m_shadow);
            dc.FillSolidRect(item.left + 22, item.top + 1, 1, kButtonHeight - 2, m_highlight);
        }
    }
}

// The arrow picture holds a mask half and an arrow half side by side.
void CToolBarEx::DrawArrow(CDC& dc, int x, int y) const {
    if (!m_arrow.GetSafeHandle())
        return;
    const CSize size = m_arrow.GetBitmapDimension();
    const int half = size.cx / 2;
    CDC source;
    source.CreateCompatibleDC(&dc);
    CBitmap* old = source.SelectObject(const_cast<CBitmap*>(&m_arrow));
    dc.BitBlt(x, y, half, size.cy, &source, 0, 0, SRCAND);
    dc.BitBlt(x, y, half, size.cy, &source, half, 0, SRCPAINT);
    source.SelectObject(old);
}

// The disabled look: whatever is not the face colour becomes a shadow with a highlight below
// and to the right of it.
void CToolBarEx::Emboss(CDC& dc, const CRect& area) const {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    std::vector<bool> ink(static_cast<std::size_t>(area.Width() * area.Height()));
    for (int y = 0; y < area.Height(); ++y)
        for (int x = 0; x < area.Width(); ++x)
            ink[y * area.Width() + x] = dc.GetPixel(area.left + x, area.top + y) != face;
    dc.FillSolidRect(&area, face);
    const std::pair<COLORREF, int> layers[] = {{m_highlight, 1}, {m_shadow, 0}};
    for (const auto& [colour, offset] : layers)
        for (int y = 0; y < area.Height(); ++y)
            for (int x = 0; x < area.Width(); ++x)
                if (ink[y * area.Width() + x])
                    dc.SetPixelV(area.left + x + offset, area.top + y + offset, colour);
}
