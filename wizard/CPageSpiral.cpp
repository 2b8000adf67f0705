#include "wizard/CPageSpiral.h"

#include <algorithm>
#include <cmath>

#include "drawing/CSizeLine.h"
#include "model/CGroup.h"
#include "model/Units.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/DataExchange.h"
#include "resources/WizardPageTemplates.h"
#include "track/CSplineTrack.h"
#include "wizard/CWizardLabel.h"

IMPLEMENT_DYNCREATE(CPageSpiral, CPageHanded)
BEGIN_MESSAGE_MAP(CPageSpiral, CPageHanded)
ON_EN_KILLFOCUS(IDC_SPIRAL_LENGTH, OnLengthEdited)
ON_EN_KILLFOCUS(IDC_SPIRAL_RADIUS, OnRadiusEdited)
ON_BN_CLICKED(IDC_SPIRAL_LEFT, OnLeft)
ON_BN_CLICKED(IDC_SPIRAL_RIGHT, OnRight)
END_MESSAGE_MAP()

namespace {

constexpr int kSegments = 7;
constexpr int kStepsPerSegment = 30;
// A step that rises more than its own length moves on by this much instead.
constexpr double kSteepStep = 10.0;
// Handles reach a fifth of the chord to the neighbouring knot (0.04 is its square).
constexpr double kHandleShareSquared = 0.04;

// The distance along a tangent of slope m that covers a fifth of the chord from a to b.
double HandleReach(const CDoublePoint& a, const CDoublePoint& b, double m) {
    return std::sqrt(((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y)) * kHandleShareSquared /
                     (m * m + 1.0));
}

}  // namespace

CPageSpiral::CPageSpiral() : CPageHanded(IDD_WIZARD_SPIRAL, IDC_SPIRAL_LEFT) {
    SetDefaults();
}

void CPageSpiral::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_SPIRAL_PREVIEW, m_wndPreview);
    ExchangeLength(dx, IDC_SPIRAL_LENGTH, m_strLength, PieceLengths(kSmallest));
    ExchangeLength(dx, IDC_SPIRAL_RADIUS, m_strRadius, PieceLengths(kSmallest));
    ExchangeLength(dx, IDC_SPIRAL_OFFSET, m_strOffset, PieceLengths(0.0));
}

void CPageSpiral::SetDefaults() {
    m_dDefaultsRatio = m_dRatio;
    m_dLength = 15.0 * m_dUnit;
    m_dRadius = 12.0 * m_dUnit;
    FormatTexts();
}

BOOL CPageSpiral::OnInitDialog() {
    CPageWizard::OnInitDialog();
    CheckRadioButton(IDC_SPIRAL_LEFT, IDC_SPIRAL_RIGHT, m_nHand);
    if (auto* offset = dynamic_cast<CEdit*>(GetDlgItem(IDC_SPIRAL_OFFSET)))
        offset->SetReadOnly(TRUE);
    if (m_dRatio != m_dDefaultsRatio)
        SetDefaults();
    m_pSpline = Create<CSplineTrack>(kToolSplineTrack);
    m_pDimLine1 = Create<CSizeLine>(kToolDimensionLine);
    m_pDimLine2 = Create<CSizeLine>(kToolDimensionLine);
    m_pLabel1 = Create<CWizardLabel>(kToolWizardLabel);
    m_pLabel2 = Create<CWizardLabel>(kToolWizardLabel);
    if (!AllMade({m_pSpline, m_pDimLine1, m_pDimLine2, m_pLabel1, m_pLabel2}))
        return TRUE;
    ShowInPreview(m_wndPreview, m_pSpline, MakeGroup({m_pDimLine1, m_pDimLine2, m_pLabel1, m_pLabel2}));
    m_pPiece->m_strCategory = "Track";
    m_pPiece->m_strName = "Spiral track";
    Build();
    return TRUE;
}

// The radius follows the length.
void CPageSpiral::OnLengthEdited() {
    const auto limit = [this] {
        m_dLength = TypedOrBuilt(m_strLength, m_dLength);
        m_dRadius = Follow(m_dRadius, m_dLength);
        FormatTexts();
    };
    if (CommitEdit(limit, m_dLength, m_dPrevLength))
        Build();
}

// The length follows the radius.
void CPageSpiral::OnRadiusEdited() {
    const auto limit = [this] {
        m_dRadius = TypedOrBuilt(m_strRadius, m_dRadius);
        m_dLength = Follow(m_dLength, m_dRadius);
        FormatTexts();
    };
    if (CommitEdit(limit, m_dRadius, m_dPrevRadius))
        Build();
}

double CPageSpiral::Follow(double value, double typed) {
    return std::clamp(value, typed / 2.0, std::min(2.0 * typed, kLargestFieldLength));
}

void CPageSpiral::FormatTexts() {
    m_strLength = FormatLength(m_dLength);
    m_strRadius = FormatLength(m_dRadius);
}

void CPageSpiral::OnLeft() {
    ChooseHand(IDC_SPIRAL_LEFT);
}

void CPageSpiral::OnRight() {
    ChooseHand(IDC_SPIRAL_RIGHT);
}

void CPageSpiral::TakeTypedFields() {
    OnLengthEdited();
    OnRadiusEdited();
}

// The sideways offset of the cubic spiral grows as s cubed over 6 L R along it; seven passes
// of thirty steps give the knots and their slopes, and each knot's handles lie on its tangent.
CPointArray CPageSpiral::ControlPoints(double length, double radius, double side) {
    const double step = length * (1.0 / 7.0) * (1.0 / 30.0);
    const double k = 6.0 * length * radius;
    std::array<CDoublePoint, kControlPoints> p{};
    std::array<double, kControlPoints> slope{};
    double s = 0.0, x = 0.0, previousY = 0.0;
    for (int pass = 1; pass <= kSegments; ++pass) {
        double dx = 0.0, dy = 0.0;
        for (int i = 0; i < kStepsPerSegment; ++i) {
            s += step;
            const double y = side * s * s / k * s;
            dy = y - previousY;
            dx = step > std::fabs(dy) ? std::sqrt(step * step - dy * dy) : kSteepStep;
            x += dx;
            previousY = y;
            if (pass == 1 && i == 0)
                slope[0] = dy / dx;
        }
        p[3 * pass] = {x, previousY};
        slope[3 * pass] = dy / dx;
    }
    const double first = HandleReach(p[0], p[3], slope[0]);
    p[1] = {p[0].x + first, p[0].y + first * slope[0]};
    for (int knot = 3; knot < kControlPoints; knot += 3) {
        const double before = HandleReach(p[knot], p[knot - 3], slope[knot]);
        p[knot - 1] = {p[knot].x - before, p[knot].y - before * slope[knot]};
        if (knot + 3 < kControlPoints) {
            const double after = HandleReach(p[knot], p[knot + 3], slope[knot]);
            p[knot + 1] = {p[knot].x + after, p[knot].y + after * slope[knot]};
        }
    }
    CPointArray points;
    for (const CDoublePoint& point : p) points.Add(point);
    return points;
}

void CPageSpiral::Build() {
    if (m_pPiece == nullptr)
        return;
    m_dPrevLength = m_dLength;
    m_dPrevRadius = m_dRadius;
    m_dOffset = m_dLength * m_dLength / m_dRadius * (1.0 / 6.0);
    m_strOffset = FormatLength(m_dOffset);
    UpdateData(FALSE);
    const bool left = m_nHand == IDC_SPIRAL_LEFT;
    m_pPiece->m_strType = left ? "Left" : "Right";
    CPointArray points = ControlPoints(m_dLength, m_dRadius, left ? 1.0 : -1.0);
    const CDoublePoint start = points[0];
    const CDoublePoint end = points[kControlPoints - 1];
    m_pSpline->SetControlPoints(&points, 0, 0);
    ShapeAnnotations(start, end);
    FinishBuild(m_wndPreview);
}

void CPageSpiral::ShapeAnnotations(const CDoublePoint& start, const CDoublePoint& end) {
    const double inch = m_dInchAtScale;
    const bool left = m_nHand == IDC_SPIRAL_LEFT;
    m_pDimLine1->m_pose.angle = kPi * 0.5;
    m_pDimLine1->SetPoints(start.x, start.y, end.x, end.y, (start.x + end.x) / 2.0,
                           left ? -inch : start.y + inch, 0, 0, 0);
    m_pDimLine2->SetPoints(start.x, start.y, end.x, end.y, start.x - inch, (start.y + end.y) / 2.0, 0, 0, 0);
    double w1 = 0.0, h1 = 0.0, w2 = 0.0, h2 = 0.0;
    MeasureLabel(w1, h1, "Length along Spiral");
    MeasureLabel(w2, h2, "Offset");
    const int height = m_nLabelHeight;
    // The text ends clear of the dimension line's arrowheads, however wide it draws.
    const CDoublePoint offsetText = LabelTextSize("Offset");
    const double offsetRight = start.x - inch - std::max(h2, 0.5 * offsetText.y);
    w2 = std::max(w2, offsetText.x);
    // Centred under the piece: beside "Offset" the long text would be wider than any fit allows.
    const double lengthHalf = 0.5 * std::max(w1, LabelTextSize("Length along Spiral").x);
    const double lengthLeft = (start.x + end.x) / 2.0 - lengthHalf;
    const double lengthRight = (start.x + end.x) / 2.0 + lengthHalf;
    if (left) {
        m_pLabel1->SetLabel(lengthLeft, start.y - inch, lengthRight, start.y - inch - h1, height,
                            "Length along Spiral", 1);
        m_pLabel2->SetLabel(offsetRight - w2, end.y - 2.0 * h2, offsetRight, end.y - 3.0 * h2, height,
                            "Offset", 1);
        return;
    }
    const double middle = (start.y + end.y) / 2.0;
    m_pLabel1->SetLabel(lengthLeft, start.y + inch + 3.0 * h1, lengthRight, start.y + inch + 2.0 * h1, height,
                        "Length along Spiral", 1);
    m_pLabel2->SetLabel(offsetRight - w2, middle, offsetRight, middle - h2, height, "Offset", 1);
}
