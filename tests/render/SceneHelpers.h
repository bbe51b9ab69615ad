// Small scene builders shared by the engine's tests.
#pragma once

#include <cstdint>
#include <vector>

#include "Fnv1a.h"
#include "render/Render3D.h"
#include "render/TexturedQuad.h"

namespace scene {

inline CNode3D Node(double x, double y, double z, double u = 0, double v = 0)
{
    CNode3D n = {};
    n.x = x;
    n.y = y;
    n.z = z;
    n.nz = -1;
    n.u = u;
    n.v = v;
    return n;
}

// A frame buffer with a stride wider than the image, so row tails are
// exercised too.
struct Frame {
    int32_t width, height, stride;
    std::vector<ARGB> pixels;

    Frame(int32_t w, int32_t h, int32_t extra = 3)
        : width(w), height(h), stride(w + extra), pixels(size_t(w + extra) * size_t(h), 0xDEADBEEF)
    {
    }
    ARGB At(int32_t x, int32_t y) const { return pixels[size_t(y) * size_t(stride) + size_t(x)]; }
    FrameTarget3D Target() { return {pixels.data(), width, height, stride}; }

    int CountDrawn() const
    {
        int n = 0;
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                n += At(x, y) != 0;
        return n;
    }
};

// A flat w x h rectangle centred on its object's origin in the z = 0 plane,
// texture coordinates running 0 ... 1 across it. Corners clockwise on screen:
// top-left, top-right, bottom-right, bottom-left.
inline int32_t AddPlane(CRender3D& engine, int32_t mode, double w, double h)
{
    const int32_t o = engine.AddObject(mode, 0);
    engine.AddNode(o, Node(-w / 2, -h / 2, 0, 0, 0));
    engine.AddNode(o, Node(w / 2, -h / 2, 0, 1, 0));
    engine.AddNode(o, Node(w / 2, h / 2, 0, 1, 1));
    engine.AddNode(o, Node(-w / 2, h / 2, 0, 0, 1));
    return o;
}

inline void AddUniformTexture(CRender3D& engine, ARGB colour, int32_t w = 4, int32_t h = 4)
{
    std::vector<ARGB> texels(size_t(w) * size_t(h), colour);
    engine.AddTexture(w, h, texels.data(), w);
}

// FNV-1a over the bytes of a pixel array, low byte first, so the digest does
// not depend on the machine's byte order.
inline uint64_t Fnv1a(const ARGB* p, size_t count)
{
    ::Fnv1a digest;
    for (size_t i = 0; i < count; ++i)
        digest.Word32(p[i]);
    return digest.Value();
}

}  // namespace scene
