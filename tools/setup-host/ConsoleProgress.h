#pragma once
// setup-host's view of the install thread: a progress bar redrawn in place on
// a terminal, plain lines otherwise (logs, pipes).
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/ProgressMessage.h"

namespace vk::host {

class ConsoleProgress final : public ProgressReceiver {
public:
    ConsoleProgress(std::FILE* out, bool terminal) : out_(out), terminal_(terminal) {}

    bool finished() const { return finished_; }
    bool failed() const { return failed_; }

    void processStatus(std::uint32_t status, const char* text) override;
    void processRange(std::uint32_t steps) override;
    void processStep() override;
    void processEndPhase(std::uint32_t value) override;
    void processSystem() override;
    void processFinished(bool failed) override;

private:
    void drawBar();
    void endBar();

    std::FILE* out_;
    bool terminal_;
    bool barShown_ = false;
    std::uint32_t range_ = 0;
    std::uint32_t position_ = 0;
    std::string item_;
    bool finished_ = false;
    bool failed_ = false;
};

}  // namespace vk::host
