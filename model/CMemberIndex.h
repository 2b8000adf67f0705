#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/CMemberList.h"
#include "model/PaintRecords.h"

// The members of one group filed in a grid by their paint bounds, so that drawing an update
// rectangle asks only the members whose bounds meet it, and drawing the selection only the
// selected members, instead of every member of a large layout. A member whose drawing is not
// bounded by its paint bounds (a group, for one) is always asked. The answers come back-most
// first, the order in which the group draws.
//
// The index is built again when the member list changed, and reads again the bounds of each
// member that worked them out anew since; it keeps no pointer it has not found in the list.
class CMemberIndex {
  public:
    // Every object tells this when it worked out its paint bounds anew.
    static void NoteBoundsChanged(const CPaint* object);
    // Off, groups walk every member as they draw; the tests compare the two.
    static void SetEnabled(bool enabled);
    static bool Enabled();

    // The members whose paint bounds meet the rectangle, and those always asked.
    const std::vector<CPaint*>& MembersMeeting(const CMemberList& members, const DeviceRect& update);
    // The members that are in the selection, and those always asked.
    const std::vector<CPaint*>& MembersAmong(const CMemberList& members, const CPaintList& selection);

  private:
    struct Slot {
        CPaint* object;
        DeviceRect bounds;
        bool alwaysAsked;
        bool wide;
    };
    struct CellRange {
        int left, top, right, bottom;
    };

    void Refresh(const CMemberList& members);
    void Rebuild(const CMemberList& members);
    void ReadChangedBounds();
    void LayOutGrid();
    CellRange CellsOf(const DeviceRect& bounds) const;
    int CellColumn(int x) const;
    int CellRow(int y) const;
    void File(int slot);
    void Unfile(int slot);
    void StartMarking();
    void Mark(int slot);
    // m_answer from the marked slots, back-most first.
    const std::vector<CPaint*>& MarkedBackToFront();

    std::vector<Slot> m_slots;
    std::unordered_map<const CPaint*, int> m_slotOf;
    std::vector<int> m_alwaysAsked;
    // Members whose bounds span too many cells to be filed in each.
    std::vector<int> m_wide;
    std::vector<std::vector<int>> m_cells;
    int m_columns = 0;
    int m_rows = 0;
    std::int64_t m_originX = 0;
    std::int64_t m_originY = 0;
    std::int64_t m_cellWidth = 1;
    std::int64_t m_cellHeight = 1;

    std::vector<std::uint32_t> m_marks;
    std::uint32_t m_mark = 0;
    std::vector<int> m_marked;
    std::vector<CPaint*> m_answer;

    bool m_built = false;
    std::uint64_t m_listVersion = 0;
    std::uint64_t m_logGeneration = 0;
    std::size_t m_logRead = 0;
};
