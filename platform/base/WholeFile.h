#pragma once

#include <filesystem>
#include <string>

// Whole-file reads and atomic whole-file writes.

// The file's bytes; a missing file reads as empty. False when the file exists but cannot be read
// (rewriting it would then lose what it holds).
bool ReadWholeFile(const std::filesystem::path& file, std::string& content);

// Writes a temporary neighbour and renames it over the file only when the whole write succeeded,
// so that a failure leaves the old file whole. Missing parent folders are made; the file keeps
// its permissions.
bool ReplaceWholeFile(const std::filesystem::path& file, const std::string& content);
