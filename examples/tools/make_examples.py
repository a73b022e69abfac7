#!/usr/bin/env python3
"""Writes the example chart files of this folder.

Each chart is computed the way a control-chart application would compute it and then written as
a chart file: one member per key, whole arrays from index 0, per-split values at entry s + 1 of
the 1-based arrays (Ucl, Lcl, Mx, Mr) and at entry s of the 0-based ones (Split, SplitRun).

    python3 examples/tools/make_examples.py    # rewrites examples/*.json
"""

import datetime
import json
import math
import os
import random
import statistics

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)

# Control-chart constants for subgroups of five.
A2, D3, D4 = 0.577, 0.0, 2.114
# Individuals chart: 3 / d2 with d2 = 1.128 for moving ranges of two.
E2, D4_MR = 2.66, 3.267


def dates(first, count):
    start = datetime.date.fromisoformat(first)
    return [(start + datetime.timedelta(days=k)).isoformat() for k in range(count)]


def fmt(value):
    return json.dumps(value, ensure_ascii=False)


def write_chart(name, members):
    """One member per line; long lists wrap with one item or row per position."""
    lines = []
    for key, value in members:
        text = fmt(value)
        if len(text) + len(key) + 6 > 100 and isinstance(value, list):
            items = [fmt(v) for v in value]
            rows, row = [], "    "
            for item in items:
                if len(row) + len(item) + 2 > 100:
                    rows.append(row.rstrip())
                    row = "    "
                row += item + ", "
            rows.append(row.rstrip().rstrip(","))
            text = "[\n" + ",\n".join(r.rstrip(",") for r in rows) + "\n  ]"
        lines.append("  " + fmt(key) + ": " + text)
    with open(os.path.join(OUT, name), "w", encoding="utf-8") as f:
        f.write("{\n" + ",\n".join(lines) + "\n}\n")


def lines_per_place(splits, count, graphs):
    """PointStats arrays: for each place a [graph0, graph1] pair of the split's lines."""
    ucl, lcl, centre, ucl_on, lcl_on, centre_on = ([] for _ in range(6))
    for place in range(count):
        s = next(i for i, sp in enumerate(splits) if sp["first"] <= place <= sp["last"])
        row = [graphs[g](splits[s], place) for g in range(2)]
        ucl.append([r[0] for r in row])
        lcl.append([r[1] for r in row])
        centre.append([r[2] for r in row])
        ucl_on.append([r[3] for r in row])
        lcl_on.append([r[4] for r in row])
        centre_on.append([r[5] for r in row])
    return [("PointStatsUcl", ucl), ("PointStatsLcl", lcl), ("PointStatsCentre", centre),
            ("PointStatsblnUclVisible", ucl_on), ("PointStatsblnLclVisible", lcl_on),
            ("PointStatsblnCentreVisible", centre_on)]


def measurements():
    """Fill weights, one bag a day: an XmR chart with two limit splits and a run split."""
    x = [501.8, 502.4, 501.5, 502.9, 502.1, 501.2, 502.6, 501.9, 502.3, 507.4,
         502.0, 501.6, 502.5, 501.7, 502.2,                        # split 0: 507.4 beyond UCL
         502.6, 502.9, 502.4, 503.0, 502.7, 503.9, 504.2, 503.8, 504.4, 504.0,
         503.7, 504.3, 504.1, 503.9, 502.8,                        # split 1: nine above centre
         503.2, 502.8, 503.5, 503.1, 502.6, 503.4, 503.0, 502.9, 503.3, 503.6]  # run split
    bounds = [0, 15, 30, 40]
    mr = [round(abs(x[k] - x[k - 1]), 1) for k in range(1, len(x))]   # MR of place k at k - 1
    # A moving range across a split boundary mixes two periods: stored, not plotted.
    mr_flags = [0 if k in bounds[1:-1] else 1 for k in range(1, len(x))]
    splits = []
    for s in range(3):
        first, last = bounds[s], bounds[s + 1] - 1
        xs = x[first:last + 1]
        mrs = [mr[k - 1] for k in range(first + 1, last + 1)]
        if s < 2:
            xbar, mrbar = statistics.mean(xs), statistics.mean(mrs)
            splits.append(dict(first=first, last=last, run=0, mx=round(xbar, 2),
                               mr=round(mrbar, 3), ucl=[round(xbar + E2 * mrbar, 2),
                                                        round(D4_MR * mrbar, 3)],
                               lcl=[round(xbar - E2 * mrbar, 2), 0]))
        else:  # run split: central lines only, the medians
            splits.append(dict(first=first, last=last, run=1, mx=round(statistics.median(xs), 2),
                               mr=round(statistics.median(mrs), 3), ucl=[0, 0], lcl=[0, 0]))

    def graph0(sp, place):
        limits = not sp["run"]
        return sp["ucl"][0], sp["lcl"][0], sp["mx"], limits, limits, True

    def graph1(sp, place):  # a moving-range chart has no lower limit
        return sp["ucl"][1], 0, sp["mr"], not sp["run"], False, True

    members = [
        ("CType", -1),
        ("Title", ["Fill weight of 500 g bags", "Filler 2, one bag a day"]),
        ("VAxis", ["Weight (g)", "Moving range (g)"]),
        ("IsDataIn", True),
        ("DecimalPlaces", 1),
        ("TNVal", len(x) - 1),
        ("Splitp", 3),
        ("Split", bounds),
        ("SplitRun", [sp["run"] for sp in splits]),
        ("Mx", [sp["mx"] for sp in splits]),
        ("Mr", [sp["mr"] for sp in splits]),
        ("Ucl", [sp["ucl"] for sp in splits]),
        ("Lcl", [sp["lcl"] for sp in splits]),
        ("HAxL", dates("2024-03-04", len(x))),
        ("XData", x),
        ("XDataI", [1] * len(x)),
        ("RData", mr),
        ("RDataI", mr_flags),
    ] + lines_per_place(splits, len(x), [graph0, graph1])
    write_chart("measurements.json", members)


def subgroups():
    """Shaft diameters, five a day: an X-bar R chart before and after a tool change."""
    rng = random.Random(20240506)
    raw = []
    for day in range(25):
        centre, spread = (12.000, 0.010) if day < 15 else (12.004, 0.006)
        if day == 9:
            centre += 0.016                       # a bad setting: the mean goes beyond its UCL
        if day >= 18:
            centre += 0.0025 * (day - 17)         # tool wear: the means climb day after day
        raw.append([round(rng.gauss(centre, spread), 3) for _ in range(5)])
    means = [round(statistics.mean(g), 4) for g in raw]
    ranges = [round(max(g) - min(g), 3) for g in raw]
    bounds = [0, 15, 25]
    splits = []
    for s in range(2):
        first, last = bounds[s], bounds[s + 1] - 1
        xbarbar = statistics.mean(means[first:last + 1])
        rbar = statistics.mean(ranges[first:last + 1])
        splits.append(dict(first=first, last=last, mx=round(xbarbar, 4), mr=round(rbar, 4),
                           ucl=[round(xbarbar + A2 * rbar, 4), round(D4 * rbar, 4)],
                           lcl=[round(xbarbar - A2 * rbar, 4), round(D3 * rbar, 4)]))

    def graph0(sp, place):
        return sp["ucl"][0], sp["lcl"][0], sp["mx"], True, True, True

    def graph1(sp, place):  # D3 is 0 for subgroups of five: the range chart has no LCL
        return sp["ucl"][1], sp["lcl"][1], sp["mr"], True, False, True

    pairs = [v for k in range(25) for v in (means[k], ranges[k])]
    members = [
        ("CType", -3),
        ("Title", ["Shaft diameter, 12 mm nominal", "Lathe 4, five shafts a day"]),
        ("VAxis", ["Mean diameter (mm)", "Range (mm)"]),
        ("IsDataIn", True),
        ("SubGroupSampeSize", 5),
        ("DecimalPlaces", 3),
        ("TNVal", 5 * 25 - 1),
        ("NSam", 24),
        ("Splitp", 2),
        ("Split", bounds),
        ("Mx", [sp["mx"] for sp in splits]),
        ("Mr", [sp["mr"] for sp in splits]),
        ("Ucl", [sp["ucl"] for sp in splits]),
        ("Lcl", [sp["lcl"] for sp in splits]),
        ("HAxL", dates("2024-05-06", 25)),
        ("XData", [v for g in raw for v in g]),
        ("XDataI", [1] * 125),
        ("RData", pairs),
        ("RDataI", [1] * 25),
    ] + lines_per_place(splits, 25, [graph0, graph1])
    write_chart("subgroups.json", members)


def varying_limits():
    """Proportion of faulty welds a day, with as many welds inspected as were made."""
    rng = random.Random(20240902)
    n = [rng.randint(180, 420) for _ in range(30)]
    faulty = []
    for day in range(30):
        p = 0.045
        if day == 11:
            p = 0.12                              # a bad wire batch: above its UCL
        if 20 <= day <= 28:
            p = 0.022                             # a new welding programme: a run below centre
        faulty.append(max(0, round(rng.gauss(n[day] * p, math.sqrt(n[day] * p * (1 - p))))))
    pbar = sum(faulty) / sum(n)
    p = [round(d / m, 4) for d, m in zip(faulty, n)]
    sigma = [math.sqrt(pbar * (1 - pbar) / m) for m in n]
    ucl = [round(pbar + 3 * s, 4) for s in sigma]
    lcl = [round(max(0.0, pbar - 3 * s), 4) for s in sigma]
    nbar = statistics.mean(n)
    sbar = math.sqrt(pbar * (1 - pbar) / nbar)
    centre = round(pbar, 4)
    members = [
        ("CType", -4),
        ("Title", ["Faulty welds", "Robot cell 3, all welds inspected daily"]),
        ("VAxis", ["Proportion faulty", ""]),
        ("strpuColDescription", ["Faulty welds", "Welds inspected"]),
        ("IsDataIn", True),
        ("blnWavypuChart", True),
        ("TNVal", 29),
        ("Splitp", 1),
        ("Split", [0, 30]),
        ("Mr", [centre]),
        ("Ucl", [[round(pbar + 3 * sbar, 4), 0]]),
        ("Lcl", [[round(max(0.0, pbar - 3 * sbar), 4), 0]]),
        ("HAxL", dates("2024-09-02", 30)),
        ("GV", p),
        ("PGVI", [1] * 30),
        ("PointStatsUcl", [[u, 0] for u in ucl]),
        ("PointStatsLcl", [[l, 0] for l in lcl]),
        ("PointStatsCentre", [[centre, 0] for _ in n]),
        ("PointStatsblnUclVisible", [[True, False] for _ in n]),
        ("PointStatsblnLclVisible", [[l > 0, False] for l in lcl]),
        ("PointStatsblnCentreVisible", [[True, False] for _ in n]),
    ]
    write_chart("varying-limits.json", members)


def patterns():
    """Paint film thickness, one panel a day: an XmR chart on which every test finds something.

    Split 2's limits stay in force for split 3 (an extras split), so that the over-adjusted and
    the over-steady stretches are judged against the limits of an ordinary period."""
    x = [
        # split 0, start-up: a paint sag above the UCL, a blocked nozzle below the LCL
        60.3, 59.5, 60.8, 59.6, 60.6, 59.1, 60.1, 60.5, 66.4, 59.7, 60.7, 59.2, 60.4, 58.9,
        61.1, 60.2, 59.6, 60.9, 59.3, 60.2, 53.8, 60.6, 59.2, 60.3, 59.8,
        # split 1, a new paint supplier
        60.8, 59.1, 60.5, 59.2, 60.7, 59.4,
        61.4, 62.4, 61.3, 62.3, 61.1, 61.6, 61.2, 61.7,          # first batch: thick
        61.4, 60.2, 59.7, 58.7, 58.3,                            # six days thinner and thinner
        58.8, 57.5, 58.7, 57.7, 58.4, 58.9, 58.2, 58.8, 59.1,    # second batch: thin
        60.6, 59.2, 60.7, 59.1, 60.5, 59.3, 60.9, 59.4,
        # split 2, the spray gun serviced: one thick coat, over-corrected the next day
        60.4, 59.3, 60.1, 60.9, 59.6, 60.3, 59.0, 60.6, 59.8, 60.7, 63.0, 57.0, 60.2, 59.5,
        60.8, 59.4, 60.0, 60.5, 59.1, 60.3, 59.7, 60.9, 59.6, 60.2, 59.9,
        # split 3, extra values against the fixed limits of split 2
        61.7, 58.4, 61.6, 58.2, 61.9, 58.5, 61.5, 58.3, 61.8, 58.6, 61.6, 58.1, 61.7, 58.4,
        61.5, 58.3,                                              # adjusted after every panel
        60.1, 59.8, 60.2, 59.9, 60.3, 60.0, 59.7, 60.2, 59.8, 60.1, 59.9, 60.3, 59.8, 60.2,
        59.9, 60.1]                                              # automatic thickness control
    bounds = [0, 25, 61, 86, 118]
    fixed = [0, 0, 0, -1]
    mr = [round(abs(x[k] - x[k - 1]), 1) for k in range(1, len(x))]   # MR of place k at k - 1
    mr_flags = [0 if k in bounds[1:-1] else 1 for k in range(1, len(x))]
    splits = []
    for s in range(4):
        first, last = bounds[s], bounds[s + 1] - 1
        if fixed[s]:  # carries the lines of the split before it
            splits.append(dict(splits[-1], first=first, last=last))
            continue
        xbar = statistics.mean(x[first:last + 1])
        mrbar = statistics.mean(mr[k - 1] for k in range(first + 1, last + 1))
        splits.append(dict(first=first, last=last, mx=round(xbar, 2), mr=round(mrbar, 3),
                           ucl=[round(xbar + E2 * mrbar, 2), round(D4_MR * mrbar, 3)],
                           lcl=[round(xbar - E2 * mrbar, 2), 0]))

    def graph0(sp, place):
        return sp["ucl"][0], sp["lcl"][0], sp["mx"], True, True, True

    def graph1(sp, place):  # a moving-range chart has no lower limit
        return sp["ucl"][1], 0, sp["mr"], True, False, True

    members = [
        ("CType", -1),
        ("Title", ["Paint film thickness", "Paint line 1, one panel a day"]),
        ("VAxis", ["Film thickness (µm)", "Moving range (µm)"]),
        ("IsDataIn", True),
        ("DecimalPlaces", 1),
        ("TNVal", len(x) - 1),
        ("Splitp", 4),
        ("Split", bounds),
        ("NewXV", fixed),
        ("Mx", [sp["mx"] for sp in splits]),
        ("Mr", [sp["mr"] for sp in splits]),
        ("Ucl", [sp["ucl"] for sp in splits]),
        ("Lcl", [sp["lcl"] for sp in splits]),
        ("HAxL", dates("2024-06-03", len(x))),
        ("XData", x),
        ("XDataI", [1] * len(x)),
        ("RData", mr),
        ("RDataI", mr_flags),
    ] + lines_per_place(splits, len(x), [graph0, graph1])
    write_chart("patterns.json", members)


if __name__ == "__main__":
    measurements()
    subgroups()
    varying_limits()
    patterns()
