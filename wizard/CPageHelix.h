#pragma once

#include "wizard/CPageWizard.h"
#include "wizard/CTrackPreviewWnd.h"

class CSizeLine;
class CTrack;
class CWizardLabel;

// The helix page: equal curves winding around one centre and climbing steadily, with a
// straight at the bottom and one at the top, all built as bridges. The grade or the total
// height is typed and the other follows; every curve carries its own end elevations.
class CPageHelix : public CPageWizard {
    DECLARE_DYNCREATE(CPageHelix)
    DECLARE_MESSAGE_MAP()

  public:
    // More curves than this are taken for a typing slip.
    static constexpr int kMostCurves = 1000;

    CPageHelix();

    void SetDefaults() override;
    void Build() override;
    // A new piece group of the two straights and the curves, shown in the preview.
    void CreatePieces();

    CTrackPreviewWnd m_wndPreview;
    double m_dGrade = 4.0;
    CString m_strTotalHeight;
    CString m_strRadius = "10";
    double m_dCurveAngle = 45.0;
    int m_nCurveCount = 12;
    CString m_strStraightLength = "10";
    CTrack* m_pStraight1 = nullptr;
    CTrack* m_pStraight2 = nullptr;
    CSizeLine* m_pDimLine = nullptr;
    CWizardLabel* m_pLabel = nullptr;
    double m_dGradeUsed = 4.0;
    double m_dRadius = 0.0;
    double m_dCurveAngleRad = 0.0;
    double m_dStraightLength = 0.0;
    double m_dTotalHeight = 0.0;
    double m_dPrevGradeUsed = 0.0;
    double m_dPrevRadius = 0.0;
    double m_dPrevCurveAngleRad = 0.0;
    double m_dPrevStraightLength = 0.0;
    double m_dPrevTotalHeight = 0.0;
    int m_nCount = 12;
    int m_nPrevCount = 0;
    int m_nHand = 0;
    int m_nInput = 0;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void TakeTypedFields() override;
    void FormatTexts() override;
    void OnGradeEdited();
    void OnTotalHeightEdited();
    void OnRadiusEdited();
    void OnCurveAngleEdited();
    void OnCurveCountEdited();
    void OnStraightLengthEdited();
    void OnLeftHelix();
    void OnRightHelix();
    void OnGradeTyped();
    void OnHeightTyped();

  private:
    // The value that is not typed, the total height or the grade, follows the others.
    void Rederive();
    // The number of curves as typed, 1 to the most; the piece group is made anew when the
    // number changed.
    void ApplyCount();
    // The values the climb is reckoned from, as the fields last gave them.
    struct ClimbValues {
        CString radius;
        double curveAngle;
        int curveCount;
        double grade;
    };
    ClimbValues Climb() const;
    // In an exchange that reads the fields, a helix climbing higher than a height field takes
    // is refused, and the values it was reckoned from are given back, so that nothing refused
    // stays for the next opening.
    void RefuseClimbBeyondReach(CDataExchange* dx, const ClimbValues& before);
    void ChooseInput(int input);
    void ShapeLeft(double z0);
    void ShapeRight(double z0);
    // The exit straight from the far point of the curves, level at the top.
    void ShapeExit(double far, double side, double z0);
};
