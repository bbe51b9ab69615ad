// The shadow blur whose radius grows along the shadow's length: sharp where
// the object stands on its hinge, at the full radius at the far end.
//
// A kernel that changes from row to row would cost a weight table per row;
// instead the texture is blurred at a few fixed radii (levels) and every row
// takes its level, or near the middle between two levels a mix of both. Each
// level is computed only for the rows that use it (plus the rows its kernel
// reaches), so the work stays close to one uniform blur; the texture is
// shared among the threads in bands of columns.
#pragma once

#include <vector>

#include "imaging/Argb.h"

// Where the radius is smallest (the hinge row) and where it reaches the full
// radius (the far row); rows farther from the hinge than the far row keep
// the full radius, on whichever side they lie.
struct SoftBlurSpan {
    int hingeRow;
    int farRow;
};

// Blurs the rows in place with the tent kernel: `radius` is the kernel width
// of the uniform blur (what FilterInPlace would take) and `softness` 0-100
// how much of it the hinge row loses. Softness 0 is exactly
// FilterInPlace(rows, width, height, radius, 0, tent).
void SoftBlurInPlace(ARGB* const* rows, int width, int height, double radius, int softness, SoftBlurSpan span);

// How the rows are shared among the levels: the levels' radii, and for each
// row its lower level and the weight (0-255 of 256) of the level above it,
// which MixSoftBlurRow mixes into the lower level's row (the texture's texels
// all carry the one shadow colour, which the mix keeps).
// SoftBlurInPlace gives exactly what blurring the whole texture at every
// level and mixing each row by this plan (MixSoftBlurRow) would give.
struct SoftBlurPlan {
    std::vector<double> radii;
    std::vector<int> level;
    std::vector<int> upper;
};
SoftBlurPlan PlanSoftBlur(int height, double radius, int softness, SoftBlurSpan span);
void MixSoftBlurRow(ARGB* lower, const ARGB* upperLevel, int width, int upper);

// The radius a row of the span is meant to get (the levels approximate it):
// radius x (1 - softness/100) at the hinge, growing linearly to radius.
double SoftBlurRowRadius(int row, double radius, int softness, SoftBlurSpan span);
