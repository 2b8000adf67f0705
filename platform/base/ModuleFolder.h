#pragma once

#include <filesystem>

#include "platform/base/CString.h"

// The running program file; empty when it cannot be found.
std::filesystem::path GetModuleFile();

// The folder of the running program file, ending in a slash; empty when it cannot be found.
std::filesystem::path GetModuleFolder();

// The same folder in the program's stored form, ending in a backslash ("C:\opt\corvane\"), on
// which the program builds its data folders ("BACKDROPS\").
CString GetModuleFolderWin();
