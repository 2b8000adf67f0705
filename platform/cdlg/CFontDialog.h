#pragma once

#include <memory>

#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/cdlg/FontSample.h"
#include "platform/ctl/CDialog.h"
#include "platform/gdi/CFont.h"

class CDC;
class CListBox;
struct ListWithEdit;

// The font dialog: a face from the faces the program can draw, a style and a size in points,
// each typed or chosen from an always-open list, and (with CF_EFFECTS) strikeout, underline and
// a colour, shown in a sample. LOGFONT in and out,
// heights in screen pixels.
class CFontDialog : public CDialog {
    DECLARE_DYNAMIC(CFontDialog)
  public:
    explicit CFontDialog(const LOGFONT* initial = nullptr, DWORD flags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* printerDC = nullptr, CWnd* parent = nullptr);
    ~CFontDialog() override;

    // The dialog it shows for these flags.
    static DialogTemplate Template(DWORD flags);

    INT_PTR DoModal() override;
    void GetCurrentFont(LOGFONT* font) const { *font = m_lf; }
    CString GetFaceName() const { return m_lf.lfFaceName; }
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return m_lf.lfWeight; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic; }
    BOOL IsUnderline() const { return m_lf.lfUnderline; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut; }

    CHOOSEFONT m_cf;
    LOGFONT m_lf;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;

  private:
    CListBox* List(const ListWithEdit& choice) const;
    void ChooseInList(const ListWithEdit& choice, int index);
    void ShowListChoiceInEdit(const ListWithEdit& choice);
    void ChooseWhatEditSays(const ListWithEdit& choice);
    void StepThroughList(const ListWithEdit& choice, int step);
    int NamedEntry(const ListWithEdit& choice, const char* complaint, bool complain);
    // Reads the controls into m_lf and m_cf; answers false (with a message when complaining) on a
    // face or style not in its list or a bad size.
    bool ReadControls(bool complain);

    std::unique_ptr<DialogTemplate> m_built;
    FontSample m_sample;
    bool m_fillingEdit = false;
};
