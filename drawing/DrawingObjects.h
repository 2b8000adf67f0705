#pragma once

// Binds the create kinds of the drawing tools to the shape classes: "&Line" makes the line,
// "&Box" the box, and so on for each shape that exists. Run once when the program starts,
// before the first layout is made or opened.
void RegisterDrawingObjects();
