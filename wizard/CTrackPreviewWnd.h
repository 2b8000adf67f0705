#pragma once

#include <optional>

#include "platform/ctl/CStatic.h"

class CDC;
class CPaint;

// The preview of a track wizard page: the page's piece and its annotations, drawn by their
// own drawing at 0.1 mm per logical unit, scaled so that together they fill at most 80 % of
// the window and centred in it. It takes over the page's preview frame.
class CTrackPreviewWnd : public CStatic {
    DECLARE_DYNAMIC(CTrackPreviewWnd)
  public:
    // A box of world coordinates.
    struct Box {
        double minX, minY, maxX, maxY;
    };

    // Neither object is owned: the page keeps them alive while the window shows them.
    void SetObjects(CPaint* piece, CPaint* labels);
    // The objects changed: the next paint fits them to the window again.
    void Refit();
    // How often a paint fitted the objects; a repaint of unchanged objects keeps the fit.
    int FitCount() const { return m_nFits; }

    // Layout units per logical unit at which piece, annotations and the labels' text fill at
    // most 80 % of the window; 0 without objects.
    double FitScale();

    CPaint* m_pPiece = nullptr;
    CPaint* m_pLabels = nullptr;

  protected:
    void OnPaint() override;

  private:
    struct Fit {
        double scale;
        Box extent;
        double cw, ch;  // the client area in logical units
    };
    Fit FitInto(CDC& dc);
    const Fit& KeptFit(CDC& dc);
    Box WithLabelText(Box u, CDC& dc, double scale) const;
    void DrawScaled(CDC& dc, double scale);

    // The fit of the objects as they are, made at the first paint after a change.
    std::optional<Fit> m_fit;
    int m_nFits = 0;
};
