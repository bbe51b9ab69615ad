#include "imaging/WeightTable.h"

#include <cmath>
#include <cstring>

namespace {

// The inclusive window of source indices around centre c. The bounds are
// clamped while still doubles, so huge widths or scales never overflow an
// int.
void FindWindow(double c, double w, int srcLength, double windowSize, int& left, int& right)
{
    const double lo = std::floor(c - w);
    const double hi = std::ceil(c + w);
    const double lastIndex = srcLength - 1;
    left = lo > 0.0 ? static_cast<int>(lo) : 0;
    right = hi < lastIndex ? static_cast<int>(hi) : srcLength - 1;
    // Rounding outwards on both sides can give one sample more than the
    // window holds; the leftmost one goes.
    if (right - left + 1 > windowSize) {
        if (left < srcLength)
            ++left;
        else
            --right;
    }
}

// Row i takes row i - 1's weights when they are the same bits (all the
// rows away from the ends at an unchanged size, for one): the table shrinks
// to a few distinct rows, and equal weight pointers mean equal weights.
void ShareWithPrevious(WeightTable& table, std::vector<size_t>& offsets, int i)
{
    if (i == 0)
        return;
    const size_t count = table.Storage.size() - offsets[i];
    if (count == 0 || static_cast<int>(count) != table.Rows[i - 1].Count())
        return;
    const double* prev = table.Storage.data() + offsets[i - 1];
    const double* mine = table.Storage.data() + offsets[i];
    if (std::memcmp(prev, mine, count * sizeof(double)) != 0)
        return;
    table.Storage.resize(offsets[i]);
    offsets[i] = offsets[i - 1];
}

}  // namespace

WeightTable BuildWeightTable(const CGenericFilter& filter, int dstLength, int srcLength, double dScale)
{
    // Shrinking widens the support so that every source pixel contributes,
    // and squeezes the kernel by the same factor.
    double w = filter.GetWidth();
    double f = 1.0;
    if (dScale < 1.0) {
        w = w / dScale;
        f = dScale;
    }

    WeightTable table;
    table.WindowSize = 2.0 * std::ceil(w) + 1.0;
    table.LineLength = dstLength > 0 ? dstLength : 0;
    table.Rows.resize(table.LineLength);

    std::vector<size_t> offsets(table.LineLength);
    for (int i = 0; i < table.LineLength; ++i) {
        // No half-pixel offset: destination pixel 0 sits on source pixel 0.
        const double c = i / dScale;
        WeightRow& row = table.Rows[i];
        FindWindow(c, w, srcLength, table.WindowSize, row.Left, row.Right);
        offsets[i] = table.Storage.size();
        double sum = 0.0;
        for (int j = row.Left; j <= row.Right; ++j) {
            // The kernel keeps its own width; the widened w only sized the
            // window.
            const double weight = filter.Evaluate(std::fabs((c - j) * f)) * f;
            table.Storage.push_back(weight);
            sum += weight;
        }
        if (sum > 0.0) {
            for (size_t k = offsets[i]; k < table.Storage.size(); ++k)
                table.Storage[k] /= sum;
        }
        ShareWithPrevious(table, offsets, i);
    }
    // Storage has stopped growing: now the rows can point into it.
    for (int i = 0; i < table.LineLength; ++i)
        table.Rows[i].Weights = table.Storage.data() + offsets[i];
    return table;
}
