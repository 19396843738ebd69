#include "wizard/SldCtrls.h"

#include "forms/Form.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "wizard/fOutLine.h"

namespace vk {

bool TDirDialog::Execute() {
    Tfm_DirDialog form;
    try {
        form.SetDirectory(Dir);
    } catch (const Error&) {
        form.SetDirectory(platform::currentFolder());
    }
    const int result = form.ShowModal();
    Dir = form.Directory();
    return result == forms::mrOk;
}

}  // namespace vk
