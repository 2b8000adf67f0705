#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "platform/ctl/CButton.h"
#include "platform/ctl/CDataExchange.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/CUserException.h"
#include "platform/ctl/DataExchange.h"
#include "platform/win/MessageBoxes.h"
#include "resources/TrackPropertiesPictures.h"
#include "resources/TrackPropertiesTemplates.h"
#include "track/CArcTrack.h"
#include "track/CCircTrack.h"
#include "track/CTrackPropertyDialog.h"

namespace {

constexpr double kDegree = 3.1415926535 * 0.005555555555555556;
constexpr double kLargestSweep = 2.0 * 3.1415926535;
// Half the last shown decimal of a degree field.
constexpr double kShownDegreeStep = 0.005;

// A degree field that still shows the angle keeps it exactly; anything else typed replaces it.
void TakeDegrees(double shown, double& radians) {
    if (std::fabs(shown - radians / kPi * 180.0) >= kShownDegreeStep)
        radians = shown * kDegree;
}

bool IsModified(CWnd* control) {
    auto* edit = dynamic_cast<CEdit*>(control);
    return edit != nullptr && edit->GetModify();
}

// A field whose text the copy now holds: OK must not commit it a second time, when the copy's
// other quantities may have followed another held mark.
void MarkTaken(CWnd* control) {
    if (auto* edit = dynamic_cast<CEdit*>(control))
        edit->SetModify(FALSE);
}

}  // namespace

// ---- Held-quantity marks of the circular curve ----

void CTrackPropertyDialog::CheckHeldMark(int checked, int unchecked) {
    if (!IsButtonChecked(unchecked))
        return;
    static_cast<CButton*>(GetDlgItem(unchecked))->SetCheck(0);
    static_cast<CButton*>(GetDlgItem(checked))->SetCheck(1);
}

void CTrackPropertyDialog::OnLengthSetFocus() {
    CheckHeldMark(IDC_TRACK_HOLD_ANGLE, IDC_TRACK_HOLD_LENGTH);
}

void CTrackPropertyDialog::OnRadiusSetFocus() {
    CheckHeldMark(IDC_TRACK_HOLD_ANGLE, IDC_TRACK_HOLD_RADIUS);
}

void CTrackPropertyDialog::OnArcDegreesSetFocus() {
    CheckHeldMark(IDC_TRACK_HOLD_RADIUS, IDC_TRACK_HOLD_ANGLE);
}

// ---- Shape fields ----

// A field left for Cancel is not read: its refusal would keep the dialog from closing.

void CTrackPropertyDialog::OnLengthKillFocus() {
    if (IsModified(GetDlgItem(IDC_TRACK_LENGTH)) && !IsLeftForCancel(*this))
        CommitLength();
}

void CTrackPropertyDialog::OnRadius1KillFocus() {
    if (IsModified(GetDlgItem(IDC_TRACK_RADIUS_1)) && !IsLeftForCancel(*this))
        CommitRadius1();
}

void CTrackPropertyDialog::OnRadius2KillFocus() {
    if (IsModified(GetDlgItem(IDC_TRACK_RADIUS_2)) && !IsLeftForCancel(*this))
        CommitRadius2();
}

void CTrackPropertyDialog::OnArcDegreesKillFocus() {
    if (IsModified(GetDlgItem(IDC_TRACK_ARC_DEGREES)) && !IsLeftForCancel(*this))
        CommitArcDegrees();
}

void CTrackPropertyDialog::OnStartAngleKillFocus() {
    if (IsModified(GetDlgItem(IDC_TRACK_START_ANGLE)) && !IsLeftForCancel(*this))
        CommitStartAngle();
}

BOOL CTrackPropertyDialog::CommitLength() {
    double length = m_copy->m_fLength;
    const int read = RefreshLengthField(IDC_TRACK_LENGTH, length);
    // A straight's length beyond the range waits for OK, which names the range.
    if (read == -1 || (read < 0 && IsCircle()))
        return RefuseShapeText(IDC_TRACK_LENGTH);
    const bool typed = read > 0;
    if (auto* circle = dynamic_cast<CCircTrack*>(m_copy); circle != nullptr && IsCircle()) {
        if (typed) {
            if (IsButtonChecked(IDC_TRACK_HOLD_ANGLE)) {
                circle->m_fRadius = length / circle->m_fSweep;
                ShowLength(IDC_TRACK_RADIUS_1, circle->m_fRadius);
            } else {
                circle->m_fLength = length;
                // The range keeps the sweep within a full turn; this drops the division's rounding.
                circle->m_fSweep = std::min(length / circle->m_fRadius, kLargestSweep);
                ShowText(IDC_TRACK_ARC_DEGREES, FormatDegrees(circle->m_fSweep));
            }
            circle->RebuildShape();
        }
    } else if (typed) {
        m_copy->m_fLength = length;
        m_copy->SetLength(&m_placement, length);
        m_copy->RebuildShape();
    }
    RedrawCopy();
    return TRUE;
}

BOOL CTrackPropertyDialog::CommitRadius1() {
    auto* circle = IsCircle() ? dynamic_cast<CCircTrack*>(m_copy) : nullptr;
    auto* arc = IsEllipse() ? dynamic_cast<CArcTrack*>(m_copy) : nullptr;
    if (circle == nullptr && arc == nullptr)
        return TRUE;
    double& kept = circle != nullptr ? circle->m_fRadius : arc->m_fRadiusX;
    double radius = kept;
    if (RefreshLengthField(IDC_TRACK_RADIUS_1, radius) < 0)
        return RefuseShapeText(IDC_TRACK_RADIUS_1);
    kept = radius;
    if (circle != nullptr) {
        if (!IsButtonChecked(IDC_TRACK_HOLD_ANGLE)) {
            circle->m_fSweep = std::min(circle->m_fLength / radius, kLargestSweep);
            ShowText(IDC_TRACK_ARC_DEGREES, FormatDegrees(circle->m_fSweep));
        } else {
            circle->m_fLength = radius * circle->m_fSweep;
            ShowLength(IDC_TRACK_LENGTH, circle->m_fLength);
        }
    }
    m_copy->RebuildShape();
    RedrawCopy();
    if (arc != nullptr)
        ShowLength(IDC_TRACK_LENGTH, arc->m_fLength);
    return TRUE;
}

BOOL CTrackPropertyDialog::CommitRadius2() {
    auto* arc = IsEllipse() ? dynamic_cast<CArcTrack*>(m_copy) : nullptr;
    if (arc == nullptr)
        return TRUE;
    if (RefreshLengthField(IDC_TRACK_RADIUS_2, arc->m_fRadiusY) < 0)
        return RefuseShapeText(IDC_TRACK_RADIUS_2);
    arc->RebuildShape();
    RepaintPreview();
    ShowLength(IDC_TRACK_LENGTH, arc->m_fLength);
    return TRUE;
}

// The field keeps what was typed, selected, for the person to mend. While the box is up the
// field loses the focus, and its handler must not refuse the text a second time.
BOOL CTrackPropertyDialog::RefuseShapeText(int id) {
    if (CDataExchange::IsRefusing())
        return FALSE;
    CString text;
    GetDlgItemText(id, text);
    CDataExchange dx(this, TRUE);
    dx.PrepareEditCtrl(id);
    try {
        dx.Refuse(LengthFields().RefusalFor(text, RefusalOf(RangeOf(id))));
    } catch (const CUserException&) {
    }
    return FALSE;
}

BOOL CTrackPropertyDialog::CommitArcDegrees() {
    const double degrees = ReadNumberField(IDC_TRACK_ARC_DEGREES);
    auto* circle = IsCircle() ? dynamic_cast<CCircTrack*>(m_copy) : nullptr;
    auto* arc = IsEllipse() ? dynamic_cast<CArcTrack*>(m_copy) : nullptr;
    double* sweep = circle != nullptr ? &circle->m_fSweep : arc != nullptr ? &arc->m_fSweep : nullptr;
    // A text that is no number waits for OK, which asks for one.
    if (std::isnan(degrees))
        return TRUE;
    if (!(degrees >= 0.0 && degrees <= 360.0)) {
        ShowIllegalValue();
        if (sweep != nullptr)
            ShowText(IDC_TRACK_ARC_DEGREES, FormatDegrees(*sweep));
        return FALSE;
    }
    if (sweep == nullptr)
        return TRUE;
    MarkTaken(GetDlgItem(IDC_TRACK_ARC_DEGREES));
    *sweep = degrees * kDegree;
    if (circle != nullptr) {
        if (!IsButtonChecked(IDC_TRACK_HOLD_RADIUS)) {
            circle->m_fRadius = circle->m_fLength / circle->m_fSweep;
            ShowLength(IDC_TRACK_RADIUS_1, circle->m_fRadius);
        } else {
            circle->m_fLength = circle->m_fRadius * circle->m_fSweep;
            ShowLength(IDC_TRACK_LENGTH, circle->m_fLength);
        }
    }
    m_copy->RebuildShape();
    RepaintPreview();
    ShowLength(IDC_TRACK_LENGTH, m_copy->m_fLength);
    return TRUE;
}

BOOL CTrackPropertyDialog::CommitStartAngle() {
    const double degrees = ReadNumberField(IDC_TRACK_START_ANGLE);
    auto* arc = IsEllipse() ? dynamic_cast<CArcTrack*>(m_copy) : nullptr;
    auto* circle = IsCircle() ? dynamic_cast<CCircTrack*>(m_copy) : nullptr;
    // A text that is no number waits for OK, which asks for one.
    if (std::isnan(degrees))
        return TRUE;
    if (!(degrees >= 0.0 && degrees <= 360.0)) {
        ShowIllegalValue();
        if (arc != nullptr || circle != nullptr)
            ShowText(IDC_TRACK_START_ANGLE,
                     FormatDegrees(arc != nullptr ? arc->m_fStartAngle : circle->m_fStartAngle));
        return FALSE;
    }
    if (arc != nullptr)
        arc->m_fStartAngle = degrees * kDegree;
    MarkTaken(GetDlgItem(IDC_TRACK_START_ANGLE));
    m_copy->RebuildShape();
    RepaintPreview();
    return TRUE;
}

// Enter on a field just typed closes the dialog without leaving the field: its handler runs
// here, so the copy's ends follow the typed shape before it is handed back.
BOOL CTrackPropertyDialog::CommitPendingShapeEdits() {
    const std::pair<int, std::function<BOOL()>> fields[] = {
        {IDC_TRACK_LENGTH, [this] { return CommitLength(); }},
        {IDC_TRACK_RADIUS_1, [this] { return CommitRadius1(); }},
        {IDC_TRACK_RADIUS_2, [this] { return CommitRadius2(); }},
        {IDC_TRACK_ARC_DEGREES, [this] { return CommitArcDegrees(); }},
        {IDC_TRACK_START_ANGLE, [this] { return CommitStartAngle(); }},
        {IDC_TRACK_BEGIN_ELEVATION, [this] { return OnBeginElevationKillFocus(), TRUE; }},
        {IDC_TRACK_END_ELEVATION, [this] { return OnEndElevationKillFocus(), TRUE; }},
        {IDC_TRACK_GRADE, [this] { return OnGradeKillFocus(), TRUE; }},
    };
    for (const auto& [id, commit] : fields) {
        CWnd* control = GetDlgItem(id);
        if (!IsModified(control) || commit())
            continue;
        GotoDlgCtrl(control);
        return FALSE;
    }
    return TRUE;
}

void CTrackPropertyDialog::ReadShapeFieldsIntoCopy() {
    if (IsStraight()) {
        double length = m_copy->m_fLength;
        if (RefreshLengthField(IDC_TRACK_LENGTH, length) > 0)
            m_copy->SetLength(&m_placement, length);
    } else if (auto* arc = dynamic_cast<CArcTrack*>(m_copy); arc != nullptr && IsEllipse()) {
        RefreshLengthField(IDC_TRACK_RADIUS_1, arc->m_fRadiusX);
        RefreshLengthField(IDC_TRACK_RADIUS_2, arc->m_fRadiusY);
        TakeDegrees(ReadNumberField(IDC_TRACK_START_ANGLE), arc->m_fStartAngle);
        TakeDegrees(ReadNumberField(IDC_TRACK_ARC_DEGREES), arc->m_fSweep);
    } else if (auto* circle = dynamic_cast<CCircTrack*>(m_copy); circle != nullptr && IsCircle()) {
        RefreshLengthField(IDC_TRACK_RADIUS_1, circle->m_fRadius);
        TakeDegrees(ReadNumberField(IDC_TRACK_START_ANGLE), circle->m_fStartAngle);
        TakeDegrees(ReadNumberField(IDC_TRACK_ARC_DEGREES), circle->m_fSweep);
    }
}

BOOL CTrackPropertyDialog::ValidateShapeFields() {
    if (IsStraight()) {
        double length = m_copy->m_fLength;
        if (!ValidateLengthField(length, IDC_TRACK_LENGTH))
            return FALSE;
        if (length != m_copy->m_fLength)
            m_copy->SetLength(&m_placement, length);
    } else if (auto* arc = dynamic_cast<CArcTrack*>(m_copy); arc != nullptr && IsEllipse()) {
        if (!ValidateLengthField(arc->m_fRadiusX, IDC_TRACK_RADIUS_1) ||
            !ValidateLengthField(arc->m_fRadiusY, IDC_TRACK_RADIUS_2))
            return FALSE;
        TakeDegrees(m_startAngle, arc->m_fStartAngle);
        TakeDegrees(m_arcDegrees, arc->m_fSweep);
    } else if (auto* circle = dynamic_cast<CCircTrack*>(m_copy); circle != nullptr && IsCircle()) {
        if (!ValidateLengthField(circle->m_fRadius, IDC_TRACK_RADIUS_1))
            return FALSE;
        TakeDegrees(m_startAngle, circle->m_fStartAngle);
        TakeDegrees(m_arcDegrees, circle->m_fSweep);
    } else {
        return TRUE;
    }
    // The ends follow the shape before the copy is handed back.
    m_copy->RebuildShape();
    m_copy->DragHandle(&m_placement, -1);
    return TRUE;
}

// ---- Elevations and grade ----

void CTrackPropertyDialog::SetElevationEntryMode(int mode) {
    auto* elevationButton = static_cast<CButton*>(GetDlgItem(IDC_TRACK_ELEVATION_ENTRY));
    auto* gradeButton = static_cast<CButton*>(GetDlgItem(IDC_TRACK_GRADE_ENTRY));
    if (elevationButton != nullptr)
        elevationButton->SetIcon(TrackPropertiesPicture(mode == 1 ? IDI_ENTRY_ACTIVE : IDI_ENTRY_IDLE));
    if (gradeButton != nullptr)
        gradeButton->SetIcon(TrackPropertiesPicture(mode == 1 ? IDI_ENTRY_IDLE : IDI_ENTRY_ACTIVE));
    for (int id : {IDC_TRACK_BEGIN_ELEVATION, IDC_TRACK_END_ELEVATION}) Enable(id, mode == 1);
    for (int id : {IDC_TRACK_FIXED_BEGIN, IDC_TRACK_FIXED_END, IDC_TRACK_GRADE, IDC_TRACK_GRADE_DIRECTION})
        Enable(id, mode == 0);
}

void CTrackPropertyDialog::OnElevationEntryButton() {
    if (m_elevationEntry == 1)
        return;
    m_elevationEntry = 1;
    SetElevationEntryMode(m_elevationEntry);
}

void CTrackPropertyDialog::OnGradeEntryButton() {
    if (m_elevationEntry == 0)
        return;
    m_elevationEntry = 0;
    SetElevationEntryMode(m_elevationEntry);
}

void CTrackPropertyDialog::ShowGradeDirection() {
    if (auto* button = static_cast<CButton*>(GetDlgItem(IDC_TRACK_GRADE_DIRECTION)))
        button->SetIcon(TrackPropertiesPicture(m_rising ? IDI_GRADE_RISING : IDI_GRADE_FALLING));
}

void CTrackPropertyDialog::OnGradeDirectionButton() {
    m_rising = m_rising ? 0 : 1;
    ShowGradeDirection();
    ApplyGrade();
}

void CTrackPropertyDialog::OnGradeKillFocus() {
    if (IsModified(GetDlgItem(IDC_TRACK_GRADE)))
        ApplyGrade();
}

void CTrackPropertyDialog::ApplyGrade() {
    if (m_copy == nullptr)
        return;
    CString grade;
    if (CWnd* field = GetDlgItem(IDC_TRACK_GRADE))
        field->GetWindowText(grade);
    double percent = 0.0;
    if (!ReadNumberText(grade, percent))
        return;
    CParTrack& copy = *m_copy;
    CString shown;
    if (IsButtonChecked(IDC_TRACK_FIXED_BEGIN)) {
        copy.m_fEndElevation = copy.m_fBeginElevation + copy.m_fLength * percent * (m_rising ? 0.01 : -0.01);
        Lengths().FormatLengthValue(shown, copy.m_fEndElevation, 1);
        ShowText(IDC_TRACK_END_ELEVATION, shown);
    } else {
        copy.m_fBeginElevation = copy.m_fEndElevation + copy.m_fLength * percent * (m_rising ? -0.01 : 0.01);
        Lengths().FormatLengthValue(shown, copy.m_fBeginElevation, 1);
        ShowText(IDC_TRACK_BEGIN_ELEVATION, shown);
    }
}

void CTrackPropertyDialog::OnBeginElevationKillFocus() {
    if (m_copy != nullptr && IsModified(GetDlgItem(IDC_TRACK_BEGIN_ELEVATION)))
        CommitElevation(IDC_TRACK_BEGIN_ELEVATION, m_copy->m_fBeginElevation);
}

void CTrackPropertyDialog::OnEndElevationKillFocus() {
    if (m_copy != nullptr && IsModified(GetDlgItem(IDC_TRACK_END_ELEVATION)))
        CommitElevation(IDC_TRACK_END_ELEVATION, m_copy->m_fEndElevation);
}

void CTrackPropertyDialog::CommitElevation(int id, double& elevation) {
    // A text that is no length in the range waits for OK, which names what the field takes.
    if (RefreshLengthField(id, elevation) <= 0)
        return;
    const CParTrack& copy = *m_copy;
    m_rising = copy.m_fEndElevation - copy.m_fBeginElevation > -0.01 ? 1 : 0;
    ShowGradeDirection();
    const double rise = copy.m_fBeginElevation - copy.m_fEndElevation;
    ShowGrade(GradePercent(rise, copy.m_fLength));
}

void CTrackPropertyDialog::ShowGrade(double grade) {
    CString text;
    text.Format("%.0f", std::fabs(grade));
    ShowText(IDC_TRACK_GRADE, text);
}
