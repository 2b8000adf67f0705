#pragma once

#include "platform/base/CString.h"

// Stored (Windows-style) paths of the catalogue files and the real paths they stand for.
CString RealCatalogPath(const CString& stored);
// The folder part (drive and folder) of a stored path.
CString StoredFolderOf(const CString& stored);
