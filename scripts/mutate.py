#!/usr/bin/env python3
"""Mutation score of the test suite over a fixed list of single-point mutants.

    scripts/mutate.py [--build build-mut] [--list scripts/mutants.txt] [--only N ...] [--killed-by TEST ...]
                      [--record FILE] [--report] [--show] [--quick [--first-from RECORD]]

Each line of the list is  file:line:operator  (a '#' starts a comment; a comment containing "equivalent" marks a
mutant that changes nothing observable, judged by hand, and leaves it out of the score). Operators act on the
first match on that line, or on the n-th with a suffix "@n":

    negate        if (C) / while (C)  ->  if (!(C))
    lt-le le-lt gt-ge ge-gt eq-ne ne-eq and-or or-and true-false false-true
    plus1 minus1  an integer constant changed by one
    delete        the line (a whole statement) removed
    swapI,J       arguments I and J (from 0) of the first call on the line swapped

For each mutant the script changes the file, rebuilds everything (ninja rebuilds only what the change touches),
runs every test whose program was linked again and every test carrying the folder's CTest label (tools/ mutants
reach the tests through the staged tools, which carry the label tools), all of them, 60 s each, and puts the file
back. A mutant is killed when a test fails; one that does not compile is reported and left out. The tests that
killed each mutant are kept in a record (mutants.json in the build folder), so that after a change to some tests
only the mutants those tests killed need running again (--killed-by), and --report gives the score from it.
The mutants are written into this checkout's own sources while it runs: build nothing else from this checkout in
the meantime (use a separate git worktree), or that build takes in whichever mutant is in place.
"""
import argparse
import json
import os
import re
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TOKENS = {
    "lt-le": (r" < ", " <= "), "le-lt": (r" <= ", " < "),
    "gt-ge": (r" > ", " >= "), "ge-gt": (r" >= ", " > "),
    "eq-ne": (r" == ", " != "), "ne-eq": (r" != ", " == "),
    "and-or": (r" && ", " || "), "or-and": (r" \|\| ", " && "),
    "true-false": (r"\btrue\b", "false"), "false-true": (r"\bfalse\b", "true"),
}


def layer_of(path):
    """The folder a mutant belongs to: the part of src/ (src/data/settings is data) or tools."""
    m = re.match(r"src/([^/]+)/", path)
    if m:
        return m.group(1)
    if path.startswith("tools/"):
        return "tools"
    raise SystemExit(f"{path}: mutants are taken from a folder of src/ or from tools/")


def nth_match(pattern, text, n):
    matches = [m for m in re.finditer(pattern, text)]
    if len(matches) < n:
        return None
    return matches[n - 1]


def matching_paren(text, open_at):
    depth = 0
    for i in range(open_at, len(text)):
        if text[i] == "(":
            depth += 1
        elif text[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return None


def split_args(inner):
    args, depth, start = [], 0, 0
    for i, c in enumerate(inner):
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
        elif c == "," and depth == 0:
            args.append(inner[start:i])
            start = i + 1
    args.append(inner[start:])
    return args


def mutate_line(line, op):
    n = 1
    if "@" in op:
        op, count = op.split("@")
        n = int(count)
    if op in TOKENS:
        pattern, replacement = TOKENS[op]
        m = nth_match(pattern, line, n)
        return None if m is None else line[:m.start()] + replacement + line[m.end():]
    if op in ("plus1", "minus1"):
        m = nth_match(r"(?<![\w.])(0x[0-9A-Fa-f]+|\d+)(?![\w.])", line, n)
        if m is None:
            return None
        value = int(m.group(1), 0) + (1 if op == "plus1" else -1)
        text = hex(value) if m.group(1).startswith("0x") else str(value)
        return line[:m.start()] + text + line[m.end():]
    if op == "negate":
        m = nth_match(r"\b(if|while) \(", line, n)
        close = m and matching_paren(line, m.end() - 1)
        if not close:
            return None
        return line[:m.end()] + "!(" + line[m.end():close] + ")" + line[close:]
    if op == "delete":
        return "\n" if line.strip().endswith(";") else None
    m = re.fullmatch(r"swap(\d+),(\d+)", op)
    if m:
        i, j = int(m.group(1)), int(m.group(2))
        call = nth_match(r"\w\(", line, n)
        close = call and matching_paren(line, call.end() - 1)
        if not close:
            return None
        args = split_args(line[call.end():close])
        if max(i, j) >= len(args):
            return None
        a, b = args[i].strip(), args[j].strip()
        args[i], args[j] = args[i].replace(a, b), args[j].replace(b, a)
        return line[:call.end()] + ",".join(args) + line[close:]
    raise SystemExit(f"unknown operator {op}")


def read_list(path):
    mutants = []
    for number, raw in enumerate(open(path, encoding="utf-8"), 1):
        text, _, comment = raw.partition("#")
        text = text.strip()
        if not text:
            continue
        file, line, op = text.split(":")
        mutants.append({"file": file, "line": int(line), "op": op, "comment": comment.strip(),
                        "equivalent": "equivalent" in comment.lower(), "number": len(mutants) + 1})
    return mutants


def run(cmd, cwd, timeout=None):
    return subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          timeout=timeout)


# The Debian package test builds and unpacks a whole package: it checks the packaging, not the code a mutant
# changes, and it is left out of every run.
LEFT_OUT = ("packaging",)


def test_table(build):
    """Every test of the build: its name, the program it runs and its labels."""
    out = run(["ctest", "-N", "--show-only=json-v1"], build)
    table = []
    for t in json.loads(out.stdout)["tests"]:
        labels = next((p["value"] for p in t.get("properties", []) if p["name"] == "LABELS"), [])
        if any(label in LEFT_OUT for label in labels):
            continue
        table.append({"name": t["name"], "program": t["command"][0], "labels": labels})
    return table


def stamps(table):
    return {t["name"]: os.stat(t["program"]).st_mtime_ns if os.path.exists(t["program"]) else 0 for t in table}


def build_all(build):
    return run(["cmake", "--build", build, "-j2"], ROOT)


def chosen_tests(table, before, after, layer):
    """The tests a mutant can reach: every test whose program the build just linked again (so a mutant of the data
    layer also runs the browser tests that link it), and every test carrying the mutant's label. A conversion tool
    is a program of its own that the tests run from the staged folder, so for tools/ the label is what finds them
    (a test elsewhere that runs a tool carries the label tools as well)."""
    return [t["name"] for t in table if before[t["name"]] != after[t["name"]] or layer in t["labels"]]


def run_tests(build, names):
    """Runs the named tests, all of them (a mutant's kill list names every program that fails), 60 s each."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    pattern = "^(" + "|".join(re.escape(n) for n in names) + ")$"
    out = subprocess.run(["ctest", "-R", pattern, "-j2", "--timeout", "60"], cwd=build, stdout=subprocess.PIPE,
                         stderr=subprocess.STDOUT, text=True, env=env)
    summary = out.stdout.partition("The following tests FAILED:")[2]
    return out.returncode, re.findall(r"\d+ - (\S+) \(([^)]*)\)", summary)


def killers_among(build, names):
    """Runs the named tests; the ones that failed other than by running out of time, and every failure."""
    code, failed = run_tests(build, names) if names else (0, [])
    return sorted(name for name, why in failed if why != "Timeout"), failed


def key_of(m):
    return f"{m['file']}:{m['line']}:{m['op']}"


def load_record(path):
    try:
        return json.load(open(path, encoding="utf-8"))
    except (OSError, ValueError):
        return {}


def save_record(path, record):
    temp = path + ".tmp"
    with open(temp, "w", encoding="utf-8") as out:
        json.dump(record, out, indent=1, sort_keys=True)
        out.flush()
        os.fsync(out.fileno())
    os.replace(temp, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.path.join(ROOT, "build-mut"))
    parser.add_argument("--list", default=os.path.join(ROOT, "scripts", "mutants.txt"))
    parser.add_argument("--only", type=int, nargs="*", help="numbers of the mutants to run (from 1), in this order")
    parser.add_argument("--killed-by", nargs="*", metavar="TEST",
                        help="run again only the mutants the record says one of these tests killed, and those it "
                             "does not hold as killed (after a change to those tests)")
    parser.add_argument("--record", help="the kill record (JSON), default mutants.json in the build folder")
    parser.add_argument("--report", action="store_true", help="print the score from the record and stop")
    parser.add_argument("--show", action="store_true", help="print each mutated line and stop")
    parser.add_argument("--quick", action="store_true",
                        help="run the tests of the mutant's own folder first, their programs built alone, and stop "
                             "there when one of them kills it; the record then names the killers of that group only")
    parser.add_argument("--first-from", metavar="RECORD",
                        help="with --quick: when this other record (of another state of the tests) holds the mutant "
                             "as killed, its killers that are tests of this build are the first group instead")
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    record_path = args.record or os.path.join(build, "mutants.json")
    everything = read_list(args.list)
    mutants = everything
    if args.only:
        by_number = {m["number"]: m for m in mutants}
        mutants = [by_number[n] for n in args.only if n in by_number]  # in the order given
    record = load_record(record_path)
    if args.killed_by is not None:
        changed = set(args.killed_by)
        mutants = [m for m in mutants if key_of(m) not in record or record[key_of(m)]["outcome"] != "killed"
                   or changed & set(record[key_of(m)]["killers"])]

    if args.show:
        for m in mutants:
            before = open(os.path.join(ROOT, m["file"]), encoding="utf-8").readlines()[m["line"] - 1]
            after = mutate_line(before, m["op"])
            print(f"{m['number']:3} {m['file']}:{m['line']}:{m['op']}\n    {before.strip()}\n    {(after or 'DOES NOT APPLY').strip()}")
        return 0
    if args.report:
        return report(everything, record)
    for m in mutants:
        before = open(os.path.join(ROOT, m["file"]), encoding="utf-8").readlines()[m["line"] - 1]
        after = mutate_line(before, m["op"])
        if after is None or after == before:
            raise SystemExit(f"mutant {m['number']} ({key_of(m)}) does not apply to: {before.strip()}")
    if not os.path.exists(os.path.join(build, "CMakeCache.txt")):
        launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"] \
            if subprocess.run(["sh", "-c", "command -v ccache"], stdout=subprocess.DEVNULL).returncode == 0 else []
        subprocess.run(["cmake", "-S", ROOT, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                        *launcher], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build, "-j2"], check=True, stdout=subprocess.DEVNULL)
    table = test_table(build)
    clock = time.time()
    code, failed = run_tests(build, [t["name"] for t in table])
    print(f"{len(table)} tests without a mutant: {time.time() - clock:.0f} s", flush=True)
    if code != 0:
        raise SystemExit(f"tests fail without any mutant ({', '.join(n for n, _ in failed)}); fix them first")

    started = time.time()
    for index, m in enumerate(mutants):
        path = os.path.join(ROOT, m["file"])
        original = open(path, encoding="utf-8").read()
        lines = original.splitlines(keepends=True)
        lines[m["line"] - 1] = mutate_line(lines[m["line"] - 1], m["op"])
        clock = time.time()
        names, killers, outcome, built_all = [], [], None, False
        layer = layer_of(m["file"])
        try:
            before = stamps(table)
            open(path, "w", encoding="utf-8").write("".join(lines))
            # The tools reach their tests through the staged Conversion/ folder, which only a whole build refreshes.
            # A target is named as the program it builds (a fuzz replay's test is not); a test run by a script of
            # the source tree waits for the whole build.
            alone = [t for t in table if t["program"].startswith(build + os.sep)] \
                if args.quick and layer != "tools" else []
            # Another state of the suite named this mutant's killers: those still here are tried alone first (a
            # test merged into another program since is not found by name, and the folder's group stands). Its
            # record is read again for each mutant: it may still be growing beside this run.
            known = load_record(args.first_from).get(key_of(m), {}) if args.first_from else {}
            killers_then = known.get("killers", []) if known.get("outcome") == "killed" else []
            group = [t for t in alone if t["name"] in killers_then] or [t for t in alone if layer in t["labels"]]
            targets = sorted({os.path.basename(t["program"]) for t in group})
            first = [t["name"] for t in group]
            if first:
                if run(["cmake", "--build", build, "-j2", "--target", *targets], ROOT).returncode != 0:
                    outcome = "no-compile"
                else:
                    names = first
                    killers, failed = killers_among(build, first)
                    outcome = "killed" if killers else None
            if outcome is None:
                built_all = True
                if build_all(build).returncode != 0:
                    outcome = "no-compile"
                else:
                    names = chosen_tests(table, before, stamps(table), layer)
                    killers, failed = killers_among(build, names)
                    outcome = "killed" if killers else "timeout" if failed else "survived"
                    # A test that only ran out of time may just have met a busy machine: such a mutant is reported
                    # apart and not scored, so that a slow run cannot raise the score.
        finally:
            open(path, "w", encoding="utf-8").write(original)
        following = mutants[index + 1]["file"] if index + 1 < len(mutants) else None
        # After a whole build with the mutant in it, build everything again without it (in a quick run always: the
        # next mutant's first group is built alone, and a staged program it starts must not hold this mutant).
        if built_all and (args.quick or following != m["file"]):
            build_all(build)
        if m["equivalent"] and outcome == "survived":
            outcome = "equivalent"
        record[key_of(m)] = {"outcome": outcome, "killers": killers, "ran": sorted(names),
                             "seconds": round(time.time() - clock), "mutated": lines[m["line"] - 1].strip(),
                             "first_group_only": bool(args.quick and not built_all)}
        save_record(record_path, record)
        print(f"{m['number']:3} {outcome:10} {key_of(m)}  {len(names)} run, killed by {', '.join(killers) or '-'}",
              flush=True)
    print(f"{time.time() - started:.0f} s")
    return report(everything, record)


def report(mutants, record):
    """The score over the whole list, from the record: mutants not yet run are counted apart."""
    # A survivor judged equivalent after it ran is left out as one judged before.
    results = [(m, dict(r, outcome="equivalent") if r and m["equivalent"] and r["outcome"] == "survived" else r)
               for m, r in ((m, record.get(key_of(m))) for m in mutants)]
    scored = [(m, r) for m, r in results if r and r["outcome"] in ("killed", "survived")]
    killed = sum(1 for _, r in scored if r["outcome"] == "killed")
    missing = sum(1 for _, r in results if not r)
    print(f"\nmutants {len(mutants)}, run {len(mutants) - missing}, scored {len(scored)}, killed {killed}, "
          f"score {100.0 * killed / max(1, len(scored)):.1f} %")
    for m, r in results:
        if r and r["outcome"] != "killed":
            print(f"  {r['outcome']:10} {key_of(m)}  ->  {r['mutated']}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
