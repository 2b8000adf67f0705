#include "view3d/CTestTrain.h"

#include <algorithm>
#include <cmath>

#include "model/CDataFolders.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "model/Units.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"
#include "resources/StringTable.h"
#include "view3d/CTrainPropertyDialog.h"

IMPLEMENT_DYNCREATE(CTestTrain, CPaint)

namespace {

CPaint* MakeTrain(CTool* tool, double x, double y) {
    return new CTestTrain(tool, x, y);
}

double GaugeOfDocument(const CTool* tool) {
    const int scale =
        tool != nullptr && tool->m_pHost != nullptr ? tool->m_pHost->GetDefaultScaleIndex() : -1;
    return ScaleTable[scale >= 0 && scale < kScaleCount ? scale : kDefaultScaleIndex].gauge;
}

// The unit vector from a to b; (1, 0) when the points coincide.
CDoublePoint AxisOf(const CDoublePoint& a, const CDoublePoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = std::hypot(dx, dy);
    return length > 0.0 ? CDoublePoint{dx / length, dy / length} : CDoublePoint{1.0, 0.0};
}

}  // namespace

CTestTrain::CTestTrain(CTool* tool, double x, double y)
    : CPaint(1, tool, 0.0, 0.0), m_nStatus(IDS_GOOD), m_fGauge(GaugeOfDocument(tool)) {
    m_vehicles.assign(2 * VehicleCount(), CDoublePoint{});
    m_elevations.assign(2 * VehicleCount(), 0.0);
    m_vehicles[0] = {x, y};
    m_vehicles[1] = {x, y - BodyLength()};
    LayOutCarsFrom(1);
    BuildOutline();
    RecomputeExtent();
    m_strName.LoadString(IDS_TRAIN);
    m_bShowInReport = 1;
    m_crFill = kDefaultColor;
    const CString folder = CDataFolders::GetDataFolder(CDataFolders::Trains);
    m_strLocoFile = folder + "cvnloco.3ds";
    m_strCarFile = folder + "cvncar.3ds";
    const CPose identity;
    Update3D(&identity);
}

CTestTrain::~CTestTrain() = default;

void CTestTrain::Register() {
    CRunningTrain::RegisterMaker(MakeTrain);
}

// Cars from the given one on stand in a line in -y behind the vehicle before them, at its
// back elevation.
void CTestTrain::LayOutCarsFrom(int firstCar) {
    for (int car = std::max(firstCar, 1); car <= m_nCarCount; ++car) {
        const CDoublePoint back = m_vehicles[2 * car - 1];
        m_vehicles[2 * car] = {back.x, back.y - BodyGap()};
        m_vehicles[2 * car + 1] = {back.x, back.y - BodyGap() - BodyLength()};
        m_elevations[2 * car] = m_elevations[2 * car - 1];
        m_elevations[2 * car + 1] = m_elevations[2 * car - 1];
    }
}

void CTestTrain::ResizeCars(int count) {
    const int before = m_nCarCount;
    m_nCarCount = std::max(count, 0);
    m_vehicles.resize(2 * VehicleCount(), CDoublePoint{});
    m_elevations.resize(2 * VehicleCount(), 0.0);
    if (m_nCarCount > before)
        LayOutCarsFrom(before + 1);
    BuildOutline();
}

void CTestTrain::BuildOutline() {
    m_points.SetSize(4 * VehicleCount());
    const double reach = (m_fCouplerGap - 0.5) * m_fGauge;
    const double half = 2.0 / 3.0 * m_fGauge;
    for (int vehicle = 0; vehicle < VehicleCount(); ++vehicle) {
        const CDoublePoint front = m_vehicles[2 * vehicle];
        const CDoublePoint back = m_vehicles[2 * vehicle + 1];
        const CDoublePoint u = AxisOf(front, back);
        const CDoublePoint n{-u.y * half, u.x * half};
        const CDoublePoint f{front.x - reach * u.x, front.y - reach * u.y};
        const CDoublePoint b{back.x + reach * u.x, back.y + reach * u.y};
        m_points[4 * vehicle] = {f.x - n.x, f.y - n.y};
        m_points[4 * vehicle + 1] = {f.x + n.x, f.y + n.y};
        m_points[4 * vehicle + 2] = {b.x + n.x, b.y + n.y};
        m_points[4 * vehicle + 3] = {b.x - n.x, b.y - n.y};
    }
}

void CTestTrain::GetBounds(const CPose*, double& minX, double& minY, double& maxX, double& maxY) {
    for (int i = 0; i < m_points.GetSize(); ++i) {
        const CDoublePoint& p = m_points[i];
        minX = i == 0 ? p.x : std::min(minX, p.x);
        minY = i == 0 ? p.y : std::min(minY, p.y);
        maxX = i == 0 ? p.x : std::max(maxX, p.x);
        maxY = i == 0 ? p.y : std::max(maxY, p.y);
    }
}

// Its box is where it runs, whatever placement it is asked under.
bool CTestTrain::GetFrameOutline(std::vector<CDoublePoint>&) {
    return false;
}

void CTestTrain::RecomputeExtent() {
    GetBounds(nullptr, m_fMinX, m_fMinY, m_fMaxX, m_fMaxY);
}

void CTestTrain::ReleaseData() {
    ResetRun();
    CPaint::ReleaseData();
}

// ---- The plan ----

int CTestTrain::Draw(const CPose*) {
    if (m_pTool == nullptr || !m_pTool->IsLayerVisible(m_nLayer) || m_pTool->IsPrinting())
        return 0;
    CDC* dc = m_pTool->GetTargetDC();
    if (dc == nullptr)
        return 0;
    CPen pen(m_pen.style, m_pen.widthX, m_pen.color);
    CPen* oldPen = dc->SelectObject(&pen);
    const int oldMode = dc->SetBkMode(OPAQUE);
    for (int vehicle = 0; vehicle < VehicleCount(); ++vehicle) DrawVehicle(*dc, vehicle);
    // The locomotive's axis, and its diagonals while the train is held.
    DrawLine(*dc, m_vehicles[0], m_vehicles[1]);
    if (m_bSelected) {
        DrawLine(*dc, m_points[0], m_points[2]);
        DrawLine(*dc, m_points[1], m_points[3]);
    }
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldPen);
    return 1;
}

POINT CTestTrain::ToDevice(const CDoublePoint& point) const {
    const CPoint device = m_pTool->LayoutToDevice(point.x, point.y, 1);
    return {device.x, device.y};
}

void CTestTrain::DrawLine(CDC& dc, const CDoublePoint& from, const CDoublePoint& to) const {
    const POINT line[2] = {ToDevice(from), ToDevice(to)};
    dc.Polyline(line, 2);
}

void CTestTrain::DrawVehicle(CDC& dc, int vehicle) {
    POINT outline[5];
    for (int i = 0; i < 4; ++i) outline[i] = ToDevice(m_points[4 * vehicle + i]);
    outline[4] = outline[0];
    CRgn region;
    region.CreatePolygonRgn(outline, 5, WINDING);
    CBrush brush(m_crFill);
    dc.FillRgn(&region, &brush);
    dc.Polyline(outline, 5);
}

CPaint* CTestTrain::HitTest() {
    if (CPaint::HitTest() == nullptr)
        return nullptr;
    const int x = static_cast<int>(m_pTool->m_fCurrentX);
    const int y = static_cast<int>(m_pTool->m_fCurrentY);
    for (int vehicle = 0; vehicle < VehicleCount(); ++vehicle)
        if (VehicleHolds(vehicle, x, y))
            return this;
    return nullptr;
}

// The vehicle's rectangle with its corners cut to whole units, as a filled region holds it.
bool CTestTrain::VehicleHolds(int vehicle, int x, int y) const {
    POINT corners[4];
    for (int i = 0; i < 4; ++i) {
        const CDoublePoint& corner = m_points[4 * vehicle + i];
        corners[i] = {static_cast<int>(corner.x), static_cast<int>(corner.y)};
    }
    CRgn region;
    region.CreatePolygonRgn(corners, 4, WINDING);
    return region.PtInRegion(x, y) != FALSE;
}

// ---- Selection and moving ----

void CTestTrain::MarkSelected() {
    if (m_bSelected)
        return;
    m_bSelected = 1;
    RecomputeExtent();
    Invalidate();
}

void CTestTrain::MarkDeselected() {
    if (!m_bSelected)
        return;
    Invalidate();
    m_rcPaintBounds.SetEmpty();
    m_bSelected = 0;
}

void CTestTrain::MoveBy(double dx, double dy, int) {
    Invalidate();
    for (CDoublePoint& point : m_vehicles) {
        point.x += dx;
        point.y += dy;
    }
    BuildOutline();
    RecomputeExtent();
    Invalidate();
}

void CTestTrain::ResetRun() {
    m_bRunning = 0;
    m_path.clear();
    m_segments.clear();
    m_pCurrentPiece = nullptr;
    m_headOffset = {0.0, 0.0};
    m_nHeadIndex = 0;
    m_nWalkIndex = 0;
}

void CTestTrain::ForgetPiece(CPaint* piece) {
    for (PathSegment& segment : m_segments)
        if (segment.piece == piece)
            segment.piece = nullptr;
    if (m_pCurrentPiece != piece)
        return;
    m_pCurrentPiece = nullptr;
    m_bRunning = 0;
}

// ---- The timer ----

void CTestTrain::StepTrain(int ticks) {
    Invalidate();
    if (m_bRunning)
        AdvanceAlongTrack(ticks, m_fSpeed);
    BuildOutline();
    RecomputeExtent();
    Invalidate();
    const CPose identity;
    Update3D(&identity);
}

// ---- Properties ----

int CTestTrain::EditProperties(const CPose* pose) {
    CTrainPropertyDialog dialog;
    dialog.m_strLocoFile = m_strLocoFile;
    dialog.m_strCarFile = m_strCarFile;
    dialog.m_nCarCount = m_nCarCount;
    dialog.m_nSpeed = static_cast<int>(m_fSpeed);
    dialog.m_crColor = m_crFill;
    dialog.m_nStatusId = static_cast<UINT>(m_nStatus);
    if (dialog.DoModal() != IDOK)
        return 0;
    const bool changed = dialog.m_strLocoFile != m_strLocoFile || dialog.m_strCarFile != m_strCarFile ||
                         dialog.m_nCarCount != m_nCarCount;
    Invalidate();
    m_crFill = dialog.m_crColor;
    m_fSpeed = dialog.m_nSpeed;
    ResizeCars(dialog.m_nCarCount);
    m_strLocoFile = dialog.m_strLocoFile;
    m_strCarFile = dialog.m_strCarFile;
    if (changed) {
        m_bRebuild3D = 1;
        Update3D(pose);
    }
    RecomputeExtent();
    Invalidate();
    return changed ? 1 : 0;
}
