#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// The two test-train models the program ships, as 3D Studio files built in code: low-poly
// shapes in the modeller's frame (z up), ten units long along y with the front towards +y,
// 1.2 units wide, each part in a coloured material.
namespace TrainModels {

// A steam locomotive: running gear, frame, a boiler with its chimney, and a cab at the back.
std::vector<std::uint8_t> Locomotive();
// A box car on its frame, under a grey roof.
std::vector<std::uint8_t> Car();

// Writes "cvnloco.3ds" and "cvncar.3ds" into "TRAINS" under the root folder; false when a file
// could not be written.
bool WriteAll(const std::filesystem::path& root);

}  // namespace TrainModels
