#pragma once
// Which controls of a shown form cannot show their whole text at the size
// the view gave them: the check that a form laid out at 96 DPI still fits
// at another DPI.
#include <string>
#include <vector>

namespace vk::view {

class FormWindow;

// "NAME: needs W x H, has W x H" for each clipped control, on every page
// (the controls of pages not shown yet are made for it).
std::vector<std::string> clippedControls(FormWindow& window);

}  // namespace vk::view
