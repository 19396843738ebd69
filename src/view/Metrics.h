#pragma once
// The measures of the view: forms are laid out in pixels at 96 DPI and
// scaled to the screen's DPI; the font is Tahoma 11 px (at 96 DPI) with the
// Russian character set, in the weights and styles the controls use.
#include <windows.h>

#include "forms/Control.h"

namespace vk::view {

// The screen's DPI as this (DPI-aware) process sees it.
int screenDpi();

class Metrics {
public:
    explicit Metrics(int dpi);
    ~Metrics();
    Metrics(const Metrics&) = delete;
    Metrics& operator=(const Metrics&) = delete;

    int dpi() const { return dpi_; }
    int scale(int pixels) const { return MulDiv(pixels, dpi_, 96); }
    // The inverse, rounded up, for measures taken on the screen.
    int unscale(int pixels) const { return (pixels * 96 + dpi_ - 1) / dpi_; }
    RECT rect(const forms::Bounds& bounds) const;

    HFONT font() const { return normal_; }
    HFONT boldFont() const { return bold_; }
    HFONT linkFont() const { return link_; }

private:
    int dpi_;
    HFONT normal_;
    HFONT bold_;
    HFONT link_;
};

}  // namespace vk::view
