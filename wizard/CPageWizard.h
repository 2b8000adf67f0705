#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>

#include "model/CPaint.h"
#include "model/CTool.h"
#include "platform/ctl/CPropertyPage.h"
#include "ui/LengthEntry.h"

class CCVNDoc;
class CGroup;
class CGroupEditEntry;
class CSheetWizard;
class CTrack;
class CTrackPreviewWnd;

// The base of the track wizard's pages: the document the page builds for, the units of the
// document's train scale, the page's piece (what Place puts into the layout) and its
// annotations (dimension lines and labels, only ever shown in the preview), the two parameter
// sets of the turnout pages with their solver, and Place itself.
//
// The page object lives as long as its document and keeps what the user typed; its window and
// the layout objects it shows are made anew each time the sheet runs and are gone after
// Place or Close: the active page's piece then belongs to the layout, everything else is deleted.
class CPageWizard : public CPropertyPage {
    DECLARE_DYNAMIC(CPageWizard)
    DECLARE_MESSAGE_MAP()

  public:
    // The four values of a parameter set, in the order the "Editable fields" choice names them.
    enum SetField { kRadius, kAngle, kOffset, kLength };
    // How a turnout page limits what is typed into a parameter set.
    struct SetRules {
        // The angles a branch takes, in degrees; below one degree there is none.
        double angleCeiling = 90.0;
        // A length below the offset the other values gave is raised to it.
        bool lengthCoversOffsetAfter = false;
    };

    explicit CPageWizard(UINT templateId);
    ~CPageWizard() override;

    // The parameters' defaults in units of the document's scale; empty in the base.
    virtual void SetDefaults() {}
    // Reshapes the page's pieces from the parameters, rebuilds the annotations and repaints
    // the preview; empty in the base.
    virtual void Build() {}

    // The layout size a label of this text will have in the preview.
    void MeasureLabel(double& width, double& height, const CString& label);
    // The layout width and line height a label's text takes in the preview as it is now
    // fitted; MeasureLabel's are less, measured against the piece alone.
    CDoublePoint LabelTextSize(const CString& label);
    // Enables the two fields of set 2 (and with bothSets of set 1) the "Editable fields"
    // choice makes editable, and disables the other two.
    void EnableEditableFields(BOOL bothSets);
    // The two values of set 1 or 2 that are not editable, from the two that are. A pair the
    // solver cannot satisfy is refused: the set gets its last built values back and the
    // answer is false.
    bool DeriveFields(int set);

    // The document of the main window's active layout window; null when none is open.
    static CCVNDoc* ActiveDocument();
    // The whole-inch unit of the pages' defaults and limits at a scale of 1 : ratio, and one
    // real inch at that scale.
    static double UnitForRatio(double ratio);
    static double InchAtScale(double ratio);

    CCVNDoc* m_pDoc = nullptr;
    CGroupEditEntry* m_pEditEntry = nullptr;
    CPaint* m_pPiece = nullptr;
    CGroup* m_pLabelGroup = nullptr;
    int m_bDirty = 1;
    int m_nLabelHeight = 52;
    double m_dInchAtScale = 0.0;
    double m_dRatio = 1.0;
    double m_dDefaultsRatio = 1.0;
    double m_dUnit = 1.0;
    double m_dMinAngle = 1.0;
    CString m_strRadius1, m_strRadius2;
    CString m_strOffset1, m_strOffset2;
    CString m_strLength1, m_strLength2;
    double m_dAngle1 = 0.0, m_dAngle2 = 0.0;
    CString m_strEntry;
    double m_dEntry = 0.0, m_dPrevEntry = 0.0;
    double m_dLength1 = 0.0, m_dLength2 = 0.0;
    double m_dPrevLength1 = 0.0, m_dPrevLength2 = 0.0;
    double m_dOffset1 = 0.0, m_dPrevOffset1 = 0.0, m_dOffset2 = 0.0, m_dPrevOffset2 = 0.0;
    double m_dAngleRad1 = 0.0, m_dPrevAngleRad1 = 0.0, m_dAngleRad2 = 0.0, m_dPrevAngleRad2 = 0.0;
    double m_dRadius1 = 0.0, m_dPrevRadius1 = 0.0, m_dRadius2 = 0.0, m_dPrevRadius2 = 0.0;
    CWnd* m_pSheet = nullptr;
    int m_nEditable = 0;
    CTrackPreviewWnd* m_pPreview = nullptr;
    // The fit the labels' text was last measured at in this build (0 when none was), and how
    // deep the builds that place the labels again are nested.
    double m_dLabelScale = 0.0;
    int m_nRebuilds = 0;
    // The limits of the page's parameter sets, and whether it edits set 1 besides set 2.
    SetRules m_setRules;
    BOOL m_bBothSets = TRUE;
    // While the page tells that a pair makes no branch, a field losing the focus to the
    // message is not read; once told, the page is not left for Place or another page.
    bool m_bRefusingBranch = false;
    bool m_bBranchRefused = false;

  protected:
    BOOL OnInitDialog() override;
    // Place: the active page puts its piece into the group being edited with one Undo.
    void OnOK() override;
    // Close: the page's objects are deleted.
    void OnCancel() override;
    BOOL OnSetActive() override;
    // Place and a turn to another page take what was typed: the field being typed in first, as
    // leaving it would, then every field. A value no piece can have keeps the page, told.
    BOOL OnKillActive() override;
    // Takes every field's text into the page's values and piece; empty in the base.
    virtual void TakeTypedFields() {}
    // Writes the page's values as texts in the document's unit, which may have changed since
    // the page was last shown; empty in the base.
    virtual void FormatTexts() {}

    // One parameter set's values and the controls that show them.
    struct ParameterSet {
        CString& radiusText;
        double& angleDegrees;
        CString& offsetText;
        CString& lengthText;
        double& radius;
        double& angle;
        double& offset;
        double& length;
        double& prevRadius;
        double& prevAngle;
        double& prevOffset;
        double& prevLength;
        UINT ids[4];
    };
    ParameterSet Set(int set);
    // Exchanges a set's radius, angle, offset and length with their fields, in this order.
    void ExchangeSet(CDataExchange* dx, int set);
    // The edit of one value of a set was left: the value is read and limited; when it
    // changed the set follows and the page is built again. Every field of both sets is then
    // shown anew.
    void OnSetFieldEdited(int set, SetField field);
    // The entry length was left: below 0 it becomes 0; a change builds the page.
    void OnEntryEdited();
    // The "Editable fields" choice shows the page's choice and enables its fields.
    void ShowEditableChoice();
    // The "Editable fields" choice was confirmed: nothing is derived until the next edit.
    void OnEditableChosen();
    // A turnout page's window opens: its "Editable fields" choice shows, its defaults follow a
    // scale changed since they were set and, once its objects are made, its piece is named
    // and built.
    BOOL OpenSetPage(const char* name);
    // Makes the page's piece and annotations and shows them; false when one could not be made.
    virtual bool MakeObjects() { return false; }
    void OnRadius1Edited() { OnSetFieldEdited(1, kRadius); }
    void OnAngle1Edited() { OnSetFieldEdited(1, kAngle); }
    void OnOffset1Edited() { OnSetFieldEdited(1, kOffset); }
    void OnLength1Edited() { OnSetFieldEdited(1, kLength); }
    void OnRadius2Edited() { OnSetFieldEdited(2, kRadius); }
    void OnAngle2Edited() { OnSetFieldEdited(2, kAngle); }
    void OnOffset2Edited() { OnSetFieldEdited(2, kOffset); }
    void OnLength2Edited() { OnSetFieldEdited(2, kLength); }
    // Takes what was typed into a set as if its length, angle, offset and radius edits had
    // been left in this order.
    void CommitSet(int set);
    // Whether the "Editable fields" choice lets the field of a set be typed.
    bool IsEditable(SetField field) const;
    // Tells that the typed pair makes no branch, naming what a branch can be, and gives the
    // field typed into the focus back.
    void RefuseBranch(int typedId);
    // Both sets' values as texts and their angles in shown degrees.
    void RefreshSetTexts();
    // One set's values as texts and its angle in shown degrees.
    void ShowSetTexts(const ParameterSet& s) const;
    // Each set value becomes its last built value.
    void KeepBuiltSetValues();

    // A length field taking the lengths of the range: a typed text that is no such length is
    // refused, naming the range. The text the page last showed stands for its value and is not
    // judged again, as the page's own values (derived ones among them) may lie outside.
    void ExchangeLength(CDataExchange* dx, int id, CString& text, const LengthRange& range) const;
    // The length a text stands for: the built one while the text shows it, so that a field
    // left untouched changes nothing.
    double TypedOrBuilt(const CString& text, double built) const;
    // The length a field's text stands for; the fallback for a text that is none.
    double FieldLength(int id, double fallback) const;
    // A number field taking the numbers from least to largest; a refused number leaves the
    // value as it was.
    static void ExchangeNumber(CDataExchange* dx, int id, double& value, double least, double largest);
    static void ExchangeNumber(CDataExchange* dx, int id, int& value, int least, int largest);
    // The lengths a field of a piece takes: from least to the largest length of any field, far
    // within the coordinates a layout file keeps whatever piece the fields make.
    static LengthRange PieceLengths(double least);
    // A field was left after typing: the page's fields are read, unless they were left for Close
    // (nobody reads them then), for a message, or one is refused.
    bool ReadEditedFields();
    // The edit of a length field was left: the length is read and shown; answers whether it
    // differs from its value at the last build.
    bool CommitLength(CString& text, double& length, double built);
    // The edit of a field was left after typing: the fields are read, limit sets the values and
    // their texts from them, and the texts are shown; answers whether the value differs from
    // its value at the last build.
    bool CommitEdit(const std::function<void()>& limit, const double& value, double built);

    CTool& Tool();
    // The group placed pieces go into: the one being edited.
    CGroup* EditedGroup() const;
    CSheetWizard* Sheet() const;
    CString FormatLength(double length) const;
    // A field's length through the one typed-length reader; the exchange has refused any text
    // that is none.
    double ParseLength(const CString& text) const;
    // A new layout object of the tool mode, from the document's defaults.
    template <class Kind>
    Kind* Create(int mode);
    // Whether every object was made; when one was not, all of them are deleted.
    static bool AllMade(std::initializer_list<CPaint*> objects);
    // A new group of the document's engine holding the members in this order, owned by the
    // group being edited.
    CGroup* MakeGroup(std::initializer_list<CPaint*> members);
    // The entry straight at the end of the piece group comes with an entry length and goes
    // with the last one; the group holds the given number of pieces besides it.
    void KeepEntryStraight(CTrack*& entry, std::size_t pieces);
    // The entry straight, when there is one, runs from the origin along x for the entry length.
    void ShapeEntry(CTrack* entry) const;
    // A branch of one parameter set from its length and angle in degrees, with its texts.
    void SetBranch(int set, double length, double degrees);
    // Keeps the objects as the page's piece and annotations, owned by the group being edited,
    // and shows them in the preview.
    void ShowInPreview(CTrackPreviewWnd& preview, CPaint* piece, CGroup* labels);
    // The annotations take their new frame and the preview fits them anew.
    void FinishBuild(CTrackPreviewWnd& preview);

  private:
    bool IsActivePage() const;
    // Takes the field holding the focus as leaving it would.
    void TakeFocusedField();
    // The preview lets go of the page's objects before they leave the page.
    void ClearPreview();
    // Puts the piece into the group being edited, centred and selected; false when nothing
    // was placed.
    bool PlacePiece();
    void MoveIntoView(int centreX, int centreY);
    void RestoreEditedGroupPose();
    void DeletePageObjects();
};

template <class Kind>
Kind* CPageWizard::Create(int mode) {
    CPaint* made = Tool().CreateObjectForTool(mode);
    auto* kind = dynamic_cast<Kind*>(made);
    if (kind == nullptr)
        delete made;
    return kind;
}
