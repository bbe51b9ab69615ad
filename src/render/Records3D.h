// The plain records of the 3D engine's scene. No virtual operations: they
// are copied by value into and out of the engine's arrays.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/Argb.h"
#include "imaging/LargeMemory.h"
#include "render/CheckedArray.h"
#include "render/Matrix3D.h"

// One vertex. The transformed normal, screen position and depth are
// rewritten by every render.
struct CNode3D {
    double x, y, z;
    double nx, ny, nz;     // unit length once added to an object
    double tnx, tny, tnz;  // normal after the object's combined matrix
    int32_t sx, sy;        // projected screen position, pixels
    double depth;          // camera-space z, never below 1.0
    double u, v;           // texture coordinates 0 ... 1 (u along a row, v down)
};

// A quadrilateral face: node indices in order around the quad.
struct CRect3D {
    int32_t corner[4];
    double nx, ny, nz;
};

// A triangle face. Nothing in the system creates them; they are kept so a
// scene can hold them.
struct CTriangle3D {
    int32_t corner[3];
    double nx, ny, nz;
};

// How an object's faces are drawn. Only the textured quad is implemented;
// the other values are accepted and draw nothing.
enum RenderMode3D : int32_t {
    kModeOutline = 1,
    kModeTexturedQuad = 9,
};

struct CObject3D {
    int32_t mode;
    ARGB colour;  // face colour of the colour-based modes
    CCheckedArray<CRect3D> rects;
    CCheckedArray<CTriangle3D> triangles;
    CCheckedArray<CNode3D> nodes;
    int32_t texture;    // index into the engine's textures
    Matrix3D model;
    Matrix3D combined;  // scene matrix x model, recomputed by every render
};

// Rows top-down and packed (row length = width). The texture owns its pixels
// (which a resize leaves unset: whoever sizes them writes them all).
struct CTexture3D {
    int32_t width;
    int32_t height;
    LargeVector<ARGB> pixels;

    // Sizes the texture to w x h (reusing its memory) and returns a pointer
    // to each of its packed rows, for the stages that fill it row by row.
    std::vector<ARGB*> Resize(int w, int h)
    {
        width = w;
        height = h;
        pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
        std::vector<ARGB*> rows(static_cast<size_t>(h));
        for (int y = 0; y < h; ++y)
            rows[y] = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(w);
        return rows;
    }
};

// Kept for scenes that carry lights; only the transformed direction is
// maintained, since no implemented mode is lit.
struct CLight3D {
    double dir[3];
    double tdir[3];    // dir after the scene matrix, written by every render
    int32_t type;      // 1: directional
    int32_t strength;  // 16.16 fixed point
};
