#include <algorithm>
#include <iterator>

#include "model/CGroup.h"
#include "model/CGroupPropertiesDialog.h"
#include "model/CMissingFileReport.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/Units.h"
#include "resources/StringTable.h"

namespace {

constexpr int kCornerHandle = 3;

// The category texts of the report's mask bits, lowest bit first.
constexpr UINT kCategoryTexts[] = {IDS_TRACK, IDS_SCENERY, IDS_STRUCTURES, IDS_ROLLING_STOCK,
                                   IDS_MISCELLANEOUS};

bool CategoryInMask(const CString& category, int mask) {
    for (int bit = 0; bit < 5; ++bit) {
        if ((mask & (1 << bit)) == 0)
            continue;
        CString text;
        text.LoadString(kCategoryTexts[bit]);
        if (category == text)
            return true;
    }
    return false;
}

}  // namespace

void CGroup::CompareProperties(CPaint* other) {
    CPaint::CompareProperties(other);
    auto* group = dynamic_cast<CGroup*>(other);
    if (group == nullptr || m_pTool == nullptr || m_pTool->m_pHost == nullptr)
        return;
    PropertyFlags& flags = m_pTool->m_pHost->GetPropertyFlags();
    flags[kDiffersPriceMode] = m_nPriceMode != group->m_nPriceMode;
    flags[kDiffersExpansion] = m_bAllowExpansion != group->m_bAllowExpansion;
    flags[kDiffersBorder] = m_bUseBorder != group->m_bUseBorder;
    flags[kDiffersBorderColor] = m_pen.color != group->m_pen.color;
}

int CGroup::EditProperties(const CPose* pose) {
    const CMissingFileReport missingFiles;
    std::unique_ptr<CGroupPropertiesDialog> dialog = MakeGroupPropertiesDialog();
    if (dialog == nullptr)
        return 0;
    SetEditState(-1);
    const CPose working = pose != nullptr ? *pose : CPose();
    const BOOL multiple = m_pTool != nullptr && m_pTool->GetSelectedCount() != 1;
    // Without a click position only this group can take the result.
    dialog->SetObject(this, pose, multiple);
    dialog->FindElevation();
    const std::vector<BYTE> storedBefore = StoredBytes();
    if (dialog->DoModal() != CGroupPropertiesDialog::kResultOk)
        return 0;
    Invalidate();
    int mode = 0;
    std::unique_ptr<CGroup> result = dialog->TakeResult(mode);
    if (result == nullptr)
        return 1;
    CompareProperties(result.get());
    // The clicked group's own apply tells an untouched OK by the bytes it stores, its members'
    // elevations included; a style spread from it, by the properties the dialog shows, since the
    // copy does not hold its members' joints.
    const bool untouched = mode != 0 && mode == OpeningApplyMode(pose, multiple) && !DiffersInProperties();
    if (mode == 0)
        ApplyToClickedGroup(pose, result.get(), *dialog);
    else if (!untouched && m_pTool != nullptr && m_pTool->m_pHost != nullptr &&
             m_pTool->m_pHost->GetRootGroup() != nullptr)
        m_pTool->m_pHost->GetRootGroup()->ApplyStyle(&working, result.get(), mode);
    result->ReleaseData();
    // The change records no undo step, yet it must not be lost when the layout is closed, nor
    // when Undo goes back to the saved state; a new scale moves the members' track ends.
    if (mode == 0)
        MarkChangedSince(storedBefore);
    else if (m_pTool != nullptr && !untouched)
        m_pTool->MarkChangedOutsideUndo();
    return 1;
}

bool CGroup::DiffersInProperties() const {
    if (m_pTool == nullptr || m_pTool->m_pHost == nullptr)
        return true;
    const PropertyFlags& flags = m_pTool->m_pHost->GetPropertyFlags();
    return std::any_of(std::begin(flags), std::end(flags), [](int differs) { return differs != 0; });
}

int CGroup::ApplyToClickedGroup(const CPose* pose, CGroup* result, CGroupPropertiesDialog& dialog) {
    const CString oldScale = m_strScale;
    Invalidate();
    CopyFrom(result);
    CPaint* model = Find3DMember();
    CPaint* resultModel = result->Find3DMember();
    if (model != nullptr && resultModel != nullptr) {
        model->Invalidate();
        model->CopyFrom(resultModel);
        model->Invalidate();
    }
    if (oldScale != result->m_strScale)
        ApplyScaleChange(pose, oldScale, result->m_strScale);
    dialog.ApplyElevation();
    if (pose != nullptr && m_pTool != nullptr && m_pTool->m_pHost != nullptr &&
        m_pTool->m_pHost->Has3DWindow())
        Update3D(pose);
    Invalidate();
    return 1;
}

void CGroup::ApplyScaleChange(const CPose* pose, const CString& oldScale, const CString& newScale) {
    const int from = FindScale(oldScale);
    const int to = FindScale(newScale);
    // A scale that is no name of the table has no ratio to rescale by.
    if (from < 0 || to < 0)
        return;
    if (pose != nullptr)
        TrackCreate(pose, kCornerHandle);
    SetScale(newScale);
    if (pose != nullptr) {
        RescaleWithUndo(pose, ScaleTable[from].ratio / ScaleTable[to].ratio, 0);
        ComputeExtent(pose);
    }
}

void CGroup::ApplyStyle(const CPose* pose, CPaint* pattern, int mode) {
    if (pattern == nullptr)
        return;
    const CPose world = WorldPose(pose);
    for (CPaint* member : m_members) {
        if (mode != 2 && !member->IsSelected())
            continue;
        member->ApplyStyle(&world, pattern, 2);
        member->Invalidate();
    }
    CPaint::SetScale(pattern->m_strScale);
    if (auto* group = dynamic_cast<CGroup*>(pattern);
        group != nullptr && pattern->GetClassName() == "CGroup") {
        m_bUseBorder = group->m_bUseBorder;
        CPaint::ApplyStyle(pose, pattern, mode);
    }
}

double CGroup::GetReportPrice(int categoryMask) {
    if (!m_bShowInReport)
        return 0.0;
    if (m_nPriceMode == kPriceFixed)
        return CPaint::GetReportPrice(categoryMask);
    double sum = 0.0;
    for (CPaint* member : m_members)
        if (CategoryInMask(member->m_strCategory, categoryMask))
            sum += MemberPrice(member, categoryMask);
    return sum;
}

double CGroup::MemberPrice(CPaint* member, int categoryMask) {
    auto* group = dynamic_cast<CGroup*>(member);
    if (group == nullptr || member->GetClassName() != "CGroup")
        return member->GetReportPrice(kAllCategories);
    group->m_nReportMask = categoryMask;
    const int mask = group->m_nPriceMode == kPriceFixed ? categoryMask & ~kReportBit : categoryMask;
    return group->GetReportPrice(mask);
}
