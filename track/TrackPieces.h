#pragma once

// Binds the engine's create kinds of the track tools to the piece classes: 20 the straight
// piece, 21 the circular curve. Run once when the program starts.
void RegisterTrackPieces();
