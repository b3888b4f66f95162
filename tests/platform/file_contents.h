// What a test reads back from the files the code under test wrote.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kvc::testing {

// The whole file as bytes; empty when it cannot be read.
inline std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The files below a folder, at any depth, as sorted "relative/path" names.
inline std::vector<std::string> ListFiles(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            names.push_back(std::filesystem::relative(entry.path(), folder).generic_string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace kvc::testing
