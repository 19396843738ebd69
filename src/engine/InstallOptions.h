#pragma once
// The user's choices handed to the install thread, one bit each, and the
// package word's bits that the engine tests.
#include <cstdint>
#include <string_view>

namespace vk {

enum InstallOption : std::uint32_t {
    ioServerPart = 1,        // rbServer selected
    ioClientPart = 2,        // rbClient selected
    ioConfigChosen = 4,      // at least one configuration ticked
    ioFilledDatabase = 8,    // cbDBAndMenu ticked
    ioBDE = 16,              // cbBDE ticked
    ioIBClient = 32,         // cbIBClient ticked
    ioFirebird = 64,         // rbFirebird selected
    ioYaffil = 128,          // rbYaffil selected
    ioRegister = 256,        // cbRegister ticked
};

// The product's display name: window caption, shortcut and uninstall entry.
inline constexpr std::string_view kProductCaption = "АС Кронта 3.1";

// The package word of this build: which parts it holds and which wizard features are on.
constexpr std::uint32_t kPackageFlags = 0x257F;

enum PackageFlag : std::uint32_t {
    pfPrograms = 0x0001,          // program files (kind 1) and the runtime packages Luvak*.bpl
    pfSystemPackages = 0x0008,    // packages copied into the system folder too (kind 8), Kerno*.bpl
    pfRegisterComponents = 0x0020,
};

}  // namespace vk
