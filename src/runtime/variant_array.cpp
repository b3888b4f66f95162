#include "runtime/variant_array.h"

#include "runtime/exceptions.h"

#include <algorithm>
#include <limits>

namespace kvc {
namespace {

constexpr const char* kCreateError = "Error creating variant or safe array";
constexpr const char* kIndexError = "Variant or safe array index out of bounds";

// Element counts stay within what a 32-bit index can address.
constexpr std::int64_t kMaxElements = std::numeric_limits<std::int32_t>::max();

VarArrayBound CheckedBound(int low, int high) {
    if (std::int64_t(high) < std::int64_t(low) - 1) {
        throw EVariantError(kCreateError);
    }
    return {low, high};
}

std::size_t CheckedProduct(std::size_t rows, std::size_t columns) {
    if (rows != 0 && columns > std::size_t(kMaxElements) / rows) {
        throw EVariantError(kCreateError);
    }
    return rows * columns;
}

std::size_t IndexIn(VarArrayBound bound, int index) {
    if (index < bound.Low || index > bound.High) {
        throw EVariantError(kIndexError);
    }
    return std::size_t(std::int64_t(index) - bound.Low);
}

} // namespace

VarArray::VarArray(int low, int high) : bounds_{CheckedBound(low, high)} {
    elements_.resize(CheckedProduct(1, bounds_[0].Count()));
}

VarArray::VarArray(VarArrayBound rows, VarArrayBound columns)
    : bounds_{CheckedBound(rows.Low, rows.High), CheckedBound(columns.Low, columns.High)},
      dimCount_(2) {
    elements_.resize(CheckedProduct(bounds_[0].Count(), bounds_[1].Count()));
}

VarArray::VarArray(std::vector<Variant> elements, int low) : elements_(std::move(elements)) {
    std::int64_t high = std::int64_t(low) + std::int64_t(elements_.size()) - 1;
    if (high > std::numeric_limits<int>::max() || std::int64_t(elements_.size()) > kMaxElements) {
        throw EVariantError(kCreateError);
    }
    bounds_[0] = CheckedBound(low, int(high));
}

VarArrayBound VarArray::Bound(int dim) const {
    if (dim < 1 || dim > dimCount_) {
        throw EVariantError(kIndexError);
    }
    return bounds_[std::size_t(dim - 1)];
}

std::size_t VarArray::Offset(int index) const {
    if (dimCount_ != 1) {
        throw EVariantError(kIndexError);
    }
    return IndexIn(bounds_[0], index);
}

std::size_t VarArray::Offset(int row, int column) const {
    if (dimCount_ != 2) {
        throw EVariantError(kIndexError);
    }
    return IndexIn(bounds_[0], row) * bounds_[1].Count() + IndexIn(bounds_[1], column);
}

const Variant& VarArray::At(int index) const {
    return elements_[Offset(index)];
}

Variant& VarArray::At(int index) {
    return elements_[Offset(index)];
}

const Variant& VarArray::At(int row, int column) const {
    return elements_[Offset(row, column)];
}

Variant& VarArray::At(int row, int column) {
    return elements_[Offset(row, column)];
}

void VarArray::Redim(int newHigh) {
    VarArrayBound& last = bounds_[std::size_t(dimCount_ - 1)];
    VarArrayBound resized = CheckedBound(last.Low, newHigh);
    if (dimCount_ == 1) {
        elements_.resize(CheckedProduct(1, resized.Count()));
    } else {
        std::size_t rows = bounds_[0].Count();
        std::size_t oldColumns = last.Count();
        std::size_t newColumns = resized.Count();
        std::vector<Variant> moved(CheckedProduct(rows, newColumns));
        std::size_t kept = std::min(oldColumns, newColumns);
        for (std::size_t r = 0; r < rows; ++r) {
            auto from = elements_.begin() + std::ptrdiff_t(r * oldColumns);
            std::move(from, from + std::ptrdiff_t(kept),
                      moved.begin() + std::ptrdiff_t(r * newColumns));
        }
        elements_ = std::move(moved);
    }
    last = resized;
}

bool VarArray::operator==(const VarArray& other) const {
    if (dimCount_ != other.dimCount_) {
        return false;
    }
    for (int dim = 1; dim <= dimCount_; ++dim) {
        if (Bound(dim) != other.Bound(dim)) {
            return false;
        }
    }
    return elements_ == other.elements_;
}

Variant VarArrayCreate(std::initializer_list<int> bounds) {
    const int* b = bounds.begin();
    switch (bounds.size()) {
    case 2:
        return Variant(VarArray(b[0], b[1]));
    case 4:
        return Variant(VarArray({b[0], b[1]}, {b[2], b[3]}));
    default:
        throw EVariantError(kCreateError);
    }
}

Variant VarArrayOf(std::initializer_list<Variant> elements) {
    return Variant(VarArray(std::vector<Variant>(elements)));
}

Variant VarArrayOf(std::vector<Variant> elements) {
    return Variant(VarArray(std::move(elements)));
}

int VarArrayDimCount(const Variant& v) {
    return v.IsArray() ? v.Array().DimCount() : 0;
}

int VarArrayLowBound(const Variant& v, int dim) {
    return v.Array().LowBound(dim);
}

int VarArrayHighBound(const Variant& v, int dim) {
    return v.Array().HighBound(dim);
}

void VarArrayRedim(Variant& v, int newHigh) {
    v.MutableArray().Redim(newHigh);
}

} // namespace kvc
