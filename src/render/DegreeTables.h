// The engine's whole-degree sine and cosine tables.
//
// Entry i holds sin and cos of the double product i x 0.0174532925 (the
// engine's degree factor, deliberately not the exact pi / 180), each
// correctly rounded to double. The C libraries of the three builds disagree
// in the last bit for some of these arguments, and rotations must give the
// same bits everywhere, so the values are computed here instead of by the
// library's sin and cos.
#pragma once

const int kDegreeTableSize = 360;
const double kDegreeFactor = 0.0174532925;

void BuildDegreeTables(double* sine, double* cosine);
