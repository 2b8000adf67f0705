#include <algorithm>
#include <array>
#include <tuple>

#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CMissingFileReport.h"
#include "model/CPaint.h"
#include "model/CPropertiesDialog.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"
#include "platform/r3d/Clump.h"

namespace {

bool IsOneOf(const CString& name, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(),
                       [&name](const char* candidate) { return name == candidate; });
}

// Template classes whose pen, arrowheads and frame are not styles of other objects.
bool CarriesNoPen(const CString& name) {
    return IsOneOf(name, {"CTrack", "CArcTrack", "CCircTrack", "CSplineTrack", "C3D", "CGroup"});
}

// Template classes whose fill switches are not styles of other objects.
bool CarriesNoFill(const CString& name) {
    return IsOneOf(name, {"CTrack", "CArcTrack", "CCircTrack", "CSplineTrack", "CSizeLine", "CSizeAngle",
                          "C3D", "CLine", "CGroup"});
}

}  // namespace

void CPaint::CompareProperties(CPaint* other) {
    if (m_pTool == nullptr || m_pTool->m_pHost == nullptr || other == nullptr)
        return;
    PropertyFlags& flags = m_pTool->m_pHost->GetPropertyFlags();
    std::fill(std::begin(flags), std::end(flags), 0);
    const CPaint& o = *other;
    flags[kDiffersCategory] = m_strCategory != o.m_strCategory;
    flags[kDiffersManufacturer] = m_strManufacturer != o.m_strManufacturer;
    flags[kDiffersScale] = m_strScale != o.m_strScale;
    flags[kDiffersType] = m_strType != o.m_strType;
    flags[kDiffersName] = m_strName != o.m_strName;
    flags[kDiffersPartNo] = m_strPartNo != o.m_strPartNo;
    flags[kDiffersPrice] = m_fPrice != o.m_fPrice;
    flags[kDiffersNote] = m_strNote != o.m_strNote;
    flags[kDiffersShowInReport] = m_bShowInReport != o.m_bShowInReport;
    flags[kDiffersPenStyle] = m_pen.style != o.m_pen.style;
    flags[kDiffersPenWidth] = m_pen.widthX != o.m_pen.widthX || m_pen.widthY != o.m_pen.widthY;
    flags[kDiffersPenColor] = m_pen.color != o.m_pen.color;
    flags[kDiffersFill] = m_bFillOn != o.m_bFillOn || m_crFill != o.m_crFill;
    flags[kDiffersPattern] = m_bPatternOn != o.m_bPatternOn || m_brush.color != o.m_brush.color ||
                             m_brush.hatch != o.m_brush.hatch || m_nPatternKind != o.m_nPatternKind ||
                             m_strPatternFile != o.m_strPatternFile;
    flags[kDiffersArrowStyle] = m_nArrowStyle != o.m_nArrowStyle;
    flags[kDiffersArrowLength] = m_nArrowLength != o.m_nArrowLength;
    flags[kDiffersArrowWidth] = m_nArrowWidth != o.m_nArrowWidth;
    flags[kDiffersFrameStyle] = m_nFrameStyle != o.m_nFrameStyle;
    flags[kDiffersFrameWidth] = m_nFrameWidth != o.m_nFrameWidth;
    flags[kDiffersFrameColor] = m_crFrame != o.m_crFrame;
    flags[kDiffersScaleWithDocument] = m_bScaleWithDocument != o.m_bScaleWithDocument;
}

int CPaint::EditProperties(const CPose* pose) {
    // The dialog's copies and the apply reload the pattern of every object they touch.
    const CMissingFileReport missingFiles;
    const BOOL multiple = m_pTool != nullptr && m_pTool->GetSelectedCount() > 1;
    std::unique_ptr<CPropertiesDialog> dialog = MakePropertiesDialog(this, multiple, pose);
    if (dialog == nullptr || dialog->DoModal() != CPropertiesDialog::kResultOk)
        return 0;
    Invalidate();
    int mode = CPropertiesDialog::kApplyToObject;
    std::unique_ptr<CPaint> result = dialog->TakeResult(mode);
    if (result != nullptr) {
        if (!IsUntouchedResult(*result, mode, pose, multiple))
            ApplyPropertiesResult(pose, result.get(), mode);
        result->ReleaseData();
    }
    InvalidateBounds();
    return 1;
}

namespace {

// Every object a style change of the group reaches (the members it applies to, and all
// members of groups among them), each with a copy of its former state, so that undo puts
// back each one's own properties; groups keep only their own style.
void BackUpStyleTargets(CGroup* group, bool all, StyleBackupsPayload& backups) {
    backups.backups.push_back({group, nullptr, group->m_strScale, group->m_bUseBorder});
    for (CPaint* member : group->m_members) {
        if (!all && !member->IsSelected())
            continue;
        if (auto* inner = dynamic_cast<CGroup*>(member))
            BackUpStyleTargets(inner, true, backups);
        else
            backups.backups.push_back({member, std::unique_ptr<CPaint>(member->Clone()), CString(), 0});
    }
}

}  // namespace

std::vector<BYTE> CPaint::StoredBytes() {
    CMemFile memory;
    CArchive ar(&memory, CArchive::store);
    Serialize(ar);
    ar.Close();
    return memory.Detach();
}

void CPaint::MarkChangedSince(const std::vector<BYTE>& storedBefore) {
    if (m_pTool != nullptr && StoredBytes() != storedBefore)
        m_pTool->MarkChangedOutsideUndo();
}

int CPaint::OpeningApplyMode(const CPose* pose, BOOL multipleSelection) {
    return pose != nullptr && multipleSelection ? CPropertiesDialog::kApplyToSelection
                                                : CPropertiesDialog::kApplyToObject;
}

bool CPaint::IsUntouchedResult(CPaint& result, int mode, const CPose* pose, BOOL multipleSelection) {
    if (mode != OpeningApplyMode(pose, multipleSelection))
        return false;
    // The preview draws the copy, which keeps its extent in the preview's frame: that is no edit.
    const std::array<double, 4> drawn{result.m_fMinX, result.m_fMinY, result.m_fMaxX, result.m_fMaxY};
    std::tie(result.m_fMinX, result.m_fMinY, result.m_fMaxX, result.m_fMaxY) =
        std::tie(m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
    const bool same = StoresSameAs(result);
    std::tie(result.m_fMinX, result.m_fMinY, result.m_fMaxX, result.m_fMaxY) =
        std::tie(drawn[0], drawn[1], drawn[2], drawn[3]);
    return same;
}

bool CPaint::DropsUntouchedResult(CPaint* result, int mode, const CPose* pose, BOOL multipleSelection) {
    if (!IsUntouchedResult(*result, mode, pose, multipleSelection))
        return false;
    result->ReleaseData();
    delete result;
    return true;
}

int CPaint::ApplyPropertiesResult(const CPose* pose, CPaint* result, int mode) {
    if (m_pTool == nullptr)
        return 0;
    if (mode == CPropertiesDialog::kApplyToObject && StoresSameAs(*result))
        return 0;
    CompareProperties(result);
    RecalcBounds();
    if (mode == CPropertiesDialog::kApplyToObject) {
        auto backup = std::make_unique<ObjectCopyPayload>(Clone());
        auto step = std::make_unique<CEditStep>(kStepRestoreProperties, this, 1);
        step->SetPayload(std::move(backup));
        m_pTool->PushUndo(step.release());
        if (pose != nullptr)
            Invalidate();
        CopyFrom(result);
        if (pose != nullptr) {
            ComputeExtent(pose);
            Invalidate();
        }
        return 1;
    }
    const bool all = mode == CPropertiesDialog::kApplyToAll;
    // The selection lives in the group being edited.
    CPaint* root = m_pTool->m_pHost == nullptr ? nullptr
                   : all                       ? m_pTool->m_pHost->GetRootGroup()
                                               : m_pTool->m_pHost->GetCurrentGroup();
    auto backups = std::make_unique<StyleBackupsPayload>();
    if (auto* rootGroup = dynamic_cast<CGroup*>(root))
        BackUpStyleTargets(rootGroup, all, *backups);
    const CPose identity;
    if (root != nullptr)
        root->ApplyStyle(&identity, result, all ? 2 : 1);
    auto step = std::make_unique<CEditStep>(all ? kStepRestoreAllProperties : kStepRestoreSelectionProperties,
                                            nullptr, 1);
    step->SetPayload(std::move(backups));
    m_pTool->PushUndo(step.release());
    return 1;
}

void CPaint::ApplyStyle(const CPose* pose, CPaint* style, int) {
    if (style == nullptr)
        return;
    const CString kind = style->GetClassName();
    const PropertyFlags* flags =
        m_pTool != nullptr && m_pTool->m_pHost != nullptr ? &m_pTool->m_pHost->GetPropertyFlags() : nullptr;
    const bool fillDiffers = flags != nullptr && ((*flags)[kDiffersFill] || (*flags)[kDiffersPattern]);
    m_strScale = style->m_strScale;
    if (!CarriesNoPen(kind)) {
        m_nArrowStyle = style->m_nArrowStyle;
        m_nArrowLength = style->m_nArrowLength;
        m_nArrowWidth = style->m_nArrowWidth;
        m_pen = style->m_pen;
        if (fillDiffers) {
            m_brush = style->m_brush;
            m_strPatternFile = style->m_strPatternFile;
            ReloadPattern();
        }
        m_nFrameStyle = style->m_nFrameStyle;
        m_nFrameWidth = style->m_nFrameWidth;
        m_crFrame = style->m_crFrame;
    }
    if (!CarriesNoFill(kind) && fillDiffers) {
        m_bFillOn = style->m_bFillOn;
        m_bPatternOn = style->m_bPatternOn;
        m_nPatternKind = style->m_nPatternKind;
        m_crFill = style->m_crFill;
    }
    m_bScaleWithDocument = style->m_bScaleWithDocument;
    if (m_pTool != nullptr)
        Update3D(pose);
    DragHandle(pose, -1);
}
