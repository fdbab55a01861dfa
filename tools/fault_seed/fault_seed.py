#!/usr/bin/env python3
"""Fault seeding: how many small deliberate faults does the test suite catch?

Applies the faults listed in faults.txt (beside this script) one at a time to a
source tree, rebuilds the test executables incrementally in a build directory of
its own, runs them with a time limit, restores the file, and reports per fault
whether the suite caught it (a test failed, crashed or ran out of time).

    tools/fault_seed/fault_seed.py [--source DIR] [--build DIR] [--only NAME ...]
                                   [--timeout SECONDS] [--jobs N] [--output FILE] [--check]

--source   the tree to seed (default: the repository holding this script); its
           files are modified while a fault runs and restored afterwards, so do
           not edit the tree meanwhile
--build    build directory (default: SOURCE/build/fault_seed); configured on
           first use as a display-free build without benchmarks
--only     run only the named faults
--timeout  limit per test executable and fault (default 300 s)
--jobs     parallel build jobs (default 8)
--output   also write the report to this file
--check    only check that every fault's text is found exactly once

A fault whose original text no longer occurs exactly once is reported "stale";
one that does not compile is reported "no-build" and counts as neither caught
nor missed. The unmodified tree must build and pass first.
"""

import argparse
import dataclasses
import pathlib
import re
import subprocess
import sys
import time

HERE = pathlib.Path(__file__).resolve().parent
TEST_EXECUTABLES = ("core_tests", "model_tests")
# A build that fails without a compiler error (a linker killed on a busy
# machine, say) is tried again before the fault counts as not building.
BUILD_ATTEMPTS = 3


@dataclasses.dataclass
class Fault:
    name: str
    file: str = ""
    was: str = ""
    now: str = ""


def parse_faults(path):
    faults = []
    for number, raw in enumerate(path.read_text().splitlines(), 1):
        line = raw.rstrip("\n")
        if not line.strip() or line.startswith("#"):
            continue
        if match := re.fullmatch(r"\[([\w.-]+)\]", line.strip()):
            faults.append(Fault(match.group(1)))
            continue
        key, sep, value = line.partition(":")
        if not sep or key not in ("file", "was", "now") or not faults:
            sys.exit(f"{path}:{number}: expected [name], file:, was: or now:")
        value = value[1:] if value.startswith(" ") else value
        setattr(faults[-1], key, value.replace("\\n", "\n"))
    names = [fault.name for fault in faults]
    if len(set(names)) != len(names):
        sys.exit(f"{path}: fault names repeat")
    for fault in faults:
        if not fault.file or not fault.was or fault.was == fault.now:
            sys.exit(f"{path}: fault {fault.name} needs a file and a was: text that now: changes")
    return faults


def run(command, timeout=None, cwd=None):
    """Runs Command; returns (exit code or None on timeout, combined output)."""
    try:
        done = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              text=True, errors="replace", timeout=timeout)
        return done.returncode, done.stdout
    except subprocess.TimeoutExpired as expired:
        output = expired.stdout or b""
        return None, output.decode(errors="replace") if isinstance(output, bytes) else output


def configure(source, build):
    if (build / "build.ninja").exists():
        return
    code, output = run(["cmake", "-S", str(source), "-B", str(build), "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG",
                        "-DCV_CORE_ONLY=ON", "-DCV_BENCHMARKS=OFF"])
    if code != 0:
        sys.exit("configuring failed:\n" + output)


def build_tests(build, jobs):
    return run(["ninja", "-C", str(build), f"-j{jobs}", *TEST_EXECUTABLES])


def run_tests(build, timeout):
    """Returns None when every executable passes, else a short reason."""
    for name in TEST_EXECUTABLES:
        executable = build / "tests" / name
        code, output = run([str(executable), "--gtest_fail_fast", "--gtest_brief=1"], timeout=timeout,
                           cwd=build / "tests")
        if code is None:
            return f"{name}: time limit"
        if code != 0:
            failed = re.findall(r"\[  FAILED  \] (\S+)", output)
            return f"{name}: {failed[0] if failed else f'exit code {code}'}"
    return None


def seed(fault, source, build, timeout, jobs):
    """Applies Fault, rebuilds and tests; returns (outcome, detail). The file is always restored."""
    path = source / fault.file
    if not path.exists():
        return "stale", "file missing"
    original = path.read_text()
    if original.count(fault.was) != 1:
        return "stale", f"original text found {original.count(fault.was)} times"
    try:
        path.write_text(original.replace(fault.was, fault.now))
        for _ in range(BUILD_ATTEMPTS):
            code, output = build_tests(build, jobs)
            errors = [line.strip() for line in output.splitlines() if "error:" in line]
            if code == 0 or errors:
                break  # built, or the compiler refused the fault
        if code != 0:
            return "no-build", errors[0] if errors else "build failed: " + " | ".join(output.splitlines()[-3:])
        reason = run_tests(build, timeout)
        return ("caught", reason) if reason else ("missed", "")
    finally:
        path.write_text(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", type=pathlib.Path, default=HERE.parent.parent)
    parser.add_argument("--build", type=pathlib.Path)
    parser.add_argument("--only", nargs="*")
    parser.add_argument("--timeout", type=float, default=300)
    parser.add_argument("--jobs", type=int, default=8)
    parser.add_argument("--output", type=pathlib.Path)
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    source = args.source.resolve()
    build = (args.build or source / "build" / "fault_seed").resolve()

    faults = parse_faults(HERE / "faults.txt")
    if args.only:
        unknown = set(args.only) - {fault.name for fault in faults}
        if unknown:
            sys.exit("unknown faults: " + ", ".join(sorted(unknown)))
        faults = [fault for fault in faults if fault.name in args.only]

    if args.check:
        stale = [fault.name for fault in faults
                 if not (source / fault.file).exists() or (source / fault.file).read_text().count(fault.was) != 1]
        print("\n".join(f"stale {name}" for name in stale) or f"all {len(faults)} faults apply")
        return 1 if stale else 0

    configure(source, build)
    code, output = build_tests(build, args.jobs)
    if code != 0:
        sys.exit("the unmodified tree does not build:\n" + output[-4000:])
    if reason := run_tests(build, args.timeout):
        sys.exit("the unmodified tree fails its tests: " + reason)

    lines = []
    counts = {"caught": 0, "missed": 0, "stale": 0, "no-build": 0}
    started = time.monotonic()
    for fault in faults:
        outcome, detail = seed(fault, source, build, args.timeout, args.jobs)
        counts[outcome] += 1
        line = f"{outcome:8} {fault.name:45} {fault.file}" + (f"  ({detail})" if detail else "")
        print(line, flush=True)
        lines.append(line)
    build_tests(build, args.jobs)  # leave the build matching the restored tree

    tried = counts["caught"] + counts["missed"]
    summary = (f"caught {counts['caught']} of {tried} faults that build"
               f" ({100 * counts['caught'] / tried if tried else 0:.0f}%); "
               f"{counts['stale']} stale, {counts['no-build']} not building; "
               f"{time.monotonic() - started:.0f} s")
    print(summary)
    if args.output:
        args.output.write_text("\n".join(lines + [summary]) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
