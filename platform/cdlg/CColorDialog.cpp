#include "platform/cdlg/CColorDialog.h"

#include <algorithm>
#include <tuple>

#include "platform/ctl/ControlFactory.h"
#include "platform/gdi/CDC.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CColorDialog, CDialog)

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTab = kChild | WS_TABSTOP;
constexpr int kNarrowWidth = 150;
constexpr int kFullWidth = 320;

const std::vector<COLORREF>& BasicColors() {
    static const std::vector<COLORREF> colors{
        RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),   RGB(128, 255, 255),
        RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255), RGB(255, 0, 0),     RGB(255, 255, 0),
        RGB(128, 255, 0),   RGB(0, 255, 64),    RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192),
        RGB(255, 0, 255),   RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
        RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),   RGB(128, 0, 0),
        RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),    RGB(0, 0, 255),     RGB(0, 0, 160),
        RGB(128, 0, 128),   RGB(128, 0, 255),   RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),
        RGB(0, 64, 64),     RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
        RGB(0, 0, 0),       RGB(128, 128, 0),   RGB(128, 128, 64),  RGB(128, 128, 128), RGB(64, 128, 128),
        RGB(192, 192, 192), RGB(64, 0, 64),     RGB(255, 255, 255)};
    return colors;
}

std::vector<DialogItem> Items(DWORD flags) {
    const DWORD mix = (flags & CC_PREVENTFULLOPEN) ? WS_DISABLED : 0;
    auto field = [](UINT id, const char* label, int x, int y) {
        return std::vector<DialogItem>{
            {0, WC_STATIC, label, kChild | SS_RIGHT, CRect(x, y + 2, x + 28, y + 10)},
            {id, WC_EDIT, "", kTab | WS_BORDER | ES_NUMBER, CRect(x + 30, y, x + 52, y + 12)}};
    };
    std::vector<DialogItem> items{
        {0, WC_STATIC, "&Basic colors:", kChild | SS_LEFT, CRect(4, 4, 140, 12)},
        {0, WC_STATIC, "&Custom colors:", kChild | SS_LEFT, CRect(4, 104, 140, 112)},
        {COLOR_MIX, WC_BUTTON, "&Define Custom Colors >>", kTab | BS_PUSHBUTTON | mix,
         CRect(4, 150, 142, 164)},
        {IDOK, WC_BUTTON, "OK", kTab | BS_DEFPUSHBUTTON, CRect(4, 170, 48, 184)},
        {IDCANCEL, WC_BUTTON, "Cancel", kTab | BS_PUSHBUTTON, CRect(52, 170, 96, 184)},
        {COLOR_CURRENT, WC_STATIC, "Color|Solid", kChild | SS_CENTER, CRect(150, 128, 202, 136)},
    };
    for (auto [id, label, x, y] :
         {std::tuple{COLOR_HUE, "Hu&e:", 204, 102}, std::tuple{COLOR_SAT, "&Sat:", 204, 116},
          std::tuple{COLOR_LUM, "&Lum:", 204, 130}, std::tuple{COLOR_RED, "&Red:", 260, 102},
          std::tuple{COLOR_GREEN, "&Green:", 260, 116}, std::tuple{COLOR_BLUE, "Bl&ue:", 260, 130}}) {
        auto pair = field(id, label, x, y);
        items.insert(items.end(), pair.begin(), pair.end());
    }
    items.push_back(
        {COLOR_ADD, WC_BUTTON, "&Add to Custom Colors", kTab | BS_PUSHBUTTON, CRect(152, 150, 312, 164)});
    // The pickers' places, which they take over when the dialog opens.
    items.push_back({COLOR_RAINBOW, WC_STATIC, "", kChild, CRect(152, 4, 284, 96)});
    items.push_back({COLOR_LUMSCROLL, WC_STATIC, "", kChild, CRect(290, 4, 312, 96)});
    return items;
}

// The editor's controls are the ones right of the basic colours.
bool IsEditorControl(CWnd* control, int split) {
    CRect rect;
    control->GetWindowRect(&rect);
    control->GetParent()->ScreenToClient(&rect);
    return rect.left >= split;
}
}  // namespace

COLORREF* CColorDialog::GetSavedCustomColors() {
    static COLORREF colors[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return colors;
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent)
    : CDialog(),
      m_basic(8, BasicColors()),
      m_custom(8, std::vector<COLORREF>(GetSavedCustomColors(), GetSavedCustomColors() + 16)) {
    m_pParentWnd = parent;
    m_cc.rgbResult = initial;
    m_cc.Flags = flags | (initial ? CC_RGBINIT : 0);
    m_cc.lpCustColors = GetSavedCustomColors();
}

CColorDialog::~CColorDialog() = default;

DialogTemplate CColorDialog::Template(DWORD flags) {
    return DialogTemplate(0, "Color", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                          CRect(0, 0, kFullWidth, 190), Items(flags));
}

INT_PTR CColorDialog::DoModal() {
    m_built = std::make_unique<DialogTemplate>(Template(m_cc.Flags));
    InitModalIndirect(*m_built, m_pParentWnd);
    return CDialog::DoModal();
}

BOOL CColorDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CRect basic(4, 14, 142, 100), custom(4, 114, 142, 144);
    MapDialogRect(&basic);
    MapDialogRect(&custom);
    m_basic.Create(basic, this, COLOR_BOX1);
    m_custom.Create(custom, this, COLOR_CUSTOM1);
    CreatePickers();
    for (int i = 0; i < 16; ++i)
        m_custom.SetColor(i, m_cc.lpCustColors ? m_cc.lpCustColors[i] : RGB(255, 255, 255));
    m_current = (m_cc.Flags & CC_RGBINIT) ? m_cc.rgbResult : RGB(0, 0, 0);
    m_hls = RgbToHls(m_current);
    m_basic.SetSelected(m_basic.Find(m_current));
    if (m_basic.GetSelected() < 0)
        m_custom.SetSelected(m_custom.Find(m_current));
    ShowColorInFields();
    if (m_cc.Flags & CC_FULLOPEN) {
        OpenEditor();
    } else {
        CRect split(kNarrowWidth, 0, 0, 0);
        MapDialogRect(&split);
        for (CWnd* child : Children())
            if (IsEditorControl(child, split.left))
                child->ShowWindow(SW_HIDE);
        CRect window;
        GetWindowRect(&window);
        CRect full(kFullWidth, 0, 0, 0);
        MapDialogRect(&full);
        MoveWindow(window.left, window.top, window.Width() - (full.left - split.left), window.Height());
    }
    CenterWindow(m_pParentWnd);
    GotoDlgCtrl(&m_basic);
    return FALSE;
}

void CColorDialog::CreatePickers() {
    ControlFactory::Subclass(m_field, COLOR_RAINBOW, this);
    ControlFactory::Subclass(m_luminance, COLOR_LUMSCROLL, this);
}

void CColorDialog::OpenEditor() {
    if (m_fullOpen)
        return;
    m_fullOpen = true;
    CRect full(kFullWidth, 0, 0, 0);
    MapDialogRect(&full);
    const CRect insets = NonClientInsets();
    CRect window;
    GetWindowRect(&window);
    MoveWindow(window.left, window.top, full.left + insets.left + insets.right, window.Height());
    for (CWnd* child : Children()) child->ShowWindow(SW_SHOW);
    if (CWnd* mix = GetDlgItem(COLOR_MIX))
        mix->EnableWindow(FALSE);
}

void CColorDialog::SetCurrentColor(COLORREF color) {
    m_current = color;
    m_hls = RgbToHls(color);
    if (IsWindow(this))
        ShowColorInFields();
}

void CColorDialog::SetCurrentHls(const HlsColor& hls) {
    m_hls = hls;
    m_current = HlsToRgb(hls);
}

// The field being typed in (except) keeps its text and caret as they are.
void CColorDialog::ShowColorInFields(UINT except) {
    m_filling = true;
    for (auto [id, value] :
         {std::pair{COLOR_HUE, m_hls.hue}, std::pair{COLOR_SAT, m_hls.saturation},
          std::pair{COLOR_LUM, m_hls.luminosity}, std::pair{COLOR_RED, int{GetRValue(m_current)}},
          std::pair{COLOR_GREEN, int{GetGValue(m_current)}},
          std::pair{COLOR_BLUE, int{GetBValue(m_current)}}})
        if (id != except)
            SetDlgItemInt(id, static_cast<UINT>(value));
    m_filling = false;
    m_field.SetHls(m_hls);
    m_luminance.SetHls(m_hls);
    const CRect swatch = CurrentSwatchRect();
    InvalidateRect(&swatch);
}

void CColorDialog::ReadRgbFields() {
    auto channel = [this](UINT id) {
        return static_cast<int>(std::min(255U, GetDlgItemInt(id, nullptr, FALSE)));
    };
    m_current = RGB(channel(COLOR_RED), channel(COLOR_GREEN), channel(COLOR_BLUE));
    m_hls = RgbToHls(m_current);
}

void CColorDialog::ReadHlsFields() {
    auto value = [this](UINT id, int most) {
        return static_cast<int>(std::min(static_cast<UINT>(most), GetDlgItemInt(id, nullptr, FALSE)));
    };
    SetCurrentHls({value(COLOR_HUE, kMaxHue), value(COLOR_SAT, kMaxHls), value(COLOR_LUM, kMaxHls)});
}

void CColorDialog::ForgetChosenSwatch() {
    m_basic.SetSelected(-1);
    m_custom.SetSelected(-1);
}

BOOL CColorDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (code == EN_CHANGE && !m_filling && id >= COLOR_HUE && id <= COLOR_BLUE) {
        if (id >= COLOR_RED)
            ReadRgbFields();
        else
            ReadHlsFields();
        ShowColorInFields(id);
        ForgetChosenSwatch();
        return TRUE;
    }
    if (code == BN_CLICKED && (id == COLOR_RAINBOW || id == COLOR_LUMSCROLL)) {
        SetCurrentHls((id == COLOR_RAINBOW ? static_cast<HlsPicker&>(m_field) : m_luminance).GetHls());
        ShowColorInFields();
        ForgetChosenSwatch();
        return TRUE;
    }
    if (code == BN_CLICKED && (id == COLOR_BOX1 || id == COLOR_CUSTOM1)) {
        ColorSwatchGrid& grid = id == COLOR_BOX1 ? m_basic : m_custom;
        (id == COLOR_BOX1 ? m_custom : m_basic).SetSelected(-1);
        if (id == COLOR_CUSTOM1)
            m_nextCustom = grid.GetSelected();
        SetCurrentColor(grid.GetColor(grid.GetSelected()));
        return TRUE;
    }
    if (code == BN_CLICKED && id == COLOR_MIX) {
        OpenEditor();
        return TRUE;
    }
    if (code == BN_CLICKED && id == COLOR_ADD) {
        m_custom.SetColor(m_nextCustom, m_current);
        if (m_cc.lpCustColors)
            m_cc.lpCustColors[m_nextCustom] = m_current;
        m_nextCustom = (m_nextCustom + 1) % 16;
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CColorDialog::OnOK() {
    m_cc.rgbResult = m_current;
    EndDialog(IDOK);
}

CRect CColorDialog::CurrentSwatchRect() const {
    CRect swatch(152, 102, 200, 126);
    MapDialogRect(&swatch);
    return swatch;
}

void CColorDialog::OnPaint() {
    CPaintDC dc(this);
    if (!m_fullOpen)
        return;
    CRect swatch = CurrentSwatchRect();
    dc.DrawEdge(&swatch, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    dc.FillSolidRect(&swatch, m_current);
}
