#include "shell/MainFrameToolBars.h"

#include "platform/ctl/CComboBox.h"
#include "platform/win/CFrameWnd.h"
#include "resources/BitmapIds.h"
#include "resources/CommandIds.h"
#include "resources/StringTable.h"
#include "shell/CLayerSelector.h"
#include "shell/CToolBarEx.h"
#include "shell/ToolBarButtons.h"

namespace {
constexpr int kLayerSelectorWidth = 80;
constexpr int kLayerSelectorDropHeight = 100;
constexpr int kLayerCount = 8;

bool StartBar(CToolBarEx& bar, CFrameWnd* frame, UINT bitmapId, std::span<const UINT> buttons) {
    return bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) && bar.LoadBitmap(bitmapId) &&
           bar.SetButtons(buttons.data(), static_cast<int>(buttons.size()));
}

void AddBarStyles(CToolBarEx& bar) {
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_BORDER_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
}
}  // namespace

int CreateMainToolBar(CToolBarEx& bar, CFrameWnd* frame, CComboBox*& layerSelector) {
    layerSelector = nullptr;
    if (!StartBar(bar, frame, IDB_MAIN_TOOLBAR, MainToolBarButtons()))
        return -1;
    CWnd* control = bar.AddControl(RUNTIME_CLASS(CLayerSelector), "",
                                   CRect(0, 0, kLayerSelectorWidth, kLayerSelectorDropHeight),
                                   kLayerSelectorSlot, ID_CHOOSE_ACTIVE_LAYER, CBS_DROPDOWNLIST | WS_VSCROLL);
    layerSelector = dynamic_cast<CComboBox*>(control);
    if (!layerSelector)
        return -1;
    for (int layer = 0; layer < kLayerCount; ++layer) {
        CString name;
        name.LoadString(IDS_LAYER_0 + layer);
        layerSelector->AddString(name);
    }
    layerSelector->SetCurSel(0);
    AddBarStyles(bar);
    return 1;
}

int CreateToolsToolBar(CToolBarEx& bar, CFrameWnd* frame) {
    if (!StartBar(bar, frame, IDB_TOOLS_TOOLBAR, ToolsToolBarButtons()))
        return -1;
    for (const ToolBarDropDown& dropDown : ToolsToolBarDropDowns()) {
        const int slot = bar.CommandToIndex(dropDown.command);
        bar.SetDropDownButton(slot, dropDown.paletteBitmap, 16);
        bar.SetDropDownCommands(slot, dropDown.commands.data(), static_cast<int>(dropDown.commands.size()));
    }
    AddBarStyles(bar);
    return 1;
}

int CreateCameraToolBar(CToolBarEx& bar, CFrameWnd* frame) {
    if (!StartBar(bar, frame, IDB_CAMERA_TOOLBAR, CameraToolBarButtons()))
        return -1;
    AddBarStyles(bar);
    return 1;
}
