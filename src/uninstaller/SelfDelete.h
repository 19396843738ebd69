#pragma once
// A running program cannot delete its own file. The usual way round: a batch
// file in the temporary folder that retries deleting the program until the
// program has ended, then deletes itself; started hidden just before the end.
#include <string>

namespace vk::uninstaller {

// false when the batch file could not be written or started; the program's
// file then stays.
bool deleteWhenEnded(const std::wstring& program);

}  // namespace vk::uninstaller
