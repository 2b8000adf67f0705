#pragma once

// Makes benchwork and terrain what the "Insert Benchwork" and "Terrain" tools draw, gives
// them their tab in "2D Object properties" and opens the terrain editor at the end of a knot
// drag.
void RegisterTerrainObjects();
