// veydra-host's command line: the command, the files, the descriptor to hand
// over, and the switches that make it behave like other hosts or like a
// faulty one.
#pragma once

#include <climits>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// maskRowBytes as the host lays the mask out.
const int kKeepRowBytes = INT_MIN;

struct HostOptions {
    std::string command;  // "info", "run" or "about"
    std::string module;
    std::string input;    // PNG; empty with --synthetic
    std::string output;
    std::string mask;
    int synthetic = 0;    // side of a generated square RGBA layer

    // The scripting descriptor handed over: items in the given order.
    std::vector<std::pair<std::string, std::string>> sets;
    std::string preset;  // a built-in preset's thirteen values as the descriptor
    int playInfo = 1;

    bool dialog = false;  // send the parameters selector (the user asked for the dialog)
    bool about = false;   // send the about selector first

    // Imitations of other hosts and their faults.
    bool noDescriptorParameters = false;  // descriptorParameters null
    bool noDescriptorSuites = false;      // present, both suites null
    bool zeroSuiteVersions = false;       // suites with version and count fields 0
    bool noHandleSuite = false;
    bool noBufferSuite = false;
    bool noColorServices = false;
    bool junkOut = false;                 // outData not pre-filled with the image
    bool advanceFails = false;
    bool nullIn = false, nullOut = false, nullMask = false;
    bool nullErrorString = false;
    bool nullRecord = false;              // every selector gets a null parameter block
    bool nullAboutPlatform = false;       // the about record's platformData null
    bool noHostWindow = false;            // platformData->hwnd 0
    bool emptyFilterRect = false;
    bool staleData = false;               // the data slot holds a stale value
    bool presetResult = false;            // *result preset to 1 before each call
    bool noFinish = false;
    bool workerThread = false;            // call the module on a thread that owns no window
    int filterCase = -1;                  // -1: chosen from the document
    int planes = 0;                       // planes before the plug-in asks; 0: the colour planes
    int depth = 8;                        // bits per sample of the document
    bool grey = false;                    // --mode gray: one grey plane
    int imageMode = -1;                   // -1: the document's own
    int padRows = 0;                      // extra bytes at the end of every row
    std::vector<int> selectors;           // call these selectors alone instead of a run
    int maskRowBytes = kKeepRowBytes;     // the maskRowBytes the plug-in is told
    bool hasFilterRect = false;           // filterRect as given instead of the whole document
    int filterRect[4] = {0, 0, 0, 0};     // top, left, bottom, right

    // Strict memory: every host buffer ends right before an inaccessible
    // page, and the input and mask buffers are read-only.
    bool guardPages = false;

    // Several invocations in one process, for leak checks and for hosts that
    // unload the module between runs. Each starts from the original image.
    int repeat = 1;
    bool reload = false;     // FreeLibrary and LoadLibrary between runs
    bool resources = false;  // report the process's memory and objects after each run
    int dialogTimeLimitMs = 10000;

    // The --ui script played on the module's dialog (UiScript.h) instead of
    // closing it at once, and the deadline of each of its waits.
    std::string ui;
    int uiTimeLimitMs = 30000;
    // Non-zero: the colour services answer every choose-colour call with
    // this error, as hosts without a picker do (-30900 PSPI, -50 others).
    int colorChoiceError = 0;
};

HostOptions ParseHostOptions(const std::vector<std::string>& args);
const char* HostUsage();
