// veydra-host: a small Photoshop-compatible host for testing filter modules.
//
//   info   reads the registration and terminology resources as a host does
//   about  sends the about selector
//   run    loads the module, edits a PNG (or a generated layer) through the
//          selector sequence of a filter invocation and writes the result
//
// Every dialog the module shows is printed and closed, so nothing waits for
// a person. Exit codes: 0 the host did its work (whatever the module
// answered), 2 bad usage or files, 3 a dialog did not close, 4 the module
// crashed the host.
#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "DialogWatcher.h"
#include "DocumentDepth.h"
#include "FilterHost.h"
#include "HostDescriptors.h"
#include "HostLog.h"
#include "HostOptions.h"
#include "HostServices.h"
#include "ModuleResources.h"
#include "PluginResources.h"
#include "ProcessResources.h"
#include "UiDriver.h"
#include "UiScript.h"
#include "UiWindows.h"

namespace {

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info)
{
    char text[128];
    std::snprintf(text, sizeof(text), "host: crashed with exception 0x%08lX at %p",
                  static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                  info->ExceptionRecord->ExceptionAddress);
    Say(text);
    TerminateProcess(GetCurrentProcess(), 4);
    return EXCEPTION_EXECUTE_HANDLER;
}

std::string Join(const std::string& a, const char* b) { return a + b; }

int RunInfo(const HostOptions& options)
{
    // As a host scanning its folders: resources only, no code runs.
    HMODULE module = LoadLibraryExA(options.module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        Say(options.module + ": cannot be opened (error " + std::to_string(GetLastError()) + ")");
        return 2;
    }
    const std::vector<ResourceBytes> pipls = ReadPiplResources(module);
    if (pipls.empty())
        Say("no PIPL resource: not a plug-in module");
    for (const ResourceBytes& resource : pipls) {
        PiplInfo pipl;
        std::string error;
        if (!ParsePipl(resource.bytes, pipl, error)) {
            Say(error);
            continue;
        }
        Say("PIPL " + std::to_string(resource.id) + " language " + std::to_string(resource.language) + ": reserved " +
            std::to_string(pipl.reserved) + ", version " + std::to_string(pipl.version) + ", " +
            std::to_string(pipl.count) + " properties, " + std::to_string(resource.bytes.size()) + " bytes");
        for (const PiplProperty& p : pipl.properties)
            Say("  " + FourCCText(p.vendor) + " " + FourCCText(p.key) + " id " + std::to_string(p.id) + " length " +
                std::to_string(p.length) + ": " + DescribeProperty(p));
        const PiplProperty* entry = pipl.Find(OwnEntryKey());
        Say(Join("entry for this host (", OwnArchitecture()) + ", " + FourCCText(OwnEntryKey()) +
            "): " + (entry ? CStringOf(*entry) : "none"));

        const PiplProperty* hstmProperty = pipl.Find(FourCC("hstm"));
        HasTerminology hstm;
        if (!hstmProperty || !ParseHasTerminology(*hstmProperty, hstm))
            continue;
        ResourceBytes aeteBytes;
        if (!ReadAeteResource(module, hstm.terminologyId, aeteBytes)) {
            Say("AETE " + std::to_string(hstm.terminologyId) + ": missing");
            continue;
        }
        AeteInfo aete;
        if (!ParseAete(aeteBytes.bytes, aete, error)) {
            Say(error);
            continue;
        }
        Say("AETE " + std::to_string(aeteBytes.id) + " language " + std::to_string(aeteBytes.language) + ":");
        for (const std::string& line : DescribeAete(aete, aeteBytes.bytes.size()))
            Say(line);
        const bool matches = aete.suiteId == hstm.classId && aete.eventClass == hstm.classId &&
                             aete.eventId == hstm.eventId;
        Say(std::string("terminology matches hstm: ") + (matches ? "yes" : "no"));
    }
    FreeLibrary(module);
    Say("version resource: " + DescribeVersionResource(options.module));
    return 0;
}

int RunModule(const HostOptions& options)
{
    HostDocument document;
    std::string error;
    if (options.command == "run" && options.selectors.empty()) {
        const bool deep = options.depth != 8 || options.grey;
        const bool loaded = deep                     ? LoadDocumentAt(options, document, error)
                            : options.synthetic > 0 ? MakeSyntheticLayer(options.synthetic, document)
                                                    : LoadDocument(options.input, options.mask, document, error);
        if (!loaded) {
            Say("host: " + (error.empty() ? std::string("no memory for the document") : error));
            return 2;
        }
    } else {
        MakeSyntheticLayer(4, document);  // a record needs some document behind it
    }

    const std::vector<UiStep> script = options.ui.empty() ? std::vector<UiStep>() : ParseUiScript(options.ui);
    SetColorChoiceError(options.colorChoiceError);
    CFilterHost host(options, document);
    if (!host.Load(error)) {
        Say("host: " + error);
        return 2;
    }
    const HostDocument original = options.repeat > 1 ? document : HostDocument();
    bool loaded = true;
    bool scriptFailed = false;
    const auto call = [&options, &host] {
        if (options.command == "about")
            host.CallAbout();
        else if (!options.selectors.empty())
            host.CallSelectors(options.selectors);
        else
            host.RunSequence();
    };
    // The module's dialogs belong to the thread that calls it.
    const auto callWatched = [&] {
        if (script.empty()) {
            CDialogWatcher watcher(GetCurrentThreadId(), options.dialogTimeLimitMs);
            call();
            return;
        }
        CUiSync sync;
        UiDriverSettings settings;
        settings.uiThread = GetCurrentThreadId();
        settings.sync = &sync;
        settings.steps = script;
        settings.stepTimeLimitMs = options.uiTimeLimitMs;
        settings.hostPicksColours = !options.noColorServices && options.colorChoiceError == 0;
        CUiDriver driver(settings);
        call();
        driver.Finish();
        scriptFailed = scriptFailed || driver.Failed();
    };
    const auto callModule = [&] {
        for (int run = 1; run <= options.repeat && loaded; ++run) {
            if (options.repeat > 1) {
                Say("run " + std::to_string(run) + " of " + std::to_string(options.repeat));
                if (run > 1)
                    document.pixels = original.pixels;
                if (run > 1 && options.reload) {
                    host.Unload();
                    loaded = host.Load(error);
                    if (!loaded)
                        break;
                }
            }
            callWatched();
            if (options.resources)
                Say("resources after run " + std::to_string(run) + ": " + DescribeResources(MeasureProcess()));
        }
    };
    if (options.workerThread) {
        // Like hosts that call plug-ins from a worker thread while their
        // window stays with the user-interface thread.
        std::thread worker(callModule);
        worker.join();
    } else {
        callModule();
    }
    if (!loaded) {
        Say("host: " + error);
        return 2;
    }
    if (!options.output.empty() && options.selectors.empty()) {
        const bool deep = document.depth != 8 || document.colours != 3;
        if (!(deep ? SaveDocumentAt(options.output, document, error) : SaveDocument(options.output, document, error))) {
            Say("host: " + error);
            return 2;
        }
        Say("wrote " + options.output);
    }
    if (scriptFailed) {
        Say("host: the --ui script failed");
        return 3;
    }
    Say("host: done");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    SetUnhandledExceptionFilter(ReportCrash);
    // Errors go to our report, not to a system dialog nobody would close.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    try {
        const HostOptions options = ParseHostOptions(std::vector<std::string>(argv + 1, argv + argc));
        return options.command == "info" ? RunInfo(options) : RunModule(options);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "veydra-host: %s\n%s", e.what(), HostUsage());
        return 2;
    }
}
