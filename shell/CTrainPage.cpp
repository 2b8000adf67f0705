#include "shell/CTrainPage.h"

#include "model/Units.h"
#include "platform/ctl/DataExchange.h"
#include "resources/PreferencePagesTemplates.h"
#include "ui/LengthEntry.h"

namespace {
constexpr LengthRange kDistances{0.0, kLargestFieldLength};
// A grade in percent, an angle in radians, a bend limit.
constexpr FieldRange kGrades{0.0, 100.0};
constexpr FieldRange kAngles{0.0, kPi};
constexpr FieldRange kBendLimits{0.0, 1.0};
constexpr const char* kBetween = DataExchangeMessages::kEnterNumberBetween;
}  // namespace

IMPLEMENT_DYNAMIC(CTrainPage, CPropertyPage)

CTrainPage::CTrainPage() : CPropertyPage(TrainPageTemplate()), m_nUnitIndex(kDefaultUnitIndex) {}

void CTrainPage::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    m_elevationGap.Exchange(dx, IDC_TRAIN_ELEVATION_GAP, kDistances, kBetween);
    m_grade.Exchange(dx, IDC_TRAIN_GRADE, kGrades, kBetween);
    m_connectionDistance.Exchange(dx, IDC_TRAIN_CONNECTION_DISTANCE, kDistances, kBetween);
    m_bendDeformation.Exchange(dx, IDC_TRAIN_BEND_DEFORMATION, kBendLimits, kBetween);
    m_angle.Exchange(dx, IDC_TRAIN_ANGLE, kAngles, kBetween);
}

void CTrainPage::OnOK() {
    UpdateData(TRUE);
    CPropertyPage::OnOK();
}

void CTrainPage::LoadLimits(const TrackLimits& limits) {
    const CFieldFormat lengths = CFieldFormat::Lengths(CLengthFormat(m_nUnitIndex));
    m_elevationGap.Load(lengths, limits.maxElevationGap);
    m_grade.Load(CFieldFormat::Numbers(), limits.maxGrade);
    m_connectionDistance.Load(lengths, limits.maxConnectionDistance);
    // The deformation allowed is what the bend limit leaves of 1.
    m_bendDeformation.Load(CFieldFormat::Numbers().ShownAs(-1.0, 1.0), limits.bendLimit);
    m_angle.Load(CFieldFormat::Thousandths().ShownAs(180.0 / kPi, 0.0), limits.maxAngle);
}

TrackLimits CTrainPage::Limits() const {
    TrackLimits limits;
    limits.maxElevationGap = m_elevationGap.Value(kDistances);
    limits.maxGrade = m_grade.Value(kGrades);
    limits.maxConnectionDistance = m_connectionDistance.Value(kDistances);
    limits.bendLimit = m_bendDeformation.Value(kBendLimits);
    limits.maxAngle = m_angle.Value(kAngles);
    return limits;
}

void CTrainPage::ShowRestoredValues() {
    SetDlgItemText(IDC_TRAIN_CONNECTION_DISTANCE, m_connectionDistance.m_text);
    SetDlgItemText(IDC_TRAIN_ELEVATION_GAP, m_elevationGap.m_text);
    SetDlgItemText(IDC_TRAIN_GRADE, m_grade.m_text);
    SetDlgItemText(IDC_TRAIN_ANGLE, m_angle.m_text);
    SetDlgItemText(IDC_TRAIN_BEND_DEFORMATION, m_bendDeformation.m_text);
}
