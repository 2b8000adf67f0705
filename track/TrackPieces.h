#pragma once

// Binds the create kinds of the track tools to the piece classes: the "Straight Track" tool
// (mode 20) makes the straight piece, the "Curve Track" tool (mode 21) the circular curve.
// Run once when the program starts.
void RegisterTrackPieces();
