#include "model/CTerrainSurface.h"

#include "model/CPaint.h"

CPaint* CTerrainSurface::CloneForLayout(CPaint* source) {
    if (auto* terrain = dynamic_cast<CTerrainSurface*>(source))
        terrain->SetCloneRebuild(1);
    return source->Clone();
}
