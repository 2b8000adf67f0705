#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "tests/support/TestFolder.h"

// The user's cache folder ($XDG_CACHE_HOME) is a fresh temporary folder while this lives, so
// that what the program keeps there stays within the test; the former setting comes back after.
class CacheHomeInFolder {
  public:
    CacheHomeInFolder() {
        if (const char* former = std::getenv("XDG_CACHE_HOME"))
            m_former = former;
        setenv("XDG_CACHE_HOME", m_folder.Path().c_str(), 1);
    }
    CacheHomeInFolder(const CacheHomeInFolder&) = delete;
    CacheHomeInFolder& operator=(const CacheHomeInFolder&) = delete;
    ~CacheHomeInFolder() {
        if (m_former)
            setenv("XDG_CACHE_HOME", m_former->c_str(), 1);
        else
            unsetenv("XDG_CACHE_HOME");
    }

    const TestFolder& Folder() const { return m_folder; }

  private:
    TestFolder m_folder;
    std::optional<std::string> m_former;
};
