#pragma once

#include <vector>

#include "model/CTool.h"
#include "tests/model/TestLayout.h"

class Canvas;

// The test host with a file version and length unit of the test's choosing.
class DrawingHost : public CTestHost {
  public:
    using CTestHost::CTestHost;
    int GetFileVersion() const override { return m_nFileVersion; }
    int GetUnitIndex() const override { return m_nUnitIndex; }
    int m_nFileVersion = 17;
    int m_nUnitIndex = 8;
};

// A document's engine with a root group at the starting zoom (one device unit is ten layout
// units), the drawing tools registered, in millimetres.
struct DrawingPlan {
    DrawingPlan();

    // Press, two moves and release between two layout points, with the key flags.
    void Drag(double x0, double y0, double x1, double y1, UINT flags = 0);
    // One press and release on a layout point, as a point of a point entry takes.
    void Click(double x, double y);
    // Draws onto the canvas, the whole of it to be updated.
    void DrawOn(Canvas& canvas);
    // The head member of the current group, as the class asked for.
    template <class T>
    T* Newest() {
        return host.CurrentGroup()->m_members.empty()
                   ? nullptr
                   : dynamic_cast<T*>(host.CurrentGroup()->m_members.front());
    }
    int MemberCount() const { return static_cast<int>(host.CurrentGroup()->m_members.size()); }

    CTool tool;
    DrawingHost host;
};

// A shape's record as stored, and a record read into a shape, every byte of it.
std::vector<BYTE> StoreRecord(CPaint& shape);
void LoadRecord(CPaint& shape, const std::vector<BYTE>& bytes);
// The size of the common part of a shape's record: what the class adds comes after it.
size_t CommonPartSize(CPaint& shape);
// The shape's record as a file before version 7 holds it: the common part with a point array
// that holds no outline points yet (an empty one), then what the class adds.
std::vector<BYTE> AsVersion6Record(CPaint& shape, const std::vector<BYTE>& record);
