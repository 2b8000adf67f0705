#pragma once

#include <vector>

#include "platform/ctl/CButton.h"
#include "platform/ctl/CDialog.h"
#include "platform/gdi/CBitmap.h"

// A dialog with every basic control, its members exchanged with them, and a log of the
// notifications it receives.
namespace gallery {
enum : UINT {
    IDD_GALLERY = 900,
    IDC_NAME = 1001,
    IDC_RADIUS,
    IDC_RADIUS_SPIN,
    IDC_GRADE,
    IDC_BALLAST,
    IDC_SLEEPERS,
    IDC_GAUGE_H0,
    IDC_GAUGE_N,
    IDC_GAUGE_Z,
    IDC_NOTES,
    IDC_SPEED,
    IDC_ZOOM,
    IDC_TABS,
    IDC_PICTURE,
    IDC_READONLY,
    IDC_COLOUR,
    IDC_APPLY,
    IDC_REPEAT,
    IDC_KIND,
};

const DialogTemplate& Template();

// An owner-drawn button painted in one colour; notes when it took over the template's window.
class ColourButton : public CButton {
  public:
    COLORREF colour = RGB(0, 128, 0);
    bool subclassed = false;
    void PreSubclassWindow() override { subclassed = true; }
    void DrawItem(DRAWITEMSTRUCT* item) override;
};

class GalleryDialog : public CDialog {
    DECLARE_MESSAGE_MAP()
  public:
    GalleryDialog() : CDialog(Template()) {}

    CString m_name = "Branch";
    int m_radius = 250;
    double m_grade = 2.5;
    int m_ballast = 1;
    int m_sleepers = 0;
    int m_gauge = 0;
    CString m_notes = "First line\r\nSecond line";
    int m_speed = 40;
    CString m_kind = "Curve";
    ColourButton m_colourButton;
    CBitmap m_picture;

    std::vector<CString> log;
    int focusAtOK = 0;
    bool okAccepted = false;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnHScroll(UINT code, UINT position, CScrollBar* bar) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* bar) override;

  private:
    void OnNameChange() { log.push_back("change name"); }
    void OnNameKillFocus() { log.push_back("killfocus name"); }
    void OnNameSetFocus() { log.push_back("setfocus name"); }
    void OnApply() { log.push_back("clicked apply"); }
    void OnBallast() { log.push_back("clicked ballast"); }
    void OnRepeat() { log.push_back("clicked repeat"); }
    void OnTabChange(NMHDR*, LRESULT*);
};
}  // namespace gallery
