#include "wizard/CPageTurnout.h"

#include <algorithm>
#include <cmath>

#include "drawing/CSizeAngle.h"
#include "drawing/CSizeLine.h"
#include "model/CGroup.h"
#include "model/Units.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/DataExchange.h"
#include "resources/WizardPageTemplates.h"
#include "track/CCircTrack.h"
#include "track/CTrack.h"
#include "wizard/CWizardLabel.h"
#include "wizard/TurnoutSolvers.h"

IMPLEMENT_DYNCREATE(CPageTurnout, CPageHanded)
BEGIN_MESSAGE_MAP(CPageTurnout, CPageHanded)
ON_BN_CLICKED(IDC_TURNOUT_LEFT, OnLeft)
ON_BN_CLICKED(IDC_TURNOUT_RIGHT, OnRight)
ON_EN_KILLFOCUS(IDC_TURNOUT_LENGTH1, OnThroughLengthEdited)
END_MESSAGE_MAP()

namespace {

// The diverging route turns by at most a right angle; a length shorter than the offset
// is raised to it once the other values have followed.
constexpr CPageWizard::SetRules kTurnoutRules{90.0, true};

}  // namespace

CPageTurnout::CPageTurnout() : CPageHanded(IDD_WIZARD_TURNOUT, IDC_TURNOUT_LEFT) {
    m_setRules = kTurnoutRules;
    m_bBothSets = FALSE;
    m_strLength1 = "15";
    m_strLength2 = "12";
    m_strEntry = "2";
    m_strRadius2 = "5";
    m_strOffset2 = "5";
    m_dAngle2 = 15.0;
    SetDefaults();
}

void CPageTurnout::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_TURNOUT_PREVIEW, m_wndPreview);
    ExchangeLength(dx, IDC_WIZARD_ENTRY, m_strEntry, PieceLengths(0.0));
    ExchangeLength(dx, IDC_TURNOUT_LENGTH1, m_strLength1, PieceLengths(m_dUnit));
    ExchangeSet(dx, 2);
}

void CPageTurnout::SetDefaults() {
    m_dLength1 = 15.0 * m_dUnit;
    m_dEntry = 2.0 * m_dUnit;
    m_dPrevEntry = m_dEntry;
    m_dDefaultsRatio = m_dRatio;
    SetBranch(2, 12.0 * m_dUnit, 15.0);
    FormatTexts();
}

void CPageTurnout::FormatTexts() {
    m_strLength1 = FormatLength(m_dLength1);
    m_strEntry = FormatLength(m_dEntry);
    ShowSetTexts(Set(2));
}

BOOL CPageTurnout::OnInitDialog() {
    CPageWizard::OnInitDialog();
    CheckRadioButton(IDC_TURNOUT_LEFT, IDC_TURNOUT_RIGHT, m_nHand);
    return OpenSetPage("Turnout");
}

bool CPageTurnout::MakeObjects() {
    m_pEntryTrack = nullptr;
    m_pThrough = Create<CTrack>(kToolStraightTrack);
    m_pCurve = Create<CCircTrack>(kToolCurveTrack);
    m_pDimLine1 = Create<CSizeLine>(kToolDimensionLine);
    m_pDimLine2 = Create<CSizeLine>(kToolDimensionLine);
    m_pDimLine3 = Create<CSizeLine>(kToolDimensionLine);
    m_pSizeAngle = Create<CSizeAngle>(kToolDimensionAngle);
    m_pLabel1 = Create<CWizardLabel>(kToolWizardLabel);
    m_pLabel2 = Create<CWizardLabel>(kToolWizardLabel);
    m_pLabel3 = Create<CWizardLabel>(kToolWizardLabel);
    m_pLabel4 = Create<CWizardLabel>(kToolWizardLabel);
    if (!AllMade({m_pThrough, m_pCurve, m_pDimLine1, m_pDimLine2, m_pDimLine3, m_pSizeAngle, m_pLabel1,
                  m_pLabel2, m_pLabel3, m_pLabel4}))
        return false;
    CGroup* labels = MakeGroup(
        {m_pDimLine1, m_pDimLine2, m_pDimLine3, m_pSizeAngle, m_pLabel1, m_pLabel2, m_pLabel3, m_pLabel4});
    ShowInPreview(m_wndPreview, MakeGroup({m_pThrough, m_pCurve}), labels);
    return true;
}

void CPageTurnout::OnLeft() {
    ChooseHand(IDC_TURNOUT_LEFT);
}

void CPageTurnout::OnRight() {
    ChooseHand(IDC_TURNOUT_RIGHT);
}

void CPageTurnout::OnThroughLengthEdited() {
    if (CommitLength(m_strLength1, m_dLength1, m_dPrevLength1))
        Build();
}

// What was typed is taken with the limits of leaving each field.
void CPageTurnout::TakeTypedFields() {
    OnThroughLengthEdited();
    OnEntryEdited();
    CommitSet(2);
}

// The diverging curve is marked connected at the switch point, its begin on the left hand and
// its end on the right, where the arc runs back to the through route.
void CPageTurnout::OnOK() {
    if (m_pPiece != nullptr)
        for (CPaint* member : static_cast<CGroup*>(m_pPiece)->m_members) {
            auto* curve = dynamic_cast<CCircTrack*>(member);
            if (curve == nullptr)
                continue;
            (m_nHand == IDC_TURNOUT_LEFT ? curve->m_bBeginConnected : curve->m_bEndConnected) = 1;
            curve->RebuildShape();
        }
    CPageWizard::OnOK();
}

void CPageTurnout::Build() {
    if (m_pPiece == nullptr)
        return;
    KeepEntryStraight(m_pEntryTrack, 2);
    m_pPiece->m_strType = m_nHand == IDC_TURNOUT_LEFT ? "Left" : "Right";
    UpdateData(FALSE);
    KeepBuiltSetValues();
    if (m_nHand == IDC_TURNOUT_LEFT)
        BuildLeft();
    else
        BuildRight();
    FinishBuild(m_wndPreview);
}

void CPageTurnout::ShapeEntryAndThrough() {
    ShapeEntry(m_pEntryTrack);
    m_pThrough->SetEnds(m_dEntry, 0.0, m_dEntry + m_dLength1, 0.0, 0, 0);
}

void CPageTurnout::BuildLeft() {
    const double e = m_dEntry, l1 = m_dLength1, r = m_dRadius2, a = m_dAngleRad2, o = m_dOffset2,
                 l2 = m_dLength2, inch = m_dInchAtScale;
    const double x = l2 < l1 ? l1 + inch : l2 + 3.0 * inch;
    const double d = l2 < l1 ? l1 - l2 + inch : 3.0 * inch;
    ShapeEntryAndThrough();
    m_pCurve->SetArc(e, r, r, kPi * 1.5, a, 0, 0);
    m_pPiece->RecalcFrame();
    m_pDimLine1->m_pose.angle = kPi * 0.5;
    m_pDimLine1->SetPoints(e, 0.0, e + l1, 0.0, e + l1 / 2.0, -inch, 0, 0, 0);
    m_pDimLine2->m_pose.angle = kPi * 0.5;
    m_pDimLine2->SetPoints(e, 0.0, e + l2, o, e + l2 / 2.0, o + inch, 0, 0, 0);
    m_pDimLine3->SetPoints(e + l1, 0.0, e + l2, o, e + x, o / 2.0, 0, 0, 0);
    const CDoublePoint v{e + l2, o};
    const CDoublePoint leg{v.x + d * std::cos(a), v.y + d * std::sin(a)};
    m_pSizeAngle->SetPoints(v.x + d, v.y, leg.x, leg.y, v.x, v.y, v.x + d * std::cos(a / 2.0),
                            v.y + d * std::sin(a / 2.0), 0, 0, 0);
    double w = 0.0, h = 0.0;
    MeasureLabel(w, h, "Length1");
    m_pLabel1->SetLabel(0.0, -inch, w, -inch - h, m_nLabelHeight, "Length1", 1);
    m_pLabel2->SetLabel(0.0, o + inch + 3.0 * h, w, o, m_nLabelHeight, "Length2", 1);
    MeasureLabel(w, h, "Offset");
    const CDoublePoint offset{e + x + h / 2.0, o / 2.0 + 2.0 * h};
    m_pLabel3->SetLabel(offset.x, offset.y, offset.x + w, offset.y - h, m_nLabelHeight, "Offset", 1);
    MeasureLabel(w, h, "Angle");
    // Both hang from their anchors: Angle keeps half a label height above the Offset text.
    CDoublePoint angle{leg.x + h, leg.y + h};
    const double clear = offset.y + LabelTextSize("Offset").y + 0.5 * h;
    if (angle.y < clear)
        angle.y = clear;
    m_pLabel4->SetLabel(angle.x, angle.y, angle.x + w, angle.y - h, m_nLabelHeight, "Angle", 1);
}

void CPageTurnout::BuildRight() {
    const double e = m_dEntry, l1 = m_dLength1, r = m_dRadius2, a = m_dAngleRad2, o = m_dOffset2,
                 l2 = m_dLength2, inch = m_dInchAtScale;
    const double x = l2 < l1 ? l1 + inch : l2 + 3.0 * inch;
    const double d = l2 < l1 ? l1 - l2 + inch : 3.0 * inch;
    ShapeEntryAndThrough();
    m_pCurve->SetArc(e, -r, r, 1.57079632675 - a, a, 0, 0);
    m_pPiece->RecalcFrame();
    m_pDimLine1->m_pose.angle = kPi * 0.5;
    m_pDimLine1->SetPoints(e, 0.0, e + l1, 0.0, e + l1 / 2.0, inch, 0, 0, 0);
    m_pDimLine2->m_pose.angle = kPi * 0.5;
    m_pDimLine2->SetPoints(e, 0.0, e + l2, -o, e + l2 / 2.0, -(o + inch), 0, 0, 0);
    m_pDimLine3->SetPoints(e + l1, 0.0, e + l2, -o, e + x, -o / 2.0, 0, 0, 0);
    const CDoublePoint v{e + l2, -o};
    m_pSizeAngle->SetPoints(v.x + d * std::cos(a), v.y - d * std::sin(a), v.x + d, v.y, v.x, v.y,
                            v.x + d * std::cos(a / 2.0), v.y - d * std::sin(a / 2.0), 0, 0, 0);
    double w = 0.0, h = 0.0;
    MeasureLabel(w, h, "Length1");
    m_pLabel1->SetLabel(0.0, 3.0 * h + inch, w, 2.0 * h + inch, m_nLabelHeight, "Length1", 1);
    m_pLabel2->SetLabel(0.0, -(o + inch), w, -o, m_nLabelHeight, "Length2", 1);
    MeasureLabel(w, h, "Offset");
    const CDoublePoint offset{e + x + h / 2.0, 0.0};
    m_pLabel3->SetLabel(offset.x, offset.y, offset.x + w, -h, m_nLabelHeight, "Offset", 1);
    MeasureLabel(w, h, "Angle");
    // Both hang from their anchors: Angle keeps half a label height below the Offset text.
    const CDoublePoint angle{e + l2 + d + h, std::min(-o - h, -LabelTextSize("Offset").y - 0.5 * h)};
    m_pLabel4->SetLabel(angle.x, angle.y, angle.x + w, angle.y + h, m_nLabelHeight, "Angle", 1);
}
