#pragma once
// TDirDialog: the folder dialog as a component. Set Dir, call Execute; the
// folder the dialog's tree ended on comes back in Dir even after Cancel.
#include <string>

namespace vk {

class TDirDialog {
public:
    std::string Dir;

    // Shows Tfm_DirDialog starting at Dir (at the current folder when Dir is
    // no existing folder); true only when the user pressed OK.
    bool Execute();
};

}  // namespace vk
