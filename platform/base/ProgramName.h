#pragma once

#include <string>

// The name the application gives itself at its start, which names the folders the platform
// keeps for it. Until one is given, the name the process was started under.
void SetProgramName(const std::string& name);

// The name as a folder of the user's carries it: in lower case ("Corvane" keeps "corvane").
std::string ProgramFolderName();
