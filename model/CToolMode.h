#pragma once

class CTool;

// The editing engine's current tool: a tool id from 0 (selector) to 39 (select track chain).
// Setting a mode through the engine ends what the old mode had running.
class CToolMode {
  public:
    // Returns the mode so that callers can compare it like an int.
    operator int() const { return m_nMode; }
    void Set(int mode);

    int m_nMode = 0;
    int m_bFlag = 1;
    CTool* m_pOwner = nullptr;
};

// The tool ids.
enum ToolId : int {
    kToolSelector = 0,
    kToolRotateAroundOrigin = 1,
    kToolDragHandle = 2,
    kToolMeasureLine = 4,
    kToolMeasureBox = 5,
    kToolText = 6,
    kToolSketch = 7,
    kToolLine = 8,
    kToolBox = 9,
    kToolRoundBox = 10,
    kToolArc = 11,
    kToolOval = 12,
    kToolPolygon = 13,
    kToolSpline = 14,
    kToolDimensionLine = 15,
    kToolDimensionAngle = 16,
    kToolCamera = 17,
    kToolBitmapPicture = 18,
    kTool3DObject = 19,
    kToolStraightTrack = 20,
    kToolCurveTrack = 21,
    kToolOvalTrack = 22,
    kToolSplineTrack = 23,
    kTool3DBitmap = 24,
    kToolBenchwork = 25,
    kToolWizardLabel = 26,
    kToolTerrain = 27,
    kToolRunTestTrain = 29,
    kToolZoomIn = 30,
    kToolZoomOut = 31,
    kToolConnectSpline = 32,
    kToolConnectCurveStraight = 33,
    kToolSetTrackElevations = 34,
    kToolChainTrackElevations = 35,
    kToolCutTrack = 36,
    kToolSelectTrackChain = 39,
    kToolCount = 40,
};

// What a tool does: the command that selects it, the class a press creates (empty when a
// press creates nothing), the handle of the new object that follows the mouse (-1 none)
// and whether the object takes one point per click.
struct ToolModeInfo {
    const char* command;
    const char* createdClass;
    int followingHandle;
    bool multiPoint;
};

// The row of a tool id; ids without a meaning of their own (3, 28, 37, 38) and ids outside
// 0 to 39 have an empty row.
const ToolModeInfo& GetToolModeInfo(int mode);
