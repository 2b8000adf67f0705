#include <array>
#include <memory>

#include "platform/gdi/CDCState.h"

CGdiObject* StockObject(int index) {
    static std::array<std::unique_ptr<CGdiObject>, DEFAULT_GUI_FONT + 1> objects;
    if (index < 0 || index > DEFAULT_GUI_FONT)
        return nullptr;
    if (objects[index])
        return objects[index].get();
    if (index <= NULL_BRUSH) {
        auto brush = std::make_unique<CBrush>();
        brush->CreateStockObject(index);
        objects[index] = std::move(brush);
    } else if (index <= NULL_PEN) {
        auto pen = std::make_unique<CPen>();
        pen->CreatePen(index == NULL_PEN ? PS_NULL : PS_SOLID, 0,
                       index == WHITE_PEN ? RGB(255, 255, 255) : RGB(0, 0, 0));
        objects[index] = std::move(pen);
    } else if (index == DEFAULT_PALETTE) {
        auto palette = std::make_unique<CPalette>();
        palette->CreateStockObject(index);
        objects[index] = std::move(palette);
    } else {
        auto font = std::make_unique<CFont>();
        if (!font->CreateStockObject(index))
            return nullptr;
        objects[index] = std::move(font);
    }
    return objects[index].get();
}
