#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestFolder.h"

// Bitmap files written into the test's own folder, and the pixels of the bitmaps read from them.
class BitmapFileFixture : public ::testing::Test {
  protected:
    CString Write(const std::vector<BYTE>& bytes, const char* name = "picture.bmp") {
        const auto path = folder / name;
        WriteFileBytes(path, bytes);
        return CString(path.string().c_str());
    }
    static COLORREF PixelOf(CBitmap& bitmap, int x, int y) {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* previous = dc.SelectObject(&bitmap);
        const COLORREF colour = dc.GetPixel(x, y);
        dc.SelectObject(previous);
        return colour;
    }

    TestFolder folder;
};
