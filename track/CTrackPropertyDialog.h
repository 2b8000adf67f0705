#pragma once

#include <array>
#include <limits>
#include <map>
#include <vector>

#include "drawing/CCatalogueFields.h"
#include "model/CLengthFormat.h"
#include "model/CPose.h"
#include "model/Geometry.h"
#include "model/Units.h"
#include "platform/ctl/CComboBox.h"
#include "platform/ctl/CDialog.h"
#include "ui/CColorButton.h"
#include "ui/CObjectPreviewWnd.h"
#include "ui/CTypedField.h"
#include "ui/LengthEntry.h"

class CParTrack;

// "Track properties": edits a copy of a track piece, shows the copy in a preview while the
// user types, and hands it back with the apply mode. The clicked piece itself is never
// touched; the opener applies the copy after OK and deletes it in every case.
class CTrackPropertyDialog : public CDialog {
    DECLARE_DYNCREATE(CTrackPropertyDialog)
    DECLARE_MESSAGE_MAP()
  public:
    // The largest length a field takes on OK: 64 m.
    static constexpr double kLargestLength = kLargestFieldLength;
    static constexpr FieldRange kLengthRange{0.0, kLargestLength};
    enum ApplyMode : int { kApplyToPiece = 0, kApplyToSelection = 1, kApplyToAll = 2, kApplyAsDefault = 3 };

    CTrackPropertyDialog();

    // Makes the copy; the placement is the piece's parent placement, null when there is none.
    void SetPiece(CParTrack* piece, int severalSelected, const CPose* placement);
    // 0 when there is no copy; else the copy, the apply mode and the reference point after.
    int GetAppliedPiece(CParTrack** copy, int* applyMode);
    CParTrack* GetEditedCopy() const { return m_copy; }
    // The point that must stay in place, on the clicked piece and on the copy (world).
    CDoublePoint GetReferenceBefore() const { return m_referenceBefore; }
    CDoublePoint GetReferenceAfter() const { return m_referenceAfter; }

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnApplyModeChanged();
    void OnScaleChanged();
    void OnBrowseTrackTexture();
    void OnBrowseRoadbedTexture();
    void OnRailColor();
    void OnTieColor();
    void OnMore();
    void UpdatePreview();

    // Shape and elevation editing.
    void OnLengthSetFocus();
    void OnRadiusSetFocus();
    void OnArcDegreesSetFocus();
    void OnLengthKillFocus();
    void OnRadius1KillFocus();
    void OnRadius2KillFocus();
    void OnArcDegreesKillFocus();
    void OnStartAngleKillFocus();
    void OnGradeKillFocus();
    void OnBeginElevationKillFocus();
    void OnEndElevationKillFocus();
    void OnElevationEntryButton();
    void OnGradeEntryButton();
    void OnGradeDirectionButton();
    void SetElevationEntryMode(int mode);
    void ShowGradeDirection();
    void ApplyGrade();

  private:
    // Field operations; a control the template lacks reads as 0 and is skipped.
    int IsButtonChecked(int id);
    int RefreshLengthField(int id, double& value);
    // 1 when the length (or angle) differs from value, now taken into it; else 0.
    static int TakeLength(double length, double& value);
    BOOL ValidateLengthField(double& target, int id);
    // The text a length field opens with; the field keeps the length it stands for.
    CString OpenedLength(int id, double length);
    // The lengths the field takes: the shape's and the rail spacing's as the piece allows them.
    FieldRange RangeOf(int id);
    CString RefusalOf(const FieldRange& range) const;

    CLengthFormat Lengths() const { return CLengthFormat(m_unitIndex); }
    CFieldFormat LengthFields() const { return CFieldFormat::Lengths(Lengths()); }
    CString FormatLength(double length) const;
    // The angle fields, degrees kept as radians: as they open, and as a change shows them.
    static CFieldFormat OpenedDegrees();
    static CFieldFormat ShownDegreeFields();
    // Start angle: 0 to 360 degrees; ArcDegrees: the sweeps that make a valid piece.
    FieldRange DegreeRangeOf(int id);
    static CString DegreeRefusal(const FieldRange& range);
    // The field's DDX_Text, and for a typed text the check of its range.
    void ExchangeDegrees(CDataExchange* dx, int id);
    CTypedField& DegreeField(int id);
    // The field then stands for the exact angle, shown to two places as a change shows it.
    void ShowDegrees(int id, double radians);
    // 1 for another angle, typed in the range (then shown anew) or typed back to the opened
    // text, now in radians; 0 for the same one; -1 after the refusal naming the range.
    int TakeDegreesField(int id, double& radians);
    // Quietly, for the preview: the angle typed in the range, else the one the field stands for.
    void ReadDegreesInto(int id, double& radians);
    void ShowText(int id, const CString& text);
    // The field then stands for the exact length, one outside the range excepted.
    void ShowLength(int id, double length);
    // ShowLength, unless the field stands for that length already, as typed or as shown.
    void ShowChangedLength(int id, double length);
    void SetReadOnly(int id, BOOL readOnly);
    void Enable(int id, BOOL enabled);
    void ShowIllegalValue();
    void RepaintPreview();
    void MeasureEllipse();
    // An elliptic arc's radii, start angle and sweep.
    std::array<double, 4> EllipseShape() const;
    // The copy recomputes its outline for the preview, which is repainted at once.
    void RedrawCopy();
    void CheckHeldMark(int checked, int unchecked);
    void FillFromCopy();
    void FillShapeFields();
    void ShowPictures();
    void ShowModeEnabling();
    void FocusShapeField();
    void ReadShapeFieldsIntoCopy();
    BOOL BrowseTexture(CString& texture, int editId);
    // The shape handlers of fields typed into and not yet left; FALSE when one refused.
    BOOL CommitPendingShapeEdits();
    BOOL ValidateShapeFields();
    BOOL ValidateSizeFields();
    // Mode 0 hands back no copy that its class rejects, unless the piece came so and is kept as it came.
    BOOL RefuseInvalidCopy();
    bool HoldsPieceAsItCame();
    BOOL CommitLength();
    BOOL CommitRadius1();
    BOOL CommitRadius2();
    // Refuses the field's text naming its range; the field keeps the text and the focus.
    BOOL RefuseShapeText(int id);
    BOOL CommitArcDegrees();
    BOOL CommitStartAngle();
    void CommitElevation(int id, double& elevation);
    void ShowGrade(double grade);
    // The grade in percent, without sign, from the rise over the length; 0 for a piece without
    // length.
    static double GradePercent(double rise, double length);
    bool IsStraight() const;
    bool IsCircle() const;
    bool IsEllipse() const;
    bool IsSpline() const;

    CParTrack* m_copy = nullptr;
    std::vector<BYTE> m_cameStored;
    std::array<double, 4> m_cameExtent{};
    CPose m_placement;
    int m_noPlacement = 1;
    int m_referenceIndex = 0;
    CDoublePoint m_referenceAfter;
    CDoublePoint m_referenceBefore;
    CString m_trackTexture;
    CString m_roadbedTexture;
    CString m_roadbedWidth;
    CString m_roadbedHeight;
    CComboBox m_scaleCombo;
    CObjectPreviewWnd m_preview;
    int m_resizeable = 0;
    int m_railModeIndex = 0;
    int m_showAxis = 0;
    int m_showTies = 0;
    int m_applyMode = 0;
    CColorButton m_railColor;
    CColorButton m_tieColor;
    CString m_category;
    CCatalogueFields m_fields;
    int m_style = -1;
    // The grade shows whole percent and stands for the exact grade it was loaded with.
    CTypedField m_grade;
    CString m_length;
    CString m_radius1;
    CString m_radius2;
    CTypedField m_arcDegrees;
    CString m_beginElevation;
    CString m_endElevation;
    CString m_gauge;
    CString m_tieLength;
    CString m_tieSpacing;
    CString m_trackSeparation;
    CTypedField m_startAngle;
    // The angle fields as they opened.
    CTypedField m_openedArcDegrees;
    CTypedField m_openedStartAngle;
    int m_elevationEntry = 1;
    int m_rising = 1;
    int m_unitIndex = kDefaultUnitIndex;

    // The length fields by id, each standing for the length it was last shown with.
    std::map<int, CTypedField> m_lengthFields;
    // The elliptic arc's shape as it opened, and the length it was stored with.
    std::array<double, 4> m_openedEllipse{};
    double m_openedLength = 0.0;
    static constexpr FieldRange kStartAngles{0.0, kFullTurn};
    // Any number: the direction button turns the grade, a typed sign turns it again.
    static constexpr FieldRange kGrades{-std::numeric_limits<double>::max(),
                                        std::numeric_limits<double>::max()};
};
