#pragma once

#include <unordered_map>
#include <vector>

#include "model/PaintRecords.h"

// The places of a selection's objects while many of them leave it in turn (Delete of the
// selection): each one's place among those still selected, without a walk of the selection
// for every object. An object taken into the selection meanwhile ends its use. While one
// lives, the slot names it; the outermost one fills the slot.
class CSelectionOrder {
  public:
    CSelectionOrder(const CPaintList& selection, CSelectionOrder*& slot);
    ~CSelectionOrder();
    CSelectionOrder(const CSelectionOrder&) = delete;
    CSelectionOrder& operator=(const CSelectionOrder&) = delete;

    // The object's place among those still selected, or -1 when not known here.
    int PositionOf(const CPaint* object) const;
    void Removed(const CPaint* object);
    void Added();

  private:
    int RemovedBefore(int place) const;

    CSelectionOrder*& m_slot;
    bool m_bOwnsSlot = false;
    bool m_bValid = true;
    std::unordered_map<const CPaint*, int> m_places;
    // A Fenwick tree of the places that left.
    std::vector<int> m_removed;
};
