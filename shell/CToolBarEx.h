#pragma once

#include <memory>
#include <vector>

#include "platform/ctl/CToolTipCtrl.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CImageList.h"
#include "platform/win/CControlBar.h"
#include "shell/CToolPaletteWnd.h"

struct CRuntimeClass;

// The program's toolbar: flat buttons with a raised frame under the mouse, drop-down buttons
// whose arrow opens a palette choosing the command the button carries, controls in button
// slots, camera commands that repeat while held, and a strip on the left edge that collapses
// the bar to a thin line. Commands go to the owner.
class CToolBarEx : public CControlBar {
    DECLARE_DYNAMIC(CToolBarEx)
  public:
    // Style bits of a slot.
    static constexpr UINT kHot = 0x001;
    static constexpr UINT kButton = 0x004;
    static constexpr UINT kSeparator = 0x008;
    static constexpr UINT kChecked = 0x040;
    static constexpr UINT kPressed = 0x080;
    static constexpr UINT kDisabled = 0x100;
    // Flag of a slot: a drop-down button, wider by its arrow.
    static constexpr UINT kDropDown = 0x02;

    static constexpr UINT_PTR kRepeatTimer = 30;
    static constexpr UINT kRepeatInterval = 100;
    static constexpr int kButtonWidth = 22;
    static constexpr int kButtonHeight = 22;
    static constexpr int kArrowWidth = 15;

    CToolBarEx();
    ~CToolBarEx() override;

    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT id = AFX_IDW_TOOLBAR);
    // The button images: a strip of 16-pixel cells, light grey transparent.
    BOOL LoadBitmap(UINT bitmapId);
    // One slot per id: 0 makes a separator, any other id a button with the next image.
    BOOL SetButtons(const UINT* ids, int count);
    int CommandToIndex(UINT id) const;
    void SetDropDownButton(int slot, UINT bitmapId, int cellWidth);
    void SetDropDownCommands(int slot, const UINT* ids, int count);
    // Puts a control of the class ("CComboBox", "CEdit", "CButton", "CStatic" or any class that
    // creates itself) into the slot, which becomes a separator as wide as the rectangle. The bar
    // owns the control; null when it cannot be created.
    CWnd* AddControl(const CRuntimeClass* controlClass, LPCTSTR text, const CRect& rect, int slot, UINT id,
                     DWORD style);

    int GetCount() const { return static_cast<int>(m_slots.size()); }
    UINT GetItemID(int slot) const;
    UINT GetButtonStyle(int slot) const;
    void SetButtonStyle(int slot, UINT style);
    void GetButtonInfo(int slot, UINT& id, UINT& style, int& image) const;
    void SetButtonInfo(int slot, UINT id, UINT style, int image);
    bool IsDropDown(int slot) const;
    // Tools and views call this after a tool change; the bar follows on its next update.
    int UpdateButton(UINT) { return 0; }
    bool IsCollapsed() const { return m_collapsed; }
    CImageList& GetImageList() { return m_images; }
    CToolPaletteWnd& GetPalette() { return m_palette; }
    const CToolTipCtrl& GetToolTips() const { return m_tips; }

    virtual void GetItemRect(int slot, RECT* rect) const;
    virtual int HitTest(CPoint point) const;

    CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) const;
    int Thickness() const override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

  protected:
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT, CPoint) override {}
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnMouseLeave() override;
    void OnCancelMode() override;
    void OnCaptureChanged(CWnd* window) override;
    void OnTimer(UINT_PTR id) override;

  private:
    struct Slot {
        UINT id;
        UINT style;
        UINT flags;
        int extraWidth;
        int imageOrWidth;
    };
    struct DropDown {
        int slot;
        std::unique_ptr<CImageList> images;
        std::vector<UINT> commands;
    };

    bool ValidSlot(int slot) const { return slot >= 0 && slot < GetCount(); }
    int SlotWidth(const Slot& slot) const;
    CRect RowRect() const;
    DropDown* DropDownOf(int slot);
    CWnd* GetCommandOwner() const;
    void SendToOwner(UINT message, WPARAM wParam);
    void UpdateSlot(int slot);
    void RepaintSlot(int slot);
    void StoreStyle(int slot, UINT style);
    void ToggleCollapsed();
    void PressSlot(int slot, CPoint point);
    // Takes the palette's chosen cell as the button's command and picture; false without one.
    bool TakePaletteChoice();
    void ReleasePress(int slot, CPoint point);
    void EndRepeat();
    void ShowFlyBy(int slot);
    void RelayToToolTips(UINT message, CPoint point);
    void RebuildToolTips();

    void DrawBorders(CDC& dc, const CRect& client) const;
    void DrawSeparator(CDC& dc, const CRect& item) const;
    void DrawButton(CDC& dc, int slot) const;
    void DrawArrow(CDC& dc, int x, int y) const;
    void Emboss(CDC& dc, const CRect& area) const;
    void DrawCollapseStrip(CDC& dc) const;

    std::vector<Slot> m_slots;
    std::vector<DropDown> m_dropDowns;
    CToolPaletteWnd m_palette;
    CToolTipCtrl m_tips;
    COLORREF m_shadow;
    COLORREF m_light;
    COLORREF m_face;
    COLORREF m_highlight;
    bool m_paletteOpen = false;
    int m_leftIndent = 10;
    int m_stripWidth = 10;
    CSize m_imageSize{16, 15};
    int m_pressed = -1;
    int m_hot = -1;
    // The slot whose prompt the owner was last given; -1 when it was given the idle text.
    int m_flyBy = -1;
    UINT m_repeatCommand = 0;
    CImageList m_images;
    CBitmap m_arrow;
    CBitmap m_expandedStrip;
    CBitmap m_collapsedStrip;
    CFont m_font;
    bool m_collapsed = false;
    std::vector<std::unique_ptr<CWnd>> m_controls;
    bool m_mouseTracked = false;
    std::vector<UINT> m_tipIds;
};
