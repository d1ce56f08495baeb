#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Turns a JSON run of xelopts_bench into the ratio tables of bench/README.md.

Usage: bench_ratios.py RESULT.json

Takes the median of the repetitions when the run has them (CPU time), pairs
each xelopts case with its peer, and prints Markdown tables of the ratios
xelopts/peer against their targets and the heap allocations per scan of both
sides, the growth exponent of each side on the permutation-heavy vectors,
BackupOptionsParser against each option library the binary was built with,
and xeljob --lines per line against one parse of the line with a report.
"""
import json
import math
import sys

SIZES = (100, 1000, 10000)

# (label, our benchmark, peer benchmark, target ratio)
PAIRS = (
    [("typical backup line, names as literals (table building included)",
      "typical/xelopts", "typical/libc", 0.8),
     ("typical backup line, names as char* (table building included)",
      "typical/xelopts_char", "typical/libc", 0.8)]
    + [(f"long vector, {n:,} words", f"long/xelopts/{n}", f"long/libc/{n}",
        0.8) for n in SIZES]
    + [(f"permutation-heavy, {n:,} words", f"permute/xelopts/{n}",
        f"permute/libc/{n}", 1.0 if n < 1000 else 0.5) for n in SIZES]
    + [("BackupOptionsParser vs hand-written getopt_long_only parser",
        "backup_parser/xelopts", "backup_parser/handwritten", 0.6)]
    + [("BackupOptionsParser with a parse report vs hand-written parser",
        "backup_parser/xelopts_report", "backup_parser/handwritten", None)]
    + [("typical backup record written as its command line vs the line "
        "parsed into the record", "backup_write/xelopts",
        "backup_request/xelopts", 1.0)]
)


# The typical request through BackupOptionsParser and through the option
# libraries (backup_request/<peer>), listed in this order, then any other.
# Sides named xelopts* are ours, never a peer.
REQUEST_CASE = "backup_request"
LIBRARY_PEERS = ("cli11", "cxxopts", "boost_po")
LIBRARY_TARGET = 0.05


def load(path):
    """The run's context, and benchmark name -> (median CPU time in ns,
    allocations per scan)."""
    with open(path, encoding="utf-8") as handle:
        data = json.load(handle)
    samples, medians = {}, {}
    for entry in data["benchmarks"]:
        if entry.get("error_occurred"):
            continue
        name = entry.get("run_name", entry["name"])
        scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[entry["time_unit"]]
        point = (entry["cpu_time"] * scale, entry.get("allocs_per_scan"))
        if entry.get("run_type") == "aggregate":
            if entry.get("aggregate_name") == "median":
                medians[name] = point
        else:
            samples.setdefault(name, []).append(point)
    for name, points in samples.items():
        if name not in medians:
            times = sorted(p[0] for p in points)
            medians[name] = (times[len(times) // 2], points[0][1])
    return data.get("context", {}), medians


def nanoseconds(value):
    return f"{value:,.0f}" if value >= 100 else f"{value:.1f}"


def allocations(value):
    return "-" if value is None else f"{value:g}"


def exponent(results, side, low, high):
    first = results.get(f"permute/{side}/{low}")
    second = results.get(f"permute/{side}/{high}")
    if first is None or second is None:
        return None
    return math.log(second[0] / first[0]) / math.log(high / low)


def print_library_table(context, results):
    ours = results.get(f"{REQUEST_CASE}/xelopts")
    if ours is None:
        return
    prefix = f"{REQUEST_CASE}/"
    found = [name[len(prefix):] for name in results
             if name.startswith(prefix)
             and not name[len(prefix):].startswith("xelopts")]
    peers = ([p for p in LIBRARY_PEERS if p in found]
             + sorted(p for p in found if p not in LIBRARY_PEERS))
    print()
    if not peers:
        print("No option library in this run (configure found none).")
        return
    print("The typical request parsed into the same record by "
          "BackupOptionsParser and by each option library:")
    print()
    print("| peer | xelopts (ns) | peer (ns) | ratio | target | met "
          "| allocs/parse xelopts | allocs/parse peer |")
    print("|---|---:|---:|---:|---:|---|---:|---:|")
    our_time, our_allocs = ours
    report = results.get(f"{REQUEST_CASE}/xelopts_report")
    for peer in peers:
        their_time, their_allocs = results[prefix + peer]
        ratio = our_time / their_time
        label = context.get(prefix + peer, peer)
        print(f"| {label} | {nanoseconds(our_time)} | "
              f"{nanoseconds(their_time)} | {ratio:.3f} | "
              f"<= {LIBRARY_TARGET:g} | "
              f"{'yes' if ratio <= LIBRARY_TARGET else 'NO'} | "
              f"{allocations(our_allocs)} | {allocations(their_allocs)} |")
    if report is not None:
        print()
        print(f"With a parse report, BackupOptionsParser takes "
              f"{nanoseconds(report[0])} ns and {allocations(report[1])} "
              f"allocations per parse of the request.")


# xeljob --lines against one parse of the same line with a report, per kind.
LINES_KINDS = ("backup", "restore", "scan")
LINES_TARGET = 4.0


def print_lines_table(results):
    rows = [(kind, results.get(f"lines/xelopts/{kind}"),
             results.get(f"lines/parse_report/{kind}"))
            for kind in LINES_KINDS]
    rows = [row for row in rows if row[1] is not None and row[2] is not None]
    if not rows:
        return
    print()
    print("xeljob --lines, one typical line at a time, against one parse of "
          "the same line with a report:")
    print()
    print("| kind | --lines per line (ns) | parse with report (ns) | ratio "
          "| target | met | lines/s | 1,000,000 lines (s) "
          "| allocs/line | allocs/parse |")
    print("|---|---:|---:|---:|---:|---|---:|---:|---:|---:|")
    for kind, (line_time, line_allocs), (parse_time, parse_allocs) in rows:
        ratio = line_time / parse_time
        print(f"| {kind} | {nanoseconds(line_time)} | "
              f"{nanoseconds(parse_time)} | {ratio:.1f} | "
              f"<= {LINES_TARGET:g} | "
              f"{'yes' if ratio <= LINES_TARGET else 'NO'} | "
              f"{1e9 / line_time:,.0f} | {line_time * 1e6 / 1e9:.1f} | "
              f"{allocations(line_allocs)} | {allocations(parse_allocs)} |")


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    context, results = load(argv[1])
    print("| case | xelopts (ns) | peer (ns) | ratio | target | met "
          "| allocs/scan xelopts | allocs/scan peer |")
    print("|---|---:|---:|---:|---:|---|---:|---:|")
    for label, ours, theirs, target in PAIRS:
        if ours not in results or theirs not in results:
            continue
        (our_time, our_allocs), (their_time, their_allocs) = (
            results[ours], results[theirs])
        ratio = our_time / their_time
        goal = "-" if target is None else f"<= {target:g}"
        met = "-" if target is None else ("yes" if ratio <= target else "NO")
        print(f"| {label} | {nanoseconds(our_time)} | "
              f"{nanoseconds(their_time)} | {ratio:.2f} | {goal} | {met} | "
              f"{allocations(our_allocs)} | {allocations(their_allocs)} |")
    rows = []
    for side, label in (("xelopts", "xelopts"), ("libc", "C library")):
        slopes = [exponent(results, side, SIZES[i], SIZES[i + 1])
                  for i in range(len(SIZES) - 1)]
        if None not in slopes:
            rows.append(f"| {label} | "
                        + " | ".join(f"{k:.2f}" for k in slopes) + " |")
    if rows:
        print()
        print("Growth exponent on the permutation-heavy vectors "
              "(time ~ words^k):")
        print()
        print("| side | 100 -> 1,000 | 1,000 -> 10,000 |")
        print("|---|---:|---:|")
        print("\n".join(rows))
    print_library_table(context, results)
    print_lines_table(results)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
