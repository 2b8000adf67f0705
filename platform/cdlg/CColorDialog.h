#pragma once

#include <array>
#include <memory>

#include "platform/cdlg/ColorSpace.h"
#include "platform/cdlg/ColorSwatchGrid.h"
#include "platform/cdlg/CommonDialogDefs.h"
#include "platform/cdlg/HueSaturationField.h"
#include "platform/cdlg/LuminanceBar.h"
#include "platform/ctl/CDialog.h"

constexpr UINT COLOR_LUMSCROLL = 702;
constexpr UINT COLOR_HUE = 703;
constexpr UINT COLOR_SAT = 704;
constexpr UINT COLOR_LUM = 705;
constexpr UINT COLOR_RED = 706;
constexpr UINT COLOR_GREEN = 707;
constexpr UINT COLOR_BLUE = 708;
constexpr UINT COLOR_CURRENT = 709;
constexpr UINT COLOR_RAINBOW = 710;
constexpr UINT COLOR_ADD = 712;
constexpr UINT COLOR_MIX = 719;
constexpr UINT COLOR_BOX1 = 720;
constexpr UINT COLOR_CUSTOM1 = 721;

// The colour dialog: 48 basic colours, 16 custom colours kept for the session, and (opened by
// "Define Custom Colors >>" or CC_FULLOPEN) an editor of the colour by hue, saturation and
// luminosity (typed, or picked from the hue and saturation field and the luminosity bar) or by
// red, green and blue, whose colour "Add to Custom Colors" keeps.
class CColorDialog : public CDialog {
    DECLARE_DYNAMIC(CColorDialog)
  public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    ~CColorDialog() override;

    // The dialog it shows for these flags, at its full width.
    static DialogTemplate Template(DWORD flags);

    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF color);
    BOOL IsFullOpen() const { return m_fullOpen ? TRUE : FALSE; }
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLOR m_cc;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

  private:
    void OpenEditor();
    void CreatePickers();
    void SetCurrentHls(const HlsColor& hls);
    void ShowColorInFields(UINT except = 0);
    void ReadRgbFields();
    void ReadHlsFields();
    void ForgetChosenSwatch();
    CRect CurrentSwatchRect() const;

    std::unique_ptr<DialogTemplate> m_built;
    ColorSwatchGrid m_basic;
    ColorSwatchGrid m_custom;
    HueSaturationField m_field;
    LuminanceBar m_luminance;
    COLORREF m_current = 0;
    // Kept beside the colour, so that black, white and greys keep the hue and saturation picked.
    HlsColor m_hls;
    bool m_fullOpen = false;
    bool m_filling = false;
    int m_nextCustom = 0;
};
