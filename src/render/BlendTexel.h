// The blend of a sampled texel over the frame, with the case the renderer
// meets almost everywhere taken first.
#pragma once

#include "imaging/Argb.h"

// Over a fully transparent destination BlendArgb returns the source itself
// (its alpha and colour survive the divisions exactly) or, for a transparent
// source, the destination; the frame is cleared to transparent before every
// render, so this skips three integer divisions for nearly every pixel.
inline ARGB BlendTexel(ARGB d, ARGB s)
{
    if ((d >> 24) == 0)
        return (s >> 24) != 0 ? s : d;
    return BlendArgb(d, s);
}
