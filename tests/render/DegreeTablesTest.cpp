#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "Fnv1a.h"
#include "render/DegreeTables.h"

namespace {

uint64_t Bits(double d)
{
    uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

struct Tables {
    double sine[kDegreeTableSize];
    double cosine[kDegreeTableSize];
    Tables() { BuildDegreeTables(sine, cosine); }
};

#ifdef __GLIBC__
// glibc's sin and cos are correctly rounded at every one of these
// arguments; the tables must match them to the bit.
TEST(DegreeTables, MatchCorrectlyRoundedLibrary)
{
    const Tables t;
    for (int i = 0; i < kDegreeTableSize; ++i) {
        const double x = i * kDegreeFactor;
        EXPECT_EQ(Bits(t.sine[i]), Bits(std::sin(x))) << "sine " << i;
        EXPECT_EQ(Bits(t.cosine[i]), Bits(std::cos(x))) << "cosine " << i;
    }
}
#endif

// The same bits in every build, whatever its C library does: a digest of
// all 720 entries, obtained from the native build (checked above against
// glibc) and required of the Windows builds.
TEST(DegreeTables, SameBitsOnEveryBuild)
{
    const Tables t;
    Fnv1a digest;
    for (int i = 0; i < kDegreeTableSize; ++i)
        for (double d : {t.sine[i], t.cosine[i]})
            digest.Word64(Bits(d));
    EXPECT_EQ(digest.Value(), 0x66dde71da9f61094ull);
}

}  // namespace
