// Variant arrays: one or two dimensions with explicit bounds (the low bound
// may be any integer), elements that are Variants, stored row by row.
// A VarArray is a plain value; Variant adds the sharing between copies.
#pragma once

#include "runtime/variant.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <vector>

namespace kvc {

struct VarArrayBound {
    int Low = 0;
    int High = -1;

    // High - Low + 1; 0 for an empty dimension.
    std::size_t Count() const { return std::size_t(std::int64_t(High) - Low + 1); }
    bool operator==(const VarArrayBound&) const = default;
};

class VarArray {
public:
    // One dimension, elements Empty. A dimension may be empty (High = Low - 1);
    // anything smaller raises EVariantError ("Error creating variant or safe array").
    VarArray(int low, int high);
    // Two dimensions: rows by columns.
    VarArray(VarArrayBound rows, VarArrayBound columns);
    // One dimension from the given elements, the first at index low.
    explicit VarArray(std::vector<Variant> elements, int low = 0);

    int DimCount() const { return dimCount_; }
    // Dimensions count from 1; another number raises EVariantError
    // ("Variant or safe array index out of bounds").
    VarArrayBound Bound(int dim) const;
    int LowBound(int dim) const { return Bound(dim).Low; }
    int HighBound(int dim) const { return Bound(dim).High; }
    std::size_t ElementCount() const { return elements_.size(); }

    // Indices outside the bounds, or as many indices as the array has not
    // dimensions, raise EVariantError ("Variant or safe array index out of bounds").
    const Variant& At(int index) const;
    Variant& At(int index);
    const Variant& At(int row, int column) const;
    Variant& At(int row, int column);

    // Row by row: element (r, c) is at (r - low1) * columns + (c - low2).
    std::span<const Variant> Elements() const { return elements_; }
    std::span<Variant> Elements() { return elements_; }

    // Changes the high bound of the last dimension, keeping the elements that
    // still fit; new elements are Empty.
    void Redim(int newHigh);

    bool operator==(const VarArray& other) const;

private:
    std::size_t Offset(int index) const;
    std::size_t Offset(int row, int column) const;

    std::array<VarArrayBound, 2> bounds_{};
    int dimCount_ = 1;
    std::vector<Variant> elements_;
};

// The classic free functions. VarArrayCreate takes low and high bound pairs:
// {lo, hi} for one dimension, {lo1, hi1, lo2, hi2} for two.
Variant VarArrayCreate(std::initializer_list<int> bounds);
// One dimension indexed from 0.
Variant VarArrayOf(std::initializer_list<Variant> elements);
Variant VarArrayOf(std::vector<Variant> elements);
// 0 for a Variant that is not an array.
int VarArrayDimCount(const Variant& v);
// Not an array raises EVariantError ("Variant is not an array").
int VarArrayLowBound(const Variant& v, int dim);
int VarArrayHighBound(const Variant& v, int dim);
void VarArrayRedim(Variant& v, int newHigh);

} // namespace kvc
