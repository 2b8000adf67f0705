#include "wizard/CPageCurved.h"

#include <cmath>

#include "drawing/CSizeAngle.h"
#include "model/CGroup.h"
#include "model/Units.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/DataExchange.h"
#include "resources/WizardPageTemplates.h"
#include "track/CCircTrack.h"
#include "wizard/CWizardLabel.h"

IMPLEMENT_DYNCREATE(CPageCurved, CPageWizard)
BEGIN_MESSAGE_MAP(CPageCurved, CPageWizard)
ON_EN_KILLFOCUS(IDC_CURVED_ANGLE, OnAngleEdited)
ON_EN_KILLFOCUS(IDC_CURVED_RADIUS, OnRadiusEdited)
END_MESSAGE_MAP()

namespace {

constexpr double kFullCircle = 360.0;
// A whole turn would close the curve on itself: it is built a thousandth of a degree short.
constexpr double kAlmostWholeTurn = kPi * 1.9999944444444446;

}  // namespace

CPageCurved::CPageCurved() : CPageWizard(IDD_WIZARD_CURVED) {
    SetDefaults();
}

void CPageCurved::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_CURVED_PREVIEW, m_wndPreview);
    ExchangeNumber(dx, IDC_CURVED_ANGLE, m_dAngleDeg, m_dMinAngle, kFullCircle);
    ExchangeLength(dx, IDC_CURVED_RADIUS, m_strRadius, PieceLengths(m_dUnit));
}

void CPageCurved::SetDefaults() {
    m_dAngleDeg = 90.0;
    m_dRadius = 9.0 * m_dUnit;
    m_dDefaultsRatio = m_dRatio;
    m_dSweep = kPi * 0.5;
    FormatTexts();
}

void CPageCurved::FormatTexts() {
    m_strRadius = FormatLength(m_dRadius);
}

BOOL CPageCurved::OnInitDialog() {
    CPageWizard::OnInitDialog();
    if (m_dRatio != m_dDefaultsRatio)
        SetDefaults();
    m_pTrack = Create<CCircTrack>(kToolCurveTrack);
    m_pSizeAngle = Create<CSizeAngle>(kToolDimensionAngle);
    m_pLabel = Create<CWizardLabel>(kToolWizardLabel);
    if (!AllMade({m_pTrack, m_pSizeAngle, m_pLabel}))
        return TRUE;
    ShowInPreview(m_wndPreview, m_pTrack, MakeGroup({m_pSizeAngle, m_pLabel}));
    m_pTrack->m_strCategory = "Track";
    m_pTrack->m_strType = "Curved track";
    Build();
    return TRUE;
}

double CPageCurved::SweepOf(double degrees) {
    return degrees == kFullCircle ? kAlmostWholeTurn : degrees * kPi * (1.0 / 180.0);
}

void CPageCurved::OnAngleEdited() {
    if (CommitEdit([this] { m_dSweep = SweepOf(m_dAngleDeg); }, m_dSweep, m_dPrevSweep))
        Build();
}

void CPageCurved::OnRadiusEdited() {
    if (CommitLength(m_strRadius, m_dRadius, m_dPrevRadius))
        Build();
}

// What was typed is placed as typed.
void CPageCurved::TakeTypedFields() {
    m_dRadius = ParseLength(m_strRadius);
    m_dSweep = SweepOf(m_dAngleDeg);
    Build();
}

void CPageCurved::Build() {
    if (m_pPiece == nullptr)
        return;
    UpdateData(FALSE);
    m_dPrevSweep = m_dSweep;
    m_dPrevRadius = m_dRadius;
    const double r = m_dRadius;
    const double half = m_dSweep * 0.5;
    const double c = r * std::cos(half);
    const double s = r * std::sin(half);
    m_pTrack->m_pose.x = 0.0;
    m_pTrack->m_pose.y = 0.0;
    m_pTrack->SetArc(0.0, 0.0, r, kFullTurn - half, m_dSweep, 0, 0);
    m_pSizeAngle->SetPoints(c, -s, c, s, 0.0, 0.0, r / 3.0, 0.0, 0, 0, 0);
    m_pLabel->SetLabel(r / 3.0, 0.0, r / 3.0, 0.0, m_nLabelHeight, "Angle", 1);
    FinishBuild(m_wndPreview);
}
