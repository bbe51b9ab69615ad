#include "FilterHost.h"

#include <cstring>
#include <new>
#include <sstream>

#include "HostDescriptors.h"
#include "HostHandles.h"
#include "HostLog.h"
#include "HostServices.h"
#include "ModuleResources.h"
#include "PluginResources.h"
#include "host/Descriptors.h"
#include "params/ShadowParams.h"

namespace {

CFilterHost* g_pHost = nullptr;  // the callbacks have no context argument

Boolean HOSTAPI NeverAbort() { return 0; }
void HOSTAPI IgnoreProgress(int32_t, int32_t) {}

const char* SelectorName(int selector)
{
    static const char* const kNames[] = {"about", "parameters", "prepare", "start", "continue", "finish"};
    return selector >= 0 && selector <= 5 ? kNames[selector] : "unknown";
}

std::string RectText(const Rect16& r)
{
    std::ostringstream text;
    text << r.top << "," << r.left << "," << r.bottom << "," << r.right;
    return text.str();
}

// Copies planes [lo, lo + planes) of a w x h block of pixels with
// `fromPlanes` interleaved planes into pixels with `planes` planes.
void CopyPlanes(const uint8_t* from, size_t fromRowBytes, int fromPlanes, int lo, uint8_t* to, size_t toRowBytes,
                int planes, int w, int h)
{
    for (int y = 0; y < h; ++y) {
        const uint8_t* src = from + y * fromRowBytes + lo;
        uint8_t* dst = to + y * toRowBytes;
        if (fromPlanes == planes) {
            std::memcpy(dst, src, size_t(w) * planes);
            continue;
        }
        for (int x = 0; x < w; ++x, src += fromPlanes, dst += planes)
            std::memcpy(dst, src, size_t(planes));
    }
}

}  // namespace

OSErr HOSTAPI ServeAdvanceState() { return g_pHost->Advance(); }

CFilterHost::CFilterHost(const HostOptions& options, HostDocument& document) : m_options(options), m_doc(document)
{
    g_pHost = this;
    std::memset(&m_errorString, 0xEE, sizeof(m_errorString));
    if (!options.noHostWindow)
        m_hWindow = CreateWindowA("STATIC", "veydra-host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    m_platform.hwnd = m_hWindow;
}

CFilterHost::~CFilterHost()
{
    if (m_hWindow)
        DestroyWindow(m_hWindow);
    g_pHost = nullptr;
}

bool CFilterHost::Load(std::string& error)
{
    m_hModule = LoadLibraryExA(m_options.module.c_str(), nullptr, 0);
    if (!m_hModule) {
        error = m_options.module + ": LoadLibrary failed (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    for (const ResourceBytes& resource : ReadPiplResources(m_hModule)) {
        PiplInfo pipl;
        if (!ParsePipl(resource.bytes, pipl, error))
            return false;
        const PiplProperty* entry = pipl.Find(OwnEntryKey());
        if (!entry)
            continue;
        const std::string name = CStringOf(*entry);
        m_pEntry = reinterpret_cast<PluginEntryProc>(reinterpret_cast<void*>(GetProcAddress(m_hModule, name.c_str())));
        if (!m_pEntry) {
            error = "the module exports no '" + name + "'";
            return false;
        }
        Say("entry: " + name + " (" + FourCCText(OwnEntryKey()) + ")");
        return true;
    }
    error = std::string("no PIPL names an entry point for ") + OwnArchitecture();
    return false;
}

void CFilterHost::Unload()
{
    if (m_hModule)
        FreeLibrary(m_hModule);
    m_hModule = nullptr;
    m_pEntry = nullptr;
    Say("module unloaded");
}

int16_t CFilterHost::Call(int16_t selector, void* block)
{
    int16_t result = m_options.presetResult ? 1 : 0;
    m_pEntry(selector, block, &m_data, &result);
    Say("selector " + std::to_string(selector) + " (" + SelectorName(selector) + "): result " +
        std::to_string(result));
    return result;
}

void CFilterHost::CallAbout()
{
    // The about record ends right before a page the process may not touch,
    // and its reserved tail holds junk: a plug-in that treats it as a filter
    // record faults here instead of reading plausible zeros.
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const size_t page = system.dwPageSize;
    char* block = static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old = 0;
    VirtualProtect(block + page, page, PAGE_NOACCESS, &old);
    AboutRecord* about = reinterpret_cast<AboutRecord*>(block + page - sizeof(AboutRecord));
    std::memset(about, 0xCD, sizeof(AboutRecord));
    about->platformData = m_options.nullAboutPlatform ? nullptr : &m_platform;
    about->sSPBasic = nullptr;
    about->plugInRef = nullptr;
    Call(Selector::kAbout, about);
    VirtualFree(block, 0, MEM_RELEASE);
}

void CFilterHost::BuildDescriptor()
{
    std::vector<DescriptorItem> items;
    auto put = [&items](DescriptorKeyID key, int32_t value) {
        DescriptorItem item;
        item.key = key;
        item.type = DescTypes::kInteger;
        for (const DescriptorKey& k : kDescriptorKeys)
            if (k.key == key && k.isBoolean)
                item.type = DescTypes::kBoolean;
        item.integer = value;
        for (DescriptorItem& existing : items)
            if (existing.key == key) {
                existing = item;
                return;
            }
        items.push_back(item);
    };
    if (!m_options.preset.empty()) {
        const ShadowPreset* preset = FindBuiltInPreset(m_options.preset.c_str());
        if (!preset)
            throw UsageError("--preset: unknown preset '" + m_options.preset + "'");
        for (const DescriptorKey& k : kDescriptorKeys)
            put(k.key, preset->params.*k.field);
    }
    for (const auto& set : m_options.sets) {
        const std::string& key = set.first;
        put(uint32_t(uint8_t(key[0])) << 24 | uint32_t(uint8_t(key[1])) << 16 | uint32_t(uint8_t(key[2])) << 8 |
                uint8_t(key[3]),
            static_cast<int32_t>(std::strtol(set.second.c_str(), nullptr, 0)));
    }
    m_descriptorParams.descriptorParametersVersion = 0;
    m_descriptorParams.playInfo = static_cast<int16_t>(m_options.playInfo);
    m_descriptorParams.recordInfo = DialogRecord::kOptional;
    m_givenDescriptor = items.empty() ? nullptr : CHostDescriptors::Encode(items);
    m_givenSerial = HostHandles().SerialOf(m_givenDescriptor);
    m_descriptorParams.descriptor = m_givenDescriptor;
    if (!items.empty())
        Say("descriptor given (playInfo " + std::to_string(m_options.playInfo) + "): " + DescribeDescriptor(items));

    m_readProcs = *HostDescriptors().ReadProcs();
    m_writeProcs = *HostDescriptors().WriteProcs();
    if (m_options.zeroSuiteVersions) {
        m_readProcs.readDescriptorProcsVersion = m_readProcs.numReadDescriptorProcs = 0;
        m_writeProcs.writeDescriptorProcsVersion = m_writeProcs.numWriteDescriptorProcs = 0;
    }
    if (!m_options.noDescriptorSuites) {
        m_descriptorParams.readDescriptorProcs = &m_readProcs;
        m_descriptorParams.writeDescriptorProcs = &m_writeProcs;
    }
}

void CFilterHost::BuildRecord()
{
    FilterRecord& r = m_record;
    std::memset(&r, 0, sizeof(r));
    const bool fits = m_doc.width <= 32767 && m_doc.height <= 32767;
    const bool layer = m_doc.HasTransparency();
    r.abortProc = NeverAbort;
    r.progressProc = IgnoreProgress;
    r.imageSize = Point16{static_cast<int16_t>(fits ? m_doc.height : 0), static_cast<int16_t>(fits ? m_doc.width : 0)};
    r.planes = static_cast<int16_t>(layer && m_options.planes > 0 ? m_options.planes : m_doc.colours);
    // Like hosts past their limit: a document too big for 16-bit
    // coordinates gets an empty filter rectangle.
    if (fits && !m_options.emptyFilterRect)
        r.filterRect = Rect16{0, 0, static_cast<int16_t>(m_doc.height), static_cast<int16_t>(m_doc.width)};
    if (m_options.hasFilterRect) {
        const int* f = m_options.filterRect;
        r.filterRect = Rect16{static_cast<int16_t>(f[0]), static_cast<int16_t>(f[1]), static_cast<int16_t>(f[2]),
                              static_cast<int16_t>(f[3])};
    }
    r.background = RGBColor16{65535, 65535, 65535};
    r.maxSpace = 1 << 30;
    r.haveMask = m_doc.HasSelection() ? 1 : 0;
    r.autoMask = r.haveMask;
    r.backColor[0] = r.backColor[1] = r.backColor[2] = 255;
    r.hostSig = FourCC("vHst");
    r.imageMode = static_cast<int16_t>(m_options.imageMode >= 0 ? m_options.imageMode : m_doc.ImageMode());
    r.imageHRes = r.imageVRes = 72 << 16;
    r.wholeSize = r.imageSize;
    r.platformData = &m_platform;
    r.bufferProcs = m_options.noBufferSuite ? nullptr : HostBufferProcs();
    r.handleProcs = m_options.noHandleSuite ? nullptr : HostHandles().Procs();
    if (m_options.filterCase >= 0)
        r.filterCase = static_cast<int16_t>(m_options.filterCase);
    else
        r.filterCase = static_cast<int16_t>(layer ? (r.haveMask ? 5 : 4) : (r.haveMask ? 2 : 1));
    r.dummyPlaneValue = -1;
    r.advanceState = ServeAdvanceState;
    r.colorServices = m_options.noColorServices ? nullptr : HostColorServices;
    BuildDescriptor();
    r.descriptorParameters = m_options.noDescriptorParameters ? nullptr : &m_descriptorParams;
    r.errorString = m_options.nullErrorString ? nullptr : &m_errorString.text;
    r.depth = m_doc.depth;
    m_data = m_options.staleData ? 0x5EED5EED : 0;
}

bool CFilterHost::RectInDocument(const Rect16& rect) const
{
    return rect.top >= 0 && rect.left >= 0 && rect.bottom <= m_doc.height && rect.right <= m_doc.width;
}

uint8_t CFilterHost::JunkByte(size_t i) { return static_cast<uint8_t>((i * 131 + i / 977) ^ 0x5A); }

// What Deliver put into byte i of the output buffer, computed again, so the
// host can tell afterwards whether the plug-in wrote there without keeping
// a copy (or hashing it inside the timed step).
uint8_t CFilterHost::FilledByte(size_t i) const
{
    if (m_options.junkOut)
        return JunkByte(i);
    const size_t sample = size_t(m_doc.SampleBytes());
    const size_t pixelBytes = size_t(m_nOutHi - m_nOutLo + 1) * sample;
    const size_t row = i / size_t(m_nOutRowBytes), column = i % size_t(m_nOutRowBytes);
    if (column >= size_t(m_outRect.Width()) * pixelBytes)
        return 0;
    const size_t pixel = (size_t(m_outRect.top) + row) * m_doc.width + m_outRect.left + column / pixelBytes;
    return m_doc.pixels[pixel * m_doc.PixelBytes() + m_nOutLo * sample + column % pixelBytes];
}

bool CFilterHost::OutputTouched() const
{
    for (size_t i = 0; i < m_out.Size(); ++i)
        if (m_out[i] != FilledByte(i))
            return true;
    return false;
}

OSErr CFilterHost::Advance()
{
    ++m_nAdvanceCalls;
    if (m_options.advanceFails)
        return HostResult::kParamErr;
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    WriteBack();
    const OSErr result = Deliver();
    QueryPerformanceCounter(&after);
    m_nAdvanceTicks += after.QuadPart - before.QuadPart;
    return result;
}

// Hands out fresh buffers for the rectangles and planes in the record, as
// hosts that reallocate on every call do.
OSErr CFilterHost::Deliver()
{
    FilterRecord& r = m_record;
    m_in.Release();
    m_out.Release();
    m_mask.Release();
    m_bOutHandedOut = false;
    r.inData = r.outData = r.maskData = nullptr;
    r.inRowBytes = r.outRowBytes = r.maskRowBytes = 0;
    const int inPlanes = r.inHiPlane - r.inLoPlane + 1;
    const int outPlanes = r.outHiPlane - r.outLoPlane + 1;
    // Bytes per sample: 2 at 16 bits; the copies below move whole samples.
    const int sb = m_doc.SampleBytes();
    if ((!r.inRect.IsEmpty() && (!RectInDocument(r.inRect) || r.inLoPlane < 0 || r.inHiPlane >= m_doc.planes ||
                                 inPlanes < 1)) ||
        (!r.outRect.IsEmpty() && (!RectInDocument(r.outRect) || r.outLoPlane < 0 || r.outHiPlane >= m_doc.planes ||
                                  outPlanes < 1)) ||
        (!r.maskRect.IsEmpty() && !RectInDocument(r.maskRect))) {
        Say("advanceState: a rectangle or plane range outside the document");
        return HostResult::kParamErr;
    }
    try {
        const bool guarded = m_options.guardPages;
        const bool wholeDocument = r.inRect.left == 0 && r.inRect.top == 0 && r.inRect.Width() == m_doc.width &&
                                   r.inRect.Height() == m_doc.height;
        if (!r.inRect.IsEmpty()) {
            const int w = r.inRect.Width(), h = r.inRect.Height();
            if (wholeDocument && r.inLoPlane == 0 && inPlanes == m_doc.planes && m_options.padRows == 0 && !guarded) {
                // The document's own pixels, read-only for the plug-in.
                r.inData = m_doc.pixels.data();
                r.inRowBytes = w * inPlanes * sb;
            } else {
                r.inRowBytes = w * inPlanes * sb + m_options.padRows;
                m_in.Allocate(BlockBytes(size_t(r.inRowBytes), h, size_t(w) * inPlanes * sb), guarded);
                std::memset(m_in.Data(), 0xA5, m_in.Size());
                CopyPlanes(DocPixel(r.inRect.top, r.inRect.left), DocRowBytes(), m_doc.planes * sb,
                           r.inLoPlane * sb, m_in.Data(), size_t(r.inRowBytes), inPlanes * sb, w, h);
                m_in.MakeReadOnly();
                r.inData = m_in.Data();
            }
            r.inColumnBytes = inPlanes * sb;
            r.inPlaneBytes = sb;
        }
        if (!r.outRect.IsEmpty()) {
            const int w = r.outRect.Width(), h = r.outRect.Height();
            r.outRowBytes = w * outPlanes * sb + m_options.padRows;
            m_out.Allocate(BlockBytes(size_t(r.outRowBytes), h, size_t(w) * outPlanes * sb), guarded);
            if (m_options.junkOut) {
                for (size_t i = 0; i < m_out.Size(); ++i)
                    m_out[i] = JunkByte(i);
            } else {
                CopyPlanes(DocPixel(r.outRect.top, r.outRect.left), DocRowBytes(), m_doc.planes * sb,
                           r.outLoPlane * sb, m_out.Data(), size_t(r.outRowBytes), outPlanes * sb, w, h);
                for (int y = 0; y + 1 < h && m_options.padRows > 0; ++y)
                    std::memset(&m_out[size_t(y) * r.outRowBytes + size_t(w) * outPlanes * sb], 0,
                                m_options.padRows);
            }
            r.outData = m_out.Data();
            r.outColumnBytes = outPlanes * sb;
            r.outPlaneBytes = sb;
            m_bOutHandedOut = true;
            m_outRect = r.outRect;
            m_nOutLo = r.outLoPlane;
            m_nOutHi = r.outHiPlane;
            m_nOutRowBytes = r.outRowBytes;
        }
        if (!r.maskRect.IsEmpty() && m_doc.HasSelection()) {
            const int w = r.maskRect.Width(), h = r.maskRect.Height();
            r.maskRowBytes = w + m_options.padRows;
            m_mask.Allocate(BlockBytes(size_t(r.maskRowBytes), h, size_t(w)), guarded);
            std::memset(m_mask.Data(), 0, m_mask.Size());
            for (int y = 0; y < h; ++y)
                std::memcpy(&m_mask[size_t(y) * r.maskRowBytes],
                            &m_doc.mask[size_t(y + r.maskRect.top) * m_doc.width + r.maskRect.left], size_t(w));
            m_mask.MakeReadOnly();
            r.maskData = m_mask.Data();
            // Like hosts that fill the field in their own way: the buffer
            // stays laid out as above.
            if (m_options.maskRowBytes != kKeepRowBytes)
                r.maskRowBytes = m_options.maskRowBytes;
        }
    } catch (const std::bad_alloc&) {
        Say("advanceState: the host is out of memory");
        m_bOutHandedOut = false;
        r.inData = r.outData = r.maskData = nullptr;
        return HostResult::kMemFullErr;
    }
    if (m_options.nullIn)
        r.inData = nullptr;
    if (m_options.nullOut)
        r.outData = nullptr;
    if (m_options.nullMask)
        r.maskData = nullptr;
    return HostResult::kNoErr;
}

// The previous output goes into the document, as hosts do before serving
// the next request.
void CFilterHost::WriteBack()
{
    if (!m_bOutHandedOut)
        return;
    const int sb = m_doc.SampleBytes();
    const int planes = (m_nOutHi - m_nOutLo + 1) * sb;  // bytes of a pixel handed out
    for (int y = 0; y < m_outRect.Height(); ++y) {
        const uint8_t* src = m_out.Data() + size_t(y) * m_nOutRowBytes;
        uint8_t* dst = DocPixel(m_outRect.top + y, m_outRect.left) + m_nOutLo * sb;
        if (planes == m_doc.PixelBytes()) {
            std::memcpy(dst, src, size_t(m_outRect.Width()) * planes);
            continue;
        }
        for (int x = 0; x < m_outRect.Width(); ++x, src += planes, dst += m_doc.PixelBytes())
            std::memcpy(dst, src, size_t(planes));
    }
    m_bOutHandedOut = false;
}

void CFilterHost::ReportErrorString(int16_t result) const
{
    if (result != HostResult::kReportString)
        return;
    if (!m_record.errorString) {
        Say("errorString: none given");
        return;
    }
    const unsigned char* s = m_errorString.text;
    Say("errorString: length " + std::to_string(s[0]) + " \"" + std::string(reinterpret_cast<const char*>(s) + 1, s[0]) +
        "\" then byte " + std::to_string(s[0] < 255 ? s[1 + s[0]] : m_errorString.guard[0]));
}

void CFilterHost::ReportStart(int16_t result)
{
    ReportErrorString(result);
    if (!m_bOutHandedOut)
        Say("outData: none handed out");
    else
        Say(std::string("outData: ") + (OutputTouched() ? "written" : "untouched"));
    ReportOutputPadding();
    Say("advanceState calls: " + std::to_string(m_nAdvanceCalls));
}

// The bytes between one output row's pixels and the next row belong to the
// host: a plug-in must not write there.
void CFilterHost::ReportOutputPadding() const
{
    if (!m_bOutHandedOut || m_options.padRows == 0)
        return;
    const size_t used = size_t(m_outRect.Width()) * (m_nOutHi - m_nOutLo + 1) * m_doc.SampleBytes();
    bool written = false;
    for (size_t i = 0; i < m_out.Size() && !written; ++i)
        written = i % size_t(m_nOutRowBytes) >= used && m_out[i] != FilledByte(i);
    Say(std::string("outData row padding: ") + (written ? "written" : "untouched"));
}

void CFilterHost::ReportRects() const
{
    Say("rects: in " + RectText(m_record.inRect) + " out " + RectText(m_record.outRect) + " mask " +
        RectText(m_record.maskRect));
}

void CFilterHost::ReportDescriptor() const
{
    if (m_givenDescriptor) {
        // By serial: a descriptor recorded after the given one was disposed
        // of may have been handed the same address.
        const bool disposed = HostHandles().SerialOf(m_givenDescriptor) != m_givenSerial ||
                              m_descriptorParams.descriptor == nullptr;
        Say(std::string("descriptor given: ") + (disposed ? "consumed by the plug-in" : "left with the host"));
    }
    const CHostDescriptors& d = HostDescriptors();
    if (d.m_nReadersOpened > 0) {
        std::string keys;
        for (DescriptorKeyID key : d.m_requestedKeys)
            keys += " " + FourCCText(key);
        Say("descriptor read: keys asked for" + keys + "; " + std::to_string(d.m_nValuesRead) + " values read, " +
            std::to_string(d.m_nReadersClosed) + " closed");
    }
    const Handle recorded = m_descriptorParams.descriptor;
    const uint64_t recordedSerial = HostHandles().SerialOf(recorded);
    if (recordedSerial != 0 && recordedSerial != m_givenSerial) {
        Say("descriptor recorded (recordInfo " + std::to_string(m_descriptorParams.recordInfo) +
            "): " + DescribeDescriptor(CHostDescriptors::Decode(recorded)));
    } else {
        Say("descriptor recorded: none");
    }
}

void CFilterHost::ReportHandles() const
{
    for (const std::string& complaint : HostHandles().m_complaints)
        Say("handle suite: " + complaint);
}

void CFilterHost::RunSequence()
{
    BuildRecord();
    if (m_options.about)
        CallAbout();
    if (m_options.dialog && Call(Selector::kParameters, &m_record) != HostResult::kNoErr)
        return;
    if (Call(Selector::kPrepare, &m_record) != HostResult::kNoErr)
        return;

    LARGE_INTEGER frequency, before, after;
    QueryPerformanceFrequency(&frequency);
    m_nAdvanceTicks = 0;
    QueryPerformanceCounter(&before);
    const int16_t started = Call(Selector::kStart, &m_record);
    QueryPerformanceCounter(&after);
    const double ms = 1000.0 / frequency.QuadPart;
    std::ostringstream time;
    time.setf(std::ios::fixed);
    time.precision(1);
    time << "start selector: " << (after.QuadPart - before.QuadPart) * ms << " ms, of which in the host's advanceState "
         << m_nAdvanceTicks * ms << " ms";
    Say(time.str());
    ReportStart(started);

    if (started == HostResult::kNoErr) {
        // Continue while the plug-in still asks for data; a bound keeps a
        // plug-in that never stops from hanging the host.
        for (int round = 0; round < 100; ++round) {
            if (m_record.inRect.IsEmpty() && m_record.outRect.IsEmpty() && m_record.maskRect.IsEmpty())
                break;
            if (Advance() != HostResult::kNoErr || Call(Selector::kContinue, &m_record) != HostResult::kNoErr)
                break;
        }
        ReportRects();
        WriteBack();
        if (!m_options.noFinish)
            Call(Selector::kFinish, &m_record);
    }
    ReportDescriptor();
    ReportHandles();
}

void CFilterHost::CallSelectors(const std::vector<int>& selectors)
{
    BuildRecord();
    for (int selector : selectors) {
        // Something to clear, so a continue step can be seen doing it.
        m_record.inRect = m_record.outRect = m_record.maskRect = Rect16{1, 2, 3, 4};
        const int16_t result = Call(static_cast<int16_t>(selector), m_options.nullRecord ? nullptr : &m_record);
        ReportErrorString(result);
        ReportRects();
    }
    ReportHandles();
}
