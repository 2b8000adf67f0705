#pragma once

#include <map>
#include <utility>
#include <vector>

#include "model/CPose.h"
#include "model/Geometry.h"

class CPaint;
class CPlacement;

// What fitting a group's frame learns of the objects below it, in one frame: the extreme
// points of the objects whose frame box is the box of fixed points of theirs (their convex
// hull once kept), those of the objects whose labels reach out by a fixed offset (a hull for
// each offset), the objects whose box has to be asked for under each placement, with the
// placement they lie under, and the box of all of them. A group keeps its contents in its
// own frame for the group around it to place, so that no group walks down to the objects
// again and fitting a nesting of any depth stays linear in it, turned or not.
class CGroupContents {
  public:
    // Takes in a member that is no group, lying under the parent placement; the head member's
    // contents decide whether the box asked for is kept.
    void AddObject(CPaint& object, const CPose& parent, bool head);
    // Takes in a member group's contents, kept in its own frame, the group lying under its own
    // placement in the parent's frame.
    void AddGroup(const CGroupContents& kept, const CPose& own, const CPose& parent, bool head);
    // The same contents seen from an unturned frame whose origin lies at the point given.
    void MoveOriginTo(double x, double y);
    // Keeps only the outline points that some direction finds extreme, for each offset.
    void KeepHullOnly();
    // The box a group's GetFrameBounds answers for the box asked for: the contents' box, or
    // the box asked for widened by it when the head member (in turn) measures nothing.
    void Answer(double& minX, double& minY, double& maxX, double& maxY) const;

  private:
    struct Asked {
        CPaint* object;
        CPose parent;
    };

    using Offset = std::pair<double, double>;

    void AddPoint(const CDoublePoint& point);
    // Adds the points placed, kept apart by their offset, and widens the box by them moved.
    void AddOffsetPoints(const Offset& offset, const std::vector<CDoublePoint>& local,
                         const CPlacement& placement);
    // Drops the points strictly inside the quadrilateral of the leftmost, lowest, rightmost and
    // highest ones, which no direction finds extreme; cheap before sorting the rest.
    static void DropInnerPoints(std::vector<CDoublePoint>& points);
    static void KeepHullOf(std::vector<CDoublePoint>& points);
    void WidenBy(const CDoublePoint& point);
    void WidenBy(double minX, double minY, double maxX, double maxY);
    // Asks the object for its box under the placement and widens the box by it; answers
    // whether it measured anything.
    bool Ask(CPaint& object, const CPose& parent);

    std::vector<CDoublePoint> m_outline;
    std::map<Offset, std::vector<CDoublePoint>> m_offsetOutlines;
    std::vector<Asked> m_asked;
    bool m_keepsAskedBox = true;
    bool m_measured = false;
    double m_minX = 0.0, m_minY = 0.0, m_maxX = 0.0, m_maxY = 0.0;
};
