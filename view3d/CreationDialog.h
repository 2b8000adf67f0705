#pragma once

#include <functional>

class CTool;

// Runs the properties dialog that opens when a new 3D object or 3D bitmap has been drawn: the
// test trains pause while it runs, and the status bar describes the object afresh afterwards.
void RunCreationDialog(CTool& tool, const std::function<void()>& dialog);
