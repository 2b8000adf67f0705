#pragma once

class CArchive;
class CTool;

// The layout file version this program writes, and the versions that added fields read by
// the model's own records.
constexpr int kLayoutFileVersion = 17;
constexpr int kVersionDocumentSettings = 2;
constexpr int kVersionPatternFile = 2;
constexpr int kVersionActiveLayer = 4;
constexpr int kVersionBackgroundColor = 5;
constexpr int kVersionTerrainConformed = 13;
constexpr int kVersionDefaultTrack = 14;

// The editing engine of the document an archive reads or writes, or null when the archive
// has no layout document (records read on their own keep the engine they have).
CTool* EngineOfArchive(const CArchive& ar);
// The file version an object's records follow: its document's, else the current one.
int FileVersionOf(const CTool* tool);
// Fails the read in progress with the framework's file error of that cause (a
// CArchiveException cause) for a record that does not hold what a layout holds.
[[noreturn]] void FailRead(const CArchive& ar, int cause);
