// Simplified <-> Traditional Chinese on UTF-8 text, through OpenCC's
// phrase-aware conversion tables.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace kvc::erp {

enum class ScriptDirection { SimplifiedToTraditional, TraditionalToSimplified };

// One open OpenCC conversion. Convert is safe from several threads at once:
// OpenCC's converter keeps no state between calls.
class ScriptConverter {
public:
    // Raises std::runtime_error with OpenCC's reason when its tables do not open.
    explicit ScriptConverter(ScriptDirection direction);
    ~ScriptConverter();
    ScriptConverter(const ScriptConverter&) = delete;
    ScriptConverter& operator=(const ScriptConverter&) = delete;

    std::string Convert(std::string_view utf8) const;

    // The converter of a direction, opened on first use and kept while the
    // library is loaded (opening reads the dictionaries, which is slow).
    static const ScriptConverter& For(ScriptDirection direction);

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
};

} // namespace kvc::erp
