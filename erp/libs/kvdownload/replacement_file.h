// A file written beside the one it replaces and renamed over it only when
// complete, so that a failure never leaves a half-written file in its place.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <istream>
#include <optional>

namespace kvc::erp {

class ReplacementFile {
public:
    // Creates the target's folder and a fresh temporary file in it; raises
    // DownloadError(KVDOWNLOAD_WRITE_FAILED) when it cannot.
    explicit ReplacementFile(std::filesystem::path target);
    // Removes the temporary file unless it was committed.
    ~ReplacementFile();
    ReplacementFile(ReplacementFile&&) noexcept;
    ReplacementFile& operator=(ReplacementFile&&) = delete;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    const std::filesystem::path& Target() const { return target_; }

    void Write(const char* data, std::size_t size);
    // Copies the rest of in; answers the bytes copied.
    std::uintmax_t CopyFrom(std::istream& in);
    // The modification time the file gets when committed.
    void SetModified(std::time_t modified) { modified_ = modified; }
    // Closes the file and checks that everything reached the disk.
    void Close();
    // Closes the file (when still open) and renames it over the target.
    void Commit();

private:
    [[noreturn]] void Fail(const std::string& what) const;

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::ofstream out_;
    std::optional<std::time_t> modified_;
    bool committed_ = false;
};

} // namespace kvc::erp
