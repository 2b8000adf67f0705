#pragma once

#include <span>

#include "platform/ctl/CComboBox.h"

// The machinery the owner-drawn style pickers share: a drop-down list of values without
// strings, each item painted as a sample on the window or caption colours. A picker fills
// itself when it is attached to its list control and is read and set by list index.
class CStylePicker : public CComboBox {
    DECLARE_DYNAMIC(CStylePicker)
  public:
    // Empties the list, appends one item per value (the value as its data) and shows the first.
    virtual void PreSubclassWindow();
    void DrawItem(DRAWITEMSTRUCT* item) override;
    void MeasureItem(MEASUREITEMSTRUCT* item) override;

  protected:
    // The sample's colours: ink for what is drawn, paper behind it.
    struct Colours {
        COLORREF ink;
        COLORREF paper;
    };
    int OnCreate(CREATESTRUCT* cs) override;
    virtual std::span<const int> Values() const = 0;
    virtual int ItemHeight() const { return 20; }
    // The width and hatch pickers draw a selected sample in the window colour.
    virtual bool SelectedInWindowColour() const { return false; }
    virtual void DrawSample(CDC& dc, const CRect& item, int value, const Colours& colours) const = 0;

    static int Mid(const CRect& item) { return item.top + (item.bottom - item.top) / 2; }
    // The base line of a sample, left + 10 to right - 10 at mid height, over a transparent
    // background so that the gaps of a styled pen show the item.
    static void DrawBaseLine(CDC& dc, const CRect& item, int penStyle, int width, COLORREF ink);
    // Two one-pixel strokes from the tip, the base line's right end, back to
    // (right - back, mid +- spread).
    static void DrawArrowStrokes(CDC& dc, const CRect& item, int back, int spread, COLORREF ink);
};
