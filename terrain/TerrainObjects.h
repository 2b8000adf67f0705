#pragma once

// Makes benchwork and terrain what the "Insert Benchwork" and "Terrain" tools draw, and gives
// the terrain its steps in "2D Object properties".
void RegisterTerrainObjects();
