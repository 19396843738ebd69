#include "platform/StructuredStorage.h"

#include <cerrno>
#include <cstring>

#include "platform/Error.h"
#include "platform/hosted/Machine.h"
#include "platform/hosted/StorageFile.h"

namespace vk::platform {

namespace {

hosted::ResolvedPath writableOrDenied(std::string_view path) {
    hosted::ResolvedPath resolved = hosted::resolvePath(path);
    if (!resolved.writable) throw Error(resolved.shown + ": " + std::strerror(EACCES));
    return resolved;
}

}  // namespace

std::unique_ptr<StructuredStorage> openStorage(std::string_view path, StorageAccess access) {
    hosted::ResolvedPath resolved = access == StorageAccess::Read ? hosted::resolvePath(path) : writableOrDenied(path);
    return hosted::openStorageFile(resolved.host, resolved.shown, access);
}

std::unique_ptr<StructuredStorage> createStorage(std::string_view path) {
    hosted::ResolvedPath resolved = writableOrDenied(path);
    return hosted::createStorageFile(resolved.host, resolved.shown);
}

}  // namespace vk::platform
