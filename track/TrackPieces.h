#pragma once

// Binds the create kinds of the track tools to the piece classes: the "Straight Track" tool
// (mode 20) makes the straight piece, the "Curve Track" tool (mode 21) the circular curve.
// Registers the straight-track class as the kind of the document's default track. Run once
// when the program starts, before the first layout is made or opened.
void RegisterTrackPieces();
