#include "erp/libs/kvdownload/replacement_file.h"

#include "erp/libs/kvdownload/download_error.h"
#include "erp/libs/kvdownload/kvdownload.h"

#include <array>
#include <chrono>
#include <stdlib.h>
#include <unistd.h>

namespace kvc::erp {

namespace fs = std::filesystem;

ReplacementFile::ReplacementFile(fs::path target) : target_(std::move(target)) {
    std::error_code ec;
    fs::create_directories(target_.parent_path(), ec);
    std::string pattern =
        (target_.parent_path() / ("." + target_.filename().string() + ".part-XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        Fail("Cannot create a file in " + target_.parent_path().string());
    }
    ::close(fd);
    temporary_ = pattern;
    out_.open(temporary_, std::ios::binary | std::ios::trunc);
    if (!out_) {
        Fail("Cannot write " + temporary_.string());
    }
}

ReplacementFile::ReplacementFile(ReplacementFile&& other) noexcept
    : target_(std::move(other.target_)), temporary_(std::move(other.temporary_)),
      out_(std::move(other.out_)), modified_(other.modified_), committed_(other.committed_) {
    other.temporary_.clear();
}

ReplacementFile::~ReplacementFile() {
    if (out_.is_open()) {
        out_.close();
    }
    if (!committed_ && !temporary_.empty()) {
        std::error_code ec;
        fs::remove(temporary_, ec);
    }
}

void ReplacementFile::Fail(const std::string& what) const {
    throw DownloadError(KVDOWNLOAD_WRITE_FAILED, what);
}

void ReplacementFile::Write(const char* data, std::size_t size) {
    out_.write(data, std::streamsize(size));
    if (!out_) {
        Fail("Cannot write " + target_.string());
    }
}

std::uintmax_t ReplacementFile::CopyFrom(std::istream& in) {
    std::array<char, 64 * 1024> buffer;
    std::uintmax_t total = 0;
    while (in) {
        in.read(buffer.data(), std::streamsize(buffer.size()));
        const auto got = std::size_t(in.gcount());
        Write(buffer.data(), got);
        total += got;
    }
    return total;
}

void ReplacementFile::Close() {
    if (!out_.is_open()) {
        return;
    }
    out_.close();
    if (!out_) {
        Fail("Cannot write " + target_.string());
    }
    std::error_code ec;
    fs::permissions(temporary_,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                        fs::perms::others_read,
                    ec);
    if (modified_) {
        const auto time =
            std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(*modified_));
        fs::last_write_time(temporary_, time, ec);
    }
}

void ReplacementFile::Commit() {
    Close();
    std::error_code ec;
    fs::rename(temporary_, target_, ec);
    if (ec) {
        Fail("Cannot replace " + target_.string() + ": " + ec.message());
    }
    committed_ = true;
}

} // namespace kvc::erp
