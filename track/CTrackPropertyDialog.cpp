#include "track/CTrackPropertyDialog.h"

#include <array>
#include <cmath>
#include <tuple>
#include <utility>

#include "model/CPointArray.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/Geometry.h"
#include "platform/base/CWinPath.h"
#include "platform/ctl/CButton.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/CStatic.h"
#include "platform/ctl/DataExchange.h"
#include "platform/win/MessageBoxes.h"
#include "resources/StringTable.h"
#include "resources/TrackPropertiesPictures.h"
#include "resources/TrackPropertiesTemplates.h"
#include "track/CArcTrack.h"
#include "track/CCircTrack.h"
#include "track/CParTrack.h"
#include "track/CTrackMoreDialog.h"
#include "track/TextureBrowsing.h"
#include "track/TrackFieldRanges.h"
#include "ui/PickButtonColor.h"

namespace {

// Made read-only by the apply modes other than the clicked piece.
constexpr int kPieceOnlyEdits[] = {IDC_TRACK_GRADE,         IDC_TRACK_BEGIN_ELEVATION,
                                   IDC_TRACK_END_ELEVATION, IDC_TRACK_MANUFACTURER,
                                   IDC_TRACK_TYPE,          IDC_TRACK_NAME,
                                   IDC_TRACK_PART_NO,       IDC_TRACK_PRICE,
                                   IDC_TRACK_NOTE};
constexpr int kShapeEdits[] = {IDC_TRACK_RADIUS_1, IDC_TRACK_RADIUS_2, IDC_TRACK_START_ANGLE,
                               IDC_TRACK_ARC_DEGREES};
constexpr int kHeldMarks[] = {IDC_TRACK_HOLD_LENGTH, IDC_TRACK_HOLD_ANGLE, IDC_TRACK_HOLD_RADIUS};
constexpr UINT kRailModePictures[] = {IDB_RAIL_MODE_1, IDB_RAIL_MODE_2, IDB_RAIL_MODE_3};

}  // namespace

IMPLEMENT_DYNCREATE(CTrackPropertyDialog, CDialog)

double CTrackPropertyDialog::GradePercent(double rise, double length) {
    return length == 0.0 ? 0.0 : std::fabs(rise / length * 100.0);
}

BEGIN_MESSAGE_MAP(CTrackPropertyDialog, CDialog)
ON_BN_CLICKED(IDC_TRACK_BROWSE_TRACK, OnBrowseTrackTexture)
ON_BN_CLICKED(IDC_TRACK_BROWSE_ROADBED, OnBrowseRoadbedTexture)
ON_BN_CLICKED(IDC_TRACK_RAIL_COLOR, OnRailColor)
ON_BN_CLICKED(IDC_TRACK_TIE_COLOR, OnTieColor)
ON_BN_CLICKED(IDC_TRACK_APPLY_CLICKED, OnApplyModeChanged)
ON_BN_CLICKED(IDC_TRACK_APPLY_SELECTED, OnApplyModeChanged)
ON_BN_CLICKED(IDC_TRACK_APPLY_ALL, OnApplyModeChanged)
ON_BN_CLICKED(IDC_TRACK_APPLY_DEFAULT, OnApplyModeChanged)
ON_CBN_SELENDOK(IDC_TRACK_SCALE, OnScaleChanged)
ON_EN_KILLFOCUS(IDC_TRACK_GAUGE, UpdatePreview)
ON_EN_KILLFOCUS(IDC_TRACK_TIE_LENGTH, UpdatePreview)
ON_EN_KILLFOCUS(IDC_TRACK_TIE_SPACING, UpdatePreview)
ON_EN_KILLFOCUS(IDC_TRACK_SEPARATION, UpdatePreview)
ON_EN_KILLFOCUS(IDC_TRACK_ROADBED_WIDTH, UpdatePreview)
ON_EN_KILLFOCUS(IDC_TRACK_ROADBED_HEIGHT, UpdatePreview)
ON_BN_CLICKED(IDC_TRACK_RAIL_MODE_1, UpdatePreview)
ON_BN_CLICKED(IDC_TRACK_RAIL_MODE_2, UpdatePreview)
ON_BN_CLICKED(IDC_TRACK_RAIL_MODE_3, UpdatePreview)
ON_BN_CLICKED(IDC_TRACK_SHOW_AXIS, UpdatePreview)
ON_BN_CLICKED(IDC_TRACK_SHOW_TIES, UpdatePreview)
ON_BN_CLICKED(IDC_TRACK_MORE, OnMore)
ON_EN_SETFOCUS(IDC_TRACK_LENGTH, OnLengthSetFocus)
ON_EN_SETFOCUS(IDC_TRACK_RADIUS_1, OnRadiusSetFocus)
ON_EN_SETFOCUS(IDC_TRACK_ARC_DEGREES, OnArcDegreesSetFocus)
ON_EN_KILLFOCUS(IDC_TRACK_LENGTH, OnLengthKillFocus)
ON_EN_KILLFOCUS(IDC_TRACK_RADIUS_1, OnRadius1KillFocus)
ON_EN_KILLFOCUS(IDC_TRACK_RADIUS_2, OnRadius2KillFocus)
ON_EN_KILLFOCUS(IDC_TRACK_ARC_DEGREES, OnArcDegreesKillFocus)
ON_EN_KILLFOCUS(IDC_TRACK_START_ANGLE, OnStartAngleKillFocus)
ON_EN_KILLFOCUS(IDC_TRACK_GRADE, OnGradeKillFocus)
ON_EN_KILLFOCUS(IDC_TRACK_BEGIN_ELEVATION, OnBeginElevationKillFocus)
ON_EN_KILLFOCUS(IDC_TRACK_END_ELEVATION, OnEndElevationKillFocus)
ON_BN_CLICKED(IDC_TRACK_ELEVATION_ENTRY, OnElevationEntryButton)
ON_BN_CLICKED(IDC_TRACK_GRADE_ENTRY, OnGradeEntryButton)
ON_BN_CLICKED(IDC_TRACK_GRADE_DIRECTION, OnGradeDirectionButton)
END_MESSAGE_MAP()

CTrackPropertyDialog::CTrackPropertyDialog() : CDialog(TrackPropertiesTemplate()) {}

// ---- Opening and closing contract ----

void CTrackPropertyDialog::SetPiece(CParTrack* piece, int severalSelected, const CPose* placement) {
    if (piece == nullptr)
        return;
    if (piece->GetClassName() == "CCircTrack")
        m_referenceIndex = 5;
    else if (piece->GetClassName() == "CArcTrack")
        m_referenceIndex = (piece->m_points.GetSize() - 5) / 2;
    if (m_referenceIndex < piece->m_points.GetSize()) {
        const CDoublePoint point = piece->m_points[m_referenceIndex];
        m_referenceBefore = piece->LocalToWorld(point.x, point.y);
    }
    m_copy = dynamic_cast<CParTrack*>(piece->Clone());
    m_cameStored = piece->StoredBytes();
    m_cameExtent = {piece->m_fMinX, piece->m_fMinY, piece->m_fMaxX, piece->m_fMaxY};
    m_preview.SetObject(m_copy);
    if (piece->m_pTool != nullptr && piece->m_pTool->m_pHost != nullptr)
        m_unitIndex = piece->m_pTool->m_pHost->GetUnitIndex();
    if (placement != nullptr) {
        m_placement = *placement;
        m_applyMode = severalSelected ? kApplyToSelection : kApplyToPiece;
        m_noPlacement = 0;
    } else {
        m_applyMode = kApplyToPiece;
        m_noPlacement = 1;
    }
}

int CTrackPropertyDialog::GetAppliedPiece(CParTrack** copy, int* applyMode) {
    if (m_copy == nullptr)
        return 0;
    *copy = m_copy;
    if (m_referenceIndex < m_copy->m_points.GetSize()) {
        const CDoublePoint point = m_copy->m_points[m_referenceIndex];
        m_referenceAfter = m_copy->LocalToWorld(point.x, point.y);
    }
    *applyMode = m_applyMode;
    return 1;
}

// ---- Field operations ----

int CTrackPropertyDialog::IsButtonChecked(int id) {
    auto* button = static_cast<CButton*>(GetDlgItem(id));
    return button != nullptr && button->GetCheck() ? 1 : 0;
}

// Answers 1 when the field shows a new length in the range, now in value and shown as the unit
// shows it; 0 when it still shows value. -1 when it shows no length and -2 for a length outside
// the range: value and text are then left, for OK to refuse. The field keeps standing for the
// length it was shown with, so its text typed back is that exact length again.
int CTrackPropertyDialog::RefreshLengthField(int id, double& value) {
    CWnd* control = GetDlgItem(id);
    if (control == nullptr)
        return 0;
    auto found = m_lengthFields.find(id);
    CTypedField* field = found != m_lengthFields.end() ? &found->second : nullptr;
    CString text;
    control->GetWindowText(text);
    if (field != nullptr) {
        field->m_text = text;
        if (field->IsUntouched())
            return TakeLength(field->Value(RangeOf(id)), value);
    }
    double typed = 0.0;
    if (text == FormatLength(value))
        return 0;
    if (!LengthFields().Read(text, typed))
        return -1;
    if (!LengthFields().ReadInRange(text, RangeOf(id), typed))
        return -2;
    if (field == nullptr)
        ShowLength(id, typed);
    else
        ShowText(id, FormatLength(typed));
    return TakeLength(typed, value);
}

int CTrackPropertyDialog::TakeLength(double length, double& value) {
    if (length == value)
        return 0;
    value = length;
    return 1;
}

// A field that still shows the length it stands for keeps it exactly, whatever the range, since
// a file may hold more than a person may type. A length without a value shows empty and reads
// as 0, which the piece then refuses.
BOOL CTrackPropertyDialog::ValidateLengthField(double& target, int id) {
    CWnd* control = GetDlgItem(id);
    if (control == nullptr)
        return TRUE;
    CString text;
    control->GetWindowText(text);
    if (!std::isfinite(target) && text == FormatLength(target)) {
        target = 0.0;
        return TRUE;
    }
    auto [field, added] = m_lengthFields.try_emplace(id);
    if (added)
        field->second.Load(LengthFields(), target);
    const FieldRange range = RangeOf(id);
    return field->second.Take(*this, id, range, RefusalOf(range), target);
}

FieldRange CTrackPropertyDialog::RangeOf(int id) {
    if (m_copy == nullptr)
        return kLengthRange;
    const bool angleHeld = IsButtonChecked(IDC_TRACK_HOLD_ANGLE) != 0;
    if (id == IDC_TRACK_LENGTH)
        return track_fields::LengthOf(*m_copy, angleHeld);
    if (id == IDC_TRACK_RADIUS_1 || id == IDC_TRACK_RADIUS_2)
        return track_fields::RadiusOf(*m_copy, angleHeld);
    // The other modes hand the rail spacing to pieces of other shapes.
    if (id == IDC_TRACK_GAUGE && m_applyMode == kApplyToPiece)
        return track_fields::GaugeOf(*m_copy);
    return kLengthRange;
}

// The string table's wording, for the ranges from 0.
CString CTrackPropertyDialog::RefusalOf(const FieldRange& range) const {
    if (range.minimum == 0.0)
        return CStringTable::Text(IDS_PLEASE_ENTER_A_NUMBER_BETWEEN_0_AND) + " " +
               FormatLength(range.maximum);
    return LengthFields().RangeText(DataExchangeMessages::kEnterNumberBetween, range);
}

CString CTrackPropertyDialog::OpenedLength(int id, double length) {
    if (std::isfinite(length))
        m_lengthFields[id].Load(LengthFields(), length);
    return FormatLength(length);
}

void CTrackPropertyDialog::ShowChangedLength(int id, double length) {
    if (auto found = m_lengthFields.find(id); found != m_lengthFields.end()) {
        GetDlgItemText(id, found->second.m_text);
        if (found->second.Value(RangeOf(id)) == length)
            return;
    }
    ShowLength(id, length);
}

void CTrackPropertyDialog::ShowLength(int id, double length) {
    ShowText(id, FormatLength(length));
    if (std::isfinite(length) && length >= kLengthRange.minimum && length <= kLengthRange.maximum)
        m_lengthFields[id].Load(LengthFields(), length);
}

std::array<double, 4> CTrackPropertyDialog::EllipseShape() const {
    const auto& arc = static_cast<const CArcTrack&>(*m_copy);
    return {arc.m_fRadiusX, arc.m_fRadiusY, arc.m_fStartAngle, arc.m_fSweep};
}

// A length without a finite value (a curve's radius derived from a sweep of 0) shows empty.
CString CTrackPropertyDialog::FormatLength(double length) const {
    CString text;
    if (std::isfinite(length))
        Lengths().FormatLength(text, length);
    return text;
}

void CTrackPropertyDialog::ShowText(int id, const CString& text) {
    if (CWnd* control = GetDlgItem(id)) {
        control->SetWindowText(text);
        control->UpdateWindow();
    }
}

void CTrackPropertyDialog::SetReadOnly(int id, BOOL readOnly) {
    if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(id)))
        edit->SetReadOnly(readOnly);
}

void CTrackPropertyDialog::Enable(int id, BOOL enabled) {
    if (CWnd* control = GetDlgItem(id))
        control->EnableWindow(enabled);
}

void CTrackPropertyDialog::ShowIllegalValue() {
    AfxMessageBox(CStringTable::Text(IDS_ILLEGAL_VALUE), MB_ICONEXCLAMATION);
}

// An elliptic arc measures its length only as it is drawn, along the same samples; the
// Length field shows it before the preview has drawn.
void CTrackPropertyDialog::MeasureEllipse() {
    if (!IsEllipse())
        return;
    // The shape the piece opened with keeps the length it was stored with.
    if (EllipseShape() == m_openedEllipse) {
        m_copy->m_fLength = m_openedLength;
        return;
    }
    CPointArray line;
    const int count = m_copy->AppendCentreLine(line, 0);
    double length = 0.0;
    for (int i = 1; i < count; ++i)
        length += VectorLength(line[i].x - line[i - 1].x, line[i].y - line[i - 1].y);
    m_copy->m_fLength = length;
}

void CTrackPropertyDialog::RepaintPreview() {
    MeasureEllipse();
    m_preview.Invalidate();
    m_preview.UpdateWindow();
}

void CTrackPropertyDialog::RedrawCopy() {
    m_copy->DragHandle(&m_placement, -1);
    RepaintPreview();
}

bool CTrackPropertyDialog::IsStraight() const {
    return m_copy != nullptr && m_copy->GetClassName() == "CTrack";
}

bool CTrackPropertyDialog::IsCircle() const {
    return m_copy != nullptr && m_copy->GetClassName() == "CCircTrack";
}

bool CTrackPropertyDialog::IsEllipse() const {
    return m_copy != nullptr && m_copy->GetClassName() == "CArcTrack";
}

bool CTrackPropertyDialog::IsSpline() const {
    return m_copy != nullptr && m_copy->GetClassName() == "CSplineTrack";
}

// ---- Initialisation ----

void CTrackPropertyDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_PathText(dx, IDC_TRACK_TEXTURE, m_trackTexture);
    DDX_PathText(dx, IDC_TRACK_ROADBED_TEXTURE, m_roadbedTexture);
    DDX_Text(dx, IDC_TRACK_ROADBED_HEIGHT, m_roadbedHeight);
    DDX_Text(dx, IDC_TRACK_ROADBED_WIDTH, m_roadbedWidth);
    DDX_Control(dx, IDC_TRACK_SCALE, m_scaleCombo);
    DDX_Control(dx, IDC_TRACK_PREVIEW, m_preview);
    DDX_Check(dx, IDC_TRACK_RESIZEABLE, m_resizeable);
    DDX_Radio(dx, IDC_TRACK_RAIL_MODE_1, m_railModeIndex);
    DDX_Check(dx, IDC_TRACK_SHOW_AXIS, m_showAxis);
    DDX_Check(dx, IDC_TRACK_SHOW_TIES, m_showTies);
    DDX_Radio(dx, IDC_TRACK_APPLY_CLICKED, m_applyMode);
    DDX_Control(dx, IDC_TRACK_RAIL_COLOR, m_railColor);
    DDX_Control(dx, IDC_TRACK_TIE_COLOR, m_tieColor);
    DDX_Text(dx, IDC_TRACK_CATEGORY, m_category);
    m_fields.Exchange(dx, {IDC_TRACK_MANUFACTURER, IDC_TRACK_TYPE, IDC_TRACK_NAME, IDC_TRACK_PART_NO,
                           IDC_TRACK_PRICE, IDC_TRACK_NOTE, IDC_TRACK_SHOW_IN_REPORT});
    DDX_Radio(dx, IDC_TRACK_STYLE_NORMAL, m_style);
    DDX_Text(dx, IDC_TRACK_LENGTH, m_length);
    DDX_Text(dx, IDC_TRACK_RADIUS_1, m_radius1);
    DDX_Text(dx, IDC_TRACK_RADIUS_2, m_radius2);
    DDX_Text(dx, IDC_TRACK_GRADE, m_grade.m_text);
    double grade = 0.0;
    DDV_NumberText(dx, m_grade.m_text, grade);
    DDX_Text(dx, IDC_TRACK_BEGIN_ELEVATION, m_beginElevation);
    DDX_Text(dx, IDC_TRACK_END_ELEVATION, m_endElevation);
    DDX_Text(dx, IDC_TRACK_GAUGE, m_gauge);
    DDX_Text(dx, IDC_TRACK_TIE_LENGTH, m_tieLength);
    DDX_Text(dx, IDC_TRACK_TIE_SPACING, m_tieSpacing);
    DDX_Text(dx, IDC_TRACK_SEPARATION, m_trackSeparation);
    ExchangeDegrees(dx, IDC_TRACK_START_ANGLE);
    ExchangeDegrees(dx, IDC_TRACK_ARC_DEGREES);
}

BOOL CTrackPropertyDialog::OnInitDialog() {
    SetElevationEntryMode(m_elevationEntry);
    if (m_copy != nullptr) {
        m_rising = m_copy->m_fEndElevation - m_copy->m_fBeginElevation > -0.01 ? 1 : 0;
        FillFromCopy();
    }
    ShowGradeDirection();
    CDialog::OnInitDialog();
    ShowPictures();
    m_fields.ShowScales(m_scaleCombo);
    if (m_copy == nullptr)
        return TRUE;
    OnApplyModeChanged();
    UpdatePreview();
    m_trackTexture = m_copy->m_strTrackTexture;
    m_roadbedTexture = m_copy->m_strRoadbedTexture;
    ShowText(IDC_TRACK_TEXTURE, CWinPath::Native(m_trackTexture));
    ShowText(IDC_TRACK_ROADBED_TEXTURE, CWinPath::Native(m_roadbedTexture));
    CheckRadioButton(IDC_TRACK_FIXED_BEGIN, IDC_TRACK_FIXED_END, IDC_TRACK_FIXED_BEGIN);
    // The apply mode's rule has put the focus on the field to type into.
    return FALSE;
}

void CTrackPropertyDialog::FillFromCopy() {
    const CParTrack& copy = *m_copy;
    m_category = copy.m_strCategory;
    m_fields.Read(copy);
    m_length = OpenedLength(IDC_TRACK_LENGTH, copy.m_fLength);
    FillShapeFields();
    m_roadbedWidth = OpenedLength(IDC_TRACK_ROADBED_WIDTH, copy.m_fRoadbedWidth);
    m_roadbedHeight = OpenedLength(IDC_TRACK_ROADBED_HEIGHT, copy.m_fRoadbedHeight);
    m_beginElevation = OpenedLength(IDC_TRACK_BEGIN_ELEVATION, copy.m_fBeginElevation);
    m_endElevation = OpenedLength(IDC_TRACK_END_ELEVATION, copy.m_fEndElevation);
    m_grade.Load(CFieldFormat::RoundedNumbers(),
                 GradePercent(copy.m_fBeginElevation - copy.m_fEndElevation, copy.m_fLength));
    m_style = copy.m_nStyle;
    m_gauge = OpenedLength(IDC_TRACK_GAUGE, copy.m_fGauge);
    m_railColor.SetColor(copy.m_crRail);
    m_tieLength = OpenedLength(IDC_TRACK_TIE_LENGTH, copy.m_fTieLength);
    m_tieSpacing = OpenedLength(IDC_TRACK_TIE_SPACING, copy.m_fTieSpacing);
    m_tieColor.SetColor(copy.m_crTie);
    m_resizeable = copy.m_bScaleWithDocument;
    m_railModeIndex = copy.m_nRailMode - 1;
    m_showAxis = copy.m_bShowAxis;
    m_showTies = copy.m_bShowTies;
    m_trackSeparation = OpenedLength(IDC_TRACK_SEPARATION, copy.m_fTrackSeparation);
}

void CTrackPropertyDialog::FillShapeFields() {
    if (IsStraight() || IsSpline()) {
        m_radius1 = "0";
        m_radius2 = "0";
        m_startAngle.Load(OpenedDegrees(), 0.0);
        m_arcDegrees.Load(OpenedDegrees(), 0.0);
    } else if (auto* arc = dynamic_cast<CArcTrack*>(m_copy); arc != nullptr && IsEllipse()) {
        m_radius1 = OpenedLength(IDC_TRACK_RADIUS_1, arc->m_fRadiusX);
        m_radius2 = OpenedLength(IDC_TRACK_RADIUS_2, arc->m_fRadiusY);
        m_openedEllipse = EllipseShape();
        m_openedLength = arc->m_fLength;
        m_startAngle.Load(OpenedDegrees(), arc->m_fStartAngle);
        m_arcDegrees.Load(OpenedDegrees(), arc->m_fSweep);
    } else if (auto* circle = dynamic_cast<CCircTrack*>(m_copy); circle != nullptr && IsCircle()) {
        m_radius1 = OpenedLength(IDC_TRACK_RADIUS_1, circle->m_fRadius);
        m_radius2 = "0";
        m_startAngle.Load(OpenedDegrees(), circle->m_fStartAngle);
        m_arcDegrees.Load(OpenedDegrees(), circle->m_fSweep);
    }
    m_openedStartAngle = m_startAngle;
    m_openedArcDegrees = m_arcDegrees;
}

void CTrackPropertyDialog::ShowPictures() {
    for (UINT id : kRailModePictures)
        if (auto* picture = static_cast<CStatic*>(GetDlgItem(id)))
            picture->SetBitmap(TrackPropertiesPicture(id));
    const int shown = IsCircle() ? SW_SHOW : SW_HIDE;
    for (int id : kHeldMarks)
        if (CWnd* mark = GetDlgItem(id))
            mark->ShowWindow(shown);
    if (auto* radiusHeld = static_cast<CButton*>(GetDlgItem(IDC_TRACK_HOLD_RADIUS)); radiusHeld && IsCircle())
        radiusHeld->SetCheck(1);
}

// ---- Apply modes ----

void CTrackPropertyDialog::OnApplyModeChanged() {
    SetReadOnly(IDC_TRACK_CATEGORY, TRUE);
    if (!m_noPlacement) {
        if (!UpdateData(TRUE)) {
            m_applyMode = kApplyToPiece;
            UpdateData(FALSE);
            return;
        }
    } else {
        Enable(IDC_TRACK_APPLY_SELECTED, FALSE);
        Enable(IDC_TRACK_APPLY_ALL, FALSE);
        Enable(IDC_TRACK_APPLY_DEFAULT, FALSE);
    }
    for (int id : kShapeEdits) SetReadOnly(id, TRUE);
    ShowModeEnabling();
    if (m_applyMode == kApplyToPiece)
        FocusShapeField();
    else if (CWnd* gauge = GetDlgItem(IDC_TRACK_GAUGE))
        GotoDlgCtrl(gauge);
}

void CTrackPropertyDialog::ShowModeEnabling() {
    const BOOL pieceOnly = m_applyMode == kApplyToPiece;
    const BOOL withScale = pieceOnly || m_applyMode == kApplyAsDefault;
    for (int id : kPieceOnlyEdits) SetReadOnly(id, !pieceOnly);
    Enable(IDC_TRACK_SCALE, withScale);
    Enable(IDC_TRACK_LENGTH, withScale);
    Enable(IDC_TRACK_SHOW_IN_REPORT, pieceOnly);
}

void CTrackPropertyDialog::FocusShapeField() {
    CWnd* length = GetDlgItem(IDC_TRACK_LENGTH);
    if (IsStraight()) {
        SetReadOnly(IDC_TRACK_LENGTH, FALSE);
        GotoDlgCtrl(length);
    } else if (IsCircle()) {
        GotoDlgCtrl(length);
        SetReadOnly(IDC_TRACK_RADIUS_1, FALSE);
        SetReadOnly(IDC_TRACK_ARC_DEGREES, FALSE);
    } else if (IsEllipse()) {
        SetReadOnly(IDC_TRACK_LENGTH, TRUE);
        for (int id : kShapeEdits) SetReadOnly(id, FALSE);
        GotoDlgCtrl(GetDlgItem(IDC_TRACK_GAUGE));
    } else {
        SetReadOnly(IDC_TRACK_LENGTH, TRUE);
        GotoDlgCtrl(GetDlgItem(IDC_TRACK_GAUGE));
    }
}

// ---- Preview ----

namespace {

// The length fields of the piece's sizes, each with the member it shows.
constexpr std::pair<int, double CParTrack::*> kSizeFields[] = {
    {IDC_TRACK_ROADBED_WIDTH, &CParTrack::m_fRoadbedWidth},
    {IDC_TRACK_ROADBED_HEIGHT, &CParTrack::m_fRoadbedHeight},
    {IDC_TRACK_BEGIN_ELEVATION, &CParTrack::m_fBeginElevation},
    {IDC_TRACK_END_ELEVATION, &CParTrack::m_fEndElevation},
    {IDC_TRACK_GAUGE, &CParTrack::m_fGauge},
    {IDC_TRACK_TIE_LENGTH, &CParTrack::m_fTieLength},
    {IDC_TRACK_TIE_SPACING, &CParTrack::m_fTieSpacing},
    {IDC_TRACK_SEPARATION, &CParTrack::m_fTrackSeparation}};

}  // namespace

// A field left as the dialog closes changes nothing more: OK has taken the copy already.
void CTrackPropertyDialog::UpdatePreview() {
    if (m_copy == nullptr || !InModalLoop())
        return;
    ReadShapeFieldsIntoCopy();
    CParTrack& copy = *m_copy;
    for (const auto& [id, member] : kSizeFields) RefreshLengthField(id, copy.*member);
    for (int mode = 0; mode < 3; ++mode)
        if (IsButtonChecked(IDC_TRACK_RAIL_MODE_1 + mode))
            copy.m_nRailMode = mode + 1;
    copy.m_bShowAxis = IsButtonChecked(IDC_TRACK_SHOW_AXIS);
    copy.m_bShowTies = IsButtonChecked(IDC_TRACK_SHOW_TIES);
    copy.m_crRail = m_railColor.GetColor();
    copy.m_crTie = m_tieColor.GetColor();
    RedrawCopy();
    ShowChangedLength(IDC_TRACK_LENGTH, copy.m_fLength);
}

void CTrackPropertyDialog::OnScaleChanged() {
    if (m_copy == nullptr || !m_fields.TakeScale(m_scaleCombo))
        return;
    m_copy->SetScale(m_fields.m_scale);
    for (const auto& [id, member] : kSizeFields) ShowLength(id, m_copy->*member);
    UpdatePreview();
}

void CTrackPropertyDialog::OnBrowseTrackTexture() {
    if (BrowseTextureFile(this, m_trackTexture))
        ShowText(IDC_TRACK_TEXTURE, CWinPath::Native(m_trackTexture));
}

void CTrackPropertyDialog::OnBrowseRoadbedTexture() {
    if (BrowseTextureFile(this, m_roadbedTexture))
        ShowText(IDC_TRACK_ROADBED_TEXTURE, CWinPath::Native(m_roadbedTexture));
}

void CTrackPropertyDialog::OnRailColor() {
    if (PickButtonColor(m_railColor, this))
        UpdatePreview();
}

void CTrackPropertyDialog::OnTieColor() {
    if (PickButtonColor(m_tieColor, this))
        UpdatePreview();
}

void CTrackPropertyDialog::OnMore() {
    if (m_copy == nullptr)
        return;
    CTrackMoreDialog more(this);
    more.FillFromPiece(m_copy);
    if (more.DoModal() != IDOK)
        return;
    more.ApplyToPiece(m_copy);
    RepaintPreview();
}

// ---- OK ----

void CTrackPropertyDialog::OnOK() {
    if (m_copy == nullptr || !CommitPendingShapeEdits() || !UpdateData(TRUE) || !ValidateShapeFields())
        return;
    CParTrack& copy = *m_copy;
    copy.m_nStyle = m_style;
    if (!ValidateSizeFields())
        return;
    copy.m_crRail = m_railColor.GetColor();
    copy.m_crTie = m_tieColor.GetColor();
    copy.m_bScaleWithDocument = m_resizeable;
    copy.m_nRailMode = m_railModeIndex + 1;
    copy.m_bShowAxis = m_showAxis;
    copy.m_bShowTies = m_showTies;
    if (!ValidateLengthField(copy.m_fTrackSeparation, IDC_TRACK_SEPARATION))
        return;
    copy.m_strRoadbedTexture = m_roadbedTexture;
    copy.m_strTrackTexture = m_trackTexture;
    copy.m_strCategory = m_category;
    m_fields.Write(copy);
    if (!m_fields.TakePrice(*this, IDC_TRACK_PRICE, copy.m_fPrice))
        return;
    if (RefuseInvalidCopy())
        return;
    EndDialog(IDOK);
}

BOOL CTrackPropertyDialog::ValidateSizeFields() {
    CParTrack& copy = *m_copy;
    const std::pair<double*, int> fields[] = {{&copy.m_fRoadbedWidth, IDC_TRACK_ROADBED_WIDTH},
                                              {&copy.m_fRoadbedHeight, IDC_TRACK_ROADBED_HEIGHT},
                                              {&copy.m_fBeginElevation, IDC_TRACK_BEGIN_ELEVATION},
                                              {&copy.m_fEndElevation, IDC_TRACK_END_ELEVATION},
                                              {&copy.m_fGauge, IDC_TRACK_GAUGE},
                                              {&copy.m_fTieLength, IDC_TRACK_TIE_LENGTH},
                                              {&copy.m_fTieSpacing, IDC_TRACK_TIE_SPACING}};
    for (const auto& [target, id] : fields)
        if (!ValidateLengthField(*target, id))
            return FALSE;
    return TRUE;
}

// The preview lays the copy out in its own frame: the extent it leaves is no edit.
bool CTrackPropertyDialog::HoldsPieceAsItCame() {
    CParTrack& copy = *m_copy;
    const std::array<double, 4> drawn{copy.m_fMinX, copy.m_fMinY, copy.m_fMaxX, copy.m_fMaxY};
    std::tie(copy.m_fMinX, copy.m_fMinY, copy.m_fMaxX, copy.m_fMaxY) =
        std::tie(m_cameExtent[0], m_cameExtent[1], m_cameExtent[2], m_cameExtent[3]);
    const bool same = copy.StoredBytes() == m_cameStored;
    std::tie(copy.m_fMinX, copy.m_fMinY, copy.m_fMaxX, copy.m_fMaxY) =
        std::tie(drawn[0], drawn[1], drawn[2], drawn[3]);
    return same;
}

BOOL CTrackPropertyDialog::RefuseInvalidCopy() {
    if (m_applyMode != kApplyToPiece || !m_copy->IsInvalid(0) || HoldsPieceAsItCame())
        return FALSE;
    ShowIllegalValue();
    const int field = IsEllipse() ? IDC_TRACK_RADIUS_1 : IDC_TRACK_LENGTH;
    if (CWnd* control = GetDlgItem(field))
        GotoDlgCtrl(control);
    return TRUE;
}
