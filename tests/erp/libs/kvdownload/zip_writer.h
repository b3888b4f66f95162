// Writes zip archives for tests, entry by entry, with the names and times given.
#pragma once

#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>
#include <zip.h>

namespace kvc::testing {

struct ZipEntry {
    std::string name;
    std::string content;
    std::time_t modified = 0; // 0: the time of writing
    bool stored = false;      // uncompressed, so tests can find the bytes in the archive
};

inline void WriteZip(const std::filesystem::path& file, const std::vector<ZipEntry>& entries) {
    std::filesystem::create_directories(file.parent_path());
    int code = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (archive == nullptr) {
        throw std::runtime_error("zip_open failed: " + file.string());
    }
    for (const ZipEntry& entry : entries) {
        zip_source_t* source =
            zip_source_buffer(archive, entry.content.data(), entry.content.size(), 0);
        const zip_int64_t index =
            source == nullptr ? -1 : zip_file_add(archive, entry.name.c_str(), source, 0);
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            throw std::runtime_error("zip_file_add failed: " + entry.name);
        }
        if (entry.modified != 0) {
            zip_file_set_mtime(archive, zip_uint64_t(index), entry.modified, 0);
        }
        if (entry.stored) {
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("zip_close failed: " + file.string());
    }
}

} // namespace kvc::testing
