#pragma once

#include "platform/ctl/CPropertyPage.h"
#include "ui/CLengthField.h"
#include "ui/CNumberField.h"

// The "Train" page of the preferences: the limits the track connection search keeps to.
// Lengths are texts in the document's unit; the bend is shown as the deformation allowed.
class CTrainPage : public CPropertyPage {
    DECLARE_DYNAMIC(CTrainPage)
  public:
    CTrainPage();

    // The unit of the length texts.
    int m_nUnitIndex;
    double m_fMaxGrade = 0.0;
    CNumberField m_bendDeformation;
    double m_fMaxAngle = 0.0;

    // The fields show the lengths in the page's unit and stand for them exactly until they are
    // typed in.
    void LoadDistances(double elevationGap, double connectionDistance);
    double ElevationGap() const;
    double ConnectionDistance() const;

    // The texts Restore shows: numbers without decimals.
    void ShowRestoredValues();

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

  private:
    CLengthField m_elevationGap;
    CLengthField m_connectionDistance;
};
