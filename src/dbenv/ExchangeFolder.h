#pragma once
// The proof that an exchange folder can be written before it is accepted.
#include <string_view>

namespace vk {

// The one message of a folder that cannot be written.
inline constexpr std::string_view kExchangeFolderNotWritable = "Папка обмена не доступна для записи";

// Makes folder + "\Clients" (with every missing parent, and leaves it),
// creates the empty file "Vorkast.tmp" in it and deletes it again. Throws
// Error with kExchangeFolderNotWritable on any failure. An empty folder
// (none chosen) passes without a test.
void TestExchangeFolder(std::string_view folder);

}  // namespace vk
