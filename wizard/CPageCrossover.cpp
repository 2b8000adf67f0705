#include "wizard/CPageCrossover.h"

#include <algorithm>
#include <cmath>

#include "drawing/CSizeLine.h"
#include "model/CGroup.h"
#include "model/Units.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/DataExchange.h"
#include "resources/WizardPageTemplates.h"
#include "track/CCircTrack.h"
#include "track/CTrack.h"
#include "wizard/CWizardLabel.h"
#include "wizard/TurnoutSolvers.h"

IMPLEMENT_DYNCREATE(CPageCrossover, CPageSingleOrDouble)
BEGIN_MESSAGE_MAP(CPageCrossover, CPageSingleOrDouble)
ON_EN_KILLFOCUS(IDC_CROSSOVER_LENGTH, OnLengthEdited)
ON_EN_KILLFOCUS(IDC_CROSSOVER_SEPARATION, OnSeparationEdited)
ON_BN_CLICKED(IDC_CROSSOVER_LEFT, OnLeft)
ON_BN_CLICKED(IDC_CROSSOVER_RIGHT, OnRight)
ON_BN_CLICKED(IDC_CROSSOVER_DOUBLE, OnDouble)
END_MESSAGE_MAP()

CPageCrossover::CPageCrossover()
    : CPageSingleOrDouble(IDD_WIZARD_CROSSOVER, IDC_CROSSOVER_LEFT, IDC_CROSSOVER_DOUBLE) {
    SetDefaults();
}

void CPageCrossover::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_CROSSOVER_PREVIEW, m_wndPreview);
    // The separation lies within the length, each as its field shows it.
    const double separation =
        std::min(FieldLength(IDC_CROSSOVER_SEPARATION, m_dSeparation), kLargestFieldLength);
    ExchangeLength(dx, IDC_CROSSOVER_LENGTH, m_strLength, PieceLengths(std::max(m_dUnit, separation)));
    const double length = std::min(ParseLength(m_strLength), kLargestFieldLength);
    ExchangeLength(dx, IDC_CROSSOVER_SEPARATION, m_strSeparation, {m_dUnit, std::max(m_dUnit, length)});
    ExchangeLength(dx, IDC_CROSSOVER_RADIUS, m_strCurveRadius, PieceLengths(0.0));
    DDX_Text(dx, IDC_CROSSOVER_ANGLE, m_dCurveAngle);
}

void CPageCrossover::SetDefaults() {
    m_dDefaultsRatio = m_dRatio;
    m_dLength = 10.0 * m_dUnit;
    m_dSeparation = 4.0 * m_dUnit;
    DeriveCurve();
    FormatTexts();
}

void CPageCrossover::FormatTexts() {
    m_strLength = FormatLength(m_dLength);
    m_strSeparation = FormatLength(m_dSeparation);
    m_strCurveRadius = FormatLength(m_dCurveRadius);
}

void CPageCrossover::DeriveCurve() {
    const double t = std::atan2(m_dLength, m_dSeparation);
    m_dCurveAngleRad = kPi - 2.0 * t;
    const double d = std::sqrt(m_dSeparation * m_dSeparation * 0.25 + (m_dLength * 0.5) * (m_dLength * 0.5));
    m_dCurveRadius = d / std::cos(t) * 0.5;
    m_strCurveRadius = FormatLength(m_dCurveRadius);
    m_dCurveAngle = ShownDegrees(m_dCurveAngleRad);
}

BOOL CPageCrossover::OnInitDialog() {
    CPageWizard::OnInitDialog();
    CheckRadioButton(IDC_CROSSOVER_LEFT, IDC_CROSSOVER_DOUBLE, m_nHand);
    for (UINT id : {IDC_CROSSOVER_RADIUS, IDC_CROSSOVER_ANGLE})
        if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(static_cast<int>(id))))
            edit->SetReadOnly(TRUE);
    if (m_dRatio != m_dDefaultsRatio)
        SetDefaults();
    if (!MakeAnnotations())
        return TRUE;
    CreatePieces(m_nHand == IDC_CROSSOVER_DOUBLE);
    Build();
    return TRUE;
}

void CPageCrossover::CreatePieces(BOOL bDouble) {
    m_pStraight1 = Create<CTrack>(kToolStraightTrack);
    m_pStraight2 = Create<CTrack>(kToolStraightTrack);
    m_pCurve1 = Create<CCircTrack>(kToolCurveTrack);
    m_pCurve2 = Create<CCircTrack>(kToolCurveTrack);
    m_pCurve3 = bDouble ? Create<CCircTrack>(kToolCurveTrack) : nullptr;
    m_pCurve4 = bDouble ? Create<CCircTrack>(kToolCurveTrack) : nullptr;
    const bool made = bDouble
                          ? AllMade({m_pStraight1, m_pStraight2, m_pCurve1, m_pCurve2, m_pCurve3, m_pCurve4})
                          : AllMade({m_pStraight1, m_pStraight2, m_pCurve1, m_pCurve2});
    if (!made)
        return;
    CGroup* group = MakeGroup({m_pStraight1, m_pStraight2, m_pCurve1, m_pCurve2});
    if (bDouble) {
        group->m_members.push_back(m_pCurve3);
        group->m_members.push_back(m_pCurve4);
        group->SetOwnerGroup(EditedGroup());
    }
    group->m_strCategory = "Track";
    group->m_strName = "Crossover";
    group->m_strType = bDouble ? "Double" : "Single";
    ShowInPreview(m_wndPreview, group, m_pLabelGroup);
}

void CPageCrossover::OnLengthEdited() {
    if (!CommitEdit([this] { m_dLength = ParseLength(m_strLength); }, m_dLength, m_dPrevLength))
        return;
    DeriveCurve();
    Build();
}

void CPageCrossover::OnSeparationEdited() {
    if (!CommitEdit([this] { m_dSeparation = ParseLength(m_strSeparation); }, m_dSeparation,
                    m_dPrevSeparation))
        return;
    DeriveCurve();
    Build();
}

void CPageCrossover::OnLeft() {
    ChooseHand(IDC_CROSSOVER_LEFT);
}

void CPageCrossover::OnRight() {
    ChooseHand(IDC_CROSSOVER_RIGHT);
}

void CPageCrossover::OnDouble() {
    ChooseHand(IDC_CROSSOVER_DOUBLE);
}

// The curves are derived again, so that they meet the straights whatever was typed last.
void CPageCrossover::TakeTypedFields() {
    m_dSeparation = ParseLength(m_strSeparation);
    m_dLength = ParseLength(m_strLength);
    DeriveCurve();
    Build();
}

void CPageCrossover::OnOK() {
    if (m_pPiece != nullptr)
        MarkOuterEndsConnected();
    CPageWizard::OnOK();
}

// The curve ends that lie on the straights; where two arcs meet stays open.
void CPageCrossover::MarkOuterEndsConnected() {
    const bool right = m_nHand == IDC_CROSSOVER_RIGHT;
    for (CCircTrack* curve : {m_pCurve1, m_pCurve2}) {
        curve->m_bBeginConnected = right ? 1 : 0;
        curve->m_bEndConnected = right ? 0 : 1;
    }
    if (m_nHand == IDC_CROSSOVER_DOUBLE)
        for (CCircTrack* curve : {m_pCurve3, m_pCurve4}) curve->m_bBeginConnected = 1;
}

void CPageCrossover::Build() {
    if (m_pPiece == nullptr)
        return;
    UpdateData(FALSE);
    m_pPiece->m_strType = m_nHand == IDC_CROSSOVER_DOUBLE ? "Double" : "Single";
    m_dPrevLength = m_dLength;
    m_dPrevSeparation = m_dSeparation;
    const double l = m_dLength, s = m_dSeparation, r = m_dCurveRadius, a = m_dCurveAngleRad,
                 inch = m_dInchAtScale;
    m_pStraight1->SetEnds(0.0, 0.0, l, 0.0, 0, 0);
    m_pStraight2->SetEnds(0.0, s, l, s, 0, 0);
    if (m_nHand == IDC_CROSSOVER_RIGHT) {
        m_pCurve1->SetArc(0.0, r, r, kPi * 1.5, a, 0, 0);
        m_pCurve2->SetArc(l, s - r, r, kPi * 0.5, a, 0, 0);
    } else {
        m_pCurve1->SetArc(0.0, s - r, r, kPi * 0.5 - a, a, 0, 0);
        m_pCurve2->SetArc(l, r, r, kPi * 0.5 - a + kPi, a, 0, 0);
    }
    if (m_nHand == IDC_CROSSOVER_DOUBLE) {
        m_pCurve3->SetArc(0.0, r, r, kPi * 1.5, a, 0, 0);
        m_pCurve4->SetArc(l, s - r, r, kPi * 0.5, a, 0, 0);
    }
    m_pPiece->RecalcFrame();
    double w = 0.0, h = 0.0;
    MeasureLabel(w, h, "Length");
    m_pDimLine1->m_pose.angle = kPi * 0.5;
    m_pDimLine1->SetPoints(0.0, 0.0, l, 0.0, l / 2.0, -inch, 0, 0, 0);
    m_pLabel1->SetLabel(0.0, -inch, w, -inch + h, m_nLabelHeight, "Length", 1);
    MeasureLabel(w, h, "Separation");
    m_pDimLine2->SetPoints(l, 0.0, l, s, l + inch, s / 2.0, 0, 0, 0);
    m_pLabel2->SetLabel(l + inch + h, s / 2.0, l + inch + h + w, s / 2.0 + h, m_nLabelHeight, "Separation",
                        1);
    FinishBuild(m_wndPreview);
}
