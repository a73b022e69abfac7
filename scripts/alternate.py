#!/usr/bin/env python3
"""Times two commands in turn, A B A B ..., as whole processes, and prints the medians.

    scripts/alternate.py RUNS 'COMMAND A' 'COMMAND B'

Each command is split as a shell splits words and run without a shell, its output thrown away.
One run of each comes first and is not counted. For every counted run: the wall time (a
monotonic clock around the child) and the processor time the kernel accounts the finished child
(wait4). Printed are the minimum, median and maximum of each, and the ratio A/B of both taken
pair by pair, so that the machine's drift during the call moves both commands alike.

The peak resident memory comes from three more runs of each under GNU time: a child of this
interpreter counts the interpreter's own memory, from before its exec, in its peak.
"""

import os
import shlex
import statistics
import subprocess
import sys
import time


def run_once(argv):
    """Wall seconds and processor seconds of one run of argv."""
    start = time.monotonic()
    child = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.monotonic() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        sys.exit(f"{argv[0]} exited with {child.returncode}")
    return wall, usage.ru_utime + usage.ru_stime


def peak_mib(argv):
    """The peak resident memory of one run of argv, as GNU time reports it."""
    done = subprocess.run(["/usr/bin/time", "-f", "%M", *argv], stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                          check=True)
    return int(done.stderr.strip().splitlines()[-1]) / 1024


def spread(values):
    return min(values), statistics.median(values), max(values)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    runs = int(sys.argv[1])
    commands = {"A": shlex.split(sys.argv[2]), "B": shlex.split(sys.argv[3])}
    for argv in commands.values():
        run_once(argv)
    results = {"A": [], "B": []}
    for _ in range(runs):
        for name, argv in commands.items():
            results[name].append(run_once(argv))
    rows = []
    for name in ("A", "B"):
        walls, cpus = zip(*results[name])
        peaks = [peak_mib(commands[name]) for _ in range(3)]
        rows.append((f"{name} wall s", spread(walls), "{:.3f}"))
        rows.append((f"{name} cpu s", spread(cpus), "{:.3f}"))
        rows.append((f"{name} peak MiB", spread(peaks), "{:.1f}"))
    for what, index in (("wall", 0), ("cpu", 1)):
        ratios = [a[index] / b[index] for a, b in zip(results["A"], results["B"]) if b[index] > 0]
        rows.append((f"A/B {what}", spread(ratios), "{:.4f}"))
    print(f"{'':18} {'min':>10} {'median':>10} {'max':>10}   ({runs} runs each)")
    for label, values, form in rows:
        print(f"{label:18} " + " ".join(f"{form.format(v):>10}" for v in values))


if __name__ == "__main__":
    main()
