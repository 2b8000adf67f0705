#include <memory>

#include "model/CCVNDoc.h"
#include "model/CEditStep.h"
#include "model/CPropertiesDialog.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "track/CParTrack.h"
#include "track/CTrackPropertyDialog.h"

namespace {

// The dialog's copy is the opener's to release, whatever the dialog ended with.
struct CopyRelease {
    void operator()(CParTrack* copy) const {
        copy->ReleaseData();
        delete copy;
    }
};

}  // namespace

int CParTrack::EditProperties(const CPose* pose) {
    CTrackPropertyDialog dialog;
    const int several = m_pTool != nullptr && m_pTool->GetSelectedCount() > 1 ? 1 : 0;
    dialog.SetPiece(this, several, pose);
    const INT_PTR result = dialog.DoModal();
    std::unique_ptr<CParTrack, CopyRelease> copy(dialog.GetEditedCopy());
    if (result != IDOK)
        return 0;
    Invalidate();
    CParTrack* applied = nullptr;
    int mode = CTrackPropertyDialog::kApplyToPiece;
    if (dialog.GetAppliedPiece(&applied, &mode) && !IsUntouchedResult(*applied, mode, pose, several))
        ApplyPropertiesCopy(pose, applied, mode, dialog.GetReferenceBefore(), dialog.GetReferenceAfter());
    if (m_pTool != nullptr && m_pTool->m_pHost != nullptr)
        m_pTool->m_pHost->RefreshGroupFrame(this);
    return 1;
}

void CParTrack::ApplyPropertiesCopy(const CPose* pose, CParTrack* copy, int mode, CDoublePoint before,
                                    CDoublePoint after) {
    if (m_pTool == nullptr)
        return;
    switch (mode) {
        case CTrackPropertyDialog::kApplyToPiece:
            ApplyToThisPiece(pose, copy, before, after);
            break;
        case CTrackPropertyDialog::kApplyToSelection:
        case CTrackPropertyDialog::kApplyToAll:
            ApplyPropertiesResult(pose, copy, mode);
            break;
        default:
            MakeDefaultTrack(copy);
            break;
    }
}

void CParTrack::ApplyToThisPiece(const CPose* pose, CParTrack* copy, CDoublePoint before,
                                 CDoublePoint after) {
    if (StoresSameAs(*copy))
        return;
    CompareProperties(copy);
    auto step = std::make_unique<CEditStep>(kStepRestoreProperties, this, 1);
    step->SetPayload(std::make_unique<ObjectCopyPayload>(Clone()));
    const int beginConnected = m_bBeginConnected;
    const int endConnected = m_bEndConnected;
    const int selected = m_bSelected;
    if (pose != nullptr)
        Invalidate();
    CopyFrom(copy);
    m_bSelected = selected;
    // Only the clicked piece moves, so that its reference point stays where it was; the
    // rest of the selection stays put.
    MoveFromSavedPose(before.x - after.x, before.y - after.y, 0);
    m_pTool->PushUndo(step.release());
    m_bBeginConnected = beginConnected;
    m_bEndConnected = endConnected;
    if (pose != nullptr) {
        Invalidate();
        Update3D(pose);
    }
}

void CParTrack::MakeDefaultTrack(CParTrack* copy) {
    const CPose identity;
    if (m_pTool->m_pDefaultTrack != nullptr)
        m_pTool->m_pDefaultTrack->ApplyStyle(&identity, copy, 2);
    if (auto* document = dynamic_cast<CCVNDoc*>(m_pTool->m_pHost))
        document->MakeDefaultTrack(copy);
}

void CParTrack::RestoreFormerState(CPaint* former) {
    // Properties never join or release ends; a restored copy knows no joints.
    const int beginConnected = m_bBeginConnected;
    const int endConnected = m_bEndConnected;
    CPaint::RestoreFormerState(former);
    m_bBeginConnected = beginConnected;
    m_bEndConnected = endConnected;
}
