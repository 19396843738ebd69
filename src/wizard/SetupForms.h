#pragma once
// The installer's forms, made in the order the program makes them: the
// wizard (the main form, which inspects the machine as it is made), then the
// exchange-folder dialog and the link dialog that its pages open.
#include <cstdint>

#include "wizard/fSetup.h"

namespace vk {

struct SetupForms {
    explicit SetupForms(TfmSetup::ResourceOpener openResource, std::uint32_t packageFlags = kPackageFlags)
        : fmSetup(std::move(openResource), packageFlags) {
        fmSetup.UseDialogs(fmNet, fmURM);
    }

    TfmSetup fmSetup;
    TfmNet fmNet;
    TfmURM fmURM;
};

}  // namespace vk
