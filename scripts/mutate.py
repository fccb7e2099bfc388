#!/usr/bin/env python3
"""Mutation score of the test suite over a fixed list of single-point mutants.

    scripts/mutate.py [--build build-mut] [--list scripts/mutants.txt] [--only N ...] [--show]

Each line of the list is  file:line:operator  (a '#' starts a comment; a comment containing "equivalent" marks a
mutant that changes nothing observable, judged by hand, and leaves it out of the score). Operators act on the
first match on that line, or on the n-th with a suffix "@n":

    negate        if (C) / while (C)  ->  if (!(C))
    lt-le le-lt gt-ge ge-gt eq-ne ne-eq and-or or-and true-false false-true
    plus1 minus1  an integer constant changed by one
    delete        the line (a whole statement) removed
    swapI,J       arguments I and J (from 0) of the first call on the line swapped

For each mutant the script changes the file, rebuilds the test programs carrying the layer's CTest label (c64,
data or tools; ninja rebuilds only what the change touches), runs those tests with a 60 s timeout each, and puts
the file back. A mutant is killed when a test fails; one that does not compile is reported and left out.
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
    if path.startswith("src/c64/"):
        return "c64"
    if path.startswith("src/data/"):
        return "data"
    if path.startswith("tools/"):
        return "tools"
    raise SystemExit(f"{path}: mutants are taken from src/c64, src/data and tools only")


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


def label_targets(build, label):
    out = run(["ctest", "-N", "-L", f"^{label}$", "--show-only=json-v1"], build)
    tests = json.loads(out.stdout)["tests"]
    return sorted({os.path.basename(t["command"][0]) for t in tests})


def build_targets(build, targets):
    return run(["cmake", "--build", build, "-j2", "--target", *targets], ROOT)


def run_label(build, label):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    return subprocess.run(["ctest", "-L", f"^{label}$", "-j2", "--timeout", "60", "--stop-on-failure"],
                          cwd=build, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, env=env)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.path.join(ROOT, "build-mut"))
    parser.add_argument("--list", default=os.path.join(ROOT, "scripts", "mutants.txt"))
    parser.add_argument("--only", type=int, nargs="*", help="numbers of the mutants to run (from 1)")
    parser.add_argument("--show", action="store_true", help="print each mutated line and stop")
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    mutants = read_list(args.list)
    if args.only:
        mutants = [m for m in mutants if m["number"] in args.only]

    if args.show:
        for m in mutants:
            before = open(os.path.join(ROOT, m["file"]), encoding="utf-8").readlines()[m["line"] - 1]
            after = mutate_line(before, m["op"])
            print(f"{m['number']:3} {m['file']}:{m['line']}:{m['op']}\n    {before.strip()}\n    {(after or 'DOES NOT APPLY').strip()}")
        return 0
    if not os.path.exists(os.path.join(build, "CMakeCache.txt")):
        launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"] \
            if subprocess.run(["sh", "-c", "command -v ccache"], stdout=subprocess.DEVNULL).returncode == 0 else []
        subprocess.run(["cmake", "-S", ROOT, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                        *launcher], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build, "-j2"], check=True, stdout=subprocess.DEVNULL)
    labels = sorted({layer_of(m["file"]) for m in mutants})
    targets = {label: label_targets(build, label) for label in labels}
    for label in labels:
        if run_label(build, label).returncode != 0:
            raise SystemExit(f"the {label} tests fail without any mutant; fix them first")

    started = time.time()
    results = []
    for m in mutants:
        path = os.path.join(ROOT, m["file"])
        original = open(path, encoding="utf-8").read()
        lines = original.splitlines(keepends=True)
        before = lines[m["line"] - 1]
        after = mutate_line(before, m["op"])
        if after is None or after == before:
            raise SystemExit(f"mutant {m['number']} ({m['file']}:{m['line']}:{m['op']}) does not apply to: "
                             f"{before.strip()}")
        lines[m["line"] - 1] = after
        label = layer_of(m["file"])
        try:
            open(path, "w", encoding="utf-8").write("".join(lines))
            built = build_targets(build, targets[label])
            if built.returncode != 0:
                outcome, detail = "no-compile", ""
            else:
                tested = run_label(build, label)
                failed = re.findall(r"\d+ - (\S+) \((\w+)", tested.stdout)
                outcome = "killed" if tested.returncode != 0 else "survived"
                # A test that only ran out of time may just have met a busy machine: such a mutant is reported
                # apart and not scored, so that a slow run cannot raise the score.
                if failed and all(why == "Timeout" for _, why in failed):
                    outcome = "timeout"
                detail = ", ".join(name for name, _ in failed[:3])
        finally:
            open(path, "w", encoding="utf-8").write(original)
        if m["equivalent"] and outcome == "survived":
            outcome = "equivalent"
        results.append((m, outcome, detail, after.strip()))
        print(f"{m['number']:3} {outcome:10} {m['file']}:{m['line']}:{m['op']}  {detail}", flush=True)
    build_targets(build, [t for label in labels for t in targets[label]])

    scored = [r for r in results if r[1] in ("killed", "survived")]
    killed = sum(1 for r in scored if r[1] == "killed")
    print(f"\nmutants {len(results)}, scored {len(scored)}, killed {killed}, "
          f"score {100.0 * killed / max(1, len(scored)):.1f} %, {time.time() - started:.0f} s")
    for m, outcome, _, after in results:
        if outcome != "killed":
            print(f"  {outcome:10} {m['file']}:{m['line']}:{m['op']}  ->  {after}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
