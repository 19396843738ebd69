#include "platform/StructuredStorage.h"

#include "platform/hosted/HostedMachine.h"
#include "platform/hosted/StorageFile.h"

namespace vk::platform {

std::unique_ptr<StructuredStorage> openStorage(std::string_view path, StorageAccess access) {
    return hosted::openStorageFile(hosted::toHostPath(path), std::string(path), access);
}

std::unique_ptr<StructuredStorage> createStorage(std::string_view path) {
    return hosted::createStorageFile(hosted::toHostPath(path), std::string(path));
}

}  // namespace vk::platform
