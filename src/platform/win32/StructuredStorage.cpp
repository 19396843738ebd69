// Structured storage through the system's compound-file implementation
// (StgOpenStorage, StgCreateDocfile), in direct mode with exclusive sharing.
#include "platform/StructuredStorage.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>

#include "platform/Error.h"
#include "platform/Text.h"
#include "platform/win32/Com.h"
#include "platform/win32/SystemFunction.h"

namespace vk::platform {

namespace {

std::wstring wide(std::string_view utf8) {
    std::u16string text = toUtf16(utf8);
    return {text.begin(), text.end()};
}

std::string systemMessage(HRESULT result) {
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string message;
    if (length > 0) {
        message = fromUtf16(std::u16string(buffer, buffer + length));
        LocalFree(buffer);
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
            message.pop_back();
    }
    char code[16];
    wsprintfA(code, "0x%08lX", static_cast<unsigned long>(result));
    return message.empty() ? std::string("error ") + code : message + " (" + code + ")";
}

void check(HRESULT result, const std::string& what) {
    if (FAILED(result)) throw Error(what + ": " + systemMessage(result));
}

template <typename T>
class ComRef {
public:
    ComRef() = default;
    explicit ComRef(T* pointer) : pointer_(pointer) {}
    ComRef(const ComRef& other) : pointer_(other.pointer_) {
        if (pointer_) pointer_->AddRef();
    }
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (pointer_) pointer_->Release();
    }
    T* get() const { return pointer_; }
    T** out() { return &pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    T* pointer_ = nullptr;
};

class ComStream final : public Stream {
public:
    // Holds the storage too: a stream of a released root storage is no longer usable.
    ComStream(ComRef<IStorage> storage, ComRef<IStream> stream, std::string name)
        : storage_(storage), stream_(stream), name_(std::move(name)) {}

    std::size_t read(void* buffer, std::size_t count) override {
        auto* out = static_cast<std::uint8_t*>(buffer);
        std::size_t total = 0;
        while (total < count) {
            ULONG want = static_cast<ULONG>(std::min<std::size_t>(count - total, 1u << 30));
            ULONG got = 0;
            check(stream_->Read(out + total, want, &got), name_);
            total += got;
            if (got < want) break;
        }
        return total;
    }

    void write(const void* buffer, std::size_t count) override {
        const auto* in = static_cast<const std::uint8_t*>(buffer);
        while (count > 0) {
            ULONG want = static_cast<ULONG>(std::min<std::size_t>(count, 1u << 30));
            ULONG written = 0;
            check(stream_->Write(in, want, &written), name_);
            if (written != want) throw Error(name_ + ": the stream took only part of a write");
            in += written;
            count -= written;
        }
    }

    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override {
        DWORD how = origin == SeekOrigin::Begin ? STREAM_SEEK_SET : origin == SeekOrigin::Current ? STREAM_SEEK_CUR : STREAM_SEEK_END;
        LARGE_INTEGER move;
        move.QuadPart = offset;
        ULARGE_INTEGER position;
        check(stream_->Seek(move, how, &position), name_);
        return static_cast<std::int64_t>(position.QuadPart);
    }

    std::int64_t size() override {
        STATSTG stat{};
        check(stream_->Stat(&stat, STATFLAG_NONAME), name_);
        return static_cast<std::int64_t>(stat.cbSize.QuadPart);
    }

    void setSize(std::int64_t newSize) override {
        if (newSize < 0) throw Error(name_ + ": negative size");
        ULARGE_INTEGER size;
        size.QuadPart = static_cast<ULONGLONG>(newSize);
        check(stream_->SetSize(size), name_);
    }

    std::string name() const override { return name_; }

private:
    ComRef<IStorage> storage_;
    ComRef<IStream> stream_;
    std::string name_;
};

class SystemStorage final : public StructuredStorage {
public:
    SystemStorage(ComRef<IStorage> storage, std::string path, DWORD access)
        : storage_(storage), path_(std::move(path)), access_(access) {}

    std::unique_ptr<Stream> openStream(std::string_view name) override {
        ComRef<IStream> stream;
        HRESULT result = storage_->OpenStream(wide(name).c_str(), nullptr, access_ | STGM_SHARE_EXCLUSIVE, 0, stream.out());
        if (result == STG_E_FILENOTFOUND) return nullptr;
        check(result, streamName(name));
        return std::make_unique<ComStream>(storage_, stream, streamName(name));
    }

    std::unique_ptr<Stream> createStream(std::string_view name) override {
        ComRef<IStream> stream;
        check(storage_->CreateStream(wide(name).c_str(), access_ | STGM_CREATE | STGM_SHARE_EXCLUSIVE, 0, 0, stream.out()),
              streamName(name));
        return std::make_unique<ComStream>(storage_, stream, streamName(name));
    }

    std::vector<StorageElement> elements() override {
        ComRef<IEnumSTATSTG> items;
        check(storage_->EnumElements(0, nullptr, 0, items.out()), path_);
        std::vector<StorageElement> found;
        STATSTG stat{};
        ULONG fetched = 0;
        while (items->Next(1, &stat, &fetched) == S_OK && fetched == 1) {
            const auto* name = reinterpret_cast<const char16_t*>(stat.pwcsName);
            found.push_back({fromUtf16(name ? std::u16string(name) : std::u16string()), stat.type == STGTY_STORAGE,
                             stat.cbSize.QuadPart});
            win32::TaskMemFree()(stat.pwcsName);
        }
        return found;
    }

    void commit() override { check(storage_->Commit(STGC_DEFAULT), path_); }

private:
    std::string streamName(std::string_view name) const { return path_ + ":" + std::string(name); }

    ComRef<IStorage> storage_;
    std::string path_;
    DWORD access_;
};

}  // namespace

std::unique_ptr<StructuredStorage> openStorage(std::string_view path, StorageAccess access) {
    DWORD mode = access == StorageAccess::Read ? STGM_READ : STGM_READWRITE;
    ComRef<IStorage> storage;
    static const auto open = win32::systemFunction<decltype(StgOpenStorage)>(L"ole32.dll", "StgOpenStorage");
    HRESULT result = open(wide(path).c_str(), nullptr, mode | STGM_SHARE_EXCLUSIVE, nullptr, 0, storage.out());
    if (result == STG_E_FILENOTFOUND) return nullptr;
    check(result, std::string(path));
    return std::make_unique<SystemStorage>(storage, std::string(path), mode);
}

std::unique_ptr<StructuredStorage> createStorage(std::string_view path) {
    ComRef<IStorage> storage;
    static const auto create = win32::systemFunction<decltype(StgCreateDocfile)>(L"ole32.dll", "StgCreateDocfile");
    check(create(wide(path).c_str(), STGM_READWRITE | STGM_CREATE | STGM_SHARE_EXCLUSIVE, 0, storage.out()),
          std::string(path));
    return std::make_unique<SystemStorage>(storage, std::string(path), STGM_READWRITE);
}

}  // namespace vk::platform
