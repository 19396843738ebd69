#pragma once
// The correction files of a payload, handed from the install thread to the
// wizard in memory: one stream per file, under the file's name. The list (the
// wizard's) owns the streams.
#include <memory>
#include <string>
#include <vector>

#include "platform/Stream.h"

namespace vk {

struct CorrectionFile {
    std::string name;
    std::unique_ptr<MemoryStream> data;
};

using CorrectionFileList = std::vector<CorrectionFile>;

}  // namespace vk
