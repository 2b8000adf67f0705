#include "tests/drawing/DrawingPlan.h"

#include <gtest/gtest.h>

#include "drawing/DrawingObjects.h"
#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"
#include "tests/drawing/PointEntry.h"
#include "tests/gdi/Canvas.h"

DrawingPlan::DrawingPlan() : host(tool) {
    tool.SetViewScale(1.0, 10.0);
    RegisterDrawingObjects();
}

void DrawingPlan::Drag(double x0, double y0, double x1, double y1, UINT flags) {
    PointEntry(tool).Drag(x0, y0, x1, y1, flags);
}

void DrawingPlan::Click(double x, double y) {
    const double zoom = tool.m_fZoomRatio;
    tool.OnLButtonDown(0, x * zoom, y * zoom);
    tool.OnLButtonUp(0, x * zoom, y * zoom);
}

void DrawingPlan::DrawOn(Canvas& canvas) {
    tool.SetTargetDC(&canvas.dc, nullptr);
    tool.m_rcUpdate = DeviceRect{-1000, -1000, 1000, 1000};
}

std::vector<BYTE> StoreRecord(CPaint& shape) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    shape.Serialize(ar);
    ar.Close();
    return file.Detach();
}

void LoadRecord(CPaint& shape, const std::vector<BYTE>& bytes) {
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    shape.Serialize(ar);
    EXPECT_EQ(ar.BytesRemaining(), 0u);
}

size_t CommonPartSize(CPaint& shape) {
    CPaint common;
    common.CPaint::CopyFrom(&shape);
    return StoreRecord(common).size();
}

std::vector<BYTE> AsVersion6Record(CPaint& shape, const std::vector<BYTE>& record) {
    CPaint plain;
    std::vector<BYTE> older = StoreRecord(plain);
    older.insert(older.end(), record.begin() + static_cast<std::ptrdiff_t>(CommonPartSize(shape)),
                 record.end());
    return older;
}
