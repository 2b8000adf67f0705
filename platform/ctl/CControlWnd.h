#pragma once

#include "platform/ctl/BasicControlDefs.h"
#include "platform/win/CWnd.h"

class CDC;
class CFont;

// What every control shares: the font it draws with (the dialog's, or "MS Sans Serif" 8),
// notifications to its parent, and
// deleting itself when a dialog template made it.
class CControlWnd : public CWnd {
    DECLARE_DYNAMIC(CControlWnd)
  public:
    // The window's font (WM_SETFONT), or the default one when nobody set one.
    CFont* GetFont() const;
    // Called before a control object takes over a window a template made (DDX_Control) and
    // after Create; the place to adjust styles.
    virtual void PreSubclassWindow() {}
    // Template-made controls belong to their window and are deleted with it.
    void SetAutoDelete(bool autoDelete) { m_autoDelete = autoDelete; }

    // A control's frame: a flat border (WS_BORDER), the sunken edge (WS_EX_CLIENTEDGE) and its
    // own scroll bars inside them.
    CRect NonClientInsets() const override;

    // The font controls use when nobody set one.
    static CFont* DefaultFont();

  protected:
    // WM_COMMAND with the notification code to the owner (the parent unless another was set),
    // unless the control's own map takes it (ON_CONTROL_REFLECT).
    void NotifyParent(UINT code);
    // WM_NOTIFY to the parent; fills the header's sender fields. Answers the parent's result.
    LRESULT SendNotify(NMHDR& header, UINT code);
    // Selects the control's font, transparent text and the text colour for its state.
    CFont* PrepareText(CDC& dc) const;
    // Puts a new picture (bitmap, icon) in the slot the control shows, repaints it and
    // answers the former one.
    template <class Picture>
    Picture ReplaceShownPicture(Picture& shown, Picture replacement) {
        Picture former = shown;
        shown = replacement;
        Invalidate();
        return former;
    }

    void OnNcPaint() override;
    void PostNcDestroy() override;

  private:
    bool m_autoDelete = false;
};
