#pragma once

#include "wizard/CPageHanded.h"

class CCircTrack;

// The curved turnout page: two curves leaving one point, bending the same way ("Left",
// "Right") or opposite ways ("Wye"); curve 1 (set 1) follows an optional entry straight,
// curve 2 (set 2) starts at the origin. Two dimension lines and two labels in the preview.
class CPageCurvedTurnout : public CPageHanded {
    DECLARE_DYNCREATE(CPageCurvedTurnout)
    DECLARE_MESSAGE_MAP()

  public:
    CPageCurvedTurnout();

    void SetDefaults() override;
    void Build() override;

    CTrack* m_pEntryTrack = nullptr;
    CCircTrack* m_pCurve1 = nullptr;
    CCircTrack* m_pCurve2 = nullptr;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void TakeTypedFields() override;
    void FormatTexts() override;
    void OnOK() override;
    void OnLeft();
    void OnRight();
    void OnWye();

  private:
    bool MakeObjects() override;
    void ShapePieces();
    void ShapeAnnotations();
};
