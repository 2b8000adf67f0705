#include "platform/base/GlobalMemory.h"

#include <new>
#include <vector>

struct GlobalBlock {
    std::vector<unsigned char> bytes;
    int locks = 0;
};

HGLOBAL GlobalAlloc(UINT, std::size_t bytes) {
    try {
        auto* block = new GlobalBlock;
        block->bytes.assign(bytes, 0);
        return block;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

HGLOBAL GlobalReAlloc(HGLOBAL block, std::size_t bytes, UINT) {
    if (!block)
        return nullptr;
    try {
        block->bytes.resize(bytes, 0);
        return block;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* GlobalLock(HGLOBAL block) {
    if (!block)
        return nullptr;
    ++block->locks;
    return block->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL block) {
    if (!block || block->locks == 0)
        return FALSE;
    return --block->locks > 0;
}

std::size_t GlobalSize(HGLOBAL block) {
    return block ? block->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    delete block;
    return nullptr;
}
