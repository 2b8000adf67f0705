#include "wizard/CPageCurvedTurnout.h"

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

IMPLEMENT_DYNCREATE(CPageCurvedTurnout, CPageHanded)
BEGIN_MESSAGE_MAP(CPageCurvedTurnout, CPageHanded)
ON_BN_CLICKED(IDC_CURVED_TURNOUT_LEFT, OnLeft)
ON_BN_CLICKED(IDC_CURVED_TURNOUT_RIGHT, OnRight)
ON_BN_CLICKED(IDC_CURVED_TURNOUT_WYE, OnWye)
END_MESSAGE_MAP()

namespace {

// Each curve turns by up to 180 degrees.
constexpr CPageWizard::SetRules kCurvedTurnoutRules{180.0, false};

}  // namespace

CPageCurvedTurnout::CPageCurvedTurnout() : CPageHanded(IDD_WIZARD_CURVED_TURNOUT, IDC_CURVED_TURNOUT_LEFT) {
    m_setRules = kCurvedTurnoutRules;
    m_strLength1 = "13";
    m_strOffset1 = "1";
    m_strRadius1 = "30";
    m_strLength2 = "10";
    m_strRadius2 = "40";
    m_strEntry = "2";
    m_dAngle1 = 10.0;
    m_dAngle2 = 15.0;
    SetDefaults();
}

void CPageCurvedTurnout::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_CURVED_TURNOUT_PREVIEW, m_wndPreview);
    ExchangeLength(dx, IDC_WIZARD_ENTRY_CURVED, m_strEntry, PieceLengths(0.0));
    ExchangeSet(dx, 1);
    ExchangeSet(dx, 2);
}

void CPageCurvedTurnout::SetDefaults() {
    m_dDefaultsRatio = m_dRatio;
    m_dEntry = 2.0 * m_dUnit;
    m_dPrevEntry = m_dEntry;
    SetBranch(1, 13.0 * m_dUnit, 10.0);
    SetBranch(2, 10.0 * m_dUnit, 15.0);
    FormatTexts();
}

void CPageCurvedTurnout::FormatTexts() {
    m_strEntry = FormatLength(m_dEntry);
    RefreshSetTexts();
}

BOOL CPageCurvedTurnout::OnInitDialog() {
    CPageWizard::OnInitDialog();
    CheckRadioButton(IDC_CURVED_TURNOUT_LEFT, IDC_CURVED_TURNOUT_WYE, m_nHand);
    return OpenSetPage("Curved Turnout");
}

bool CPageCurvedTurnout::MakeObjects() {
    m_pEntryTrack = nullptr;
    m_pCurve1 = Create<CCircTrack>(kToolCurveTrack);
    m_pCurve2 = Create<CCircTrack>(kToolCurveTrack);
    m_pDimLine1 = Create<CSizeLine>(kToolDimensionLine);
    m_pDimLine2 = Create<CSizeLine>(kToolDimensionLine);
    m_pLabel1 = Create<CWizardLabel>(kToolWizardLabel);
    m_pLabel2 = Create<CWizardLabel>(kToolWizardLabel);
    if (!AllMade({m_pCurve1, m_pCurve2, m_pDimLine1, m_pDimLine2, m_pLabel1, m_pLabel2}))
        return false;
    ShowInPreview(m_wndPreview, MakeGroup({m_pCurve1, m_pCurve2}),
                  MakeGroup({m_pDimLine1, m_pDimLine2, m_pLabel1, m_pLabel2}));
    return true;
}

void CPageCurvedTurnout::OnLeft() {
    ChooseHand(IDC_CURVED_TURNOUT_LEFT);
}

void CPageCurvedTurnout::OnRight() {
    ChooseHand(IDC_CURVED_TURNOUT_RIGHT);
}

void CPageCurvedTurnout::OnWye() {
    ChooseHand(IDC_CURVED_TURNOUT_WYE);
}

// What was typed is taken with the limits of leaving each field.
void CPageCurvedTurnout::TakeTypedFields() {
    CommitSet(1);
    CommitSet(2);
    OnEntryEdited();
}

// The piece at the open end of the turnout is marked connected there: the entry straight's
// begin, or curve 2's end at the origin, which is its begin only when it bends to the left.
void CPageCurvedTurnout::OnOK() {
    if (m_pPiece != nullptr) {
        if (m_pEntryTrack != nullptr)
            m_pEntryTrack->m_bBeginConnected = 1;
        else if (m_nHand == IDC_CURVED_TURNOUT_LEFT)
            m_pCurve2->m_bBeginConnected = 1;
        else
            m_pCurve2->m_bEndConnected = 1;
    }
    CPageWizard::OnOK();
}

void CPageCurvedTurnout::Build() {
    if (m_pPiece == nullptr)
        return;
    KeepEntryStraight(m_pEntryTrack, 2);
    m_pPiece->m_strType = m_nHand == IDC_CURVED_TURNOUT_LEFT    ? "Left"
                          : m_nHand == IDC_CURVED_TURNOUT_RIGHT ? "Right"
                                                                : "Wye";
    UpdateData(FALSE);
    KeepBuiltSetValues();
    ShapePieces();
    m_pPiece->RecalcFrame();
    ShapeAnnotations();
    FinishBuild(m_wndPreview);
}

// Every curve that bends towards -y is given from its far end, so that it runs
// counter-clockwise back to its tangent point on the x axis.
void CPageCurvedTurnout::ShapePieces() {
    const double e = m_dEntry;
    ShapeEntry(m_pEntryTrack);
    const double r1 = m_dRadius1, a1 = m_dAngleRad1, r2 = m_dRadius2, a2 = m_dAngleRad2;
    if (m_nHand == IDC_CURVED_TURNOUT_RIGHT)
        m_pCurve1->SetArc(e, -r1, r1, kPi * 0.5 - a1, a1, 0, 0);
    else
        m_pCurve1->SetArc(e, r1, r1, kPi * 1.5, a1, 0, 0);
    if (m_nHand == IDC_CURVED_TURNOUT_LEFT)
        m_pCurve2->SetArc(0.0, r2, r2, kPi * 1.5, a2, 0, 0);
    else
        m_pCurve2->SetArc(0.0, -r2, r2, kPi * 0.5 - a2, a2, 0, 0);
}

void CPageCurvedTurnout::ShapeAnnotations() {
    const double e = m_dEntry, l1 = m_dLength1, o1 = m_dOffset1, l2 = m_dLength2, o2 = m_dOffset2,
                 inch = m_dInchAtScale;
    m_pDimLine1->m_pose.angle = kPi * 0.5;
    m_pDimLine2->m_pose.angle = kPi * 0.5;
    double w = 0.0, h = 0.0;
    MeasureLabel(w, h, "Length1");
    const int height = m_nLabelHeight;
    if (m_nHand == IDC_CURVED_TURNOUT_LEFT) {
        m_pDimLine1->SetPoints(e, 0.0, e + l1, o1, e + l1 / 2.0, -inch, 0, 0, 0);
        m_pDimLine2->SetPoints(0.0, 0.0, l2, o2, l2 / 2.0, o2 + inch, 0, 0, 0);
        m_pLabel1->SetLabel(e, -inch, e + w, -inch - h, height, "Length1", 1);
        m_pLabel2->SetLabel(0.0, o2 + inch + 3.0 * h, w, o2 + inch + 4.0 * h, height, "Length2", 1);
        return;
    }
    m_pDimLine2->SetPoints(0.0, 0.0, l2, -o2, l2 / 2.0, -(o2 + inch), 0, 0, 0);
    m_pLabel2->SetLabel(0.0, -(o2 + inch), w, -(o2 + inch) + h, height, "Length2", 1);
    if (m_nHand == IDC_CURVED_TURNOUT_RIGHT) {
        m_pDimLine1->SetPoints(e, 0.0, e + l1, -o1, e + l1 / 2.0, inch, 0, 0, 0);
        m_pLabel1->SetLabel(e, inch + 3.0 * h, e + w, inch + 2.0 * h, height, "Length1", 1);
    } else {
        m_pDimLine1->SetPoints(e, 0.0, e + l1, o1, (e + l1) / 2.0, o1 + inch, 0, 0, 0);
        m_pLabel1->SetLabel(e, o1 + inch + 3.0 * h, e + w, o1 + inch + 2.0 * h, height, "Length1", 1);
    }
}
