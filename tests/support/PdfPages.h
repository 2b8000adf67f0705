#pragma once

#include <filesystem>

// The number of page objects in a PDF file (the "/Type /Page" dictionaries, not the page tree).
int CountPdfPages(const std::filesystem::path& pdf);
