#include "tests/drawing/DrawingPlan.h"

#include <gtest/gtest.h>

#include "drawing/DrawingObjects.h"
#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"

DrawingPlan::DrawingPlan() : host(tool) {
    tool.SetViewScale(1.0, 10.0);
    RegisterDrawingObjects();
}

void DrawingPlan::Drag(double x0, double y0, double x1, double y1, UINT flags) {
    const double zoom = tool.m_fZoomRatio;
    tool.OnLButtonDown(flags, x0 * zoom, y0 * zoom);
    tool.OnMouseMove(flags, (x0 + x1) / 2.0 * zoom, (y0 + y1) / 2.0 * zoom, 1);
    tool.OnMouseMove(flags, x1 * zoom, y1 * zoom, 1);
    tool.OnLButtonUp(flags, x1 * zoom, y1 * zoom);
}

void DrawingPlan::Click(double x, double y) {
    const double zoom = tool.m_fZoomRatio;
    tool.OnLButtonDown(0, x * zoom, y * zoom);
    tool.OnLButtonUp(0, x * zoom, y * zoom);
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
