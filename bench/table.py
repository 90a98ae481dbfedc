#!/usr/bin/env python3
"""Prints one table from the JSON files that the benchmark binaries wrote.

Every figure stands beside its raw baseline from the same run; the ratio is what is compared
with the target, because absolute times on these machines are noisy."""
import json
import sys


def load(paths):
    runs = {}
    for path in paths:
        with open(path) as f:
            data = json.load(f)
        for b in data["benchmarks"]:
            if b.get("run_type") == "aggregate" and b.get("aggregate_name") not in ("median", "mean"):
                continue
            name = b.get("run_name", b["name"])
            kind = b.get("aggregate_name", "median")
            runs.setdefault(name, {})[kind] = b
    return runs


def seconds(b):
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b.get("time_unit", "ns")]
    return b["real_time"] * scale


class Table:
    def __init__(self, runs):
        self.runs = runs
        self.rows = []

    def get(self, name, kind="median"):
        entry = self.runs.get(name)
        return None if entry is None else entry.get(kind) or next(iter(entry.values()))

    def row(self, figure, value, baseline, ratio, target, met):
        verdict = "-" if met is None else ("yes" if met else "NO")
        self.rows.append((figure, value, baseline, ratio, target, verdict))

    def print(self):
        header = ("figure", "measured", "raw baseline", "ratio", "target", "met")
        widths = [max(len(str(r[i])) for r in self.rows + [header]) for i in range(len(header))]
        line = lambda r: "| " + " | ".join(str(c).ljust(w) for c, w in zip(r, widths)) + " |"
        print(line(header))
        print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
        for r in self.rows:
            print(line(r))


def rate(x):
    return f"{x:,.0f}/s"


def us(x):
    return f"{x * 1e6:.2f} us"


def main():
    t = Table(load(sys.argv[1:]))

    # Receive path in the core.
    for size in (5, 100):
        empty, full, decode = (t.get(f"BM_{n}/{size}") for n in ("ReceiveEmptyTranscript", "ReceiveFullTranscript", "DecodeOnly"))
        if empty and decode:
            r = empty["items_per_second"]
            t.row(f"receive path, {size}-byte body, empty transcript", rate(r), rate(decode["items_per_second"]) + " decode",
                  f"{seconds(empty) / seconds(decode):.1f} x decode", ">= 1,000,000/s", r >= 1e6)
        if empty and full:
            ratio = seconds(full) / seconds(empty)
            t.row(f"receive path, {size}-byte body, full 64K vs empty", us(seconds(full)), us(seconds(empty)) + " empty",
                  f"{ratio:.2f}", "<= 1.5", ratio <= 1.5)

    # Endpoint on loopback.
    raw, ours = t.get("BM_RawPingPong"), t.get("BM_EndpointRoundTrip")
    if raw and ours:
        ratio = ours["p50_us"] / raw["p50_us"]
        t.row("round trip p50 (Send, listener, hand-over)", f"{ours['p50_us']:.1f} us",
              f"{raw['p50_us']:.1f} us ping-pong", f"{ratio:.2f}", "<= 3", ratio <= 3)
    raw, ours = t.get("BM_RawHandOverRate/0/iterations:3/manual_time"), t.get("BM_EndpointRate/0/iterations:3/manual_time")
    if raw and ours:
        ratio = ours["delivered_per_s"] / raw["delivered_per_s"]
        t.row("delivered rate, sender at full speed", rate(ours["delivered_per_s"]),
              rate(raw["delivered_per_s"]) + " recvfrom+cv", f"{ratio:.2f}", ">= 0.8", ratio >= 0.8)

    def best_paced(prefix):
        best = 0
        for name in t.runs:
            if name.startswith(prefix) and "/iterations:1/" in name:
                b = t.get(name, "mean")
                paced = int(name.split("/")[1])
                if b["lost"] == 0:
                    best = max(best, paced)
        return best
    ours, raw = best_paced("BM_EndpointRate/"), best_paced("BM_RawHandOverRate/")
    if ours or raw:
        t.row("highest paced rate with zero loss (5k-40k)", rate(ours), rate(raw), f"{ours / raw:.2f}" if raw else "-",
              "report", None)

    # Files: the cost per entry at two sizes, against a raw read or write of the same bytes.
    files = [("settings load, peers", "SettingsLoad", "RawSettingsRead", (2499, 10000)),
             ("settings store peer list, peers", "SettingsStorePeers", "RawSettingsWrite", (2499, 10000)),
             ("peer-list file load, lines", "PeerListLoad", "RawListRead", (10000, 100000)),
             ("peer-list file save, lines", "PeerListSave", "RawListWrite", (10000, 100000)),
             ("RTF save, messages in a transcript of chars", "RtfSave", "RawRtfWrite", (16384, 65536))]
    for label, ours_name, raw_name, sizes in files:
        per, raw_per = [], []
        for size in sizes:
            ours, raw = t.get(f"BM_{ours_name}/{size}"), t.get(f"BM_{raw_name}/{size}")
            if not (ours and raw):
                continue
            n = ours["entries"]
            per.append(seconds(ours) / n)
            raw_per.append(seconds(raw) / n)
            t.row(f"{label} {size:,}", f"{seconds(ours) * 1e3:.2f} ms ({seconds(ours) / n * 1e9:.0f} ns/entry)",
                  f"{seconds(raw) * 1e3:.2f} ms", f"{seconds(ours) / seconds(raw):.2f}", "linear", None)
        if len(per) == 2:
            # Linear: the cost per entry at the large size is at most 1.5 x that at the small one, or
            # grows no more than the raw handling of the same bytes does (caches and the allocator
            # affect both alike).
            growth, raw_growth = per[1] / per[0], raw_per[1] / raw_per[0]
            ratio = growth / raw_growth
            t.row(f"{label}: per-entry cost, large / small", f"{growth:.2f}", f"{raw_growth:.2f}", f"{ratio:.2f}",
                  "growth <= 1.5 or ratio <= 1.5", growth <= 1.5 or ratio <= 1.5)

    # The history viewer on a 64 MiB day: the part shown (4 MiB) read and parsed in slices against a
    # plain read of the same bytes; the search through the whole day against reading it whole.
    # What counts for the window is the longest slice, in CPU time.
    for label, ours_name, raw_name in (("history: open a 64 MiB day, part shown", "OpenDay", "ReadShownPart"),
                                       ("history: search a whole 64 MiB day", "SearchWholeDay", "ReadWholeDay")):
        ours, raw = t.get(f"BM_{ours_name}"), t.get(f"BM_{raw_name}")
        if ours and raw:
            slice_ms = ours.get("longest_slice_cpu_ms", 0)
            t.row(label, f"{seconds(ours) * 1e3:.1f} ms (longest slice {slice_ms:.1f} ms CPU)",
                  f"{seconds(raw) * 1e3:.1f} ms", f"{seconds(ours) / seconds(raw):.2f}", "slice <= 50 ms",
                  slice_ms <= 50)

    # Process and window figures (written by bench/process_bench.py).
    for name in sorted(t.runs):
        if name.startswith("process/"):
            b = t.get(name)
            t.row(b["label"], b["measured"], b["baseline"], b["ratio"], b["target"], b.get("met"))

    t.print()


if __name__ == "__main__":
    main()
