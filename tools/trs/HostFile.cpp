#include "HostFile.h"

#include <fstream>
#include <system_error>

#include "platform/Error.h"

namespace vk::trs {

namespace {

class HostFileStream final : public Stream {
public:
    HostFileStream(const std::filesystem::path& path, std::ios::openmode mode) : name_(displayPath(path)) {
        file_.open(path, mode | std::ios::binary);
        if (!file_) throw Error(name_ + ": cannot open the file");
    }

    std::size_t read(void* buffer, std::size_t count) override {
        file_.read(static_cast<char*>(buffer), static_cast<std::streamsize>(count));
        const auto got = static_cast<std::size_t>(file_.gcount());
        if (file_.bad()) throw Error(name_ + ": read error");
        file_.clear();
        return got;
    }
    void write(const void* buffer, std::size_t count) override {
        file_.write(static_cast<const char*>(buffer), static_cast<std::streamsize>(count));
        if (!file_) throw Error(name_ + ": write error (is the disk full?)");
    }
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override {
        const std::int64_t base = origin == SeekOrigin::Begin ? 0 : origin == SeekOrigin::Current ? tell() : size();
        if (base + offset < 0) throw Error(name_ + ": seek before the beginning");
        file_.seekg(base + offset, std::ios::beg);
        if (!file_) throw Error(name_ + ": seek error");
        return base + offset;
    }
    std::int64_t size() override {
        const std::int64_t here = tell();
        file_.seekg(0, std::ios::end);
        const std::int64_t end = tell();
        file_.seekg(here, std::ios::beg);
        return end;
    }
    void setSize(std::int64_t) override { throw Error(name_ + ": cannot change the size of this file"); }
    std::string name() const override { return name_; }

    // Writes out what is buffered and closes, reporting what the destructor could not.
    void close() {
        file_.close();
        if (!file_) throw Error(name_ + ": write error (is the disk full?)");
    }

private:
    std::int64_t tell() { return static_cast<std::int64_t>(file_.tellg()); }

    std::fstream file_;
    std::string name_;
};

}  // namespace

std::filesystem::path hostPath(std::string_view utf8) {
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string displayPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::unique_ptr<Stream> openForReading(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw Error(displayPath(path) + ": is a folder, not a file");
    return std::make_unique<HostFileStream>(path, std::ios::in);
}

void writeFile(const std::filesystem::path& target, const std::function<void(Stream&)>& fill) {
    std::filesystem::path part = target;
    part += ".part";
    try {
        {
            HostFileStream out(part, std::ios::in | std::ios::out | std::ios::trunc);
            fill(out);
            out.close();
        }
        std::filesystem::rename(part, target);
    } catch (const std::filesystem::filesystem_error& e) {
        std::error_code ignored;
        std::filesystem::remove(part, ignored);
        throw Error(displayPath(target) + ": " + e.code().message());
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(part, ignored);
        throw;
    }
}

}  // namespace vk::trs
