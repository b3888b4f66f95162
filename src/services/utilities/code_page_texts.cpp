#include "services/utilities/code_page_texts.h"

#include "platform/codepage.h"
#include "platform/system_locale.h"
#include "runtime/exceptions.h"
#include "runtime/variant_array.h"
#include "services/utilities/alert_log.h"

#include <optional>

namespace kvc::services {
namespace {

// The converter of a code page, or of the system code page when that one
// cannot be converted here.
CodePageConverter UsableConverter(int codePage) {
    try {
        return CodePageConverter(codePage);
    } catch (const EConvertError&) {
        return CodePageConverter(SystemCodePage());
    }
}

// Walks a variant tree and converts its texts, opening each code page's
// conversion handles once for the whole walk.
class TreeConverter {
public:
    enum class Direction { ToAnsi, ToWide };

    TreeConverter(Direction direction, int codePage) : direction_(direction), codePage_(codePage) {}

    void ConvertTree(Variant& v) {
        if (!v.IsArray()) {
            ConvertText(v);
            return;
        }
        VarArray& array = v.MutableArray();
        const bool oneDimension = array.DimCount() == 1;
        for (Variant& element : array.Elements()) {
            if (element.IsArray()) {
                if (oneDimension) {
                    ConvertTree(element);
                }
            } else {
                ConvertElement(element);
            }
        }
    }

private:
    // Inside arrays, ToAnsi converts only UTF-8 texts. ToWide reads byte strings
    // too: they reach us as byte strings over our own wire, where the classic
    // transport had already widened them.
    void ConvertElement(Variant& v) {
        if (direction_ == Direction::ToAnsi && v.Kind() != VariantKind::OleStr) {
            return;
        }
        ConvertText(v);
    }

    void ConvertText(Variant& v) {
        const auto kind = v.Kind();
        if (kind != VariantKind::OleStr && kind != VariantKind::AnsiStr) {
            return;
        }
        if (direction_ == Direction::ToAnsi) {
            v = Variant::Ansi(Target().Encode(WideText(v)), std::uint32_t(Target().CodePage()));
        } else {
            v = Variant(Target().Decode(AnsiBytes(v)));
        }
    }

    // A byte string read as text through its own code page, else the system's.
    std::string WideText(const Variant& v) {
        if (v.Kind() == VariantKind::OleStr) {
            return v.AsString();
        }
        const int own = int(v.AnsiCodePage());
        return own != 0 ? UsableConverter(own).Decode(v.AnsiBytes())
                        : System().Decode(v.AnsiBytes());
    }

    // A UTF-8 text becomes bytes through the system code page first.
    std::string AnsiBytes(const Variant& v) {
        return v.Kind() == VariantKind::AnsiStr ? v.AnsiBytes() : System().Encode(v.AsString());
    }

    CodePageConverter& Target() {
        if (!target_) {
            target_.emplace(UsableConverter(codePage_));
        }
        return *target_;
    }

    CodePageConverter& System() {
        if (!system_) {
            system_.emplace(SystemCodePage());
        }
        return *system_;
    }

    Direction direction_;
    int codePage_;
    std::optional<CodePageConverter> target_;
    std::optional<CodePageConverter> system_;
};

Variant ConvertTree(const Variant& tree, int codePage, TreeConverter::Direction direction,
                    std::string_view line) {
    Variant result = tree;
    if (result.IsEmpty() || result.IsNull()) {
        return result;
    }
    try {
        TreeConverter(direction, codePage).ConvertTree(result);
        return result;
    } catch (const std::exception& error) {
        ProcessAlertLog().WriteAlert("libstrs", std::string(line) + error.what(), "D");
        return tree;
    }
}

} // namespace

std::string WideToAnsi(std::string_view wide, int codePage) {
    return UsableConverter(codePage).Encode(wide);
}

std::string AnsiToWide(std::string_view ansi, int codePage) {
    return UsableConverter(codePage).Decode(ansi);
}

Variant VariantToAnsi(const Variant& tree, int codePage) {
    return ConvertTree(tree, codePage, TreeConverter::Direction::ToAnsi, "LINE[2735] ");
}

Variant VariantToWide(const Variant& tree, int codePage) {
    return ConvertTree(tree, codePage, TreeConverter::Direction::ToWide, "LINE[115] ");
}

} // namespace kvc::services
