#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "model/PatternFile.h"
#include "platform/ctl/CStatic.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"

// The 8 by 8 grid of a fill pattern, one 13-pixel cell per bit, toggled by clicks. Row r is
// word r; the cell of column c is bit 7 - c of the low byte; 0 is ink, 1 is background.
class CPatternBitsCtrl : public CStatic {
    DECLARE_DYNAMIC(CPatternBitsCtrl)
  public:
    using PatternBytes = PatternFileBytes;

    CPatternBitsCtrl();

    // Reads the named file into the grid; a missing or unreadable file leaves it blank and new.
    // A file found elsewhere than named gives its full path back.
    void LoadPattern(CString& name);
    // A blank pattern that counts as changed and not yet saved.
    void Clear();
    void RebuildBrush();

    // Called after every change the user makes, so the owner can show it.
    void SetChangeHandler(std::function<void()> handler) { m_onChange = std::move(handler); }

    PatternBytes Bytes() const;
    CBitmap* Bitmap() const { return m_bitmap.get(); }
    CBrush* Brush() const { return m_brush.get(); }
    BOOL IsModified() const { return m_modified; }
    BOOL IsNewPattern() const { return m_newPattern; }

  protected:
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;

  private:
    void PaintGrid(CDC& dc, const CRect& client) const;
    void SetBlank();
    void Changed();

    std::array<std::uint16_t, 8> m_bits{};
    BOOL m_modified = FALSE;
    BOOL m_newPattern = TRUE;
    std::unique_ptr<CBrush> m_brush;
    std::unique_ptr<CBitmap> m_bitmap;
    std::function<void()> m_onChange;
};
