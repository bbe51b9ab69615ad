// The preview's zoom levels and the picture scaling that goes with them.
//
// A level is a percentage of the image's size on screen (25, 50, 100, 200,
// 400) or Fit (0): the whole image in the preview, never enlarged beyond
// 100 %. At 100 % the preview shows the result pixel for pixel; above it the
// visible part of that result is enlarged by whole factors (nearest
// neighbour, so every image pixel stays a sharp square); below it the result
// is reduced with an area-weighted box filter, the same filter the speed and
// fidelity measurements shrink the final result with.
#pragma once

#include "imaging/Dib.h"

namespace PreviewZoom {

const int kFit = 0;
// Fit first, then the percentages from small to large: the order of the zoom
// drop-down's items.
const int kLevels[] = {kFit, 25, 50, 100, 200, 400};
const int kLevelCount = 6;

// The index of `zoom` in kLevels, or -1.
int LevelIndex(int zoom);
bool IsLevel(int zoom);

// The scale at which the whole extent fits into avail pixels, at most 1.
double FitScale(int availWidth, int availHeight, int extentWidth, int extentHeight);
// Screen pixels per image pixel at `zoom`.
double Scale(int zoom, double fitScale);

// The next level up or down from `zoom`. From Fit, the first percentage
// beyond its scale in that direction; at either end the level stays.
int ZoomIn(int zoom, double fitScale);
int ZoomOut(int zoom, double fitScale);

}  // namespace PreviewZoom

// `from` scaled into `to` at width x height: a whole-factor enlargement
// (width and height multiples of from's) copies each pixel into a square;
// anything smaller than `from` averages the area each target pixel covers.
// The pixels are taken as opaque colour and alpha alike (every channel is
// averaged on its own). Same size copies.
void ScalePreviewPicture(const CDib& from, CDib& to, int width, int height);
