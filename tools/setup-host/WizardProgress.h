#pragma once
// setup-host's view of the wizard's progress page: the stage that starts, the
// current item and the bar, printed as the wizard shows them. A bar redrawn
// in place on a terminal, plain lines otherwise (logs, pipes).
#include <cstdio>
#include <string>

#include "forms/Form.h"
#include "wizard/fSetup.h"

namespace vk::host {

class WizardProgress final : public forms::FormObserver {
public:
    WizardProgress(TfmSetup& wizard, std::FILE* out, bool terminal);
    ~WizardProgress();
    WizardProgress(const WizardProgress&) = delete;
    WizardProgress& operator=(const WizardProgress&) = delete;

    void controlChanged(forms::Control& control, forms::Property property, int index) override;

private:
    void drawBar();
    void endBar();

    TfmSetup& wizard_;
    std::FILE* out_;
    bool terminal_;
    bool barShown_ = false;
};

}  // namespace vk::host
