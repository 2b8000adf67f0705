#include "tests/support/RunLengthPictures.h"

namespace {
void PutLittleEndian(FileBytes& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}
}  // namespace

std::vector<std::uint32_t> RunLengthColors(int count) {
    std::vector<std::uint32_t> colors;
    for (int i = 0; i < count; ++i)
        colors.push_back(
            static_cast<std::uint32_t>((i * 37 % 256) << 16 | (255 - i * 15) << 8 | (i * 90 % 256)));
    return colors;
}

FileBytes RunLengthBmpFile(int compression, int width, int height, const std::vector<std::uint32_t>& colors,
                           const FileBytes& data) {
    return BmpFile(compression == 1 ? 8 : 4, compression, width, height, colors, data);
}

FileBytes BmpFile(int bitCount, int compression, int width, int height,
                  const std::vector<std::uint32_t>& colors, const FileBytes& data) {
    const std::uint32_t bitsAt = 14 + 40 + static_cast<std::uint32_t>(colors.size()) * 4;
    FileBytes file{'B', 'M'};
    PutLittleEndian(file, bitsAt + static_cast<std::uint32_t>(data.size()), 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, bitsAt, 4);
    PutLittleEndian(file, 40, 4);
    PutLittleEndian(file, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(file, static_cast<std::uint32_t>(height), 4);
    PutLittleEndian(file, 1, 2);
    PutLittleEndian(file, static_cast<std::uint32_t>(bitCount), 2);
    PutLittleEndian(file, static_cast<std::uint32_t>(compression), 4);
    PutLittleEndian(file, static_cast<std::uint32_t>(data.size()), 4);
    PutLittleEndian(file, 2835, 4);
    PutLittleEndian(file, 2835, 4);
    PutLittleEndian(file, static_cast<std::uint32_t>(colors.size()), 4);
    PutLittleEndian(file, 0, 4);
    for (std::uint32_t color : colors) PutLittleEndian(file, color, 4);
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

RunLengthPicture KnownRle8Picture() {
    RunLengthPicture picture;
    picture.width = 4;
    picture.height = 3;
    picture.colors = RunLengthColors(4);
    const FileBytes data{
        2, 1, 2, 2, 0, 0,  // bottom row: two runs, end of line
        0, 3, 3, 1, 2, 0,  // middle row: an absolute stretch of three and its pad byte
        0, 2, 0, 1,        // a delta up a row, staying at column 3
        1, 3, 0, 1,        // top row: one pixel at column 3, end of bitmap
    };
    picture.file = RunLengthBmpFile(1, 4, 3, picture.colors, data);
    picture.indices = {{0, 0, 0, 3}, {3, 1, 2, 0}, {1, 1, 2, 2}};
    return picture;
}

RunLengthPicture KnownRle4Picture() {
    RunLengthPicture picture;
    picture.width = 5;
    picture.height = 3;
    picture.colors = RunLengthColors(16);
    const FileBytes data{
        5, 0x12, 0,    0,              // bottom row: 1, 2, 1, 2, 1, end of line
        0, 5,    0x34, 0x51, 0x20, 0,  // middle row: absolute 3, 4, 5, 1, 2 in three bytes and a pad
        0, 0,                          // end of line
        0, 2,    3,    0,              // top row: a delta to column 3
        2, 0x67, 0,    1,              // 6, 7 at columns 3 and 4, end of bitmap
    };
    picture.file = RunLengthBmpFile(2, 5, 3, picture.colors, data);
    picture.indices = {{0, 0, 0, 6, 7}, {3, 4, 5, 1, 2}, {1, 2, 1, 2, 1}};
    return picture;
}

FileBytes OnePixelARow(int rows) {
    FileBytes codes;
    for (int row = 0; row < rows; ++row) codes.insert(codes.end(), {1, 1, 0, 0});
    codes.back() = 1;
    return codes;
}
