#pragma once

#include "wizard/CPageHanded.h"

// A page whose hands make different pieces (one reverse curve or slip curve, or two): a new
// hand makes the pieces anew, once the annotations they are shown with exist.
class CPageSingleOrDouble : public CPageHanded {
    DECLARE_DYNAMIC(CPageSingleOrDouble)

  public:
    CPageSingleOrDouble(UINT templateId, int hand, int doubleHand);

    // A new piece group for one hand or for the double, shown in the preview.
    virtual void CreatePieces(BOOL bDouble) = 0;

  protected:
    void ChooseHand(int hand) override;
    // The two dimension lines and two labels in the label group; false, with none of them
    // kept, when one could not be made.
    bool MakeAnnotations();

  private:
    int m_nDoubleHand;
};
