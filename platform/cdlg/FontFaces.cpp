#include "platform/cdlg/FontFaces.h"

const std::vector<CString>& FontFaceNames() {
    static const std::vector<CString> faces{"Arial",           "Courier New",     "MS Sans Serif",
                                            "Times New Roman", "DejaVu Sans",     "DejaVu Sans Mono",
                                            "DejaVu Serif",    "Liberation Mono", "Liberation Sans",
                                            "Liberation Serif"};
    return faces;
}
