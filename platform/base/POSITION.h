#pragma once

// An opaque place in a list; null means "no element" (before the head or past the tail).
struct ListPositionTag;
using POSITION = ListPositionTag*;
