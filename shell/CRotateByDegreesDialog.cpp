#include "shell/CRotateByDegreesDialog.h"

#include "model/Units.h"
#include "platform/ctl/DataExchange.h"
#include "resources/RotateByDegreesTemplate.h"

IMPLEMENT_DYNAMIC(CRotateByDegreesDialog, CDialog)

CRotateByDegreesDialog::CRotateByDegreesDialog(CWnd* parent) : CDialog(RotateByDegreesTemplate(), parent) {}

double CRotateByDegreesDialog::AngleInRadians() const {
    return m_fDegrees * kPi * 0.005555555555555556;
}

void CRotateByDegreesDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_ROTATE_DEGREES, m_fDegrees);
    DDV_MinMaxDouble(dx, m_fDegrees, -360.0, 360.0);
}
