#pragma once

#include <cstddef>
#include <unordered_set>

#include "model/PaintRecords.h"

class CToolHost;

// The selection of one host held as a set while the layout is drawn. Every object drawn asks
// whether it is selected, and asking the selection list itself would make drawing a large
// selection cost the square of its size. Only the outermost drawing call takes the set, and
// only for a selection long enough to need it; any change of the selection ends it.
class CSelectionSnapshot {
  public:
    explicit CSelectionSnapshot(CToolHost* host);
    ~CSelectionSnapshot();
    CSelectionSnapshot(const CSelectionSnapshot&) = delete;
    CSelectionSnapshot& operator=(const CSelectionSnapshot&) = delete;

    // 1 or 0 when a set taken of the host's selection answers, -1 when none does.
    static int Holds(const CToolHost* host, const CPaint* object);
    // The selection changed: the set no longer answers.
    static void Forget();

  private:
    static CSelectionSnapshot*& Taken();

    const CToolHost* m_host = nullptr;
    const CPaintList* m_list = nullptr;
    std::size_t m_size = 0;
    std::unordered_set<const CPaint*> m_objects;
    bool m_answers = false;
};
