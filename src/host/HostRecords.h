// Our declarations of what passes between a Photoshop-compatible host and a
// filter module: the filter record, the about record and the callback suites
// this module uses, with every offset we rely on pinned for 32-bit and 64-bit
// builds.
//
// The filter record is packed to 4 bytes on Windows (so on 64-bit its
// pointers sit on 4-byte boundaries); the suites use natural alignment. Get
// either wrong and the module reads the wrong fields without any error, so
// the static_asserts below are the safety net.
//
// Portable: no <windows.h>, so the descriptor rules and the host-side suites
// can be tested natively as well.
#pragma once

#include <cstddef>
#include <cstdint>

// Every callback and the entry point use the C calling convention on x86.
#if defined(_WIN32) && !defined(_WIN64)
#define HOSTAPI __cdecl
#else
#define HOSTAPI
#endif

typedef uint8_t Boolean;  // one byte, 0 or 1; not Win32 BOOL
typedef int16_t OSErr;
typedef int32_t Fixed;    // 16.16
typedef uint32_t OSType;
typedef uint32_t DescType;
typedef uint32_t DescriptorKeyID;
typedef char** Handle;    // points at the host's master pointer
typedef Handle PIDescriptorHandle;
typedef unsigned char Str255[256];  // length byte, then up to 255 characters
typedef intptr_t PIReadDescriptor;  // opaque token, 0 = failure
typedef intptr_t PIWriteDescriptor;
typedef void* BufferID;

// The value of a four-character code: its first character in the most
// significant byte ('8BIM' = 0x3842494D).
constexpr uint32_t FourCC(const char (&code)[5])
{
    return uint32_t(uint8_t(code[0])) << 24 | uint32_t(uint8_t(code[1])) << 16 | uint32_t(uint8_t(code[2])) << 8 |
           uint32_t(uint8_t(code[3]));
}

namespace HostResult {
const OSErr kNoErr = 0;
const OSErr kParamErr = -50;
const OSErr kMemFullErr = -108;
const OSErr kUserCanceled = -128;
const OSErr kFilterBadParameters = -30100;
const OSErr kFilterBadMode = -30101;
const OSErr kHostInsufficient = -30900;
const OSErr kReportString = -30904;  // the text is in errorString
}  // namespace HostResult

namespace Selector {
const int16_t kAbout = 0;
const int16_t kParameters = 1;
const int16_t kPrepare = 2;
const int16_t kStart = 3;
const int16_t kContinue = 4;
const int16_t kFinish = 5;
}  // namespace Selector

// PIDescriptorParameters::playInfo and recordInfo.
namespace DialogPlay {
const int16_t kDontDisplay = 0;
const int16_t kDisplay = 1;
const int16_t kSilent = 2;
}  // namespace DialogPlay
namespace DialogRecord {
const int16_t kOptional = 0;
const int16_t kRequired = 1;
const int16_t kNone = 2;
}  // namespace DialogRecord

namespace DescTypes {
const DescType kInteger = FourCC("long");
const DescType kBoolean = FourCC("bool");
const DescType kFloat = FourCC("doub");
const DescType kUnitFloat = FourCC("UntF");
const DescType kNull = FourCC("null");
}  // namespace DescTypes

// filterCase values; 0 means the host did not say.
namespace FilterCase {
const int16_t kUnset = 0;
const int16_t kFlatImageNoSelection = 1;
const int16_t kFlatImageWithSelection = 2;
const int16_t kFloatingSelection = 3;
const int16_t kEditableTransparencyNoSelection = 4;
const int16_t kEditableTransparencyWithSelection = 5;
const int16_t kProtectedTransparencyNoSelection = 6;
const int16_t kProtectedTransparencyWithSelection = 7;
}  // namespace FilterCase

namespace ColorServicesSelector {
const int16_t kChooseColor = 0;
const int16_t kConvertColor = 1;
const int16_t kSamplePoint = 2;
const int16_t kGetSpecialColor = 3;
}  // namespace ColorServicesSelector
namespace ColorSpace {
const int16_t kChosen = -1;
const int16_t kRGB = 0;
}  // namespace ColorSpace

// imageMode values. The registration resource's mode flags give mode m the
// bit 0x80 >> (m % 8) of byte m / 8.
namespace ImageMode {
const int16_t kBitmap = 0;
const int16_t kGrayScale = 1;
const int16_t kIndexedColor = 2;
const int16_t kRGBColor = 3;
const int16_t kCMYKColor = 4;
const int16_t kMultichannel = 7;
const int16_t kLab = 9;
const int16_t kGray16 = 10;
const int16_t kRGB48 = 11;
const int16_t kLab48 = 12;
const int16_t kCMYK64 = 13;
const int16_t kRGB96 = 16;
const int16_t kGray32 = 17;
}  // namespace ImageMode

// The mode-flag byte and bit of an imageMode in the registration resource.
constexpr int ModeFlagByte(int16_t mode) { return mode / 8; }
constexpr uint8_t ModeFlagBit(int16_t mode) { return static_cast<uint8_t>(0x80 >> (mode % 8)); }
static_assert(ModeFlagByte(ImageMode::kRGBColor) == 0 && ModeFlagBit(ImageMode::kRGBColor) == 0x10, "RGB flag");
static_assert(ModeFlagByte(ImageMode::kGrayScale) == 0 && ModeFlagBit(ImageMode::kGrayScale) == 0x40, "grey flag");
static_assert(ModeFlagByte(ImageMode::kRGB48) == 1 && ModeFlagBit(ImageMode::kRGB48) == 0x10, "RGB48 flag");
static_assert(ModeFlagByte(ImageMode::kGray16) == 1 && ModeFlagBit(ImageMode::kGray16) == 0x20, "Gray16 flag");
static_assert(ModeFlagByte(ImageMode::kGray32) == 2 && ModeFlagBit(ImageMode::kGray32) == 0x40, "Gray32 flag");

// At a `depth` of 16 every plane sample is a 16-bit integer in the machine's
// byte order running from 0 to 32768 (not 65535): full intensity, full
// opacity. The selection mask stays one byte per pixel at every depth.
const int32_t kDepth8 = 8;
const int32_t kDepth16 = 16;
const uint32_t kSixteenBitFull = 32768;
static_assert(kSixteenBitFull == 1u << 15, "16-bit samples top out at 2^15");

struct Point16 {
    int16_t v;  // row first
    int16_t h;
};

struct Rect16 {
    int16_t top;
    int16_t left;
    int16_t bottom;  // exclusive
    int16_t right;   // exclusive

    bool IsEmpty() const { return right <= left || bottom <= top; }
    int32_t Width() const { return int32_t(right) - left; }
    int32_t Height() const { return int32_t(bottom) - top; }
};

struct RGBColor16 {
    uint16_t red, green, blue;
};

struct PlugInMonitor {
    Fixed gamma, redX, redY, greenX, greenY, blueX, blueY, whiteX, whiteY, ambient;
};

struct PlatformData {
    void* hwnd;  // the host's window, a HWND; may be 0
};

// ---- callback suites (natural alignment) ----

struct HandleProcs {
    int16_t handleProcsVersion;
    int16_t numHandleProcs;
    Handle(HOSTAPI* newProc)(int32_t size);
    void(HOSTAPI* disposeProc)(Handle h);
    int32_t(HOSTAPI* getSizeProc)(Handle h);
    OSErr(HOSTAPI* setSizeProc)(Handle h, int32_t newSize);
    char*(HOSTAPI* lockProc)(Handle h, Boolean moveHigh);
    void(HOSTAPI* unlockProc)(Handle h);
    void(HOSTAPI* recoverSpaceProc)(int32_t size);
    void(HOSTAPI* disposeRegularHandleProc)(Handle h);
};

struct BufferProcs {
    int16_t bufferProcsVersion;
    int16_t numBufferProcs;
    OSErr(HOSTAPI* allocateProc)(int32_t size, BufferID* bufferID);
    char*(HOSTAPI* lockProc)(BufferID bufferID, Boolean moveHigh);
    void(HOSTAPI* unlockProc)(BufferID bufferID);
    void(HOSTAPI* freeProc)(BufferID bufferID);
    int32_t(HOSTAPI* spaceProc)();
};

typedef void(HOSTAPI* UnusedProc)();

struct ReadDescriptorProcs {
    int16_t readDescriptorProcsVersion;
    int16_t numReadDescriptorProcs;
    PIReadDescriptor(HOSTAPI* openReadDescriptorProc)(PIDescriptorHandle descriptor, DescriptorKeyID* keyArray);
    OSErr(HOSTAPI* closeReadDescriptorProc)(PIReadDescriptor token);
    Boolean(HOSTAPI* getKeyProc)(PIReadDescriptor token, DescriptorKeyID* key, DescType* type, int32_t* flags);
    OSErr(HOSTAPI* getIntegerProc)(PIReadDescriptor token, int32_t* value);
    OSErr(HOSTAPI* getFloatProc)(PIReadDescriptor token, double* value);
    OSErr(HOSTAPI* getUnitFloatProc)(PIReadDescriptor token, DescType* unit, double* value);
    OSErr(HOSTAPI* getBooleanProc)(PIReadDescriptor token, Boolean* value);
    UnusedProc getTextProc, getAliasProc, getEnumeratedProc, getClassProc, getSimpleReferenceProc, getObjectProc,
        getCountProc, getStringProc, getPinnedIntegerProc, getPinnedFloatProc, getPinnedUnitFloatProc;
};

struct WriteDescriptorProcs {
    int16_t writeDescriptorProcsVersion;
    int16_t numWriteDescriptorProcs;
    PIWriteDescriptor(HOSTAPI* openWriteDescriptorProc)();
    OSErr(HOSTAPI* closeWriteDescriptorProc)(PIWriteDescriptor token, PIDescriptorHandle* newDescriptor);
    OSErr(HOSTAPI* putIntegerProc)(PIWriteDescriptor token, DescriptorKeyID key, int32_t value);
    OSErr(HOSTAPI* putFloatProc)(PIWriteDescriptor token, DescriptorKeyID key, const double* value);
    OSErr(HOSTAPI* putUnitFloatProc)(PIWriteDescriptor token, DescriptorKeyID key, DescType unit,
                                     const double* value);
    OSErr(HOSTAPI* putBooleanProc)(PIWriteDescriptor token, DescriptorKeyID key, Boolean value);
    UnusedProc putTextProc, putAliasProc, putEnumeratedProc, putClassProc, putSimpleReferenceProc, putObjectProc,
        putCountProc, putStringProc, putScopedClassProc, putScopedObjectProc;
};

struct PIDescriptorParameters {
    int16_t descriptorParametersVersion;
    int16_t playInfo;
    int16_t recordInfo;
    PIDescriptorHandle descriptor;
    WriteDescriptorProcs* writeDescriptorProcs;
    ReadDescriptorProcs* readDescriptorProcs;
};

struct ColorServicesInfo {
    int32_t infoSize;  // the caller sets sizeof(ColorServicesInfo)
    int16_t selector;
    int16_t sourceSpace;
    int16_t resultSpace;
    Boolean resultGamutInfoValid;
    Boolean resultInGamut;
    void* reservedSourceSpaceInfo;
    void* reservedResultSpaceInfo;
    int16_t colorComponents[4];
    void* reserved;
    union {
        Str255* pickerPrompt;
        Point16* globalSamplePoint;
        int32_t specialColorID;
    } selectorParameter;
};

typedef OSErr(HOSTAPI* ColorServicesProc)(ColorServicesInfo* info);
typedef OSErr(HOSTAPI* AdvanceStateProc)();
typedef Boolean(HOSTAPI* TestAbortProc)();
typedef void(HOSTAPI* ProgressProc)(int32_t done, int32_t total);

// ---- the records ----

// Selector 0 passes this instead of a FilterRecord.
struct AboutRecord {
    PlatformData* platformData;  // the only field the about step reads
    void* sSPBasic;
    void* plugInRef;
    char reserved[244];
};

#pragma pack(push, 4)
struct FilterRecord {
    int32_t serialNumber;
    TestAbortProc abortProc;
    ProgressProc progressProc;
    Handle parameters;
    Point16 imageSize;
    int16_t planes;
    Rect16 filterRect;
    RGBColor16 background;
    RGBColor16 foreground;
    int32_t maxSpace;
    int32_t bufferSpace;
    Rect16 inRect;
    int16_t inLoPlane;
    int16_t inHiPlane;
    Rect16 outRect;
    int16_t outLoPlane;
    int16_t outHiPlane;
    void* inData;
    int32_t inRowBytes;
    void* outData;
    int32_t outRowBytes;
    Boolean isFloating;
    Boolean haveMask;
    Boolean autoMask;
    Rect16 maskRect;
    void* maskData;
    int32_t maskRowBytes;
    uint8_t backColor[4];
    uint8_t foreColor[4];
    OSType hostSig;
    void* hostProc;
    int16_t imageMode;
    Fixed imageHRes;
    Fixed imageVRes;
    Point16 floatCoord;
    Point16 wholeSize;
    PlugInMonitor monitor;
    PlatformData* platformData;
    BufferProcs* bufferProcs;
    void* resourceProcs;
    void* processEvent;
    void* displayPixels;
    HandleProcs* handleProcs;
    Boolean supportsDummyChannels;
    Boolean supportsAlternateLayouts;
    int16_t wantLayout;
    int16_t filterCase;
    int16_t dummyPlaneValue;
    void* premiereHook;
    AdvanceStateProc advanceState;
    Boolean supportsAbsolute;
    Boolean wantsAbsolute;
    void* getPropertyObsolete;
    Boolean cannotUndo;
    Boolean supportsPadding;
    int16_t inputPadding;
    int16_t outputPadding;
    int16_t maskPadding;
    char samplingSupport;
    char reservedByte;
    Fixed inputRate;
    Fixed maskRate;
    ColorServicesProc colorServices;
    int16_t inLayerPlanes, inTransparencyMask, inLayerMasks, inInvertedLayerMasks, inNonLayerPlanes;
    int16_t outLayerPlanes, outTransparencyMask, outLayerMasks, outInvertedLayerMasks, outNonLayerPlanes;
    int16_t absLayerPlanes, absTransparencyMask, absLayerMasks, absInvertedLayerMasks, absNonLayerPlanes;
    int16_t inPreDummyPlanes, inPostDummyPlanes, outPreDummyPlanes, outPostDummyPlanes;
    int32_t inColumnBytes, inPlaneBytes, outColumnBytes, outPlaneBytes;
    void* imageServicesProcs;
    void* propertyProcs;
    int16_t inTileHeight, inTileWidth;
    Point16 inTileOrigin;
    int16_t absTileHeight, absTileWidth;
    Point16 absTileOrigin;
    int16_t outTileHeight, outTileWidth;
    Point16 outTileOrigin;
    int16_t maskTileHeight, maskTileWidth;
    Point16 maskTileOrigin;
    PIDescriptorParameters* descriptorParameters;
    Str255* errorString;
    void* channelPortProcs;
    void* documentInfo;
    void* sSPBasic;
    void* plugInRef;
    int32_t depth;  // the last field the module may read
    // Hosts differ in what follows (ICC profile fields, big-document data);
    // the module never reads or writes past `depth`.
    Handle iccProfileData;
    int32_t iccProfileSize;
    int32_t canUseICCProfiles;
    char reserved[54];
};
#pragma pack(pop)

// The entry point every selector arrives at.
typedef void(HOSTAPI* PluginEntryProc)(int16_t selector, void* paramBlock, intptr_t* data, int16_t* result);

// ---- offsets we rely on, per architecture ----

#define VEYDRA_AT(type, field, at32, at64) \
    static_assert(offsetof(type, field) == (sizeof(void*) == 4 ? (at32) : (at64)), #type "::" #field " offset")

VEYDRA_AT(FilterRecord, parameters, 12, 20);
VEYDRA_AT(FilterRecord, planes, 20, 32);
VEYDRA_AT(FilterRecord, filterRect, 22, 34);
VEYDRA_AT(FilterRecord, inRect, 52, 64);
VEYDRA_AT(FilterRecord, inLoPlane, 60, 72);
VEYDRA_AT(FilterRecord, inHiPlane, 62, 74);
VEYDRA_AT(FilterRecord, outRect, 64, 76);
VEYDRA_AT(FilterRecord, outLoPlane, 72, 84);
VEYDRA_AT(FilterRecord, outHiPlane, 74, 86);
VEYDRA_AT(FilterRecord, inData, 76, 88);
VEYDRA_AT(FilterRecord, inRowBytes, 80, 96);
VEYDRA_AT(FilterRecord, outData, 84, 100);
VEYDRA_AT(FilterRecord, outRowBytes, 88, 108);
VEYDRA_AT(FilterRecord, haveMask, 93, 113);
VEYDRA_AT(FilterRecord, autoMask, 94, 114);
VEYDRA_AT(FilterRecord, maskRect, 96, 116);
VEYDRA_AT(FilterRecord, maskData, 104, 124);
VEYDRA_AT(FilterRecord, maskRowBytes, 108, 132);
VEYDRA_AT(FilterRecord, hostSig, 120, 144);
VEYDRA_AT(FilterRecord, imageMode, 128, 156);
VEYDRA_AT(FilterRecord, monitor, 148, 176);
VEYDRA_AT(FilterRecord, platformData, 188, 216);
VEYDRA_AT(FilterRecord, bufferProcs, 192, 224);
VEYDRA_AT(FilterRecord, handleProcs, 208, 256);
VEYDRA_AT(FilterRecord, filterCase, 216, 268);
VEYDRA_AT(FilterRecord, advanceState, 224, 280);
VEYDRA_AT(FilterRecord, colorServices, 256, 320);
VEYDRA_AT(FilterRecord, inLayerPlanes, 260, 328);
VEYDRA_AT(FilterRecord, inColumnBytes, 300, 368);
VEYDRA_AT(FilterRecord, imageServicesProcs, 316, 384);
VEYDRA_AT(FilterRecord, inTileHeight, 324, 400);
VEYDRA_AT(FilterRecord, maskTileOrigin, 352, 428);
VEYDRA_AT(FilterRecord, descriptorParameters, 356, 432);
VEYDRA_AT(FilterRecord, errorString, 360, 440);
VEYDRA_AT(FilterRecord, sSPBasic, 372, 464);
VEYDRA_AT(FilterRecord, depth, 380, 480);
VEYDRA_AT(FilterRecord, iccProfileData, 384, 484);
VEYDRA_AT(FilterRecord, reserved, 396, 500);
static_assert(sizeof(FilterRecord) == (sizeof(void*) == 4 ? 452 : 556), "FilterRecord size");

VEYDRA_AT(AboutRecord, platformData, 0, 0);
VEYDRA_AT(AboutRecord, plugInRef, 8, 16);
VEYDRA_AT(AboutRecord, reserved, 12, 24);
static_assert(sizeof(AboutRecord) == (sizeof(void*) == 4 ? 256 : 272), "AboutRecord size");

VEYDRA_AT(HandleProcs, newProc, 4, 8);
VEYDRA_AT(HandleProcs, disposeProc, 8, 16);
VEYDRA_AT(HandleProcs, lockProc, 20, 40);
VEYDRA_AT(HandleProcs, unlockProc, 24, 48);
VEYDRA_AT(HandleProcs, disposeRegularHandleProc, 32, 64);
static_assert(sizeof(HandleProcs) == (sizeof(void*) == 4 ? 36 : 72), "HandleProcs size");

VEYDRA_AT(BufferProcs, allocateProc, 4, 8);
VEYDRA_AT(BufferProcs, spaceProc, 20, 40);
static_assert(sizeof(BufferProcs) == (sizeof(void*) == 4 ? 24 : 48), "BufferProcs size");

VEYDRA_AT(PIDescriptorParameters, recordInfo, 4, 4);
VEYDRA_AT(PIDescriptorParameters, descriptor, 8, 8);
VEYDRA_AT(PIDescriptorParameters, writeDescriptorProcs, 12, 16);
VEYDRA_AT(PIDescriptorParameters, readDescriptorProcs, 16, 24);
static_assert(sizeof(PIDescriptorParameters) == (sizeof(void*) == 4 ? 20 : 32), "PIDescriptorParameters size");

VEYDRA_AT(ReadDescriptorProcs, openReadDescriptorProc, 4, 8);
VEYDRA_AT(ReadDescriptorProcs, getKeyProc, 12, 24);
VEYDRA_AT(ReadDescriptorProcs, getIntegerProc, 16, 32);
VEYDRA_AT(ReadDescriptorProcs, getBooleanProc, 28, 56);
VEYDRA_AT(ReadDescriptorProcs, getPinnedUnitFloatProc, 72, 144);
static_assert(sizeof(ReadDescriptorProcs) == (sizeof(void*) == 4 ? 76 : 152), "ReadDescriptorProcs size");

VEYDRA_AT(WriteDescriptorProcs, openWriteDescriptorProc, 4, 8);
VEYDRA_AT(WriteDescriptorProcs, closeWriteDescriptorProc, 8, 16);
VEYDRA_AT(WriteDescriptorProcs, putIntegerProc, 12, 24);
VEYDRA_AT(WriteDescriptorProcs, putBooleanProc, 24, 48);
VEYDRA_AT(WriteDescriptorProcs, putScopedObjectProc, 64, 128);
static_assert(sizeof(WriteDescriptorProcs) == (sizeof(void*) == 4 ? 68 : 136), "WriteDescriptorProcs size");

VEYDRA_AT(ColorServicesInfo, selector, 4, 4);
VEYDRA_AT(ColorServicesInfo, resultGamutInfoValid, 10, 10);
VEYDRA_AT(ColorServicesInfo, reservedSourceSpaceInfo, 12, 16);
VEYDRA_AT(ColorServicesInfo, colorComponents, 20, 32);
VEYDRA_AT(ColorServicesInfo, reserved, 28, 40);
VEYDRA_AT(ColorServicesInfo, selectorParameter, 32, 48);
static_assert(sizeof(ColorServicesInfo) == (sizeof(void*) == 4 ? 36 : 56), "ColorServicesInfo size");

#undef VEYDRA_AT

static_assert(FourCC("8BIM") == 0x3842494Du, "four-character codes read big-endian");
