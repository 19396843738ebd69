#include "view/Metrics.h"

namespace vk::view {

namespace {

HFONT makeFont(int dpi, int weight, bool underline) {
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(11, dpi, 96);
    font.lfWeight = weight;
    font.lfUnderline = underline;
    font.lfCharSet = RUSSIAN_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpyW(font.lfFaceName, L"Tahoma");
    return CreateFontIndirectW(&font);
}

}  // namespace

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

Metrics::Metrics(int dpi)
    : dpi_(dpi), normal_(makeFont(dpi, FW_NORMAL, false)), bold_(makeFont(dpi, FW_BOLD, false)),
      link_(makeFont(dpi, FW_NORMAL, true)) {}

Metrics::~Metrics() {
    DeleteObject(normal_);
    DeleteObject(bold_);
    DeleteObject(link_);
}

RECT Metrics::rect(const forms::Bounds& bounds) const {
    const int left = scale(bounds.left);
    const int top = scale(bounds.top);
    return {left, top, scale(bounds.left + bounds.width), scale(bounds.top + bounds.height)};
}

}  // namespace vk::view
