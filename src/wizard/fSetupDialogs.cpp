// The two dialogs the server page opens: the exchange folder of multi-user
// mode and the link to the sibling system. Both are made once, after the
// wizard, and keep their state for the whole run.
#include "wizard/fSetup.h"

namespace vk {

void TfmSetup::UseDialogs(TfmNet& fmNet, TfmURM& fmURM) {
    fmNet_ = &fmNet;
    fmURM_ = &fmURM;
}

void TfmSetup::btNetClick() {
    if (fmNet_) vk::btNetClick(*fmNet_, Net);
}

void TfmSetup::btURMClick() {
    if (fmURM_) vk::btURMClick(*fmURM_, Link);
}

}  // namespace vk
