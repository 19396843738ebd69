// With nobody to ask, the hosted platform's choosers answer as a user who
// cancels; tests and the headless runner install their own.
#include "platform/Dialogs.h"

#include <atomic>

namespace vk::platform {

namespace {

class CancellingChoosers final : public Choosers {
public:
    std::optional<std::string> browseForFolder(std::string_view, int) override { return std::nullopt; }
    std::optional<std::string> openFile(std::string_view, std::string_view, std::string_view) override {
        return std::nullopt;
    }
};

CancellingChoosers systemChoosers;
std::atomic<Choosers*> installedChoosers{nullptr};

}  // namespace

Choosers& choosers() {
    Choosers* installed = installedChoosers.load();
    return installed ? *installed : systemChoosers;
}

void setChoosers(Choosers* replacement) { installedChoosers.store(replacement); }

}  // namespace vk::platform
