#pragma once

#include <cstddef>

#include "platform/base/WinTypes.h"

// Movable blocks of memory named by handles, the way packed DIBs are passed between parts of the
// program: whoever receives a block frees it.
struct GlobalBlock;
using HGLOBAL = GlobalBlock*;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// A block of bytes (zero-filled with GMEM_ZEROINIT), or null when memory runs out.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
// The block resized, its contents kept (and any growth zero-filled with GMEM_ZEROINIT); null on failure,
// when the old block stays valid.
HGLOBAL GlobalReAlloc(HGLOBAL block, std::size_t bytes, UINT flags);
// The bytes of the block, or null for no block.
void* GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
std::size_t GlobalSize(HGLOBAL block);
// Frees the block; answers null.
HGLOBAL GlobalFree(HGLOBAL block);
