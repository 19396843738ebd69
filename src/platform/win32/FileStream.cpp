#include <limits>
#include <utility>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/SiblingName.h"
#include "platform/win32/Wide.h"

namespace vk::platform {

namespace {

// A file opened through its handle; every failure names the path and carries
// the system's text.
class FileStream final : public Stream {
public:
    FileStream(HANDLE file, std::string path) : file_(file), path_(std::move(path)) {}
    ~FileStream() override {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    std::size_t read(void* buffer, std::size_t count) override {
        auto* out = static_cast<char*>(buffer);
        std::size_t total = 0;
        while (total < count) {
            DWORD got = 0;
            if (!ReadFile(file_, out + total, chunk(count - total), &got, nullptr)) fail();
            if (got == 0) break;
            total += got;
        }
        return total;
    }

    void write(const void* buffer, std::size_t count) override {
        auto* in = static_cast<const char*>(buffer);
        while (count > 0) {
            DWORD written = 0;
            if (!WriteFile(file_, in, chunk(count), &written, nullptr) || written == 0) fail();
            in += written;
            count -= written;
        }
    }

    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override {
        DWORD method = origin == SeekOrigin::Begin ? FILE_BEGIN : origin == SeekOrigin::Current ? FILE_CURRENT
                                                                                                : FILE_END;
        LARGE_INTEGER distance;
        distance.QuadPart = offset;
        LARGE_INTEGER result;
        if (!SetFilePointerEx(file_, distance, &result, method)) {
            if (GetLastError() == ERROR_NEGATIVE_SEEK) throw Error(path_ + ": seek before the beginning");
            fail();
        }
        return result.QuadPart;
    }

    std::int64_t size() override {
        LARGE_INTEGER result;
        if (!GetFileSizeEx(file_, &result)) fail();
        return result.QuadPart;
    }

    void setSize(std::int64_t newSize) override {
        if (newSize < 0) throw Error(path_ + ": negative size");
        std::int64_t keep = position();
        seek(newSize, SeekOrigin::Begin);
        if (!SetEndOfFile(file_)) fail();
        seek(keep, SeekOrigin::Begin);
    }

    std::string name() const override { return path_; }

    void flushToDisk() {
        if (!FlushFileBuffers(file_)) fail();
    }
    // Closes the file now; the stream cannot be used afterwards.
    void close() {
        if (!CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE))) fail();
    }

private:
    static DWORD chunk(std::size_t remaining) {
        return static_cast<DWORD>(std::min<std::size_t>(remaining, std::numeric_limits<DWORD>::max()));
    }
    [[noreturn]] void fail() const { throw Error(path_ + ": " + win32::systemMessage(GetLastError())); }

    HANDLE file_;
    std::string path_;
};

}  // namespace

std::unique_ptr<Stream> openFile(std::string_view path, FileMode mode) {
    DWORD access = mode == FileMode::OpenRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    DWORD disposition = mode == FileMode::Create ? CREATE_ALWAYS : OPEN_EXISTING;
    // Others may read what we read, as the system's own tools expect.
    DWORD share = mode == FileMode::OpenRead ? FILE_SHARE_READ : 0;
    HANDLE file = CreateFileW(win32::wide(path).c_str(), access, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw Error(std::string(path) + ": " + win32::systemMessage(GetLastError()));
    return std::make_unique<FileStream>(file, std::string(path));
}

namespace {

// A new, empty file beside path that nobody else has open: CREATE_NEW refuses
// any existing name, a symbolic link included, so nothing is followed.
std::unique_ptr<FileStream> createSibling(std::string_view path, std::wstring& fresh) {
    for (int attempt = 0; attempt < kSiblingNameAttempts; ++attempt) {
        fresh = win32::wide(siblingName(path));
        HANDLE file = CreateFileW(fresh.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return std::make_unique<FileStream>(file, std::string(path));
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw Error(std::string(path) + ": " + win32::systemMessage(GetLastError()));
}

}  // namespace

void replaceFile(std::string_view path, const std::function<void(Stream&)>& fill, Durability durability) {
    std::wstring fresh;
    auto out = createSibling(path, fresh);
    try {
        fill(*out);
        if (durability == Durability::Flushed) out->flushToDisk();
        out->close();
        const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durability == Durability::Flushed ? MOVEFILE_WRITE_THROUGH : 0);
        if (!MoveFileExW(fresh.c_str(), win32::wide(path).c_str(), flags))
            throw Error(std::string(path) + ": " + win32::systemMessage(GetLastError()));
    } catch (...) {
        out.reset();  // an open file cannot be deleted
        DeleteFileW(fresh.c_str());
        throw;
    }
}

}  // namespace vk::platform
