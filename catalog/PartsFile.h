#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "catalog/CCatalogItem.h"
#include "platform/base/WinTypes.h"

// The manufacturer parts file (.cvp): single-byte text, one part a line, each of its nine
// fields followed by ";", lines ended by CR LF. Empty fields are held as " ".

// More parts than any manufacturer lists: a file beyond it is read up to it, with a message.
constexpr size_t kMostParts = 100000;

// Tells the reader's messages (string ids); each is told at most once per read.
using PartsFileReport = std::function<void(UINT message)>;

// Replaces the records by those of the bytes. Any bytes are taken: a short line is still
// added ("Incomplete string."), text after a line's ninth field is dropped ("End of line
// expected."), an unfinished last line without its ninth ";" is dropped silently, and a line
// with nothing but blanks on it is no part. Past the most parts a list holds the rest of the
// file is left unread, with a message.
void ReadPartsRecords(std::string_view bytes, CatalogueList& records, const PartsFileReport& report);
// The file's bytes for the records that are not deleted, in list order.
std::string PartsFileBytes(const CatalogueList& records);
// Writes the file in one piece: the old file stays whole when the write fails. Only after
// success are deleted records dropped and added ones saved. FALSE when the file could not be
// written (a read-only medium included).
BOOL WritePartsFile(const CString& realPath, CatalogueList& records);
// Reads the whole file; FALSE when it cannot be opened.
BOOL ReadPartsFile(const CString& realPath, CatalogueList& records, const PartsFileReport& report);
// Changes since the last save are undone: added records go, deleted ones come back and
// edited values return to those saved.
void DiscardPartsChanges(CatalogueList& records);
// The sequence number a record made in the dialog gets: one past the highest in use.
int NextSequenceNumber(const CatalogueList& records);
