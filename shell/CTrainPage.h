#pragma once

#include "model/TrackConnectionState.h"
#include "platform/ctl/CPropertyPage.h"
#include "ui/CTypedField.h"

// The "Train" page of the preferences: the limits the track connection search keeps to.
// Lengths are texts in the document's unit; the angle is shown in degrees and the bend as the
// deformation allowed. Each field stands for its limit exactly until it is typed in.
class CTrainPage : public CPropertyPage {
    DECLARE_DYNAMIC(CTrainPage)
  public:
    CTrainPage();

    // The unit of the length texts.
    int m_nUnitIndex;

    void LoadLimits(const TrackLimits& limits);
    // The limits as the fields stand: typed ones in their ranges, the others as loaded.
    TrackLimits Limits() const;

    // The controls take the loaded texts.
    void ShowRestoredValues();

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

  private:
    CTypedField m_elevationGap;
    CTypedField m_grade;
    CTypedField m_connectionDistance;
    CTypedField m_bendDeformation;
    CTypedField m_angle;
};
