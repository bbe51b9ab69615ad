"""The stage times that `veydra render --timings` prints, gathered over
several runs from a file of its stderr lines. Used by the benchmark
scripts (cli_stages.sh, cli_depth.sh); standard library only."""
import re
import statistics

# The stages between decoding and encoding: the engine itself.
ENGINE_STAGES = ["object bounds", "image+object buffers", "texture+blur", "render", "composite"]


def read_stage_times(path):
    """{stage: [ms of each run]} in the order the stages first appear,
    with "engine alone" (per run, the sum of the engine stages; a run ends
    with its "png encode") last. Lines that are not timings are passed over."""
    stages, run, engine = {}, {}, []
    for line in open(path):
        m = re.match(r"timing: (.+?)\s+([0-9.]+) ms", line)
        if not m:
            continue
        stage, ms = m.group(1), float(m.group(2))
        stages.setdefault(stage, []).append(ms)
        run[stage] = ms
        if stage == "png encode":
            engine.append(sum(run.get(s, 0) for s in ENGINE_STAGES))
            run = {}
    stages["engine alone"] = engine
    return stages


def min_median(times):
    """"  min / median" of a stage's runs, or "-" when it has none."""
    return f"{min(times):7.1f} / {statistics.median(times):7.1f}" if times else "-"
