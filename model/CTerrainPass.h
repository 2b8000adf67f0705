#pragma once

#include <vector>

class CPaint;
class CTool;

// A pass that fits many objects to the terrains of the current group (Conform Terrain, the
// opening of the 3D view): the terrains are collected once for the whole pass instead of by
// every object from all the members again. Passes nest; the outermost one collects.
class CTerrainPass {
  public:
    explicit CTerrainPass(CTool& tool);
    ~CTerrainPass();
    CTerrainPass(const CTerrainPass&) = delete;
    CTerrainPass& operator=(const CTerrainPass&) = delete;

  private:
    CTool& m_tool;
    std::vector<CPaint*> m_terrains;
    bool m_bOutermost = false;
};
