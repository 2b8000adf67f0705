#pragma once

#include "platform/ctl/CDialog.h"
#include "platform/gdi/GdiTypes.h"

// "Text properties": the text of a text box, and with "Font..." its font and colour. The font
// dialog works on the dialog's own copy of the font, so Cancel leaves the caller's alone.
class CTextPropertyDialog : public CDialog {
    DECLARE_DYNAMIC(CTextPropertyDialog)
    DECLARE_MESSAGE_MAP()
  public:
    explicit CTextPropertyDialog(CWnd* parent = nullptr);

    void SetText(const CString& text) { m_strText = text; }
    const CString& GetText() const { return m_strText; }
    void SetFont(const LOGFONT& font) { m_font = font; }
    const LOGFONT& GetFont() const { return m_font; }
    void SetColor(COLORREF color) { m_crColor = color; }
    COLORREF GetColor() const { return m_crColor; }

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnFont();

  private:
    CString m_strText;
    LOGFONT m_font{};
    COLORREF m_crColor = 0;
};
