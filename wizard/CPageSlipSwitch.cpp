#include "wizard/CPageSlipSwitch.h"

#include <algorithm>
#include <cmath>

#include "drawing/CSizeLine.h"
#include "model/CGroup.h"
#include "model/Units.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/DataExchange.h"
#include "resources/WizardPageTemplates.h"
#include "track/CCircTrack.h"
#include "track/CTrack.h"
#include "wizard/CWizardLabel.h"

IMPLEMENT_DYNCREATE(CPageSlipSwitch, CPageSingleOrDouble)
BEGIN_MESSAGE_MAP(CPageSlipSwitch, CPageSingleOrDouble)
ON_EN_KILLFOCUS(IDC_SLIP_LENGTH, OnLengthEdited)
ON_EN_KILLFOCUS(IDC_SLIP_ANGLE, OnAngleEdited)
ON_BN_CLICKED(IDC_SLIP_SINGLE, OnSingle)
ON_BN_CLICKED(IDC_SLIP_DOUBLE, OnDouble)
END_MESSAGE_MAP()

namespace {

constexpr double kRightAngle = 90.0;

}  // namespace

CPageSlipSwitch::CPageSlipSwitch()
    : CPageSingleOrDouble(IDD_WIZARD_SLIP_SWITCH, IDC_SLIP_SINGLE, IDC_SLIP_DOUBLE) {
    SetDefaults();
}

void CPageSlipSwitch::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_SLIP_PREVIEW, m_wndPreview);
    ExchangeLength(dx, IDC_SLIP_LENGTH, m_strLength, PieceLengths(m_dUnit));
    ExchangeNumber(dx, IDC_SLIP_ANGLE, m_dCrossAngle, m_dMinAngle, kRightAngle);
}

void CPageSlipSwitch::SetDefaults() {
    m_dLength = 9.0 * m_dUnit;
    m_dCrossAngle = 25.0;
    m_dDefaultsRatio = m_dRatio;
    m_dHalfAngle = m_dCrossAngle * kPi * (1.0 / 360.0);
    FormatTexts();
}

void CPageSlipSwitch::FormatTexts() {
    m_strLength = FormatLength(m_dLength);
}

BOOL CPageSlipSwitch::OnInitDialog() {
    CPageWizard::OnInitDialog();
    CheckRadioButton(IDC_SLIP_SINGLE, IDC_SLIP_DOUBLE, m_nHand);
    if (m_dRatio != m_dDefaultsRatio)
        SetDefaults();
    if (!MakeAnnotations())
        return TRUE;
    CreatePieces(m_nHand != IDC_SLIP_SINGLE);
    Build();
    UpdateData(FALSE);
    return TRUE;
}

void CPageSlipSwitch::CreatePieces(BOOL bDouble) {
    m_pStraight1 = Create<CTrack>(kToolStraightTrack);
    m_pStraight2 = Create<CTrack>(kToolStraightTrack);
    m_pCurve1 = Create<CCircTrack>(kToolCurveTrack);
    m_pCurve2 = bDouble ? Create<CCircTrack>(kToolCurveTrack) : nullptr;
    const bool made = bDouble ? AllMade({m_pStraight1, m_pStraight2, m_pCurve1, m_pCurve2})
                              : AllMade({m_pStraight1, m_pStraight2, m_pCurve1});
    if (!made)
        return;
    CGroup* group = MakeGroup({m_pStraight1, m_pStraight2, m_pCurve1});
    if (bDouble) {
        group->m_members.push_back(m_pCurve2);
        group->SetOwnerGroup(EditedGroup());
    }
    group->m_strCategory = "Track";
    group->m_strName = "Slip switch";
    group->m_strType = m_nHand == IDC_SLIP_SINGLE ? "Single" : "Double";
    ShowInPreview(m_wndPreview, group, m_pLabelGroup);
}

void CPageSlipSwitch::TakeAngle() {
    m_dHalfAngle = m_dCrossAngle * kPi * (1.0 / 360.0);
}

void CPageSlipSwitch::OnLengthEdited() {
    if (CommitLength(m_strLength, m_dLength, m_dPrevLength))
        Build();
}

void CPageSlipSwitch::OnAngleEdited() {
    if (CommitEdit([this] { TakeAngle(); }, m_dHalfAngle, m_dPrevHalfAngle))
        Build();
}

void CPageSlipSwitch::OnSingle() {
    ChooseHand(IDC_SLIP_SINGLE);
}

void CPageSlipSwitch::OnDouble() {
    ChooseHand(IDC_SLIP_DOUBLE);
}

void CPageSlipSwitch::TakeTypedFields() {
    m_dLength = ParseLength(m_strLength);
    TakeAngle();
    Build();
}

// The slip curves are joined to the straights at both ends.
void CPageSlipSwitch::OnOK() {
    if (m_pPiece != nullptr) {
        for (CPaint* member : static_cast<CGroup*>(m_pPiece)->m_members)
            if (auto* curve = dynamic_cast<CCircTrack*>(member)) {
                curve->m_bBeginConnected = 1;
                curve->m_bEndConnected = 1;
            }
    }
    CPageWizard::OnOK();
}

void CPageSlipSwitch::Build() {
    if (m_pPiece == nullptr)
        return;
    m_pPiece->m_strType = m_nHand == IDC_SLIP_SINGLE ? "Single" : "Double";
    UpdateData(FALSE);
    m_dPrevLength = m_dLength;
    m_dPrevHalfAngle = m_dHalfAngle;
    const double l = m_dLength, h = m_dHalfAngle, c = std::cos(h), s = std::sin(h), inch = m_dInchAtScale;
    const double r = 0.5 * l / std::tan(h);
    m_pStraight1->SetEnds(0.0, 0.0, l * c, l * s, 0, 0);
    m_pStraight2->SetEnds(0.0, l * s, l * c, 0.0, 0, 0);
    m_pDimLine1->m_pose.angle = kPi * 0.5 + h;
    m_pDimLine2->m_pose.angle = kPi * 0.5 - h;
    m_pDimLine1->SetPoints(0.0, 0.0, l * c, l * s, 0.5 * l * c, 0.5 * l * s - inch, 0, 0, 0);
    m_pDimLine2->SetPoints(0.0, l * s, l * c, 0.0, 0.5 * l * c, 0.5 * l * s + inch, 0, 0, 0);
    m_pCurve1->SetArc(0.5 * l * c, l * s + r * c, r, kPi * 1.5 - h, 2.0 * h, 0, 0);
    if (m_pCurve2 != nullptr && m_nHand == IDC_SLIP_DOUBLE)
        m_pCurve2->SetArc(0.5 * l * c, -r * c, r, kPi * 0.5 - h, 2.0 * h, 0, 0);
    m_pLabel1->m_pose.angle = h;
    m_pLabel2->m_pose.angle = -h;
    m_pLabel1->SetLabel(inch * s, -inch * c, inch * s, -inch * c, m_nLabelHeight, "Length", 1);
    m_pLabel2->SetLabel(inch * s, l * s + inch * c, inch * s, l * s + inch * c, m_nLabelHeight, "Length", 0);
    m_pPiece->RecalcFrame();
    FinishBuild(m_wndPreview);
}
