#pragma once

// What a group asks of the 3D objects and 3D bitmaps it takes in or lets go: the mark that
// the object lies in a group other than the root group. Those classes provide it.
class CInGroupMark {
  public:
    virtual ~CInGroupMark() = default;
    virtual void SetInGroup(int inGroup) = 0;
};
