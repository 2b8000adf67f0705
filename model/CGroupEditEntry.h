#pragma once

#include <deque>

#include "model/CPose.h"
#include "platform/base/CObject.h"

class CGroup;

// One group opened for editing: the group and its world placement, its own placement
// composed onto the placement of the entry below it.
class CGroupEditEntry : public CObject {
  public:
    CGroupEditEntry(CGroup* group, const CPose& pose) : m_pGroup(group), m_pose(pose) {}

    CGroup* m_pGroup;
    CPose m_pose;
};

// The groups open for editing, innermost first; the document keeps the root group at the
// bottom, so the head names the group whose members the engine works on.
using CGroupEditStack = std::deque<CGroupEditEntry>;
