#pragma once

#include "platform/ctl/CStatic.h"

class CDC;
class CPaint;

// The preview of a track wizard page: the page's piece and its annotations, drawn by their
// own drawing at 0.1 mm per logical unit, scaled so that together they fill at most 80 % of
// the window and centred in it. It takes over the page's preview frame.
class CTrackPreviewWnd : public CStatic {
    DECLARE_DYNAMIC(CTrackPreviewWnd)
  public:
    // Neither object is owned: the page keeps them alive while the window shows them.
    void SetObjects(CPaint* piece, CPaint* labels) {
        m_pPiece = piece;
        m_pLabels = labels;
    }

    CPaint* m_pPiece = nullptr;
    CPaint* m_pLabels = nullptr;

  protected:
    void OnPaint() override;

  private:
    void DrawScaled(CDC& dc, double scale);
};
