#include "model/CToolMode.h"

#include "model/CTool.h"

namespace {

const ToolModeInfo kNoTool = {"", "", -1, false};

const ToolModeInfo kToolModes[kToolCount] = {
    {"Selector", "", -1, false},
    {"Rotate Around Origin", "", -1, false},
    {"", "", -1, false},  // a grabbed handle of an object; no command
    kNoTool,
    {"Measure Line", "CLineMeasure", 2, false},
    {"Measure Box", "CBoxMeasure", 7, false},
    {"Text", "CTextBox", 3, false},
    {"Sketch", "CSketch", 3, false},
    {"Line", "CLine", 2, false},
    {"Box", "CBox", 3, false},
    {"Round Box", "CRoundBox", 3, false},
    {"Arc", "CArc", 3, false},
    {"Oval", "CArc", 3, false},
    {"Polygon", "CPolygon", 2, true},
    {"Spline", "CSpline", 2, true},
    {"Draw Dimension Line", "CSizeLine", 2, false},
    {"Draw Dimension Angle", "CSizeAngle", 2, false},
    {"Set Camera Position", "CCamera", 5, false},
    {"2D Bitmap Picture", "CBMP", 3, false},
    {"3D Object", "C3D", 3, false},
    {"Straight Track", "CTrack", 2, false},
    {"Curve Track", "CCircTrack", 6, false},
    {"Oval Track", "CArcTrack", 3, false},
    {"Spline Track", "CSplineTrack", 2, true},
    {"3D Bitmap", "CSprite", 3, false},
    {"Benchwork", "CBenchwork", 2, true},
    {"", "CWizardLabel", -1, false},
    {"Terrain", "CMount", 2, true},
    kNoTool,
    {"Run Test Train", "", -1, false},
    {"Zoom In", "", -1, false},
    {"Zoom Out", "", -1, false},
    {"Connect Using Spline", "", -1, false},
    {"Connect Using Curve-Straight", "", -1, false},
    {"Set Selected Track Elevations", "", -1, false},
    {"Chain Track Elevations", "", -1, false},
    {"Cut Track", "", -1, false},
    kNoTool,
    kNoTool,
    {"Select Track Chain", "", -1, false},
};

}  // namespace

const ToolModeInfo& GetToolModeInfo(int mode) {
    if (mode < 0 || mode >= kToolCount)
        return kNoTool;
    return kToolModes[mode];
}

void CToolMode::Set(int mode) {
    m_nMode = mode;
    if (m_pOwner != nullptr && m_bFlag) {
        m_pOwner->EndParallelTrackPreview();
        m_pOwner->m_bParallelToolActive = 0;
        m_pOwner->m_bChainToolActive = 0;
    }
    m_bFlag = 1;
}
