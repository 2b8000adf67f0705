#include "model/CGroup.h"
#include "model/CPaint.h"
#include "model/CRunningTrain.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/base/CStringTable.h"

void CTool::UpdateStatus() {
    m_bStatusRefresh = 1;
    CGroup* current = GetCurrentGroup();
    if (m_pHost == nullptr || current == nullptr)
        return;
    const CPose pose = GetCurrentGroupPose();
    const int count = CountVisibleSelected();
    CPaint* described = nullptr;
    if (count == 1)
        for (CPaint* member : current->m_members)
            if (member->IsSelected() && IsLayerVisible(member->m_nLayer)) {
                described = member;
                break;
            }
    if (described != nullptr) {
        described->UpdateSizeInfo(&pose);
    } else if (count > 1) {
        m_status.m_nKind = CPieceStatusText::kSummary;
        m_status.m_strSummary.Format("%d objects selected.", count);
    } else if (!m_strTrainStatus.IsEmpty()) {
        m_status.m_nKind = CPieceStatusText::kSummary;
        m_status.m_strSummary = m_strTrainStatus;
    } else {
        m_status.m_nKind = CPieceStatusText::kSummary;
        const bool atPlan = IsRootGroup(current);
        const int members = static_cast<int>(current->m_members.size());
        if (members == 0 && atPlan)
            m_status.m_strSummary.Empty();
        else
            m_status.m_strSummary.Format("%d %s", members, atPlan ? "objects at plan." : "objects in group.");
    }
    m_status.FormatPieceStatus();
    m_pHost->ShowStatusPanes(m_status);
}

void CTool::ShowTrainStatus(CRunningTrain& train) {
    const UINT id = train.GetStatusId();
    if (id == 0 || m_pHost == nullptr)
        return;
    m_strTrainStatus = CStringTable::Text(id);
    m_status.m_nKind = CPieceStatusText::kSummary;
    m_status.m_strSummary = m_strTrainStatus;
    m_pHost->ShowStatusPanes(m_status);
}
