#pragma once

#include <filesystem>
#include <string>

#include "platform/base/WinTypes.h"

// The desktop's way of opening a layout from the file manager: a desktop entry for the
// program whose command takes the file ("%f"), and the layout file type "*.cvn" as a MIME
// type, under the XDG data home. Files already up to date are left alone.
BOOL RegisterShellOpenCommand(const std::filesystem::path& dataHome, const std::filesystem::path& program);

// $XDG_DATA_HOME, or ~/.local/share when it is unset.
std::filesystem::path XdgDataHome();

// The program file quoted for a desktop entry's Exec line.
std::string QuoteDesktopExec(const std::string& program);
