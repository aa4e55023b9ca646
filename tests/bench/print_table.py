#!/usr/bin/env python3
"""Reads the benchmark rows (label, ours, baseline, baseline's name, unit;
tab-separated) from the files given and prints them as one Markdown table
with the ratio ours / baseline (a baseline of 0 means none), followed by the
machine it ran on."""

import datetime
import os
import subprocess
import sys


def machine():
    model = "unknown CPU"
    try:
        with open("/proc/cpuinfo") as cpuinfo:
            for line in cpuinfo:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
        with open("/proc/meminfo") as meminfo:
            memory_kib = int(meminfo.readline().split()[1])
    except OSError:
        memory_kib = 0
    try:
        wine = subprocess.run(["wine", "--version"], stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True, timeout=30).stdout.strip()
    except (OSError, subprocess.SubprocessError):
        wine = "wine not found"
    load = " ".join(f"{value:.2f}" for value in os.getloadavg())
    return (f"{os.cpu_count()} cores, {model}, {memory_kib / (1 << 20):.1f} GiB memory, {wine}, "
            f"load average {load} at the end, {datetime.datetime.now():%Y-%m-%d %H:%M}")


def figure(value, unit):
    if unit == "s":
        return f"{value * 1000:.1f} ms" if value < 10 else f"{value:.2f} s"
    return f"{value:.1f} {unit}"


def main(paths):
    print("| figure | ours | baseline | baseline is | ratio |")
    print("|---|---:|---:|---|---:|")
    for path in paths:
        with open(path) as rows:
            for line in rows:
                fields = line.rstrip("\n").split("\t")
                if len(fields) == 4:
                    fields.append("s")
                if len(fields) != 5:
                    continue
                label, ours, baseline, name, unit = fields
                ours, baseline = float(ours), float(baseline)
                ratio = f"{ours / baseline:.2f}" if baseline > 0 else "-"
                shown = figure(baseline, unit) if baseline > 0 else "-"
                print(f"| {label} | {figure(ours, unit)} | {shown} | {name} | {ratio} |")
    print()
    print(f"Machine: {machine()}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
