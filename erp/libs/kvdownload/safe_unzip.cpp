#include "erp/libs/kvdownload/safe_unzip.h"

#include "erp/libs/kvdownload/download_error.h"
#include "erp/libs/kvdownload/kvdownload.h"
#include "erp/libs/kvdownload/replacement_file.h"
#include "platform/drive_map.h"

#include <array>
#include <filesystem>
#include <memory>
#include <zip.h>

namespace kvc::erp {

namespace fs = std::filesystem;

namespace {

constexpr std::int32_t kUnzipFailed = KVDOWNLOAD_WRITE_FAILED;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

[[noreturn]] void Fail(const std::string& what) {
    throw DownloadError(kUnzipFailed, what);
}

Archive OpenArchive(std::string_view zipFile) {
    const auto native = DriveMap::FromEnvironment().ToNative(zipFile);
    if (!native) {
        Fail("Zip file cannot be reached: " + std::string(zipFile));
    }
    int code = 0;
    Archive archive(zip_open(native->c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        Fail("Cannot open zip file " + std::string(zipFile) + ": " + reason);
    }
    return archive;
}

// Whether path, once its existing part is resolved (links included), lies inside folder.
bool Inside(const fs::path& folder, const fs::path& path) {
    std::error_code ec;
    const fs::path base = fs::weakly_canonical(folder, ec);
    const fs::path resolved = fs::weakly_canonical(path, ec);
    if (ec) {
        return false;
    }
    auto b = base.begin();
    auto p = resolved.begin();
    for (; b != base.end(); ++b, ++p) {
        if (b->empty() && std::next(b) == base.end()) {
            return true; // the trailing "" of a folder path
        }
        if (p == resolved.end() || *b != *p) {
            return false;
        }
    }
    return true;
}

struct PlannedEntry {
    zip_uint64_t index;
    std::string name;
    std::vector<std::string> components;
    bool directory;
    std::time_t modified;
};

std::vector<PlannedEntry> PlanEntries(zip_t* archive) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    std::vector<PlannedEntry> entries;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) != 0 ||
            (stat.valid & ZIP_STAT_NAME) == 0) {
            Fail("Cannot read entry " + std::to_string(i) + " of the zip file");
        }
        const std::string name = stat.name;
        PlannedEntry entry{zip_uint64_t(i), name, EntryComponents(name),
                           name.back() == '/' || name.back() == '\\',
                           (stat.valid & ZIP_STAT_MTIME) != 0 ? stat.mtime : std::time_t(0)};
        entries.push_back(std::move(entry));
    }
    return entries;
}

void ExtractEntry(zip_t* archive, const PlannedEntry& entry, ReplacementFile& file) {
    Entry in(zip_fopen_index(archive, entry.index, 0));
    if (!in) {
        Fail("Cannot read " + entry.name + ": " + zip_strerror(archive));
    }
    std::array<char, 64 * 1024> buffer;
    for (;;) {
        const zip_int64_t got = zip_fread(in.get(), buffer.data(), buffer.size());
        if (got < 0) {
            Fail("Cannot read " + entry.name + ": " + zip_file_strerror(in.get()));
        }
        if (got == 0) {
            break;
        }
        file.Write(buffer.data(), std::size_t(got));
    }
    if (entry.modified != 0) {
        file.SetModified(entry.modified);
    }
    file.Close();
}

} // namespace

std::vector<std::string> EntryComponents(std::string_view entryName) {
    const auto refuse = [entryName](const char* why) {
        throw DownloadError(kUnzipFailed,
                            "Refused zip entry \"" + std::string(entryName) + "\": " + why);
    };
    if (entryName.empty()) {
        refuse("empty name");
    }
    if (entryName.front() == '/' || entryName.front() == '\\') {
        refuse("absolute path");
    }
    if (entryName.size() >= 2 && entryName[1] == ':') {
        refuse("drive in name");
    }
    std::vector<std::string> components;
    std::string_view rest = entryName;
    while (!rest.empty()) {
        const auto cut = rest.find_first_of("\\/");
        const std::string_view part = rest.substr(0, cut);
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            refuse("leaves the target folder");
        }
        if (part.find(':') != std::string_view::npos) {
            refuse("drive in name");
        }
        components.emplace_back(part);
    }
    if (components.empty()) {
        refuse("no file name");
    }
    return components;
}

int UnzipInto(std::string_view zipFile, std::string_view targetFolder) {
    const Archive archive = OpenArchive(zipFile);
    const auto target = DriveMap::FromEnvironment().ToNative(targetFolder);
    if (!target) {
        Fail("Target folder cannot be reached: " + std::string(targetFolder));
    }
    const std::vector<PlannedEntry> entries = PlanEntries(archive.get());

    std::error_code ec;
    fs::create_directories(*target, ec);
    if (!fs::is_directory(*target)) {
        Fail("Cannot create the folder " + std::string(targetFolder));
    }
    std::vector<ReplacementFile> files;
    for (const PlannedEntry& entry : entries) {
        const fs::path path = ResolveLetterCase(*target, entry.components);
        if (!Inside(*target, path)) {
            Fail("Refused zip entry \"" + entry.name + "\": leaves the target folder");
        }
        if (entry.directory) {
            fs::create_directories(path, ec);
            if (!fs::is_directory(path)) {
                Fail("Cannot create the folder for " + entry.name);
            }
            continue;
        }
        files.emplace_back(path);
        ExtractEntry(archive.get(), entry, files.back());
    }
    for (ReplacementFile& file : files) {
        file.Commit();
    }
    return int(files.size());
}

} // namespace kvc::erp
