#include "render/Compositing.h"

namespace {

inline void ArgbToHost(ARGB c, uint8_t* p)
{
    p[0] = static_cast<uint8_t>(c >> 16);
    p[1] = static_cast<uint8_t>(c >> 8);
    p[2] = static_cast<uint8_t>(c);
}

// A layer with transparency: the layer pixel goes over the shadow (outside)
// or the shadow over the layer pixel.
void CompositeLayerRow(const ARGB* shadow, uint8_t* out, int width, int planes, uint32_t keep, bool outside)
{
    for (int x = 0; x < width; ++x, out += planes) {
        const ARGB s = shadow[x];
        const uint32_t a = (s >> 24) * keep / 100;
        const ARGB scaled = a << 24 | (s & 0x00FFFFFF);
        const ARGB h = HostBytesToArgb(out, out[3]);
        const ARGB r = outside ? BlendArgb(scaled, h) : BlendArgb(h, scaled);
        ArgbToHost(r, out);
        out[3] = static_cast<uint8_t>(r >> 24);
    }
}

// A flat image: the shadow over the pixel, weakened by the object's opacity
// where `objectRow` is given (outside on, inside the crop box's rows).
void CompositeFlatRow(const ARGB* shadow, uint8_t* out, int width, int planes, uint32_t keep,
                      const ARGB* objectRow, int cropLeft, int cropRight)
{
    for (int x = 0; x < width; ++x, out += planes) {
        const ARGB s = shadow[x];
        uint32_t a = (s >> 24) * keep / 100;
        if (a == 0)
            continue;  // BlendArgb would return the pixel unchanged
        if (objectRow && x >= cropLeft && x <= cropRight)
            a = (255 - (objectRow[x - cropLeft] >> 24)) * a / 255;
        const ARGB r = BlendArgb(HostBytesToArgb(out, 255), a << 24 | (s & 0x00FFFFFF));
        ArgbToHost(r, out);
    }
}

}  // namespace

void CompositeShadow(const CDib& render, const CDib& object, const RunGeometry& g, const HostBuffers& host,
                     int transparency, bool outside)
{
    if (render.GetWidth() < g.imageWidth || render.GetHeight() < g.imageHeight || host.outData == nullptr)
        return;
    const uint32_t keep = static_cast<uint32_t>(100 - transparency);
    const bool useObject = outside && !object.IsEmpty() && object.GetWidth() == g.CropWidth() &&
                           object.GetHeight() == g.CropHeight();
    for (int y = 0; y < g.imageHeight; ++y) {
        uint8_t* out = host.OutPixel(0, y);
        if (host.HasTransparency()) {
            CompositeLayerRow(render.Row(y), out, g.imageWidth, host.planes, keep, outside);
        } else {
            const bool inCropRows = useObject && y >= g.cropTop && y <= g.cropBottom;
            const ARGB* objectRow = inCropRows ? object.Row(y - g.cropTop) : nullptr;
            CompositeFlatRow(render.Row(y), out, g.imageWidth, host.planes, keep, objectRow, g.cropLeft, g.cropRight);
        }
    }
}

void ComposePreview(CDib& view, int viewLeft, int viewTop, const CDib& image, const CDib& render, const CDib& object,
                    const RunGeometry& g, int transparency, bool outside)
{
    const int op = (100 - transparency) * 255 / 100;
    view.Fill(0);
    view.BlendAt(image, -viewLeft, -viewTop, 255);
    if (outside) {
        view.BlendAt(render, -viewLeft, -viewTop, op);
        view.BlendAt(object, g.cropLeft - viewLeft, g.cropTop - viewTop, 255);
    } else {
        view.BlendAt(object, g.cropLeft - viewLeft, g.cropTop - viewTop, 255);
        view.BlendAt(render, -viewLeft, -viewTop, op);
    }
}
