#include "tests/track/PlanCanvas.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 380;
constexpr int kLeft = 20;
constexpr int kBottom = 360;

}  // namespace

PlanCanvas::PlanCanvas(int railMode) : canvas(kWidth, kHeight) {
    plan.defaults->m_nRailMode = railMode;
    plan.defaults->m_crRail = kRail;
    plan.defaults->m_crTie = kTie;
    plan.defaults->m_bShowTies = 1;
    plan.tool.SetViewScale(1.0, 20.0);
    canvas.dc.SetMapMode(MM_ANISOTROPIC);
    canvas.dc.SetWindowExt(1, 1);
    canvas.dc.SetViewportExt(1, -1);
    canvas.dc.SetViewportOrg(kLeft, kBottom);
    plan.tool.SetTargetDC(&canvas.dc, nullptr);
    plan.tool.m_rcUpdate = DeviceRect{-100000, -100000, 100000, 100000};
}

PlanCanvas::~PlanCanvas() {
    plan.tool.SetTargetDC(nullptr, nullptr);
}

void PlanCanvas::Draw() {
    plan.host.m_pRoot->RecalcDeviceBounds();
    plan.tool.DrawLayout();
}

CPoint PlanCanvas::Pixel(double x, double y) const {
    return CPoint(kLeft + static_cast<int>(x / 20.0), kBottom - static_cast<int>(y / 20.0));
}

bool PlanCanvas::Near(double x, double y, COLORREF color) {
    const CPoint p = Pixel(x, y);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (canvas.At(p.x + dx, p.y + dy) == color)
                return true;
    return false;
}
