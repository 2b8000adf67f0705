#include "wizard/CPageTurnTable.h"

#include <algorithm>
#include <cmath>

#include "drawing/CArc.h"
#include "drawing/CSizeLine.h"
#include "model/CCVNDoc.h"
#include "model/CGroup.h"
#include "model/Units.h"
#include "platform/base/CStringTable.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/DataExchange.h"
#include "resources/StringTable.h"
#include "resources/WizardPageTemplates.h"
#include "track/CTrack.h"
#include "wizard/CWizardLabel.h"

IMPLEMENT_DYNCREATE(CPageTurnTable, CPageWizard)
BEGIN_MESSAGE_MAP(CPageTurnTable, CPageWizard)
ON_EN_KILLFOCUS(IDC_TURNTABLE_LENGTH, OnLengthEdited)
END_MESSAGE_MAP()

namespace {

// Fifteen real inches at scale, in whole inches of the HO ratio.
constexpr double kDefaultInches = 15.0;
constexpr double kHalfZeroRatio = 87.1;

}  // namespace

CPageTurnTable::CPageTurnTable() : CPageWizard(IDD_WIZARD_TURNTABLE) {
    SetDefaults();
}

void CPageTurnTable::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_TURNTABLE_PREVIEW, m_wndPreview);
    ExchangeLength(dx, IDC_TURNTABLE_LENGTH, m_strLength, PieceLengths(m_dUnit));
}

// The default follows the scale even where the unit is the smallest.
void CPageTurnTable::SetDefaults() {
    if (m_pDoc != nullptr)
        m_dRatio = ScaleTable[std::clamp(m_pDoc->m_nDefaultScaleIndex, 0, kScaleCount - 1)].ratio;
    m_dDefaultsRatio = m_dRatio;
    m_dLength = kInch * std::trunc(kHalfZeroRatio / m_dRatio * kDefaultInches);
    FormatTexts();
}

void CPageTurnTable::FormatTexts() {
    m_strLength = FormatLength(m_dLength);
}

BOOL CPageTurnTable::OnInitDialog() {
    CPageWizard::OnInitDialog();
    if (m_dRatio != m_dDefaultsRatio)
        SetDefaults();
    m_pBridge = Create<CTrack>(kToolStraightTrack);
    m_pPit = Create<CArc>(kToolArc);
    m_pDimLine = Create<CSizeLine>(kToolDimensionLine);
    m_pLabel = Create<CWizardLabel>(kToolWizardLabel);
    if (!AllMade({m_pBridge, m_pPit, m_pDimLine, m_pLabel}))
        return TRUE;
    ShowInPreview(m_wndPreview, MakeGroup({m_pBridge, m_pPit}), MakeGroup({m_pDimLine, m_pLabel}));
    m_pPiece->m_strCategory = CStringTable::Text(IDS_TRACK);
    m_pPiece->m_strName = CStringTable::Text(IDS_TURNTABLE);
    m_pPiece->m_strType = CStringTable::Text(IDS_TURNTABLE);
    Build();
    return TRUE;
}

void CPageTurnTable::OnLengthEdited() {
    if (CommitLength(m_strLength, m_dLength, m_dPrevLength))
        Build();
}

// What was typed is placed as typed.
void CPageTurnTable::TakeTypedFields() {
    m_dLength = ParseLength(m_strLength);
    Build();
}

void CPageTurnTable::Build() {
    if (m_pPiece == nullptr)
        return;
    UpdateData(FALSE);
    m_dPrevLength = m_dLength;
    const double length = m_dLength;
    const double half = length / 2.0;
    const double inch = m_dInchAtScale;
    m_pBridge->SetEnds(0.0, 0.0, length, 0.0, 0, 0);
    m_pPit->SetArc(half, 0.0, half, half, 0.0, kFullTurn, 1, 0, 0);
    m_pPiece->RecalcFrame();
    m_pDimLine->m_pose.angle = kPi * 0.5;
    m_pDimLine->SetPoints(0.0, 0.0, length, 0.0, half, -(inch + half), 0, 0, 0);
    m_pLabel->SetLabel(0.0, -half - inch, 0.0, -half - inch, m_nLabelHeight, "Length", 1);
    FinishBuild(m_wndPreview);
}
