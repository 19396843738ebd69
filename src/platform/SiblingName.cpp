#include "platform/SiblingName.h"

#include <chrono>
#include <mutex>
#include <random>

namespace vk::platform {

std::string siblingName(std::string_view path) {
    static std::mutex mutex;
    static std::mt19937 generator = [] {
        // The clock as well: some C++ runtimes' random_device is a fixed sequence.
        std::random_device device;
        const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        std::seed_seq seed{device(), device(), static_cast<unsigned>(now), static_cast<unsigned>(now >> 32)};
        return std::mt19937(seed);
    }();
    std::uint32_t number;
    {
        std::lock_guard lock(mutex);
        number = static_cast<std::uint32_t>(generator());
    }
    static const char digits[] = "0123456789abcdef";
    std::string name(path);
    name += '.';
    for (int shift = 28; shift >= 0; shift -= 4) name += digits[(number >> shift) & 15];
    return name + ".new";
}

}  // namespace vk::platform
