// The weights of one resampling pass along one dimension.
//
// Every destination index gets the window of source indices that contribute
// to it and one normalised weight per source index. A pass builds the table
// once and shares it by all rows (or all columns).
#pragma once

#include <vector>

#include "imaging/Filters.h"

struct WeightRow {
    const double* Weights;  // Weights[k] belongs to source index Left + k
    int Left;               // first source index
    int Right;              // last source index, inclusive; Right < Left for an empty window
    int Count() const { return Right - Left + 1; }
};

struct WeightTable {
    double WindowSize;  // most samples a row may hold: 2 * ceil(width) + 1
    int LineLength;     // number of destination indices
    std::vector<WeightRow> Rows;
    std::vector<double> Storage;  // all rows' weights back to back
};

// Weights for resampling a line of srcLength pixels to dstLength pixels at
// the given scale (dstLength / srcLength). Rows hold only the samples that
// exist, so a source line of length 0 gives empty windows throughout.
// Neighbouring rows with the same weights share them: the same Weights
// pointer means the same numbers.
WeightTable BuildWeightTable(const CGenericFilter& filter, int dstLength, int srcLength, double dScale);
