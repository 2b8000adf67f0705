#pragma once

#include <vector>

#include "platform/win/CWnd.h"

class CDocTemplate;

// Asks which kind of document File New makes when the program has several: a list of the
// templates' new-file names with OK and Cancel, drawn like the message box. The first is
// chosen at the start; a double click or Enter takes the one chosen.
class CNewTypeDlg : public CWnd {
  public:
    explicit CNewTypeDlg(std::vector<CDocTemplate*> templates);

    // IDOK or IDCANCEL.
    int DoModal(CWnd* owner);
    CDocTemplate* Selected() const;
    int GetCurSel() const { return m_selection; }
    void SetCurSel(int index);
    int GetCount() const { return static_cast<int>(m_names.size()); }
    const CString& Name(int index) const { return m_names[static_cast<std::size_t>(index)]; }
    // Rectangles in client coordinates, for the mouse.
    CRect ItemRect(int index) const;
    CRect ButtonRect(int button) const;

  protected:
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnClose() override;

  private:
    int ItemAt(CPoint point) const;
    CSize ClientSize() const;

    std::vector<CDocTemplate*> m_templates;
    std::vector<CString> m_names;
    int m_selection = 0;
};
