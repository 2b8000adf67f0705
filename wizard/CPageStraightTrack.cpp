#include "wizard/CPageStraightTrack.h"

#include <cmath>

#include "drawing/CSizeLine.h"
#include "model/CGroup.h"
#include "model/Units.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/DataExchange.h"
#include "resources/WizardPageTemplates.h"
#include "track/CTrack.h"
#include "wizard/CWizardLabel.h"

IMPLEMENT_DYNCREATE(CPageStraightTrack, CPageWizard)
BEGIN_MESSAGE_MAP(CPageStraightTrack, CPageWizard)
ON_EN_KILLFOCUS(IDC_STRAIGHT_LENGTH, OnLengthEdited)
END_MESSAGE_MAP()

CPageStraightTrack::CPageStraightTrack() : CPageWizard(IDD_WIZARD_STRAIGHT) {
    SetDefaults();
}

void CPageStraightTrack::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_STRAIGHT_PREVIEW, m_wndPreview);
    ExchangeLength(dx, IDC_STRAIGHT_LENGTH, m_strLength, PieceLengths(m_dUnit));
}

void CPageStraightTrack::SetDefaults() {
    m_nLength = static_cast<int>(9.0 * m_dUnit);
    m_dDefaultsRatio = m_dRatio;
    FormatTexts();
}

void CPageStraightTrack::FormatTexts() {
    m_strLength = FormatLength(m_nLength);
}

BOOL CPageStraightTrack::OnInitDialog() {
    CPageWizard::OnInitDialog();
    if (m_dRatio != m_dDefaultsRatio)
        SetDefaults();
    m_pTrack = Create<CTrack>(kToolStraightTrack);
    m_pDimLine = Create<CSizeLine>(kToolDimensionLine);
    m_pLabel = Create<CWizardLabel>(kToolWizardLabel);
    if (!AllMade({m_pTrack, m_pDimLine, m_pLabel}))
        return TRUE;
    ShowInPreview(m_wndPreview, m_pTrack, MakeGroup({m_pDimLine, m_pLabel}));
    m_pTrack->m_strType = "Straight track";
    Build();
    return TRUE;
}

void CPageStraightTrack::OnLengthEdited() {
    if (!ReadEditedFields())
        return;
    m_nLength = static_cast<int>(ParseLength(m_strLength));
    if (m_nLength != m_nPrevLength)
        Build();
}

// What was typed is placed as typed.
void CPageStraightTrack::TakeTypedFields() {
    m_nLength = static_cast<int>(ParseLength(m_strLength));
    Build();
}

void CPageStraightTrack::Build() {
    if (m_pPiece == nullptr)
        return;
    UpdateData(FALSE);
    m_nPrevLength = m_nLength;
    const double length = m_nLength;
    m_pTrack->m_pose.x = 0.0;
    m_pTrack->m_pose.y = 0.0;
    m_pTrack->SetEnds(0.0, 0.0, length, 0.0, 0, 0);
    m_pDimLine->m_pose.angle = kPi * 0.5;
    m_pDimLine->SetPoints(0.0, 0.0, length, 0.0, length / 2.0, -m_dInchAtScale, 0, 0, 0);
    m_pLabel->SetLabel(0.0, -m_dInchAtScale, 0.0, -m_dInchAtScale, m_nLabelHeight, "Length", 1);
    FinishBuild(m_wndPreview);
}
