#include "shell/CLayerPropertiesDialog.h"

#include "model/CCVNDoc.h"
#include "platform/ctl/DataExchange.h"
#include "platform/ctl/ListControlDefs.h"
#include "resources/LayerPropertiesTemplate.h"
#include "resources/StringTable.h"

namespace {
constexpr int kNameWidth = 150;
constexpr int kMarkWidth = 60;
}  // namespace

IMPLEMENT_DYNAMIC(CLayerPropertiesDialog, CDialog)

BEGIN_MESSAGE_MAP(CLayerPropertiesDialog, CDialog)
ON_NOTIFY(LVN_GETDISPINFO, IDC_LAYER_LIST, OnGetDisplayInfo)
END_MESSAGE_MAP()

CLayerPropertiesDialog::CLayerPropertiesDialog(CWnd* parent) : CDialog(LayerPropertiesTemplate(), parent) {}

void CLayerPropertiesDialog::LoadFromDocument(CCVNDoc& document) {
    for (int layer = 0; layer < CTool::kLayerCount; ++layer) {
        LayerRow& row = m_rows[layer];
        row.name.LoadString(IDS_LAYER_0 + layer);
        row.active = document.GetActiveLayer() == layer;
        row.visible = document.GetTool()->IsLayerVisible(layer);
        row.locked = document.IsLayerLocked(layer);
    }
}

void CLayerPropertiesDialog::ApplyToDocument(CCVNDoc& document) const {
    for (int layer = 0; layer < CTool::kLayerCount; ++layer) {
        const LayerRow& row = m_rows[layer];
        if (row.active)
            document.SetActiveLayer(layer);
        document.SetLayerVisible(layer, row.visible);
        document.SetLayerLocked(layer, row.locked);
    }
    document.InvalidateAllViews();
    if (document.Has3DWindow())
        document.m_rootGroup.UpdateMembers3DByLayer();
}

void CLayerPropertiesDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LAYER_LIST, m_list);
}

BOOL CLayerPropertiesDialog::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    m_list.ModifyStyle(LVS_TYPEMASK | LVS_SHOWSELALWAYS, LVS_REPORT | LVS_OWNERDRAWFIXED);
    m_list.InsertColumn(CLayerListCtrl::kNameColumn, "Layer Name", LVCFMT_LEFT, kNameWidth);
    m_list.InsertColumn(CLayerListCtrl::kActiveColumn, "Active", LVCFMT_LEFT, kMarkWidth);
    m_list.InsertColumn(CLayerListCtrl::kVisibleColumn, "Visible", LVCFMT_LEFT, kMarkWidth);
    m_list.InsertColumn(CLayerListCtrl::kLockColumn, "Lock", LVCFMT_LEFT, kMarkWidth);
    for (LayerRow& row : m_rows)
        m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, m_list.GetItemCount(), LPSTR_TEXTCALLBACK, 0, 0, 0,
                          reinterpret_cast<LPARAM>(&row));
    return result;
}

void CLayerPropertiesDialog::OnGetDisplayInfo(NMHDR* header, LRESULT* result) {
    LVITEM& item = reinterpret_cast<NMLVDISPINFO*>(header)->item;
    const auto* row = reinterpret_cast<const LayerRow*>(item.lParam);
    if ((item.mask & LVIF_TEXT) && item.iSubItem == CLayerListCtrl::kNameColumn && row)
        item.pszText = const_cast<char*>(row->name.c_str());
    *result = 0;
}
