#pragma once

#include <optional>
#include <string>

// A large layout takes hundreds of megabytes in objects of about a kilobyte each. Touched page
// by page, a whole-layout command spent more time in the system's page faults than in its own
// work, so the heap asks for huge pages. The C library reads that wish only as a process
// starts, hence a restart of the program before it does anything else.

// The C library's tunables with the heap's huge pages asked for, the rest kept as given;
// nothing where the given text already decides about huge pages.
std::optional<std::string> TunablesWithHugePages(const char* tunables);

// Starts the program again in the same process, its heap asking for huge pages; returns only
// where they were asked for already or the restart could not be made. A tool that must keep the
// first start, such as a memory checker that does not follow the restart, sets the C library's
// tunable glibc.malloc.hugetlb itself.
void RestartWithHugePageHeap(char** argv);
