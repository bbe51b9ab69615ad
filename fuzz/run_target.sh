#!/usr/bin/env bash
# Runs one fuzz target: first every input of its corpus once (the regression
# cases among them must still pass), then fuzzing for SECONDS from that
# corpus. New inputs go to WORKDIR, never into the repository's corpus;
# a crashing input is kept as WORKDIR/findings/crash-*.
#
# Prints one summary line: the target, the runs, executions per second, the
# inputs found and whether anything was found. Exits 1 on a finding.
# usage: run_target.sh FUZZ_EXE CORPUS_DIR WORKDIR SECONDS
set -uo pipefail
exe=$1 corpus=$2 work=$3 seconds=$4
name=$(basename "$exe")
rm -rf "$work"
mkdir -p "$work/new" "$work/findings"

# Leaks count as findings too; a single allocation beyond the limit (an
# input that makes the code ask for gigabytes) is reported, not survived.
limits=(-rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=20)

inputs=("$corpus"/*)
if ! "$exe" "${limits[@]}" "${inputs[@]}" >"$work/replay.log" 2>&1; then
    echo "$name: a corpus input fails:"
    grep -E 'ERROR|Running:|SUMMARY|deadly' "$work/replay.log" | tail -n 20
    exit 1
fi

"$exe" "${limits[@]}" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/findings/" \
    "$work/new" "$corpus" >"$work/fuzz.log" 2>&1
status=$?
stat() { awk -v key="stat::$1:" '$1 == key {print $2}' "$work/fuzz.log"; }
runs=$(stat number_of_executed_units)
rate=$(stat average_exec_per_sec)
found=$(ls "$work/new" | wc -l)
# Crashes, leaks, timeouts and out-of-memory inputs are findings; an input
# that merely ran slowly (libFuzzer keeps those too, and on a loaded machine
# any input can) is only counted.
findings=$(ls "$work/findings" | grep -vc '^slow-unit-' || true)
slow=$(ls "$work/findings" | grep -c '^slow-unit-' || true)
printf '%s: %s s, %s runs, %s exec/s, %s corpus inputs, %s new, findings: %s, slow inputs: %s\n' \
    "$name" "$seconds" "${runs:-?}" "${rate:-?}" "${#inputs[@]}" "$found" "$findings" "$slow"
if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
    grep -E 'ERROR|SUMMARY|deadly|Test unit written' "$work/fuzz.log" | tail -n 20
    exit 1
fi
