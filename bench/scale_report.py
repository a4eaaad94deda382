#!/usr/bin/env python3
"""Prints the scale job's table: bench/scale_report.py OURS_JSON TOOLS_JSON MILLIONS [LANGUAGE]
(run by bench/scale.sh)."""
import json
import sys

STEPS = [("1 import ms", "import", 2000), ("2 duplicates ms", "\"Duplicate Entries\"", 2000),
         ("3 sort ms", "sort ascending", 6000), ("4 spaces ms", "\"Repeated Spaces\"", 2000),
         ("5 highlight ms", "highlight by a term", 2000), ("6 export ms", "export to a file", 2000)]


def main(ours_path, tools_path, millions, language="en"):
    runs = json.load(open(ours_path))["benchmarks"]
    single = [r for r in runs if r.get("run_type") == "iteration"]
    # A single run has no aggregates: it is its own median.
    median = next((r for r in runs if r.get("aggregate_name") == "median"), single[-1])
    tools_ms = json.load(open(tools_path))["results"][0]["median"] * 1000
    file_mb = single[-1]["file MB"]
    peak_mb = max(r["peak RSS MB"] for r in single)
    print(f"\n{float(millions) * 1e6:,.0f} phrases ({language}), file {file_mb:.0f} MB, {len(single)} runs: "
          f"{single[-1]['imported']:,.0f} imported, {single[-1]['unique']:,.0f} left after duplicates, "
          f"{single[-1]['highlighted']:,.0f} highlighted")
    print(f"{'step':28s} {'median ms':>10s} {'target ms':>10s}")
    total = 0.0
    for key, name, target in STEPS:
        total += median[key]
        verdict = "" if millions != "10" else ("  met" if median[key] <= target else "  MISSED")
        print(f"{name:28s} {median[key]:10.0f} {target:10d}{verdict}")
    ratio = tools_ms / total
    print(f"{'whole job':28s} {total:10.0f}")
    print(f"{'standard tools, one pipeline':28s} {tools_ms:10.0f}   tools / ours = {ratio:.1f}x (target 3x)")
    print(f"peak resident memory {peak_mb:.0f} MB = {peak_mb / file_mb:.2f} x the file (target under 3.5 x)")


if __name__ == "__main__":
    main(*sys.argv[1:5])
