#pragma once

#include <fcntl.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/FileStamp.h"

// Whole-file reads and atomic whole-file writes.

// The file's bytes; a missing file reads as empty. False when the file exists but cannot be read
// (rewriting it would then lose what it holds). The stamp, when asked for, is that of the file
// read (nothing for a missing file).
bool ReadWholeFile(const std::filesystem::path& file, std::string& content,
                   std::optional<FileStamp>* stamp = nullptr);

// Writes a temporary neighbour and renames it over the file only when the whole write succeeded,
// so that a failure leaves the old file whole. Missing parent folders are made; the file keeps
// its permissions.
bool ReplaceWholeFile(const std::filesystem::path& file, const std::string& content);

// The first bytes of a regular file, at most limit of them; nothing for a missing or unreadable
// file and for anything that is no regular file (a FIFO or a device could block the read for
// ever or never end).
std::optional<std::vector<unsigned char>> ReadRegularFile(const std::filesystem::path& file,
                                                          std::size_t limit);
// Opened without waiting: opening a FIFO for reading would otherwise wait for a writer.
constexpr int kRegularFileOpenFlags = O_RDONLY | O_NONBLOCK;
// The same of a file opened with kRegularFileOpenFlags (or -1, nothing), which it closes.
std::optional<std::vector<unsigned char>> ReadOpenedRegularFile(int descriptor, std::size_t limit);
// How many times ReadRegularFile has tried to open a file in this process: what a test counts
// to see that many objects naming one file look it up once.
std::size_t RegularFileOpenings();
