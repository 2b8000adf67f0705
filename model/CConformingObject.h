#pragma once

#include <vector>

#include "platform/base/WinTypes.h"

class CPaint;

// A 3D object as the terrain under it sees it: its footprint corners are its points 1 and 3,
// it stands at its elevation, it may be left out of conforming, and it keeps the terrains that
// hold a cut of it.
class CConformingObject {
  public:
    virtual ~CConformingObject() = default;
    virtual double GetStandingElevation() = 0;
    virtual BOOL IsExcludedFromConforming() = 0;
    virtual std::vector<CPaint*>& GetCutTerrains() = 0;
};
