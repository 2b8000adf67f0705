#include "catalog/CLibraryDialog.h"

#include <algorithm>
#include <cmath>

#include "catalog/CCataloguePrintout.h"
#include "catalog/CatalogFilterLists.h"
#include "catalog/CatalogFormat.h"
#include "catalog/ReportCategories.h"
#include "model/CCVNDoc.h"
#include "model/CGroup.h"
#include "model/CTerrainSurface.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/DataExchange.h"
#include "platform/ctl/ListControlDefs.h"
#include "resources/CatalogTemplates.h"
#include "resources/StringTable.h"

namespace {

constexpr CatalogColumn kColumns[] = {
    {"Manufacturer", 130, LVCFMT_LEFT}, {"Scale", 62, LVCFMT_LEFT},    {"Type", 88, LVCFMT_LEFT},
    {"Name", 136, LVCFMT_LEFT},         {"Part No.", 82, LVCFMT_LEFT}, {"Price", 62, LVCFMT_RIGHT},
    {"Note", 180, LVCFMT_LEFT},
};
const std::vector<UINT> kTabNames = {IDS_TRACK,         IDS_SCENERY,       IDS_STRUCTURES,
                                     IDS_ROLLING_STOCK, IDS_MISCELLANEOUS, IDS_ALL};
constexpr int kRowButtons[] = {IDC_LIBRARY_PRINT, IDC_CATALOG_PROPERTIES, IDC_LIBRARY_ADD_TO_PLAN,
                               IDC_CATALOG_DELETE};
constexpr int kAlwaysVisible = -2;

CString Trimmed(CString text) {
    text.TrimRight(' ');
    return text;
}

// The four filtered texts of an object, blanks at the end removed.
std::array<CString, 4> FilterTexts(CPaint* object) {
    return {Trimmed(object->GetManufacturer()), Trimmed(object->GetScale()), Trimmed(object->GetType()),
            Trimmed(object->GetName())};
}

// The rows' order: the objects' texts as stored, byte by byte, then their prices.
bool ComesBefore(CPaint* first, CPaint* second) {
    const CString CPaint::*texts[] = {&CPaint::m_strManufacturer, &CPaint::m_strScale, &CPaint::m_strType,
                                      &CPaint::m_strName, &CPaint::m_strPartNo};
    for (const CString CPaint::*text : texts)
        if (const int order = (first->*text).Compare(second->*text); order != 0)
            return order < 0;
    return first->m_fPrice < second->m_fPrice;
}

}  // namespace

IMPLEMENT_DYNAMIC(CLibraryDialog, CCatalogBrowserDialog)

BEGIN_MESSAGE_MAP(CLibraryDialog, CCatalogBrowserDialog)
ON_NOTIFY(TCN_SELCHANGE, IDC_CATALOG_TABS, OnTabChange)
ON_EN_KILLFOCUS(IDC_CATALOG_PART_NO, OnFieldKillFocus)
ON_EN_KILLFOCUS(IDC_CATALOG_PRICE, OnFieldKillFocus)
ON_BN_CLICKED(IDC_CATALOG_DELETE, OnDelete)
ON_BN_CLICKED(IDC_CATALOG_PROPERTIES, OnProperties)
ON_BN_CLICKED(IDC_LIBRARY_ADD_TO_PLAN, OnAddToPlan)
ON_BN_CLICKED(IDC_LIBRARY_OPEN_NEW, OnOpenNew)
ON_BN_CLICKED(IDC_LIBRARY_PRINT, OnPrint)
END_MESSAGE_MAP()

CLibraryDialog::CLibraryDialog(CCVNDoc& document, CWnd* parent)
    : CCatalogBrowserDialog(LibraryTemplate(), kTabNames, parent), m_document(document) {}

CPaint* CLibraryDialog::ObjectAt(int row) const {
    return row >= 0 && row < m_list.GetItemCount() ? reinterpret_cast<CPaint*>(m_list.GetItemData(row))
                                                   : nullptr;
}

void CLibraryDialog::DoDataExchange(CDataExchange* dx) {
    CCatalogBrowserDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CATALOG_LIST, m_list);
}

BOOL CLibraryDialog::OnInitDialog() {
    CCatalogBrowserDialog::OnInitDialog();
    InsertCatalogColumns(m_list, kColumns);
    ShowLibrary();
    GotoDlgCtrl(&m_list);
    return FALSE;
}

void CLibraryDialog::ShowLibrary() {
    ShowTab(FindFirstUsedTab());
    FillFilterCombos();
    FillList();
}

// ---- Filters and rows ----

int CLibraryDialog::FindFirstUsedTab() const {
    const CPaintList& members = m_document.m_libraryGroup.m_members;
    for (int tab = 0; tab < kTabCount; ++tab)
        if (std::any_of(members.begin(), members.end(), [&](CPaint* member) {
                return member->GetCategory().CompareNoCase(m_tabNames[tab]) == 0;
            }))
            return tab;
    return 0;
}

void CLibraryDialog::AddObjectToCombos(CPaint* object) {
    const std::array<CComboBox*, 4> lists = FilterLists(*this);
    const std::array<CString, 4> texts = FilterTexts(object);
    for (size_t index = 0; index < lists.size(); ++index)
        if (!texts[index].IsEmpty())
            AddFilterValue(*lists[index], texts[index]);
}

void CLibraryDialog::FillFilterCombos() {
    BeginWaitCursor();
    SetDlgItemText(IDC_CATALOG_FILE_NAME, m_document.m_strLibraryFileName);
    const std::array<CComboBox*, 4> lists = FilterLists(*this);
    for (CComboBox* list : lists) ResetFilterList(*list);
    for (CPaint* member : m_document.m_libraryGroup.m_members)
        if (member->GetCategory() == CurrentTabName())
            AddObjectToCombos(member);
    // A filter still offered on this tab stays in force.
    for (size_t index = 0; index < lists.size(); ++index)
        if (lists[index]->SelectString(-1, m_filters[index]) == CB_ERR) {
            m_filters[index] = kAllFilter;
            lists[index]->SelectString(-1, kAllFilter);
        }
    EndWaitCursor();
}

bool CLibraryDialog::IsShown(CPaint* object) const {
    if (!OnAllTab() && object->GetCategory() != CurrentTabName())
        return false;
    const std::array<CString, 4> texts = FilterTexts(object);
    for (size_t index = 0; index < texts.size(); ++index)
        if (m_filters[index] != kAllFilter && m_filters[index] != texts[index])
            return false;
    return (m_strPartNoFilter.IsEmpty() || m_strPartNoFilter == Trimmed(object->GetPartNo())) &&
           (m_fPriceFilter == 0.0 || m_fPriceFilter == object->GetReportPrice(kEveryReportBit));
}

int CLibraryDialog::SetRow(CPaint* object, int row, bool insert) {
    if (insert)
        row = m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, row, object->GetManufacturer(), 0, 0, 0,
                                reinterpret_cast<LPARAM>(object));
    else
        m_list.SetItemText(row, kManufacturerColumn, object->GetManufacturer());
    m_list.SetItemText(row, kScaleColumn, object->GetScale());
    m_list.SetItemText(row, kTypeColumn, object->GetType());
    m_list.SetItemText(row, kNameColumn, object->GetName());
    m_list.SetItemText(row, kPartNoColumn, object->GetPartNo());
    m_list.SetItemText(row, kPriceColumn, FormatPrice(object->GetReportPrice(kEveryReportBit)));
    m_list.SetItemText(row, kNoteColumn, object->GetNoteText());
    return row;
}

void CLibraryDialog::FillList() {
    BeginWaitCursor();
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    std::vector<CPaint*> shown;
    for (CPaint* member : m_document.m_libraryGroup.m_members)
        if (IsShown(member))
            shown.push_back(member);
    std::stable_sort(shown.begin(), shown.end(), ComesBefore);
    for (CPaint* object : shown) SetRow(object, m_list.GetItemCount(), true);
    EnableRowButtons();
    m_list.SetRedraw(TRUE);
    EndWaitCursor();
}

void CLibraryDialog::EnableRowButtons() {
    for (int id : kRowButtons) GetDlgItem(id)->EnableWindow(m_list.GetItemCount() > 0);
}

// ---- Handlers ----

void CLibraryDialog::OnTabChange(NMHDR*, LRESULT* result) {
    m_nTab = ChosenTab();
    FillFilterCombos();
    FillList();
    *result = 0;
}

// Fields also lose the focus while the dialog is being taken down; nothing is filtered then.
void CLibraryDialog::OnFieldKillFocus() {
    if (InModalLoop() && UpdateData(TRUE))
        FillList();
}

void CLibraryDialog::OnDelete() {
    CMemberList& members = m_document.m_libraryGroup.m_members;
    for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = m_list.GetNextItem(row - 1, LVNI_SELECTED)) {
        CPaint* object = ObjectAt(row);
        m_list.DeleteItem(row);
        const auto member = std::find(members.begin(), members.end(), object);
        if (member == members.end())
            continue;
        members.erase(member);
        object->ReleaseData();
        delete object;
        m_document.m_bLibraryModified = 1;
    }
    GotoDlgCtrl(&m_list);
    EnableRowButtons();
}

// The object of the focused row when that row is selected, so that a deselected or deleted
// row is never edited.
void CLibraryDialog::OnProperties() {
    const int row = m_list.GetNextItem(-1, LVNI_FOCUSED);
    CPaint* object = (m_list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) ? ObjectAt(row) : nullptr;
    if (object == nullptr)
        return;
    const int layer = object->m_nLayer;
    object->SetLayer(kAlwaysVisible);
    CTool* previous = m_document.m_libraryGroup.SetTool(&m_document.m_tool);
    const int changed = object->EditProperties(nullptr);
    m_document.m_libraryGroup.SetTool(previous);
    object->SetLayer(layer);
    if (!changed)
        return;
    AddObjectToCombos(object);
    SetRow(object, row, false);
    m_list.RedrawItems(row, row);
    m_document.m_bLibraryModified = 1;
}

CDoublePoint CLibraryDialog::PlacementTarget() const {
    CTool& tool = m_document.m_tool;
    const CGroup* current = tool.GetCurrentGroup();
    if (current != nullptr && current != &m_document.m_rootGroup)
        return {std::trunc((current->m_fMinX + current->m_fMaxX) / 2),
                std::trunc((current->m_fMinY + current->m_fMaxY) / 2)};
    int centreX = 0;
    int centreY = 0;
    m_document.GetPlanViewCentre(centreX, centreY);
    const CDoublePoint centre = tool.DeviceToLayout(centreX, centreY);
    return {std::trunc(centre.x), std::trunc(centre.y)};
}

// One copy on the plan, centred on the target, undone as one step.
void CLibraryDialog::PlaceCopy(CPaint* source, const CDoublePoint& target) {
    CTool& tool = m_document.m_tool;
    CGroup* current = tool.GetCurrentGroup();
    const CPose parent = current->WorldPose(nullptr);
    const int deselected = tool.DeselectAll(1, 1);
    CTool* previous = source->SetTool(&tool);
    CPaint* copy = CTerrainSurface::CloneForLayout(source);
    source->SetTool(previous);
    if (copy == nullptr)
        return;
    const int locked = copy->m_bLocked;
    copy->m_bLocked = 0;
    copy->SetTool(&tool);
    copy->SetOwnerGroup(current);
    copy->SetLayer(tool.m_nActiveLayer);
    if (!tool.AddObjectWithUndo(copy, 1, deselected ? 0 : 1))
        return;
    copy->DeselectWithUndo(0, 0);
    copy->SelectWithUndo(0, 0);
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    copy->GetBounds(&parent, minX, minY, maxX, maxY);
    if (auto* group = dynamic_cast<CGroup*>(copy))
        group->MarkFirst3DMember(1);
    copy->RebuildShape();
    // The move is measured from the saved placement, which the copy took over from the library's
    // object: the copy saves its own first.
    copy->SavePose();
    tool.MoveSelection(std::trunc(target.x - (minX + maxX) / 2), std::trunc(target.y - (minY + maxY) / 2), 1,
                       1, 0);
    copy->RecalcFrame();
    copy->Update3D(&parent);
    current->InvalidateBounds();
    copy->UpdateConnections(&parent, 0);
    copy->UpdateConnections(&parent, 1);
    copy->m_bLocked = locked;
}

void CLibraryDialog::OnAddToPlan() {
    const CDoublePoint target = PlacementTarget();
    std::vector<CPaint*> sources;
    for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = m_list.GetNextItem(row, LVNI_SELECTED))
        sources.push_back(ObjectAt(row));
    if (sources.empty())
        return;
    for (CPaint* source : sources) PlaceCopy(source, target);
    EndDialog(IDOK);
}

void CLibraryDialog::OnOpenNew() {
    if (!m_document.BrowseLibrary())
        return;
    m_list.DeleteAllItems();
    ShowLibrary();
    m_list.RedrawItems(0, m_list.GetItemCount() - 1);
}

void CLibraryDialog::OnOK() {
    if (m_document.m_bLibraryModified)
        m_document.WriteLibrary();
    EndDialog(IDOK);
}

// ---- Printing ----

void CLibraryDialog::FillPrintout(CCataloguePrintout& printout) const {
    double total = 0.0;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        CPaint* object = ObjectAt(row);
        const double price = object->GetReportPrice(kEveryReportBit);
        printout.AddRow({object->GetManufacturer(), object->GetScale(), object->GetName(),
                         object->GetPartNo(), FormatPrice(price)});
        total += price;
    }
    printout.SetTotals({"Total", "", "", "", FormatPrice(total)});
}

void CLibraryDialog::OnPrint() {
    CCataloguePrintout printout(m_document.m_strLibraryFileName + "  Parts List",
                                {{"Manufacturer", 0.32f, false},
                                 {"Scale", 0.10f, false},
                                 {"Name", 0.33f, false},
                                 {"Part", 0.15f, false},
                                 {"Price", 0.10f, true}},
                                CCataloguePrintout::PageRule::kMillimetres);
    FillPrintout(printout);
    printout.PrintWithDialog();
}
