#include "shell/CTrainPage.h"

#include <cmath>

#include "model/Units.h"
#include "platform/ctl/DataExchange.h"
#include "resources/PreferencePagesTemplates.h"
#include "ui/LengthEntry.h"

namespace {
constexpr LengthRange kDistances{0.0, kLargestFieldLength};
}  // namespace

IMPLEMENT_DYNAMIC(CTrainPage, CPropertyPage)

CTrainPage::CTrainPage() : CPropertyPage(TrainPageTemplate()), m_nUnitIndex(kDefaultUnitIndex) {}

void CTrainPage::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    const CLengthFormat lengths(m_nUnitIndex);
    m_elevationGap.Exchange(dx, IDC_TRAIN_ELEVATION_GAP, lengths, kDistances,
                            DataExchangeMessages::kEnterNumberBetween);
    DDX_Text(dx, IDC_TRAIN_GRADE, m_fMaxGrade);
    m_connectionDistance.Exchange(dx, IDC_TRAIN_CONNECTION_DISTANCE, lengths, kDistances,
                                  DataExchangeMessages::kEnterNumberBetween);
    m_bendDeformation.Exchange(dx, IDC_TRAIN_BEND_DEFORMATION, 0.0, 1.0);
    DDX_Text(dx, IDC_TRAIN_ANGLE, m_fMaxAngle);
}

void CTrainPage::OnOK() {
    UpdateData(TRUE);
    CPropertyPage::OnOK();
}

void CTrainPage::LoadDistances(double elevationGap, double connectionDistance) {
    const CLengthFormat lengths(m_nUnitIndex);
    m_elevationGap.Load(lengths, elevationGap);
    m_connectionDistance.Load(lengths, connectionDistance);
}

double CTrainPage::ElevationGap() const {
    return m_elevationGap.Length(CLengthFormat(m_nUnitIndex), kDistances);
}

double CTrainPage::ConnectionDistance() const {
    return m_connectionDistance.Length(CLengthFormat(m_nUnitIndex), kDistances);
}

void CTrainPage::ShowRestoredValues() {
    CString text;
    SetDlgItemText(IDC_TRAIN_CONNECTION_DISTANCE, m_connectionDistance.m_text);
    SetDlgItemText(IDC_TRAIN_ELEVATION_GAP, m_elevationGap.m_text);
    text.Format("%.0f", m_fMaxGrade);
    SetDlgItemText(IDC_TRAIN_GRADE, text);
    text.Format("%.0f", m_fMaxAngle);
    SetDlgItemText(IDC_TRAIN_ANGLE, text);
    SetDlgItemText(IDC_TRAIN_BEND_DEFORMATION, m_bendDeformation.m_text);
}
