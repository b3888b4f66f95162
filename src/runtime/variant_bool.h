// The 16-bit Boolean of the host's automation interface: 0 is false and all
// bits set (-1) is true. Any other non-zero value a caller hands in still reads
// as true, as the host itself tests only for zero.
#pragma once

#include <cstdint>

namespace kvc {

class VariantBool {
public:
    static constexpr std::int16_t kTrue = -1;
    static constexpr std::int16_t kFalse = 0;

    constexpr VariantBool() = default;
    constexpr VariantBool(bool value) : raw_(value ? kTrue : kFalse) {}
    // The value exactly as it crossed the interface.
    static constexpr VariantBool FromRaw(std::int16_t raw) {
        VariantBool b;
        b.raw_ = raw;
        return b;
    }

    constexpr std::int16_t Raw() const { return raw_; }
    constexpr bool AsBool() const { return raw_ != 0; }
    constexpr explicit operator bool() const { return AsBool(); }

    // Compares truth, not bits: a stray 1 equals the canonical -1.
    friend constexpr bool operator==(VariantBool a, VariantBool b) {
        return a.AsBool() == b.AsBool();
    }

private:
    std::int16_t raw_ = kFalse;
};

static_assert(sizeof(VariantBool) == 2, "VariantBool crosses the host interface as 16 bits");

} // namespace kvc
