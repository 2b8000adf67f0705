#include "wizard/CPageCrossing.h"

#include <algorithm>
#include <cmath>

#include "drawing/CSizeAngle.h"
#include "drawing/CSizeLine.h"
#include "model/CGroup.h"
#include "model/Units.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/DataExchange.h"
#include "resources/WizardPageTemplates.h"
#include "track/CTrack.h"
#include "wizard/CWizardLabel.h"

IMPLEMENT_DYNCREATE(CPageCrossing, CPageWizard)
BEGIN_MESSAGE_MAP(CPageCrossing, CPageWizard)
ON_EN_KILLFOCUS(IDC_CROSSING_LENGTH1, OnLengthAEdited)
ON_EN_KILLFOCUS(IDC_CROSSING_LENGTH2, OnLengthBEdited)
ON_EN_KILLFOCUS(IDC_CROSSING_ANGLE, OnAngleEdited)
END_MESSAGE_MAP()

namespace {

constexpr double kRightAngle = 90.0;
// The dimension angle's arc reaches a tenth beyond the longer straight's half.
constexpr double kAngleReach = 1.1;

}  // namespace

CPageCrossing::CPageCrossing() : CPageWizard(IDD_WIZARD_CROSSING) {
    SetDefaults();
}

void CPageCrossing::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_CROSSING_PREVIEW, m_wndPreview);
    ExchangeLength(dx, IDC_CROSSING_LENGTH1, m_strLengthA, PieceLengths(m_dUnit));
    ExchangeNumber(dx, IDC_CROSSING_ANGLE, m_dCrossAngle, m_dMinAngle, kRightAngle);
    ExchangeLength(dx, IDC_CROSSING_LENGTH2, m_strLengthB, PieceLengths(m_dUnit));
}

void CPageCrossing::SetDefaults() {
    m_dDefaultsRatio = m_dRatio;
    m_dCrossAngle = 45.0;
    m_dLengthA = m_dLengthB = 10.0 * m_dUnit;
    m_dHalfAngle = kPi * 0.25 * 0.5;
    FormatTexts();
}

void CPageCrossing::FormatTexts() {
    m_strLengthA = FormatLength(m_dLengthA);
    m_strLengthB = FormatLength(m_dLengthB);
}

BOOL CPageCrossing::OnInitDialog() {
    CPageWizard::OnInitDialog();
    if (m_dRatio != m_dDefaultsRatio)
        SetDefaults();
    m_pStraight1 = Create<CTrack>(kToolStraightTrack);
    m_pStraight2 = Create<CTrack>(kToolStraightTrack);
    m_pDimLine1 = Create<CSizeLine>(kToolDimensionLine);
    m_pDimLine2 = Create<CSizeLine>(kToolDimensionLine);
    m_pDimAngle = Create<CSizeAngle>(kToolDimensionAngle);
    m_pLabel1 = Create<CWizardLabel>(kToolWizardLabel);
    m_pLabel2 = Create<CWizardLabel>(kToolWizardLabel);
    m_pLabel3 = Create<CWizardLabel>(kToolWizardLabel);
    if (!AllMade({m_pStraight1, m_pStraight2, m_pDimLine1, m_pDimLine2, m_pDimAngle, m_pLabel1, m_pLabel2,
                  m_pLabel3}))
        return TRUE;
    ShowInPreview(m_wndPreview, MakeGroup({m_pStraight1, m_pStraight2}),
                  MakeGroup({m_pDimLine1, m_pDimLine2, m_pDimAngle, m_pLabel1, m_pLabel2, m_pLabel3}));
    m_pPiece->m_strName = "Crossing";
    m_pPiece->m_strType = "Crossing";
    m_pPiece->m_strCategory = "Track";
    Build();
    return TRUE;
}

void CPageCrossing::TakeAngle() {
    m_dHalfAngle = m_dCrossAngle * kPi * (1.0 / 360.0);
}

void CPageCrossing::OnLengthAEdited() {
    if (CommitLength(m_strLengthA, m_dLengthA, m_dPrevLengthA))
        Build();
}

void CPageCrossing::OnLengthBEdited() {
    if (CommitLength(m_strLengthB, m_dLengthB, m_dPrevLengthB))
        Build();
}

void CPageCrossing::OnAngleEdited() {
    if (CommitEdit([this] { TakeAngle(); }, m_dHalfAngle, m_dPrevHalfAngle))
        Build();
}

void CPageCrossing::TakeTypedFields() {
    m_dLengthA = ParseLength(m_strLengthA);
    m_dLengthB = ParseLength(m_strLengthB);
    TakeAngle();
    Build();
}

// Straight 1 rises at half the angle from the x axis, straight 2 falls at half the angle;
// both pass through their midpoints at the crossing point.
void CPageCrossing::Build() {
    if (m_pPiece == nullptr)
        return;
    UpdateData(FALSE);
    m_dPrevLengthA = m_dLengthA;
    m_dPrevLengthB = m_dLengthB;
    m_dPrevHalfAngle = m_dHalfAngle;
    const double h = m_dHalfAngle, c = std::cos(h), s = std::sin(h), inch = m_dInchAtScale;
    const double l1 = m_dLengthA, l2 = m_dLengthB;
    const CDoublePoint p{0.5 * l1 * c, 0.5 * l1 * s};
    const CDoublePoint start2{0.5 * (l1 - l2) * c, 0.5 * (l1 + l2) * s};
    const CDoublePoint end2{0.5 * (l1 + l2) * c, 0.5 * (l1 - l2) * s};
    m_pStraight1->SetEnds(0.0, 0.0, l1 * c, l1 * s, 0, 0);
    m_pStraight2->SetEnds(start2.x, start2.y, end2.x, end2.y, 0, 0);
    m_pDimLine1->m_pose.angle = kPi * 0.5 + h;
    m_pDimLine2->m_pose.angle = kPi * 0.5 - h;
    m_pDimLine1->SetPoints(0.0, 0.0, l1 * c, l1 * s, p.x, p.y - inch, 0, 0, 0);
    m_pDimLine2->SetPoints(start2.x, start2.y, end2.x, end2.y, p.x, p.y + inch, 0, 0, 0);
    const double r = std::max(0.5 * l1, 0.5 * l2) * c * kAngleReach;
    const double t = std::tan(h);
    m_pDimAngle->SetPoints(p.x + r, p.y - r * t, p.x + r, p.y + r * t, p.x, p.y, p.x + r / c, p.y, 0, 0, 0);
    m_pLabel1->m_pose.angle = h;
    m_pLabel2->m_pose.angle = -h;
    m_pLabel3->m_pose.angle = 0.0;
    const CDoublePoint label1{inch * s, -inch * c};
    const CDoublePoint label2{start2.x + inch * s, start2.y + inch * c};
    m_pLabel1->SetLabel(label1.x, label1.y, label1.x, label1.y, m_nLabelHeight, "Length1", 1);
    m_pLabel2->SetLabel(label2.x, label2.y, label2.x, label2.y, m_nLabelHeight, "Length2", 0);
    m_pLabel3->SetLabel(p.x + r / c, p.y, p.x + r / c, p.y, m_nLabelHeight, "Angle", 1);
    m_pPiece->RecalcFrame();
    FinishBuild(m_wndPreview);
}
