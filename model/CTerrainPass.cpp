#include "model/CTerrainPass.h"

#include "model/CTool.h"

CTerrainPass::CTerrainPass(CTool& tool) : m_tool(tool) {
    if (m_tool.m_pPassTerrains != nullptr)
        return;
    m_terrains = m_tool.CurrentTerrains();
    m_tool.m_pPassTerrains = &m_terrains;
    m_bOutermost = true;
}

CTerrainPass::~CTerrainPass() {
    if (m_bOutermost)
        m_tool.m_pPassTerrains = nullptr;
}
