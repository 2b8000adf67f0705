#pragma once

// Registers the program's resources (string table and the rest) with the platform layer.
void RegisterResources();
