#pragma once

// The keys of the main window (table 128).
void RegisterProgramAccelerators();
