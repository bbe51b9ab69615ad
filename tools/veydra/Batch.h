// `veydra render IN... --out-dir DIR`: many files, several at once.
//
// Each render already shares its rows among worker threads, so a batch
// splits the machine between files and threads: N files at once (-j N;
// by default one per hardware thread, but never more than there are files),
// each render with the hardware threads / N (at least one) unless --threads
// says otherwise. Many small files thus keep every core busy with whole
// files, which scales best (reading and writing a PNG is mostly one
// thread's work), while one large file still gets every thread.
#pragma once

#include <iosfwd>

#include "Options.h"

struct BatchSplit {
    int jobs;              // files rendered at once
    int threadsPerRender;  // worker threads of each
};

// `jobsAsked` and `threadsAsked` are -j and --threads (0 when not given);
// `hardwareThreads` is what one render would use on its own.
BatchSplit SplitBatch(int files, int jobsAsked, int threadsAsked, int hardwareThreads);

// Renders every input into options.outDir (made when missing). One line per
// file as it finishes: "IN -> OUT" on `out`, or the error on `err`; a file
// that fails leaves the others going. With `showProgress` a running count is
// kept on the last line of `err` (for a terminal). Returns the exit status:
// 0 when every file was written, 1 when any failed.
int RunBatch(const RenderOptions& options, std::ostream& out, std::ostream& err, bool showProgress);
