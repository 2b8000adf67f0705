#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <utility>

#include "model/CCVNDoc.h"
#include "model/CGroup.h"
#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"
#include "tests/app/LayoutInProgram.h"

// A layout holding one object of every class a layout stores, each made with its tool as a
// person makes it, one object to a cell of a grid over the plan window.
inline constexpr UINT kDraggedTools[] = {
    ID_TOOL_STRAIGHT_TRACK, ID_TOOL_OVAL_TRACK,  ID_TOOL_LINE,           ID_TOOL_BOX,
    ID_TOOL_ROUND_BOX,      ID_TOOL_ARC,         ID_TOOL_OVAL,           ID_TOOL_SKETCH,
    ID_TOOL_MEASURE_LINE,   ID_TOOL_MEASURE_BOX, ID_TOOL_DIMENSION_LINE, ID_TOOL_DIMENSION_ANGLE,
    ID_TOOL_CAMERA};
inline constexpr UINT kOutlineTools[] = {ID_TOOL_POLYGON, ID_TOOL_SPLINE, ID_TOOL_SPLINE_TRACK,
                                         ID_TOOL_BENCHWORK};

// Tools whose dialog asks for the new object; a cancelled dialog keeps it as it came.
struct AskingTool {
    UINT command;
    const char* caption;
};
inline constexpr AskingTool kAskingTools[] = {{ID_TOOL_TEXT, "Text properties"},
                                              {ID_TOOL_BITMAP_PICTURE, "Picture properties"},
                                              {ID_TOOL_3D_OBJECT, "3D Objects properties"},
                                              {ID_TOOL_3D_BITMAP, "3D Bitmap properties"}};

inline const std::set<std::string> kStoredClasses = {
    "CLine",      "CBox",     "CRoundBox",  "CArc",         "CSketch",      "CPolygon",
    "CSpline",    "CTextBox", "CBMP",       "CLineMeasure", "CBoxMeasure",  "CSizeLine",
    "CSizeAngle", "CTrack",   "CCircTrack", "CArcTrack",    "CSplineTrack", "CBenchwork",
    "CMount",     "C3D",      "CSprite",    "CCamera",      "CGroup"};

class EveryClassLayout : public LayoutInProgram {
  protected:
    CCVNDoc& Layout() { return *ActiveLayout(); }
    CMemberList& Members() { return Layout().m_rootGroup.m_members; }
    // The corners of the next cell of a grid over the plan window, one cell per object.
    std::pair<CPoint, CPoint> NextCell() {
        const CPoint corner(30 + (m_cells % 6) * 110, 30 + (m_cells / 6) * 100);
        ++m_cells;
        return {corner, corner + CSize(80, 60)};
    }
    void DrawDragged(UINT tool) {
        const auto [from, to] = NextCell();
        Command(tool);
        Drag(from, to);
    }
    // The curve leaves the press the way the mouse first goes, and bends to where it ends.
    void DrawCurve() {
        const auto [from, to] = NextCell();
        Command(ID_TOOL_CURVE_TRACK);
        host.AdvanceClock(1000);
        CPoint screen = from;
        View()->ClientToScreen(&screen);
        host.MouseDown(screen);
        host.MouseMove(screen + CSize(30, 0));
        host.MouseMove(screen + (to - from));
        host.MouseUp(screen + (to - from));
        host.RunUntilIdle();
    }
    void DrawAsking(const AskingTool& tool) {
        host.WhenModal(tool.caption,
                       [this](CWnd& dialog) { host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(3, 3)); });
        DrawDragged(tool.command);
    }
    void DrawOutline(UINT tool) {
        const auto [from, to] = NextCell();
        Command(tool);
        ClickOutline(View(), {from, CPoint(to.x, from.y), to, CPoint(from.x + 20, to.y)});
    }
    void DrawTerrain() {
        host.WhenModal("properties",
                       [this](CWnd& dialog) { host.ClickClient(dialog.GetDlgItem(IDCANCEL), CPoint(3, 3)); });
        DrawOutline(ID_TOOL_TERRAIN);
    }
    // A line and a box drawn into one cell, grouped.
    void DrawGroup() {
        const auto [from, to] = NextCell();
        Command(ID_TOOL_LINE);
        Drag(from, CPoint(to.x, from.y + 10));
        CPaint* line = Members().front();
        Command(ID_TOOL_BOX);
        Drag(CPoint(from.x, from.y + 30), to);
        CPaint* box = Members().front();
        Command(ID_TOOL_SELECTOR);
        Layout().m_tool.DeselectAll(0, 0);
        line->SelectWithUndo(0, 0);
        box->SelectWithUndo(0, 0);
        Command(ID_GROUP);
    }
    void BuildEveryClass() {
        // Nothing snaps: each object is as big as its drag, whatever grid lies under it.
        Layout().m_tool.m_nSnapMode = -1;
        for (UINT tool : kDraggedTools) DrawDragged(tool);
        DrawCurve();
        for (const AskingTool& tool : kAskingTools) DrawAsking(tool);
        for (UINT tool : kOutlineTools) DrawOutline(tool);
        DrawTerrain();
        DrawGroup();
        Command(ID_TOOL_SELECTOR);
        Layout().m_tool.DeselectAll(0, 0);
    }
    // One object of every class, drawn with its tool, saved under the name and closed.
    std::filesystem::path SavedEveryClass(const char* name) {
        BuildEveryClass();
        const std::filesystem::path path = folder / name;
        EXPECT_TRUE(Layout().OnSaveDocument(path.c_str()));
        Layout().SetModifiedFlag(FALSE);
        Main().MDIGetActive()->SendMessage(WM_CLOSE);
        host.RunUntilIdle();
        return path;
    }
    std::set<std::string> ClassesAtPlan() {
        std::set<std::string> classes;
        for (CPaint* member : Members()) classes.insert(member->GetClassName().c_str());
        return classes;
    }

    int m_cells = 0;
};
