#include "wizard/CPageWizard.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "model/CCVNDoc.h"
#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/Units.h"
#include "platform/ctl/BasicControlDefs.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CEdit.h"
#include "platform/ctl/DataExchange.h"
#include "platform/ctl/ListControlDefs.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/win/CMDIChildWnd.h"
#include "platform/win/CMDIFrameWnd.h"
#include "platform/win/CWinApp.h"
#include "platform/win/MessageBoxes.h"
#include "platform/win/WindowDCs.h"
#include "resources/WizardPageTemplates.h"
#include "track/CTrack.h"
#include "ui/LengthEntry.h"
#include "wizard/CSheetWizard.h"
#include "wizard/CTrackPreviewWnd.h"
#include "wizard/CWizardLabel.h"
#include "wizard/TurnoutSolvers.h"

IMPLEMENT_DYNAMIC(CPageWizard, CPropertyPage)
BEGIN_MESSAGE_MAP(CPageWizard, CPropertyPage)
ON_CBN_SELENDOK(IDC_WIZARD_EDITABLE, OnEditableChosen)
ON_EN_KILLFOCUS(IDC_WIZARD_ENTRY, OnEntryEdited)
ON_EN_KILLFOCUS(IDC_WIZARD_ENTRY_CURVED, OnEntryEdited)
ON_EN_KILLFOCUS(IDC_WIZARD_RADIUS1, OnRadius1Edited)
ON_EN_KILLFOCUS(IDC_WIZARD_ANGLE1, OnAngle1Edited)
ON_EN_KILLFOCUS(IDC_WIZARD_OFFSET1, OnOffset1Edited)
ON_EN_KILLFOCUS(IDC_WIZARD_LENGTH1, OnLength1Edited)
ON_EN_KILLFOCUS(IDC_WIZARD_RADIUS2, OnRadius2Edited)
ON_EN_KILLFOCUS(IDC_WIZARD_ANGLE2, OnAngle2Edited)
ON_EN_KILLFOCUS(IDC_WIZARD_OFFSET2, OnOffset2Edited)
ON_EN_KILLFOCUS(IDC_WIZARD_LENGTH2, OnLength2Edited)
END_MESSAGE_MAP()

namespace {

constexpr const char* kEnterLengthBetween = "Please enter a length between %s and %s.";

// The HO ratio, for which one inch at scale is one real inch.
constexpr double kHalfZeroRatio = 87.1;
// Label letters are measured by the widest capital and given a fifth more room.
constexpr double kLabelSpacing = 1.2;
// Builds again to fit the labels' text, and how near the fit must come.
constexpr int kMostRebuilds = 4;
constexpr double kFitTolerance = 0.01;

// The editable pair of each "Editable fields" choice.
constexpr CPageWizard::SetField kEditablePairs[6][2] = {
    {CPageWizard::kRadius, CPageWizard::kAngle},  {CPageWizard::kRadius, CPageWizard::kOffset},
    {CPageWizard::kRadius, CPageWizard::kLength}, {CPageWizard::kAngle, CPageWizard::kOffset},
    {CPageWizard::kAngle, CPageWizard::kLength},  {CPageWizard::kOffset, CPageWizard::kLength}};

// For each "Editable fields" choice, the two other fields and how each follows from the
// editable pair.
struct Derivation {
    CPageWizard::SetField fields[2];
    double (*solve[2])(double, double);
};
constexpr Derivation kDerivations[6] = {
    {{CPageWizard::kOffset, CPageWizard::kLength}, {OffsetFromRadiusAngle, LengthFromRadiusAngle}},
    {{CPageWizard::kAngle, CPageWizard::kLength}, {AngleFromRadiusOffset, LengthFromRadiusOffset}},
    {{CPageWizard::kAngle, CPageWizard::kOffset}, {AngleFromRadiusLength, OffsetFromRadiusLength}},
    {{CPageWizard::kRadius, CPageWizard::kLength}, {RadiusFromAngleOffset, LengthFromAngleOffset}},
    {{CPageWizard::kRadius, CPageWizard::kOffset}, {RadiusFromAngleLength, OffsetFromAngleLength}},
    {{CPageWizard::kAngle, CPageWizard::kRadius}, {AngleFromOffsetLength, RadiusFromOffsetLength}}};

constexpr const char* kNoBranch =
    "No branch has these values.\n\nIts radius, offset and length would have to lie above %s and up to %s";
constexpr const char* kBranchAngles = ",\nits angle above 0 and up to %g degrees.";

// A radius, offset or length another pair of a branch gave: what a piece can be.
bool IsBranchLength(double length) {
    return length > 0.0 && length <= kLargestFieldLength;
}

}  // namespace

CPageWizard::CPageWizard(UINT templateId)
    : CPropertyPage(WizardPageTemplate(templateId)), m_pDoc(ActiveDocument()) {
    if (m_pDoc != nullptr && !m_pDoc->m_groupEditStack.empty())
        m_pEditEntry = &m_pDoc->m_groupEditStack.front();
}

CPageWizard::~CPageWizard() {
    DeletePageObjects();
}

CCVNDoc* CPageWizard::ActiveDocument() {
    auto* main = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    CMDIChildWnd* child = main != nullptr ? main->MDIGetActive() : nullptr;
    return child != nullptr ? dynamic_cast<CCVNDoc*>(child->GetActiveDocument()) : nullptr;
}

// Whole inches of at least one, so that the smallest scales keep usable defaults.
double CPageWizard::UnitForRatio(double ratio) {
    return kInch * std::max(1.0, std::trunc(kHalfZeroRatio / ratio));
}

double CPageWizard::InchAtScale(double ratio) {
    return kInch * kHalfZeroRatio / ratio;
}

// ---- The page's life ----

BOOL CPageWizard::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    // A page shown again builds its objects afresh; a sheet closed without its pages' Cancel
    // left those of the last showing.
    ClearPreview();
    DeletePageObjects();
    m_pSheet = GetParent();
    m_bDirty = 1;
    if (m_pDoc == nullptr)
        return TRUE;
    const int row = std::clamp(m_pDoc->m_nDefaultScaleIndex, 0, kScaleCount - 1);
    m_dRatio = ScaleTable[row].ratio;
    m_dInchAtScale = InchAtScale(m_dRatio);
    m_dUnit = UnitForRatio(m_dRatio);
    m_dMinAngle = 1.0;
    if (!m_pDoc->m_groupEditStack.empty())
        m_pEditEntry = &m_pDoc->m_groupEditStack.front();
    // A text kept in another unit would read as no length at all.
    FormatTexts();
    return TRUE;
}

BOOL CPageWizard::OnSetActive() {
    if (m_pDoc != nullptr && Sheet() != nullptr)
        m_pDoc->m_nWizardPage = Sheet()->GetPageIndex(this);
    return CPropertyPage::OnSetActive();
}

BOOL CPageWizard::OnKillActive() {
    if (!CPropertyPage::OnKillActive())
        return FALSE;
    if (m_pPiece == nullptr)
        return TRUE;
    m_bBranchRefused = false;
    TakeFocusedField();
    if (!m_bBranchRefused)
        TakeTypedFields();
    return m_bBranchRefused ? FALSE : TRUE;
}

// The other fields' commits write every text from its value, so the one typed in goes first.
void CPageWizard::TakeFocusedField() {
    CWnd* focus = GetFocus();
    if (focus != nullptr && focus->GetParent() == this && dynamic_cast<CEdit*>(focus) != nullptr)
        SendMessage(WM_COMMAND, MAKEWPARAM(focus->GetDlgCtrlID(), EN_KILLFOCUS),
                    reinterpret_cast<LPARAM>(focus));
}

void CPageWizard::OnCancel() {
    ClearPreview();
    DeletePageObjects();
    m_bDirty = 0;
    RestoreEditedGroupPose();
    CPropertyPage::OnCancel();
}

void CPageWizard::OnOK() {
    ClearPreview();
    if (!IsActivePage() || !PlacePiece())
        delete m_pPiece;
    m_pPiece = nullptr;
    DeletePageObjects();
    m_bDirty = 0;
    CPropertyPage::OnOK();
}

void CPageWizard::ClearPreview() {
    if (m_pPreview != nullptr)
        m_pPreview->SetObjects(nullptr, nullptr);
}

void CPageWizard::DeletePageObjects() {
    delete m_pPiece;
    m_pPiece = nullptr;
    delete m_pLabelGroup;
    m_pLabelGroup = nullptr;
}

bool CPageWizard::IsActivePage() const {
    return Sheet() != nullptr && Sheet()->GetActivePage() == this;
}

// ---- Place ----

// The group being edited gets its placement back whatever happens; without a plan view to
// centre on nothing is placed.
bool CPageWizard::PlacePiece() {
    int centreX = 0, centreY = 0;
    const bool hasPlanView = m_pDoc != nullptr && m_pDoc->GetPlanViewCentre(centreX, centreY);
    RestoreEditedGroupPose();
    if (!hasPlanView || m_pPiece == nullptr)
        return false;
    CTool& tool = Tool();
    tool.DeselectAll(1, 0);
    if (!tool.AddObjectWithUndo(m_pPiece, 1, 1))
        return false;
    MoveIntoView(centreX, centreY);
    // Its handles lie where the end of any gesture on it puts them, so that taking back the
    // first gesture gives back the layout as placed.
    m_pPiece->UpdateAnchorPoint();
    m_pPiece->SelectWithUndo(0, 0);
    tool.m_toolMode.Set(kToolSelector);
    m_pPiece->SetLayer(tool.m_nActiveLayer);
    const int row = std::clamp(m_pDoc->m_nDefaultScaleIndex, 0, kScaleCount - 1);
    m_pPiece->SetScale(ScaleTable[row].name);
    return true;
}

// Into the root group the piece goes to the middle of the visible plan; into an opened
// group onto the middle of that group as it was when the wizard opened.
void CPageWizard::MoveIntoView(int centreX, int centreY) {
    CTool& tool = Tool();
    m_pPiece->ComputeExtent(nullptr);
    m_pPiece->MoveFromSavedPose(-(m_pPiece->m_fMinX + m_pPiece->m_fMaxX) * 0.5,
                                -(m_pPiece->m_fMinY + m_pPiece->m_fMaxY) * 0.5, 0);
    CGroup* group = EditedGroup();
    const bool intoRoot = group == nullptr || tool.IsRootGroup(group);
    CDoublePoint move = tool.DeviceToLayout(centreX, centreY);
    if (!intoRoot) {
        const CSheetWizard::Extent& saved = Sheet()->m_rcSavedExtent;
        m_pPiece->ComputeExtent(nullptr);
        move = {(saved.minX + saved.maxX) * 0.5 - (m_pPiece->m_fMinX + m_pPiece->m_fMaxX) * 0.5,
                (saved.minY + saved.maxY) * 0.5 - (m_pPiece->m_fMinY + m_pPiece->m_fMaxY) * 0.5};
    }
    CEditStep step(kStepMoveSelection, m_pPiece, 1);
    auto payload = std::make_unique<MovePayload>();
    payload->dx = move.x;
    payload->dy = move.y;
    step.SetPayload(std::move(payload));
    tool.Execute(&step);
    if (!intoRoot)
        group->RecalcFrame();
}

void CPageWizard::RestoreEditedGroupPose() {
    CSheetWizard* sheet = Sheet();
    if (sheet != nullptr && sheet->m_pEditEntry != nullptr && sheet->m_pEditEntry->m_pGroup != nullptr)
        sheet->m_pEditEntry->m_pGroup->m_pose = sheet->m_poseSaved;
}

// ---- Labels ----

void CPageWizard::MeasureLabel(double& width, double& height, const CString& label) {
    width = 0.0;
    height = 0.0;
    if (m_pPiece == nullptr || m_hWnd == nullptr)
        return;
    CClientDC dc(this);
    dc.SetMapMode(MM_LOMETRIC);
    CRect client;
    GetClientRect(&client);
    dc.DPtoLP(&client);
    client.NormalizeRect();
    const CPose zero;
    m_pPiece->ComputeExtent(&zero);
    const double extentWidth = std::fabs(m_pPiece->m_fMaxX - m_pPiece->m_fMinX);
    const double extentHeight = std::fabs(m_pPiece->m_fMaxY - m_pPiece->m_fMinY);
    const double scale = std::max(client.Height() != 0 ? extentHeight / client.Height() : 0.0,
                                  client.Width() != 0 ? extentWidth / client.Width() : 0.0);
    CFont font;
    CWizardLabel::CreateUprightFont(font, m_nLabelHeight);
    const int fontHeight = font.LogFont().lfHeight;
    CFont* old = dc.SelectObject(&font);
    int letter = 0;
    dc.GetCharWidth('W', 'W', &letter);
    dc.SelectObject(old);
    width = letter * label.GetLength() * scale * kLabelSpacing;
    height = std::fabs(fontHeight * scale);
}

CDoublePoint CPageWizard::LabelTextSize(const CString& label) {
    if (m_pPreview == nullptr || !IsWindow(m_pPreview))
        return {};
    CClientDC dc(m_pPreview);
    dc.SetMapMode(MM_LOMETRIC);
    const CSize size = CWizardLabel::UprightTextSize(dc, label, m_nLabelHeight);
    m_dLabelScale = m_pPreview->FitScale();
    return {std::abs(size.cx) * m_dLabelScale, std::abs(size.cy) * m_dLabelScale};
}

// ---- Parameter sets ----

CPageWizard::ParameterSet CPageWizard::Set(int set) {
    if (set == 1)
        return {m_strRadius1,
                m_dAngle1,
                m_strOffset1,
                m_strLength1,
                m_dRadius1,
                m_dAngleRad1,
                m_dOffset1,
                m_dLength1,
                m_dPrevRadius1,
                m_dPrevAngleRad1,
                m_dPrevOffset1,
                m_dPrevLength1,
                {IDC_WIZARD_RADIUS1, IDC_WIZARD_ANGLE1, IDC_WIZARD_OFFSET1, IDC_WIZARD_LENGTH1}};
    return {m_strRadius2,
            m_dAngle2,
            m_strOffset2,
            m_strLength2,
            m_dRadius2,
            m_dAngleRad2,
            m_dOffset2,
            m_dLength2,
            m_dPrevRadius2,
            m_dPrevAngleRad2,
            m_dPrevOffset2,
            m_dPrevLength2,
            {IDC_WIZARD_RADIUS2, IDC_WIZARD_ANGLE2, IDC_WIZARD_OFFSET2, IDC_WIZARD_LENGTH2}};
}

void CPageWizard::EnableEditableFields(BOOL bothSets) {
    auto* choice = dynamic_cast<CComboBox*>(GetDlgItem(IDC_WIZARD_EDITABLE));
    if (choice != nullptr && choice->GetCurSel() >= 0)
        m_nEditable = choice->GetCurSel();
    if (m_nEditable < 0 || m_nEditable > 5)
        return;
    const SetField* editable = kEditablePairs[m_nEditable];
    for (int set = bothSets ? 1 : 2; set <= 2; ++set) {
        const ParameterSet values = Set(set);
        for (int field = kRadius; field <= kLength; ++field) {
            const BOOL enable = field == editable[0] || field == editable[1];
            if (CWnd* control = GetDlgItem(static_cast<int>(values.ids[field])))
                control->EnableWindow(enable);
        }
    }
}

bool CPageWizard::DeriveFields(int set) {
    if ((set != 1 && set != 2) || m_nEditable < 0 || m_nEditable > 5)
        return false;
    ParameterSet s = Set(set);
    double* values[4] = {&s.radius, &s.angle, &s.offset, &s.length};
    const SetField* editable = kEditablePairs[m_nEditable];
    const double first = *values[editable[0]];
    const double second = *values[editable[1]];
    const Derivation& derivation = kDerivations[m_nEditable];
    for (int i = 0; i < 2; ++i) *values[derivation.fields[i]] = derivation.solve[i](first, second);
    const bool solved = IsBranchLength(s.radius) && IsBranchLength(s.offset) && IsBranchLength(s.length) &&
                        s.angle > 0.0 && s.angle <= DegreesToRadians(m_setRules.angleCeiling);
    if (!solved) {
        s.radius = s.prevRadius;
        s.angle = s.prevAngle;
        s.offset = s.prevOffset;
        s.length = s.prevLength;
    }
    ShowSetTexts(s);
    return solved;
}

// As after any refusal, the field typed into is the one to type again; no field is read while
// the focus moves to the message and back.
void CPageWizard::RefuseBranch(int typedId) {
    if (m_pDoc == nullptr)
        return;
    CString refusal = LengthRangeText(kNoBranch, CLengthFormat(m_pDoc->m_nUnitIndex), PieceLengths(0.0));
    CString angles;
    angles.Format(kBranchAngles, m_setRules.angleCeiling);
    m_bRefusingBranch = true;
    m_bBranchRefused = true;
    AfxMessageBox(refusal + angles, MB_ICONEXCLAMATION);
    if (CWnd* typed = GetDlgItem(typedId)) {
        GotoDlgCtrl(typed);
        typed->SendMessage(EM_SETSEL, 0, -1);
    }
    m_bRefusingBranch = false;
}

void CPageWizard::ShowEditableChoice() {
    if (auto* choice = dynamic_cast<CComboBox*>(GetDlgItem(IDC_WIZARD_EDITABLE)))
        choice->SetCurSel(m_nEditable);
    EnableEditableFields(m_bBothSets);
}

void CPageWizard::OnEditableChosen() {
    EnableEditableFields(m_bBothSets);
}

BOOL CPageWizard::OpenSetPage(const char* name) {
    ShowEditableChoice();
    if (m_dRatio != m_dDefaultsRatio)
        SetDefaults();
    if (!MakeObjects())
        return TRUE;
    m_pPiece->m_strCategory = "Track";
    m_pPiece->m_strName = name;
    Build();
    return TRUE;
}

void CPageWizard::ExchangeSet(CDataExchange* dx, int set) {
    ParameterSet s = Set(set);
    const bool offsetTyped = IsEditable(kOffset), lengthTyped = IsEditable(kLength);
    ExchangeLength(dx, static_cast<int>(s.ids[kRadius]), s.radiusText, PieceLengths(m_dUnit));
    ExchangeNumber(dx, static_cast<int>(s.ids[kAngle]), s.angleDegrees, m_dMinAngle, m_setRules.angleCeiling);
    // A typed offset lies within a typed length; one the other pair gives always does.
    const double longestOffset = lengthTyped ? std::min(s.length, kLargestFieldLength) : kLargestFieldLength;
    ExchangeLength(dx, static_cast<int>(s.ids[kOffset]), s.offsetText,
                   {m_dUnit, std::max(m_dUnit, longestOffset)});
    ExchangeLength(dx, static_cast<int>(s.ids[kLength]), s.lengthText,
                   PieceLengths(offsetTyped ? std::max(m_dUnit, s.offset) : m_dUnit));
}

void CPageWizard::CommitSet(int set) {
    for (SetField field : {kLength, kAngle, kOffset, kRadius}) OnSetFieldEdited(set, field);
}

void CPageWizard::OnSetFieldEdited(int set, SetField field) {
    if (!ReadEditedFields())
        return;
    ParameterSet s = Set(set);
    bool changed = false;
    switch (field) {
        case kRadius:
            s.radius = TypedOrBuilt(s.radiusText, s.prevRadius);
            changed = s.radius != s.prevRadius;
            break;
        case kAngle:
            s.angle =
                s.angleDegrees == ShownDegrees(s.prevAngle) ? s.prevAngle : DegreesToRadians(s.angleDegrees);
            changed = s.angle != s.prevAngle;
            break;
        case kOffset:
            s.offset = TypedOrBuilt(s.offsetText, s.prevOffset);
            changed = s.offset != s.prevOffset;
            break;
        case kLength:
            s.length = TypedOrBuilt(s.lengthText, s.prevLength);
            changed = s.length != s.prevLength;
            break;
    }
    const bool refused = changed && !DeriveFields(set);
    if (changed && !refused) {
        if (field == kLength && m_setRules.lengthCoversOffsetAfter)
            s.length = std::max(s.length, s.offset);
        Build();
    }
    RefreshSetTexts();
    UpdateData(FALSE);
    if (refused)
        RefuseBranch(static_cast<int>(s.ids[field]));
}

void CPageWizard::OnEntryEdited() {
    if (!ReadEditedFields())
        return;
    m_dEntry = ParseLength(m_strEntry);
    m_strEntry = FormatLength(m_dEntry);
    UpdateData(FALSE);
    if (m_dEntry != m_dPrevEntry)
        Build();
}

void CPageWizard::RefreshSetTexts() {
    for (int set = 1; set <= 2; ++set) ShowSetTexts(Set(set));
}

void CPageWizard::ShowSetTexts(const ParameterSet& s) const {
    s.radiusText = FormatLength(s.radius);
    s.offsetText = FormatLength(s.offset);
    s.lengthText = FormatLength(s.length);
    s.angleDegrees = ShownDegrees(s.angle);
}

void CPageWizard::KeepBuiltSetValues() {
    for (int set = 1; set <= 2; ++set) {
        ParameterSet s = Set(set);
        s.prevRadius = s.radius;
        s.prevAngle = s.angle;
        s.prevOffset = s.offset;
        s.prevLength = s.length;
    }
    m_dPrevEntry = m_dEntry;
}

// ---- Helpers of the pages ----

bool CPageWizard::CommitLength(CString& text, double& length, double built) {
    return CommitEdit([&] { length = TypedOrBuilt(text, length); }, length, built);
}

bool CPageWizard::CommitEdit(const std::function<void()>& limit, const double& value, double built) {
    if (!ReadEditedFields())
        return false;
    limit();
    UpdateData(FALSE);
    return value != built;
}

CTool& CPageWizard::Tool() {
    return m_pDoc->m_tool;
}

CGroup* CPageWizard::EditedGroup() const {
    if (m_pEditEntry != nullptr)
        return m_pEditEntry->m_pGroup;
    return m_pDoc != nullptr ? &m_pDoc->m_rootGroup : nullptr;
}

CSheetWizard* CPageWizard::Sheet() const {
    return dynamic_cast<CSheetWizard*>(m_pSheet != nullptr ? m_pSheet : GetParent());
}

CString CPageWizard::FormatLength(double length) const {
    CString text;
    if (m_pDoc != nullptr)
        m_pDoc->FormatLength(text, length);
    return text;
}

double CPageWizard::ParseLength(const CString& text) const {
    double length = 0.0;
    if (m_pDoc != nullptr)
        CLengthFormat(m_pDoc->m_nUnitIndex).ReadTypedLength(text, length);
    return length;
}

void CPageWizard::ExchangeLength(CDataExchange* dx, int id, CString& text, const LengthRange& range) const {
    CString typed = text;
    DDX_Text(dx, id, typed);
    if (m_pDoc != nullptr && typed != text) {
        const CLengthFormat lengths(m_pDoc->m_nUnitIndex);
        DDV_Length(dx, typed, lengths, range, LengthRangeText(kEnterLengthBetween, lengths, range));
    }
    text = typed;
}

void CPageWizard::ExchangeNumber(CDataExchange* dx, int id, double& value, double least, double largest) {
    double typed = value;
    DDX_Text(dx, id, typed);
    DDV_MinMaxDouble(dx, typed, least, largest);
    value = typed;
}

void CPageWizard::ExchangeNumber(CDataExchange* dx, int id, int& value, int least, int largest) {
    int typed = value;
    DDX_Text(dx, id, typed);
    DDV_MinMaxInt(dx, typed, least, largest);
    value = typed;
}

double CPageWizard::TypedOrBuilt(const CString& text, double built) const {
    return text == FormatLength(built) ? built : ParseLength(text);
}

double CPageWizard::FieldLength(int id, double fallback) const {
    CString text;
    if (CWnd* field = GetDlgItem(id))
        field->GetWindowText(text);
    double length = fallback;
    if (m_pDoc != nullptr && !CLengthFormat(m_pDoc->m_nUnitIndex).ReadTypedLength(text, length))
        length = fallback;
    return length;
}

LengthRange CPageWizard::PieceLengths(double least) {
    return {least, kLargestFieldLength};
}

bool CPageWizard::IsEditable(SetField field) const {
    if (m_nEditable < 0 || m_nEditable > 5)
        return false;
    const SetField* editable = kEditablePairs[m_nEditable];
    return field == editable[0] || field == editable[1];
}

bool CPageWizard::ReadEditedFields() {
    CSheetWizard* sheet = Sheet();
    return m_bDirty && !m_bRefusingBranch && (sheet == nullptr || !IsLeftForCancel(*sheet)) &&
           UpdateData(TRUE);
}

bool CPageWizard::AllMade(std::initializer_list<CPaint*> objects) {
    for (CPaint* object : objects)
        if (object == nullptr) {
            for (CPaint* made : objects) delete made;
            return false;
        }
    return true;
}

CGroup* CPageWizard::MakeGroup(std::initializer_list<CPaint*> members) {
    auto* group = new CGroup;
    group->SetTool(&Tool());
    for (CPaint* member : members) group->m_members.push_back(member);
    group->SetOwnerGroup(EditedGroup());
    return group;
}

void CPageWizard::KeepEntryStraight(CTrack*& entry, std::size_t pieces) {
    auto* group = static_cast<CGroup*>(m_pPiece);
    if (m_dEntry != 0.0 && group->m_members.size() == pieces) {
        entry = Create<CTrack>(kToolStraightTrack);
        if (entry == nullptr)
            return;
        group->m_members.push_back(entry);
        group->SetOwnerGroup(EditedGroup());
        group->RecalcFrame();
    } else if (m_dEntry == 0.0 && m_dPrevEntry != 0.0 && group->m_members.size() == pieces + 1) {
        delete group->m_members.back();
        group->m_members.pop_back();
        entry = nullptr;
    }
}

void CPageWizard::ShapeEntry(CTrack* entry) const {
    if (m_dEntry != 0.0 && entry != nullptr)
        entry->SetEnds(0.0, 0.0, m_dEntry, 0.0, 0, 0);
}

void CPageWizard::SetBranch(int set, double length, double degrees) {
    ParameterSet s = Set(set);
    s.length = length;
    s.angleDegrees = degrees;
    s.angle = DegreesToRadians(degrees);
    s.radius = length / std::sin(s.angle);
    s.offset = s.radius - length / std::tan(s.angle);
    s.lengthText = FormatLength(s.length);
    s.radiusText = FormatLength(s.radius);
    s.offsetText = FormatLength(s.offset);
}

void CPageWizard::ShowInPreview(CTrackPreviewWnd& preview, CPaint* piece, CGroup* labels) {
    m_pPiece = piece;
    m_pLabelGroup = labels;
    piece->SetOwnerGroup(EditedGroup());
    labels->SetOwnerGroup(EditedGroup());
    preview.SetObjects(piece, labels);
    m_pPreview = &preview;
}

void CPageWizard::FinishBuild(CTrackPreviewWnd& preview) {
    m_pLabelGroup->RecalcFrame();
    // Labels placed by their text's size at one fit change the fit: the page is built again
    // until the two agree.
    const bool refit = m_dLabelScale > 0.0 && m_pPreview != nullptr &&
                       std::fabs(m_pPreview->FitScale() - m_dLabelScale) > m_dLabelScale * kFitTolerance;
    m_dLabelScale = 0.0;
    if (refit && m_nRebuilds < kMostRebuilds) {
        ++m_nRebuilds;
        Build();
        --m_nRebuilds;
        return;
    }
    preview.Refit();
}
