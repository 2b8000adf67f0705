#pragma once

#include <unordered_map>

#include "model/PaintRecords.h"

// Where each object lies in a host's selection list, so that asking whether an object is
// selected and taking it out cost the same on a layout of 50,000 pieces as on one of ten.
// The objects enter and leave the list through it; a list whose length no longer matches
// was changed behind its back and is read afresh.
class CSelectionIndex {
  public:
    bool Holds(CPaintList& selection, const CPaint* object);
    // The object was put into the list at `at`.
    void Inserted(CPaintList& selection, CPaintList::iterator at);
    // Takes every copy of the object out of the list.
    void Remove(CPaintList& selection, const CPaint* object);
    void Clear();

  private:
    void Sync(CPaintList& selection);
    void Reread(CPaintList& selection);

    std::unordered_map<const CPaint*, CPaintList::iterator> m_places;
};
