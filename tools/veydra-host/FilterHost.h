// One plug-in module loaded the way a Photoshop-compatible host loads it,
// and one document it edits: the filter record built from the document,
// advanceState serving the rectangles and planes the plug-in asks for, the
// handle, buffer, descriptor and colour suites, and the selector sequence of
// a filter invocation. Everything the plug-in does that a host can see is
// reported line by line.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "HostBuffer.h"
#include "HostDocument.h"
#include "HostOptions.h"
#include "host/HostRecords.h"

class CFilterHost {
public:
    CFilterHost(const HostOptions& options, HostDocument& document);
    ~CFilterHost();
    CFilterHost(const CFilterHost&) = delete;
    CFilterHost& operator=(const CFilterHost&) = delete;

    // LoadLibrary, then the entry point named by the PIPL property for this
    // host's architecture. False with a reason.
    bool Load(std::string& error);
    // FreeLibrary, as hosts that unload the module after every run do.
    void Unload();

    // The about selector alone, with an about record (not a filter record).
    void CallAbout();

    // A filter invocation: [about], [parameters], prepare, start, continue
    // while rectangles are asked for, finish.
    void RunSequence();

    // Raw selectors with the filter record (or a null block), one by one.
    void CallSelectors(const std::vector<int>& selectors);

private:
    friend OSErr HOSTAPI ServeAdvanceState();

    void BuildRecord();
    void BuildDescriptor();
    int16_t Call(int16_t selector, void* block);
    OSErr Advance();
    OSErr Deliver();
    void WriteBack();
    void ReportStart(int16_t result);
    void ReportErrorString(int16_t result) const;
    void ReportRects() const;
    void ReportOutputPadding() const;
    void ReportDescriptor() const;
    void ReportHandles() const;
    bool RectInDocument(const Rect16& rect) const;
    static uint8_t JunkByte(size_t i);
    uint8_t FilledByte(size_t i) const;
    bool OutputTouched() const;
    uint8_t* DocPixel(int row, int column)
    {
        return m_doc.pixels.data() + (size_t(row) * m_doc.width + column) * m_doc.PixelBytes();
    }
    size_t DocRowBytes() const { return size_t(m_doc.width) * m_doc.PixelBytes(); }

    const HostOptions& m_options;
    HostDocument& m_doc;
    HMODULE m_hModule = nullptr;
    PluginEntryProc m_pEntry = nullptr;
    HWND m_hWindow = nullptr;

    FilterRecord m_record{};
    PlatformData m_platform{};
    PIDescriptorParameters m_descriptorParams{};
    ReadDescriptorProcs m_readProcs{};
    WriteDescriptorProcs m_writeProcs{};
    Handle m_givenDescriptor = nullptr;
    uint64_t m_givenSerial = 0;  // its allocation, told apart from a later one at its address
    struct {
        Str255 text;
        unsigned char guard[16];
    } m_errorString;
    intptr_t m_data = 0;

    // The buffers handed out by the last advanceState.
    // Each ends at its last pixel byte (no padding after the last row);
    // with --guard-pages an inaccessible page follows it.
    CHostBuffer m_in, m_mask;
    CHostBuffer m_out;  // not zeroed first: hosts hand out fresh memory
    bool m_bOutHandedOut = false;
    Rect16 m_outRect{};
    int m_nOutLo = 0, m_nOutHi = -1, m_nOutRowBytes = 0;
    int m_nAdvanceCalls = 0;
    int64_t m_nAdvanceTicks = 0;  // time spent serving advanceState
};
