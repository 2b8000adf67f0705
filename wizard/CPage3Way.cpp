#include "wizard/CPage3Way.h"

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

IMPLEMENT_DYNCREATE(CPage3Way, CPageWizard)
BEGIN_MESSAGE_MAP(CPage3Way, CPageWizard)
ON_EN_KILLFOCUS(IDC_3WAY_LENGTH3, OnLength3Edited)
END_MESSAGE_MAP()

namespace {

// Both branches turn by at most a right angle.
constexpr CPageWizard::SetRules k3WayRules{90.0, false};

}  // namespace

CPage3Way::CPage3Way() : CPageWizard(IDD_WIZARD_3WAY) {
    m_setRules = k3WayRules;
    m_dAngle1 = 15.0;
    m_dAngle2 = 15.0;
    m_strLength1 = m_strLength2 = "15";
    m_strOffset1 = m_strOffset2 = "5";
    m_strRadius1 = m_strRadius2 = "25";
    m_strEntry = "2";
    SetDefaults();
}

void CPage3Way::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_3WAY_PREVIEW, m_wndPreview);
    ExchangeLength(dx, IDC_WIZARD_ENTRY, m_strEntry, PieceLengths(0.0));
    ExchangeSet(dx, 1);
    ExchangeSet(dx, 2);
    ExchangeLength(dx, IDC_3WAY_LENGTH3, m_strLength3, PieceLengths(m_dUnit));
}

void CPage3Way::SetDefaults() {
    m_dLength3 = 13.0 * m_dUnit;
    m_dEntry = 2.0 * m_dUnit;
    m_dPrevEntry = m_dEntry;
    m_dDefaultsRatio = m_dRatio;
    SetBranch(1, 9.0 * m_dUnit, 15.0);
    SetBranch(2, 9.0 * m_dUnit, 15.0);
    FormatTexts();
}

void CPage3Way::FormatTexts() {
    m_strLength3 = FormatLength(m_dLength3);
    RefreshSetTexts();
    m_strEntry = FormatLength(m_dEntry);
}

BOOL CPage3Way::OnInitDialog() {
    CPageWizard::OnInitDialog();
    return OpenSetPage("3-Way");
}

bool CPage3Way::MakeObjects() {
    m_pEntryTrack = nullptr;
    m_pThrough = Create<CTrack>(kToolStraightTrack);
    m_pCurve1 = Create<CCircTrack>(kToolCurveTrack);
    m_pCurve2 = Create<CCircTrack>(kToolCurveTrack);
    m_pDimLine1 = Create<CSizeLine>(kToolDimensionLine);
    m_pDimLine2 = Create<CSizeLine>(kToolDimensionLine);
    m_pDimLine3 = Create<CSizeLine>(kToolDimensionLine);
    m_pLabel1 = Create<CWizardLabel>(kToolWizardLabel);
    m_pLabel2 = Create<CWizardLabel>(kToolWizardLabel);
    m_pLabel3 = Create<CWizardLabel>(kToolWizardLabel);
    if (!AllMade({m_pThrough, m_pCurve1, m_pCurve2, m_pDimLine1, m_pDimLine2, m_pDimLine3, m_pLabel1,
                  m_pLabel2, m_pLabel3}))
        return false;
    ShowInPreview(m_wndPreview, MakeGroup({m_pThrough, m_pCurve1, m_pCurve2}),
                  MakeGroup({m_pDimLine1, m_pDimLine2, m_pDimLine3, m_pLabel1, m_pLabel2, m_pLabel3}));
    return true;
}

void CPage3Way::RefreshAll() {
    FormatTexts();
    UpdateData(FALSE);
}

// Leaving the through route's length always builds the page again.
void CPage3Way::OnLength3Edited() {
    if (!ReadEditedFields())
        return;
    m_dLength3 = ParseLength(m_strLength3);
    Build();
    RefreshAll();
}

// What was typed is taken with the limits of leaving each field. The entry goes first: the
// other fields write every text back from its value, the entry's too.
void CPage3Way::TakeTypedFields() {
    OnEntryEdited();
    OnLength3Edited();
    CommitSet(1);
    CommitSet(2);
}

// The through route's begin is the joint to the track before the turnout.
void CPage3Way::OnOK() {
    if (m_pPiece != nullptr)
        m_pThrough->m_bBeginConnected = 1;
    CPageWizard::OnOK();
}

void CPage3Way::Build() {
    if (m_pPiece == nullptr)
        return;
    UpdateData(FALSE);
    KeepEntryStraight(m_pEntryTrack, 3);
    m_pPiece->m_strType = "3-Way";
    m_dPrevLength3 = m_dLength3;
    KeepBuiltSetValues();
    const double e = m_dEntry, l3 = m_dLength3, inch = m_dInchAtScale;
    ShapeEntry(m_pEntryTrack);
    m_pThrough->SetEnds(e, 0.0, e + l3, 0.0, 0, 0);
    m_pCurve1->SetArc(e, m_dRadius1, m_dRadius1, kPi * 1.5, m_dAngleRad1, 0, 0);
    m_pCurve2->SetArc(e, -m_dRadius2, m_dRadius2, 1.57079632675 - m_dAngleRad2, m_dAngleRad2, 0, 0);
    m_pPiece->RecalcFrame();
    const double o1 = m_dOffset1, o2 = m_dOffset2, l1 = m_dLength1, l2 = m_dLength2;
    for (CSizeLine* line : {m_pDimLine1, m_pDimLine2, m_pDimLine3}) line->m_pose.angle = kPi * 0.5;
    m_pDimLine1->SetPoints(e, 0.0, e + l1, o1, e + l1 / 2.0, o1 + inch, 0, 0, 0);
    m_pDimLine2->SetPoints(e, 0.0, e + l2, -o2, e + l2 / 2.0, -(o2 + inch), 0, 0, 0);
    m_pDimLine3->SetPoints(e, 0.0, e + l3, 0.0, e + l3 / 2.0, -3.0 * inch - o2, 0, 0, 0);
    double w = 0.0, h = 0.0;
    MeasureLabel(w, h, "Length1");
    m_pLabel1->SetLabel(e, o1 + inch + 3.0 * h, e + w, o1 + inch + 2.0 * h, m_nLabelHeight, "Length1", 1);
    m_pLabel2->SetLabel(e + h, -(o2 + inch), e + h + w, -(o2 + inch) + h, m_nLabelHeight, "Length2", 1);
    m_pLabel3->SetLabel(e, -3.0 * inch - o2, e + w, -3.0 * inch - o2 + h, m_nLabelHeight, "Length3", 1);
    FinishBuild(m_wndPreview);
}
