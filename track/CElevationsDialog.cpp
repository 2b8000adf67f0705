#include "track/CElevationsDialog.h"

#include <cmath>

#include "model/CCVNDoc.h"
#include "model/CConnectionPass.h"
#include "model/CGroup.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "platform/ctl/CButton.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/DataExchange.h"
#include "resources/StringTable.h"
#include "resources/TrackToolTemplates.h"
#include "track/CParTrack.h"
#include "track/ElevationIcons.h"
#include "track/TrackEnds.h"
#include "ui/LengthEntry.h"

namespace {

// Changes smaller than this are left alone.
constexpr double kUnchanged = 0.4;
// The end counts as falling when it lies this much or more below the begin.
constexpr double kFalling = -0.01;

}  // namespace

IMPLEMENT_DYNAMIC(CElevationsDialog, CDialog)

BEGIN_MESSAGE_MAP(CElevationsDialog, CDialog)
ON_EN_KILLFOCUS(IDC_ELEVATION_BEGIN, OnKillFocusBegin)
ON_EN_KILLFOCUS(IDC_ELEVATION_END, OnKillFocusEnd)
ON_EN_KILLFOCUS(IDC_ELEVATION_GRADE, OnKillFocusGrade)
ON_EN_SETFOCUS(IDC_ELEVATION_BEGIN, OnSetFocusElevation)
ON_EN_SETFOCUS(IDC_ELEVATION_END, OnSetFocusElevation)
ON_BN_CLICKED(IDC_ELEVATION_EDIT_ELEVATIONS, OnEditElevations)
ON_BN_CLICKED(IDC_ELEVATION_EDIT_GRADE, OnEditGrade)
ON_BN_CLICKED(IDC_ELEVATION_DIRECTION, OnDirection)
ON_BN_CLICKED(IDC_ELEVATION_OK, OnOK)
END_MESSAGE_MAP()

CElevationsDialog::CElevationsDialog(CTool& tool, CWnd* parent, int beginEditable, int endEditable)
    : CDialog(ElevationsTemplate(), parent),
      m_distribution(&tool),
      m_bBeginEditable(beginEditable),
      m_bEndEditable(endEditable),
      m_tool(tool),
      m_format(tool.m_pHost != nullptr ? tool.m_pHost->GetUnitIndex() : kDefaultUnitIndex),
      m_pSpan(tool.m_track.picked) {
    CollectSelection();
    const TrackPickedEnd& a = m_pSpan[0];
    const TrackPickedEnd& b = m_pSpan[1];
    m_fSpan = std::hypot(a.x - b.x, a.y - b.y);
}

CElevationsDialog::CElevationsDialog(CTool& tool, CWnd* parent, const std::vector<CPaint*>& chain)
    : CDialog(ElevationsTemplate(), parent),
      m_distribution(&tool),
      m_bChain(true),
      m_tool(tool),
      m_format(tool.m_pHost != nullptr ? tool.m_pHost->GetUnitIndex() : kDefaultUnitIndex),
      m_pSpan(tool.m_track.picked) {
    for (CPaint* piece : chain) {
        m_distribution.m_objects.push_back(ElevationRecord{piece, 0.0, 0.0});
        m_fSpan += static_cast<CParTrack*>(piece)->m_fLength;
    }
}

void CElevationsDialog::CollectSelection() {
    if (m_tool.m_pHost == nullptr)
        return;
    CPaintList found;
    CCVNDoc::CollectObjectsByClass(found, m_tool.m_pHost->GetSelection(), FALSE);
    for (CPaint* object : found) m_distribution.m_objects.push_back(ElevationRecord{object, 0.0, 0.0});
}

void CElevationsDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    // An untouched grade keeps the exact one the elevations give.
    const FieldRange grades = GradeRange();
    m_grade.Exchange(dx, IDC_ELEVATION_GRADE, grades, DataExchangeMessages::kEnterNumberBetween);
    if (dx->m_bSaveAndValidate && !m_grade.IsUntouched())
        m_fGrade = m_grade.Value(grades);
}

BOOL CElevationsDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_fBegin = m_pSpan[0].elevation;
    m_fEnd = m_pSpan[1].elevation;
    ShowLength(IDC_ELEVATION_BEGIN, m_fBegin);
    ShowLength(IDC_ELEVATION_END, m_fEnd);
    m_bRising = m_fEnd - m_fBegin <= kFalling ? 0 : 1;
    CheckRadioButton(IDC_ELEVATION_FIX_END, IDC_ELEVATION_FIX_BEGIN,
                     m_bEndEditable ? IDC_ELEVATION_FIX_BEGIN : IDC_ELEVATION_FIX_END);
    ShowGrade();
    ShowMode();
    ShowDirection();
    Distribute();
    return TRUE;
}

// ---- Fields ----

bool CElevationsDialog::TakeModified(int id) {
    auto* edit = dynamic_cast<CEdit*>(GetDlgItem(id));
    if (edit == nullptr || !edit->GetModify())
        return false;
    edit->SetModify(FALSE);
    return true;
}

BOOL CElevationsDialog::ReadLength(int id, double& value) {
    const LengthRange elevations = ElevationRange(id);
    CTypedField& field = FieldOf(id);
    return field.Take(*this, id, elevations,
                      field.RangeText(DataExchangeMessages::kEnterNumberBetween, elevations), value);
}

FieldRange CElevationsDialog::ElevationRange(int id) const {
    return {LowestElevation(id), kLargestFieldLength};
}

// An end of a chain, or a picked end of a selected piece, takes the field's value itself, so
// below the benchwork it would always sink. Any other picked end only shapes the plane, and may
// lie below the benchwork as far as above it.
double CElevationsDialog::LowestElevation(int id) const {
    const int endOfPiece = id == IDC_ELEVATION_BEGIN ? m_bBeginEditable : m_bEndEditable;
    return m_bChain || endOfPiece ? 0.0 : -kLargestFieldLength;
}

void CElevationsDialog::ShowLength(int id, double value) {
    CTypedField& field = FieldOf(id);
    field.Load(CFieldFormat::Lengths(m_format), value);
    SetDlgItemText(id, field.m_text);
}

CTypedField& CElevationsDialog::FieldOf(int id) {
    return id == IDC_ELEVATION_BEGIN ? m_begin : m_end;
}

BOOL CElevationsDialog::ReadElevations() {
    return ReadLength(IDC_ELEVATION_BEGIN, m_fBegin) && ReadLength(IDC_ELEVATION_END, m_fEnd);
}

void CElevationsDialog::ElevationChanged(int id) {
    if (!ReadElevations())
        return;
    // The field keeps standing for the value it opened with: typed back, it is that value again.
    SetDlgItemText(id, FieldOf(id).Reformatted(ElevationRange(id)));
    m_bRising = m_fEnd - m_fBegin > kFalling ? 1 : 0;
    ShowDirection();
    ShowGrade();
    Distribute();
}

void CElevationsDialog::ShowGrade() {
    m_fGrade = m_fSpan > 0.0 ? std::fabs(m_fBegin - m_fEnd) / m_fSpan * 100.0 : 0.0;
    ShowGradeText();
}

void CElevationsDialog::ShowGradeText() {
    m_grade.Load(CFieldFormat::Thousandths(), std::round(m_fGrade));
    SetDlgItemText(IDC_ELEVATION_GRADE, m_grade.m_text);
}

FieldRange CElevationsDialog::GradeRange() {
    const double fixed = IsDlgButtonChecked(IDC_ELEVATION_FIX_BEGIN) ? m_fBegin : m_fEnd;
    const double room = kLargestFieldLength - std::fabs(fixed);
    if (!(m_fSpan > 0.0 && room > 0.0))
        return {0.0, 0.0};
    return {0.0, std::floor(room / m_fSpan * 100000.0) / 1000.0};
}

// The grade moves the end that is not fixed.
void CElevationsDialog::ApplyGrade() {
    const double rise = m_fGrade * m_fSpan * 0.01;
    if (IsDlgButtonChecked(IDC_ELEVATION_FIX_BEGIN)) {
        m_fEnd = m_bRising ? m_fBegin + rise : m_fBegin - rise;
        ShowLength(IDC_ELEVATION_END, m_fEnd);
    } else {
        m_fBegin = m_bRising ? m_fEnd - rise : m_fEnd + rise;
        ShowLength(IDC_ELEVATION_BEGIN, m_fBegin);
    }
}

void CElevationsDialog::ShowMode() {
    const bool elevations = m_nMode == kEditElevations;
    if (auto* button = dynamic_cast<CButton*>(GetDlgItem(IDC_ELEVATION_EDIT_ELEVATIONS)))
        button->SetIcon(ElevationIcon(elevations ? IDI_ELEVATION_MODE_ON : IDI_ELEVATION_MODE_OFF));
    if (auto* button = dynamic_cast<CButton*>(GetDlgItem(IDC_ELEVATION_EDIT_GRADE)))
        button->SetIcon(ElevationIcon(elevations ? IDI_ELEVATION_MODE_OFF : IDI_ELEVATION_MODE_ON));
    const bool both = m_bBeginEditable && m_bEndEditable;
    GetDlgItem(IDC_ELEVATION_BEGIN)->EnableWindow(elevations && m_bBeginEditable);
    GetDlgItem(IDC_ELEVATION_END)->EnableWindow(elevations && m_bEndEditable);
    GetDlgItem(IDC_ELEVATION_FIX_BEGIN)->EnableWindow(!elevations && both);
    GetDlgItem(IDC_ELEVATION_FIX_END)->EnableWindow(!elevations && both);
    GetDlgItem(IDC_ELEVATION_GRADE)->EnableWindow(!elevations);
    GetDlgItem(IDC_ELEVATION_DIRECTION)->EnableWindow(!elevations);
}

void CElevationsDialog::ShowDirection() {
    if (auto* button = dynamic_cast<CButton*>(GetDlgItem(IDC_ELEVATION_DIRECTION)))
        button->SetIcon(ElevationIcon(m_bRising ? IDI_ELEVATION_RISING : IDI_ELEVATION_FALLING));
}

void CElevationsDialog::Distribute() {
    if (!ReadElevations())
        return;
    if (m_bChain) {
        m_distribution.DistributeOnChain(m_fBegin, m_fEnd);
        return;
    }
    const TrackPickedEnd& a = m_pSpan[0];
    const TrackPickedEnd& b = m_pSpan[1];
    m_distribution.SetPlane(a.x, a.y, m_fBegin, b.x, b.y, m_fEnd);
    m_distribution.m_bSinks = m_distribution.DistributeOnPlane(m_distribution.m_objects, 1);
}

// ---- Handlers ----

void CElevationsDialog::OnKillFocusBegin() {
    if (!IsLeftForCancel(*this) && TakeModified(IDC_ELEVATION_BEGIN))
        ElevationChanged(IDC_ELEVATION_BEGIN);
}

void CElevationsDialog::OnKillFocusEnd() {
    if (!IsLeftForCancel(*this) && TakeModified(IDC_ELEVATION_END))
        ElevationChanged(IDC_ELEVATION_END);
}

void CElevationsDialog::OnKillFocusGrade() {
    if (IsLeftForCancel(*this) || !TakeModified(IDC_ELEVATION_GRADE))
        return;
    if (!ReadElevations() || !UpdateData(TRUE))
        return;
    ShowGradeText();
    ApplyGrade();
    Distribute();
}

void CElevationsDialog::OnSetFocusElevation() {
    if (m_bBeginEditable && m_bEndEditable) {
        GetDlgItem(IDC_ELEVATION_FIX_BEGIN)->EnableWindow(FALSE);
        GetDlgItem(IDC_ELEVATION_FIX_END)->EnableWindow(FALSE);
    }
}

void CElevationsDialog::OnEditElevations() {
    if (m_nMode == kEditElevations)
        return;
    m_nMode = kEditElevations;
    ShowMode();
}

void CElevationsDialog::OnEditGrade() {
    if (m_nMode == kEditGrade)
        return;
    m_nMode = kEditGrade;
    ShowMode();
}

void CElevationsDialog::OnDirection() {
    m_bRising = m_bRising ? 0 : 1;
    ShowDirection();
    ApplyGrade();
    Distribute();
}

void CElevationsDialog::OnOK() {
    // A refused elevation is told once, before the end is read again as if it were left.
    if (!ReadElevations())
        return;
    if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(IDC_ELEVATION_END)))
        edit->SetModify(TRUE);
    OnKillFocusEnd();
    if (!ReadElevations() || !UpdateData(TRUE))
        return;
    if (m_distribution.m_bSinks) {
        // The dialog itself runs with the trains paused.
        CString text;
        text.LoadString(IDS_TRACK_WOULD_SINK_BENEATH_BENCHWORK);
        if (m_tool.m_pHost != nullptr)
            m_tool.m_pHost->ShowMessage(text);
        return;
    }
    EndDialog(IDOK);
    ApplyResults();
}

// ---- Applying ----

void CElevationsDialog::ApplyResults() {
    int groupStart = 1;
    // Heights move no end: one look-up of the layout's ends serves every piece.
    const CConnectionPass pass = m_tool.PassOverPresentEnds();
    for (ElevationRecord& record : m_distribution.m_results) {
        if (record.object->GetClassName() == "CCamera")
            ApplyCamera(record);
        else if (AsTrackPiece(record.object) != nullptr)
            ApplyTrack(record, groupStart);
        m_tool.m_bRedraw = 1;
        m_tool.RepaintAllViews();
    }
}

// A camera's height is no step of the undo list.
void CElevationsDialog::ApplyCamera(ElevationRecord& record) {
    CPaint& camera = *record.object;
    double height = 0.0;
    if (!camera.GetLowestElevation(height) || std::fabs(record.begin - height) <= kUnchanged)
        return;
    camera.LowerElevations(nullptr, height - record.begin);
    camera.Update3D(nullptr);
}

void CElevationsDialog::ApplyTrack(ElevationRecord& record, int& groupStart) {
    auto& piece = *static_cast<CParTrack*>(record.object);
    bool changed = false;
    if (std::fabs(record.begin - piece.m_fBeginElevation) > kUnchanged) {
        piece.ChangeEndElevation(1, record.begin, 1, groupStart);
        groupStart = 0;
        changed = true;
    }
    if (std::fabs(record.end - piece.m_fEndElevation) > kUnchanged) {
        piece.ChangeEndElevation(0, record.end, 1, groupStart);
        groupStart = 0;
        changed = true;
    }
    const CPose frame = m_tool.GetCurrentGroupPose();
    piece.m_bRecheck = 1;
    piece.UpdateConnections(&frame, 0);
    piece.UpdateConnections(&frame, 1);
    piece.m_bRecheck = 0;
    piece.Invalidate();
    if (changed)
        piece.Update3D(nullptr);
}
