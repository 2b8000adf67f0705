#pragma once

#include <memory>
#include <vector>

#include "drawing/CPictureSource.h"
#include "model/CPaint.h"
#include "model/CPlacement.h"
#include "platform/gdi/CPoint.h"

class CBitmap;
class CDC;

// A .bmp picture stretched into a rectangle of the plan at any turn. Points 1 to 4 are the
// corners (1 the press, 3 the far corner), point 0 the rotation handle. The picture's column 0
// and row 0 lie at corner 1; its columns run toward corner 4, its rows toward corner 2. The
// scale-with-document flag is the picture's "Resizeable". Base of the 3D bitmap.
class CBMP : public CPaint {
    DECLARE_SERIAL(CBMP)

  public:
    static constexpr int kPointCount = 5;

    CBMP();
    CBMP(int selected, CTool* tool, double x, double y);
    ~CBMP() override;

    // Loads the picture from the file name, searching the data folder when needed (the name
    // then becomes the path that worked). Null, with the old picture kept and a message, when
    // it cannot be read (told only when reported); null and nothing shown for an empty name.
    CBitmap* LoadPicture(bool report = true);
    CBitmap* GetPicture() const { return m_pPicture.get(); }
    // What the turned drawing read of the pictures it drew.
    const CPictureSource& GetPictureSource() const { return m_source; }

    void Serialize(CArchive& ar) override;
    void RecreateResources(int recreate) override;
    void GetSnapPoint(double& vectorX, double& vectorY, const CPose* pose, double x, double y) override;
    void AppendStatusText(CString& text) override;
    void NearestEndPoint(double& x, double& y, const CPose* pose) override;
    void GetBounds(const CPose* pose, double& minX, double& minY, double& maxX, double& maxY) override;
    bool GetFrameOutline(std::vector<CDoublePoint>& points) override;
    void ReleaseData() override;
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

    CString m_strFile;
    // The code of the last transfer: the screen copies, the paper adds onto a black shape.
    DWORD m_dwRop;

  protected:
    // The corners in the order the picture is laid out: 4, 1, 2, 3.
    std::vector<CDoublePoint> Corners() const;
    // Puts another bitmap in the picture's place and hands back the one that was there, so
    // that a derived picture can draw bitmaps of its own through the picture's drawing.
    std::unique_ptr<CBitmap> SwapPicture(std::unique_ptr<CBitmap> picture) {
        m_pPicture.swap(picture);
        return picture;
    }

  private:
    bool HasPoints() const { return m_points.GetSize() >= kPointCount; }
    bool IsResizeable() const { return m_bScaleWithDocument != 0; }
    // The picture turned onto the output; false when a resource could not be had.
    bool RenderPicture(CDC& dc, const std::vector<CPoint>& corners);
    const CPictureSource::Pixels* SourcePixels();
    void DrawOutline(CDC& dc, const std::vector<CPoint>& corners);
    void DrawHandles(const CPose& frame);
    void ApplyDialogResult(const CPose* pose, CPaint* result, int mode);

    std::unique_ptr<CBitmap> m_pPicture;
    CPictureSource m_source;
    // Set while a copy takes another picture's bitmap, so that the common copy does not read
    // the file again.
    bool m_bCopyingPicture = false;
};
