#pragma once

#include <vector>

#include "tests/support/FileBytes.h"

// Contents no file of the program holds, the same in every run: a page of plain text, and
// random bytes of a few lengths.
std::vector<FileBytes> DamagedContents();
// The plain text alone.
FileBytes TextContent();
