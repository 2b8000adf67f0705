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
#include "track/TrackFieldRanges.h"

namespace {

constexpr double kLargestSweep = 2.0 * 3.1415926535;
constexpr double kDegreesPerRadian = 180.0 / kPi;

bool IsModified(CWnd* control) {
    auto* edit = dynamic_cast<CEdit*>(control);
    return edit != nullptr && edit->GetModify();
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
                ShowDegrees(IDC_TRACK_ARC_DEGREES, circle->m_fSweep);
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
            ShowDegrees(IDC_TRACK_ARC_DEGREES, circle->m_fSweep);
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
    auto* circle = IsCircle() ? dynamic_cast<CCircTrack*>(m_copy) : nullptr;
    auto* arc = IsEllipse() ? dynamic_cast<CArcTrack*>(m_copy) : nullptr;
    double* sweep = circle != nullptr ? &circle->m_fSweep : arc != nullptr ? &arc->m_fSweep : nullptr;
    double typed = sweep != nullptr ? *sweep : 0.0;
    const int read = TakeDegreesField(IDC_TRACK_ARC_DEGREES, typed);
    if (read < 0)
        return FALSE;
    if (read == 0 || sweep == nullptr)
        return TRUE;
    *sweep = typed;
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
    ShowChangedLength(IDC_TRACK_LENGTH, m_copy->m_fLength);
    return TRUE;
}

BOOL CTrackPropertyDialog::CommitStartAngle() {
    auto* arc = IsEllipse() ? dynamic_cast<CArcTrack*>(m_copy) : nullptr;
    double typed = arc != nullptr ? arc->m_fStartAngle : 0.0;
    const int read = TakeDegreesField(IDC_TRACK_START_ANGLE, typed);
    if (read < 0)
        return FALSE;
    if (read == 0 || arc == nullptr)
        return TRUE;
    arc->m_fStartAngle = typed;
    m_copy->RebuildShape();
    RepaintPreview();
    return TRUE;
}

// ---- Angle fields ----

CFieldFormat CTrackPropertyDialog::OpenedDegrees() {
    return CFieldFormat::Thousandths().ShownAs(kDegreesPerRadian, 0.0);
}

CFieldFormat CTrackPropertyDialog::ShownDegreeFields() {
    return CFieldFormat::Hundredths().ShownAs(kDegreesPerRadian, 0.0);
}

FieldRange CTrackPropertyDialog::DegreeRangeOf(int id) {
    if (id == IDC_TRACK_START_ANGLE || m_copy == nullptr)
        return kStartAngles;
    return track_fields::SweepOf(*m_copy, IsButtonChecked(IDC_TRACK_HOLD_RADIUS) != 0);
}

// Named as the fields open, whatever a change has shown since.
CString CTrackPropertyDialog::DegreeRefusal(const FieldRange& range) {
    return OpenedDegrees().RangeText(DataExchangeMessages::kEnterNumberBetween, range);
}

void CTrackPropertyDialog::ExchangeDegrees(CDataExchange* dx, int id) {
    CTypedField& field = DegreeField(id);
    DDX_Text(dx, id, field.m_text);
    double typed = 0.0;
    const FieldRange range = DegreeRangeOf(id);
    if (!field.IsUntouched())
        CTypedField::Refuse(dx, field.m_text, OpenedDegrees(), range, DegreeRefusal(range), typed);
}

CTypedField& CTrackPropertyDialog::DegreeField(int id) {
    return id == IDC_TRACK_START_ANGLE ? m_startAngle : m_arcDegrees;
}

void CTrackPropertyDialog::ShowDegrees(int id, double radians) {
    CTypedField& field = DegreeField(id);
    field.Load(ShownDegreeFields(), radians);
    ShowText(id, field.m_text);
}

int CTrackPropertyDialog::TakeDegreesField(int id, double& radians) {
    CTypedField& field = DegreeField(id);
    const FieldRange range = DegreeRangeOf(id);
    // Typed back to the text it opened with, the field is the exact angle it opened with.
    CTypedField opened = id == IDC_TRACK_START_ANGLE ? m_openedStartAngle : m_openedArcDegrees;
    GetDlgItemText(id, opened.m_text);
    if (opened.IsUntouched()) {
        field = opened;
        return TakeLength(opened.Value(range), radians);
    }
    if (!field.Take(*this, id, range, DegreeRefusal(range), radians))
        return -1;
    if (field.IsUntouched())
        return 0;
    field.Load(OpenedDegrees(), radians);
    ShowText(id, field.m_text);
    return 1;
}

void CTrackPropertyDialog::ReadDegreesInto(int id, double& radians) {
    CTypedField& field = DegreeField(id);
    GetDlgItemText(id, field.m_text);
    radians = field.Value(DegreeRangeOf(id));
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
        ReadDegreesInto(IDC_TRACK_START_ANGLE, arc->m_fStartAngle);
        ReadDegreesInto(IDC_TRACK_ARC_DEGREES, arc->m_fSweep);
    } else if (auto* circle = dynamic_cast<CCircTrack*>(m_copy); circle != nullptr && IsCircle()) {
        RefreshLengthField(IDC_TRACK_RADIUS_1, circle->m_fRadius);
        ReadDegreesInto(IDC_TRACK_START_ANGLE, circle->m_fStartAngle);
        ReadDegreesInto(IDC_TRACK_ARC_DEGREES, circle->m_fSweep);
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
        arc->m_fStartAngle = m_startAngle.Value(kStartAngles);
        arc->m_fSweep = m_arcDegrees.Value(DegreeRangeOf(IDC_TRACK_ARC_DEGREES));
    } else if (auto* circle = dynamic_cast<CCircTrack*>(m_copy); circle != nullptr && IsCircle()) {
        if (!ValidateLengthField(circle->m_fRadius, IDC_TRACK_RADIUS_1))
            return FALSE;
        circle->m_fStartAngle = m_startAngle.Value(kStartAngles);
        circle->m_fSweep = m_arcDegrees.Value(DegreeRangeOf(IDC_TRACK_ARC_DEGREES));
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
    if (CWnd* field = GetDlgItem(IDC_TRACK_GRADE))
        field->GetWindowText(m_grade.m_text);
    // A text that is no number waits for OK, which refuses it.
    double percent = 0.0;
    if (!m_grade.IsUntouched() && !ReadNumberText(m_grade.m_text, percent))
        return;
    percent = m_grade.Value(kGrades);
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
    m_grade.Load(CFieldFormat::RoundedNumbers(), grade);
    ShowText(IDC_TRACK_GRADE, m_grade.m_text);
}
