#include "drawing/TextLayout.h"

TextLayout LayOutText(const CString& text, int boxWidth, int boxHeight, int lineHeight,
                      const std::function<int(char)>& characterWidth) {
    TextLayout layout;
    int freeWidth = boxWidth;
    int freeHeight = boxHeight;
    // Ends the line; false when the next one does not fit.
    const auto newLine = [&] {
        layout.lineWidths.push_back(boxWidth - freeWidth);
        freeHeight -= lineHeight;
        freeWidth = boxWidth;
        return freeHeight >= lineHeight;
    };
    for (int i = 0; i < text.GetLength(); ++i) {
        const char c = text[i];
        if (c == '\r')
            continue;
        const int width = c == '\n' ? 0 : characterWidth(c);
        if ((c == '\n' || freeWidth - width < 0) && !newLine())
            break;
        if (c == '\n')
            continue;
        layout.characters.push_back({c, boxWidth - freeWidth, freeHeight - boxHeight});
        freeWidth -= width;
    }
    // The line the layout ended on, empty when it stopped after a full line.
    layout.lineWidths.push_back(boxWidth - freeWidth);
    return layout;
}
