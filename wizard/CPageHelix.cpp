#include "wizard/CPageHelix.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "drawing/CSizeLine.h"
#include "model/CCVNDoc.h"
#include "model/CGroup.h"
#include "model/CLengthFormat.h"
#include "model/Units.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/DataExchange.h"
#include "resources/WizardPageTemplates.h"
#include "track/CCircTrack.h"
#include "track/CTrack.h"
#include "track/TrackAngles.h"
#include "wizard/CWizardLabel.h"

IMPLEMENT_DYNCREATE(CPageHelix, CPageWizard)
BEGIN_MESSAGE_MAP(CPageHelix, CPageWizard)
ON_EN_KILLFOCUS(IDC_HELIX_GRADE, OnGradeEdited)
ON_EN_KILLFOCUS(IDC_HELIX_TOTAL_HEIGHT, OnTotalHeightEdited)
ON_EN_KILLFOCUS(IDC_HELIX_RADIUS, OnRadiusEdited)
ON_EN_KILLFOCUS(IDC_HELIX_CURVE_ANGLE, OnCurveAngleEdited)
ON_EN_KILLFOCUS(IDC_HELIX_CURVE_COUNT, OnCurveCountEdited)
ON_EN_KILLFOCUS(IDC_HELIX_STRAIGHT_LENGTH, OnStraightLengthEdited)
ON_BN_CLICKED(IDC_HELIX_LEFT, OnLeftHelix)
ON_BN_CLICKED(IDC_HELIX_RIGHT, OnRightHelix)
ON_BN_CLICKED(IDC_HELIX_BY_GRADE, OnGradeTyped)
ON_BN_CLICKED(IDC_HELIX_BY_HEIGHT, OnHeightTyped)
END_MESSAGE_MAP()

namespace {

constexpr double kMostGrade = 100.0;
constexpr double kRightAngle = 90.0;
constexpr int kBridge = 1;
constexpr const char* kClimbBeyondReach =
    "A helix climbs from %s up to %s: lower the grade, the radius, or the curves' angle or number.";

}  // namespace

CPageHelix::CPageHelix() : CPageWizard(IDD_WIZARD_HELIX) {
    m_nCount = m_nCurveCount;
    SetDefaults();
}

void CPageHelix::DoDataExchange(CDataExchange* dx) {
    const ClimbValues before = Climb();
    DDX_Control(dx, IDC_HELIX_PREVIEW, m_wndPreview);
    ExchangeLength(dx, IDC_HELIX_TOTAL_HEIGHT, m_strTotalHeight, PieceLengths(0.0));
    ExchangeLength(dx, IDC_HELIX_RADIUS, m_strRadius, PieceLengths(3.0 * m_dUnit));
    ExchangeNumber(dx, IDC_HELIX_CURVE_ANGLE, m_dCurveAngle, m_dMinAngle, kRightAngle);
    ExchangeNumber(dx, IDC_HELIX_CURVE_COUNT, m_nCurveCount, 1, kMostCurves);
    ExchangeLength(dx, IDC_HELIX_STRAIGHT_LENGTH, m_strStraightLength, PieceLengths(m_dUnit));
    // A grade the height gives is shown as it is; a typed one is held to its range and is the
    // field a climb too high refuses, as it alone sets the height.
    if (m_nInput == IDC_HELIX_BY_GRADE) {
        ExchangeNumber(dx, IDC_HELIX_GRADE, m_dGrade, 0.0, kMostGrade);
        RefuseClimbBeyondReach(dx, before);
    } else {
        DDX_Text(dx, IDC_HELIX_GRADE, m_dGrade);
    }
}

// By the grade, the height the helix climbs is held to what a height field takes, far within
// the elevations a layout file keeps.
void CPageHelix::RefuseClimbBeyondReach(CDataExchange* dx, const ClimbValues& before) {
    if (!dx->m_bSaveAndValidate || m_pDoc == nullptr)
        return;
    const double climb =
        m_nCurveCount * (m_dCurveAngle * kPi / 180.0) * ParseLength(m_strRadius) * m_dGrade * 0.01;
    if (climb <= kLargestFieldLength)
        return;
    m_strRadius = before.radius;
    m_dCurveAngle = before.curveAngle;
    m_nCurveCount = before.curveCount;
    m_dGrade = before.grade;
    dx->Refuse(LengthRangeText(kClimbBeyondReach, CLengthFormat(m_pDoc->m_nUnitIndex), PieceLengths(0.0)));
}

CPageHelix::ClimbValues CPageHelix::Climb() const {
    return {m_strRadius, m_dCurveAngle, m_nCurveCount, m_dGrade};
}

void CPageHelix::SetDefaults() {
    m_dDefaultsRatio = m_dRatio;
    m_dCurveAngle = 45.0;
    m_dStraightLength = 10.0 * m_dUnit;
    m_dRadius = 10.0 * m_dUnit;
    m_dGrade = m_dGradeUsed = 4.0;
    m_dCurveAngleRad = kPi * 0.25;
    m_nCurveCount = 12;
    m_dTotalHeight = m_nCount * m_dCurveAngleRad * m_dRadius * 0.04;
    FormatTexts();
}

void CPageHelix::FormatTexts() {
    m_strRadius = FormatLength(m_dRadius);
    m_strStraightLength = FormatLength(m_dStraightLength);
    m_strTotalHeight = FormatLength(m_dTotalHeight);
}

BOOL CPageHelix::OnInitDialog() {
    CPageWizard::OnInitDialog();
    m_nHand = IDC_HELIX_LEFT;
    m_nInput = IDC_HELIX_BY_GRADE;
    CheckRadioButton(IDC_HELIX_LEFT, IDC_HELIX_RIGHT, m_nHand);
    CheckRadioButton(IDC_HELIX_BY_GRADE, IDC_HELIX_BY_HEIGHT, m_nInput);
    ChooseInput(m_nInput);
    if (m_dRatio != m_dDefaultsRatio)
        SetDefaults();
    m_pDimLine = Create<CSizeLine>(kToolDimensionLine);
    m_pLabel = Create<CWizardLabel>(kToolWizardLabel);
    if (!AllMade({m_pDimLine, m_pLabel}))
        return TRUE;
    m_pLabelGroup = MakeGroup({m_pDimLine, m_pLabel});
    CreatePieces();
    Build();
    return TRUE;
}

void CPageHelix::CreatePieces() {
    delete m_pPiece;
    m_pPiece = nullptr;
    m_pStraight1 = Create<CTrack>(kToolStraightTrack);
    m_pStraight2 = Create<CTrack>(kToolStraightTrack);
    if (!AllMade({m_pStraight1, m_pStraight2}))
        return;
    CGroup* group = MakeGroup({m_pStraight1, m_pStraight2});
    for (int k = 0; k < m_nCount; ++k)
        if (CPaint* curve = Create<CCircTrack>(kToolCurveTrack))
            group->m_members.push_back(curve);
    group->SetOwnerGroup(EditedGroup());
    group->m_strCategory = "Track";
    group->m_strName = "Helix";
    ShowInPreview(m_wndPreview, group, m_pLabelGroup);
}

void CPageHelix::Rederive() {
    const double turned = m_nCount * m_dCurveAngleRad * m_dRadius;
    if (m_nInput == IDC_HELIX_BY_GRADE) {
        m_dTotalHeight = turned * m_dGradeUsed * 0.01;
        m_strTotalHeight = FormatLength(m_dTotalHeight);
    } else {
        m_dGrade = CLengthFormat::RoundToThousandths(m_dTotalHeight / turned * 100.0);
    }
}

void CPageHelix::ApplyCount() {
    m_nCount = m_nCurveCount;
    if (m_nCount != m_nPrevCount)
        CreatePieces();
}

void CPageHelix::OnGradeEdited() {
    if (m_nInput != IDC_HELIX_BY_GRADE || !ReadEditedFields())
        return;
    if (m_dGrade != m_dPrevGradeUsed) {
        m_dGradeUsed = m_dGrade;
        Rederive();
        Build();
    }
    UpdateData(FALSE);
}

void CPageHelix::OnTotalHeightEdited() {
    if (m_nInput != IDC_HELIX_BY_HEIGHT || !ReadEditedFields())
        return;
    m_dTotalHeight = ParseLength(m_strTotalHeight);
    m_strTotalHeight = FormatLength(m_dTotalHeight);
    if (m_dTotalHeight != m_dPrevTotalHeight) {
        Rederive();
        Build();
    }
    UpdateData(FALSE);
}

void CPageHelix::OnRadiusEdited() {
    if (!ReadEditedFields())
        return;
    m_dRadius = ParseLength(m_strRadius);
    m_strRadius = FormatLength(m_dRadius);
    if (m_dRadius != m_dPrevRadius) {
        Rederive();
        Build();
    }
    UpdateData(FALSE);
}

void CPageHelix::OnCurveAngleEdited() {
    if (!ReadEditedFields())
        return;
    m_dCurveAngleRad = m_dCurveAngle * kPi / 180.0;
    if (m_dCurveAngleRad != m_dPrevCurveAngleRad) {
        Rederive();
        Build();
    }
    UpdateData(FALSE);
}

void CPageHelix::OnCurveCountEdited() {
    if (!ReadEditedFields())
        return;
    const int before = m_nPrevCount;
    ApplyCount();
    if (m_nCount != before) {
        Rederive();
        Build();
    }
    UpdateData(FALSE);
}

void CPageHelix::OnStraightLengthEdited() {
    if (CommitEdit([this] { m_dStraightLength = ParseLength(m_strStraightLength); }, m_dStraightLength,
                   m_dPrevStraightLength))
        Build();
}

void CPageHelix::OnLeftHelix() {
    if (m_nHand == static_cast<int>(IDC_HELIX_LEFT))
        return;
    m_nHand = IDC_HELIX_LEFT;
    Build();
}

void CPageHelix::OnRightHelix() {
    if (m_nHand == static_cast<int>(IDC_HELIX_RIGHT))
        return;
    m_nHand = IDC_HELIX_RIGHT;
    Build();
}

void CPageHelix::OnGradeTyped() {
    ChooseInput(IDC_HELIX_BY_GRADE);
}

void CPageHelix::OnHeightTyped() {
    ChooseInput(IDC_HELIX_BY_HEIGHT);
}

void CPageHelix::ChooseInput(int input) {
    m_nInput = input;
    if (auto* grade = dynamic_cast<CEdit*>(GetDlgItem(IDC_HELIX_GRADE)))
        grade->SetReadOnly(input != IDC_HELIX_BY_GRADE);
    if (auto* height = dynamic_cast<CEdit*>(GetDlgItem(IDC_HELIX_TOTAL_HEIGHT)))
        height->SetReadOnly(input != IDC_HELIX_BY_HEIGHT);
}

// Every field is taken as typed, and the height or the grade follows before the helix is
// built.
void CPageHelix::TakeTypedFields() {
    if (m_nInput == IDC_HELIX_BY_GRADE)
        m_dGradeUsed = m_dGrade;
    else
        m_dTotalHeight = ParseLength(m_strTotalHeight);
    m_dRadius = ParseLength(m_strRadius);
    m_dCurveAngleRad = m_dCurveAngle * kPi / 180.0;
    ApplyCount();
    m_dStraightLength = ParseLength(m_strStraightLength);
    Rederive();
    Build();
}

void CPageHelix::Build() {
    if (m_pPiece == nullptr)
        return;
    m_pPiece->m_strType = m_nHand == IDC_HELIX_RIGHT ? "Right" : "Left";
    UpdateData(FALSE);
    m_dPrevGradeUsed = m_dGradeUsed;
    m_dPrevRadius = m_dRadius;
    m_dPrevCurveAngleRad = m_dCurveAngleRad;
    m_dPrevStraightLength = m_dStraightLength;
    m_dPrevTotalHeight = m_dTotalHeight;
    m_nPrevCount = m_nCount;
    for (CPaint* member : static_cast<CGroup*>(m_pPiece)->m_members)
        static_cast<CParTrack*>(member)->m_nStyle = kBridge;
    // The entry straight keeps the elevations it was made with: the helix climbs from there.
    const double z0 = m_pStraight1->m_fBeginElevation;
    if (m_nHand == IDC_HELIX_RIGHT)
        ShapeRight(z0);
    else
        ShapeLeft(z0);
    m_pPiece->RecalcFrame();
    const double r = m_dRadius, inch = m_dInchAtScale;
    m_pDimLine->m_pose.angle = kPi * 0.5;
    m_pDimLine->SetPoints(r, -r, 2.0 * r, -r, r - m_dStraightLength / 2.0, -2.1 * r - inch, 0, 0, 0);
    m_pLabel->SetLabel(r, -2.15 * r - inch, r, -2.15 * r - inch, m_nLabelHeight, "Radius", 1);
    FinishBuild(m_wndPreview);
}

// Clockwise seen from above: each curve is given from its upper end, the arc running
// counter-clockwise back down to the curve before it.
void CPageHelix::ShapeLeft(double z0) {
    const double r = m_dRadius, a = m_dCurveAngleRad, rise = m_dTotalHeight / m_nCount;
    m_pStraight1->SetEnds(r - m_dStraightLength, 0.0, r, 0.0, 0, 0);
    auto& members = static_cast<CGroup*>(m_pPiece)->m_members;
    double start = kPi * 0.5 - a;
    double far = start;
    int k = 1;
    for (auto member = std::next(members.begin(), 2); member != members.end(); ++member, ++k) {
        auto* curve = static_cast<CCircTrack*>(*member);
        curve->SetArc(r, -r, r, start, a, 0, 0);
        curve->m_fEndElevation = z0 + (k - 1) * rise;
        curve->m_fBeginElevation = z0 + k * rise;
        far = start;
        start -= a;
        if (start < 0.0)
            start += kFullTurn;
    }
    ShapeExit(ReduceAngle(far), 1.0, z0);
}

void CPageHelix::ShapeRight(double z0) {
    const double r = m_dRadius, a = m_dCurveAngleRad, rise = m_dTotalHeight / m_nCount;
    m_pStraight1->SetEnds(r - m_dStraightLength, -2.0 * r, r, -2.0 * r, 0, 0);
    auto& members = static_cast<CGroup*>(m_pPiece)->m_members;
    double start = kPi * 1.5;
    double far = start;
    int k = 1;
    for (auto member = std::next(members.begin(), 2); member != members.end(); ++member, ++k) {
        auto* curve = static_cast<CCircTrack*>(*member);
        curve->SetArc(r, -r, r, start, a, 0, 0);
        curve->m_fBeginElevation = z0 + (k - 1) * rise;
        curve->m_fEndElevation = z0 + k * rise;
        far = start + a;
        start += a;
        if (start > kFullTurn)
            start -= kFullTurn;
    }
    ShapeExit(ReduceAngle(far), -1.0, z0);
}

void CPageHelix::ShapeExit(double far, double side, double z0) {
    const double r = m_dRadius, s = m_dStraightLength;
    const CDoublePoint p{r + r * std::cos(far), -r + r * std::sin(far)};
    m_pStraight2->SetEnds(p.x, p.y, p.x + side * s * std::sin(far), p.y - side * s * std::cos(far), 0, 0);
    m_pStraight2->m_fBeginElevation = z0 + m_dTotalHeight;
    m_pStraight2->m_fEndElevation = z0 + m_dTotalHeight;
}
