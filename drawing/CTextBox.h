#pragma once

#include <memory>
#include <vector>

#include "drawing/TextLayout.h"
#include "model/CPaint.h"
#include "model/CPlacement.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPoint.h"
#include "platform/gdi/GdiTypes.h"

// A text in a box on the plan: laid out character by character from the box's top-left
// corner, wrapping at its right edge and at line feeds, in a font whose height is a plan
// length in millimetres and which turns with the box. Points 1 to 4 are the box corners,
// point 0 the rotation handle. Its properties are the "Text properties" dialog.
class CTextBox : public CPaint {
    DECLARE_SERIAL(CTextBox)

  public:
    static constexpr int kPointCount = 5;
    // Where the properties comparison marks a different text and a different font.
    static constexpr int kDiffersText = 29;
    static constexpr int kDiffersFont = 30;

    CTextBox();
    CTextBox(int selected, CTool* tool, double x, double y);

    void Serialize(CArchive& ar) override;
    void CompareProperties(CPaint* other) override;
    void RecreateResources(int recreate) override;
    void GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) override;
    void AppendStatusText(CString& text) override;
    void NearestEndPoint(double& x, double& y, const CPose* pose) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    bool GetFrameOutline(std::vector<CDoublePoint>& points) override;
    void CopyFrom(CPaint* other) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    CPaint* HitTest() override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int FinishCreate(const CPose* pose, int handle) override;
    int Rescale(CEditStep* step) override;
    int EditProperties(const CPose* pose) override;
    void UpdateSizeInfo(const CPose* pose) override;
    int IsInvalid(int unused) override;

    CString m_strText;
    std::unique_ptr<CFont> m_pFont;
    LOGFONT m_fontRecord{};
    COLORREF m_crText = 0;
    // The lines of the last drawing on screen, in device units; empty when no text showed.
    std::vector<int> m_lineWidths;
    // The device height of the font of that drawing.
    int m_nLineHeight = 0;

  private:
    bool HasPoints() const { return m_points.GetSize() >= kPointCount; }
    std::vector<CDoublePoint> Corners() const;
    // Corners 1, 3, 4 and 2: the order the snapping prefers.
    std::vector<CDoublePoint> SnapCorners() const;
    void CreateFont();
    // The device font height at the engine's zoom or print scale; 0 when too small to show.
    int DeviceFontHeight() const;
    void DrawText(CDC& dc, const CPlacement& placement, const std::vector<CPoint>& corners);
    // Lays the text out in the turned font and draws it, when "W" fits the box's width.
    TextLayout DrawCharacters(CDC& dc, const CPlacement& placement, int width, int height, int lineHeight,
                              double escapement);
    void DrawFrame(CDC& dc, const std::vector<CPoint>& corners, const CPose& frame);
    bool CursorOnText(CDoublePoint local) const;
    double LineHeightInLayout() const;
    // Runs the dialog; on OK takes its text, font and colour. An empty text becomes a blank.
    bool RunDialog();
};
