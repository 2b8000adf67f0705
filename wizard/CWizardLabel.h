#pragma once

#include "model/CPaint.h"
#include "platform/gdi/CFont.h"

class CDC;

// One word of text in a track wizard preview ("Length", "Angle", ...), drawn at its anchor
// in the label font turned with the label. Labels live only in a wizard page's annotations
// and are never placed into a layout, so they store nothing beyond the common part.
class CWizardLabel : public CPaint {
    DECLARE_SERIAL(CWizardLabel)

  public:
    CWizardLabel();
    CWizardLabel(int selected, CTool* tool, double x, double y);

    // The text, its height in preview units and its two corners as world points; with hangs
    // set the anchor (x1, y1) is the text's top-left corner, else its bottom-left corner.
    BOOL SetLabel(double x1, double y1, double x2, double y2, int height, const CString& text, int hangs);
    // The font labels draw in, not turned, of height units of the dc it is selected into.
    static void CreateUprightFont(CFont& font, int height);
    // The width and line height of text in that font, in units of dc.
    static CSize UprightTextSize(CDC& dc, const CString& text, int height);

    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    // Drawn whether or not it meets the area being repainted.
    int Draw(const CPose* parent) override;
    // Drawn wherever it is asked to.
    bool DrawsByBoundsAndSelection() const override { return false; }
    // Widens the box by the box the text covers drawn at scale (world units per unit of dc,
    // which measures the text); the corners the pages give may leave the text out. Turned
    // text is taken turned either way.
    void AddTextBounds(CDC& dc, const CPose* parent, double scale, double& minX, double& minY, double& maxX,
                       double& maxY);

    CString m_strText;
    CFont m_font;
    int m_nHeight = 0;
    CDoublePoint m_ptAnchor;
    int m_bHangs = 0;

  private:
    void RecreateFont();
};
