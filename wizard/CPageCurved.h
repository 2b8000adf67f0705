#pragma once

#include "wizard/CPageWizard.h"
#include "wizard/CTrackPreviewWnd.h"

class CCircTrack;
class CSizeAngle;
class CWizardLabel;

// The second page of the track wizard: one circular curve of a typed radius and angle,
// symmetric about the x axis, shown with a dimension angle and the label "Angle".
class CPageCurved : public CPageWizard {
    DECLARE_DYNCREATE(CPageCurved)
    DECLARE_MESSAGE_MAP()

  public:
    CPageCurved();

    void SetDefaults() override;
    void Build() override;
    // The sweep of an angle in degrees; a whole turn is built a little short.
    static double SweepOf(double degrees);

    CTrackPreviewWnd m_wndPreview;
    double m_dAngleDeg = 90.0;
    CString m_strRadius = "10";
    CCircTrack* m_pTrack = nullptr;
    CSizeAngle* m_pSizeAngle = nullptr;
    CWizardLabel* m_pLabel = nullptr;
    double m_dSweep = 0.0;
    double m_dRadius = 0.0;
    double m_dPrevSweep = 0.0;
    double m_dPrevRadius = 0.0;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void TakeTypedFields() override;
    void FormatTexts() override;
    void OnAngleEdited();
    void OnRadiusEdited();
};
