#!/usr/bin/env python3
"""Fault seeding: how many small deliberate faults does the test suite catch?

Applies the faults listed in faults.txt (beside this script) one at a time to a
source tree, rebuilds the test executables incrementally in a build directory of
its own, runs them with a time limit, restores the file, and reports per fault
whether the suite caught it (a test failed, crashed or ran out of time).

    tools/fault_seed/fault_seed.py [--source DIR] [--build DIR] [--faults FILE] [--only NAME ...]
                                   [--timeout SECONDS] [--jobs N] [--output FILE] [--matrix FILE]
                                   [--executables NAME ...] [--filter PATTERN] [--check]

--source   the tree to seed (default: the repository holding this script); its
           files are modified while a fault runs and restored afterwards, so do
           not edit the tree meanwhile
--build    build directory (default: SOURCE/build/fault_seed); configured on
           first use as a display-free build without benchmarks
--faults   the list of faults (default: faults.txt beside this script; generate_faults.py
           writes further lists in the same form)
--only     run only the named faults
--timeout  limit per test executable and fault, or with --matrix per case (default 300 s)
--jobs     parallel build jobs (default 8)
--output   also write the report to this file
--matrix   run every test case, each in a process of its own, for each fault instead of
           stopping at the first failure, and write one JSON line per fault to this file: its
           name, outcome and every failed case ("executable:Suite.Case"), for finding tests
           that catch nothing the others miss
--executables  the test executables to build and run (default: core_tests model_tests);
           window test executables need a full build (--build of the default preset's
           directory) and an X server: run the script under "xvfb-run -n D"
--filter   a GoogleTest filter for the executables' cases (default: every case)
--check    only check that every fault's text is found exactly once

A fault whose original text no longer occurs exactly once is reported "stale";
one that does not compile is reported "no-build" and counts as neither caught
nor missed. The unmodified tree must build and pass first.
"""

import argparse
import concurrent.futures
import dataclasses
import json
import os
import pathlib
import re
import resource
import subprocess
import sys
import time

HERE = pathlib.Path(__file__).resolve().parent
TEST_EXECUTABLES = ("core_tests", "model_tests")
# A build that fails without a compiler error (a linker killed on a busy
# machine, say) is tried again before the fault counts as not building.
BUILD_ATTEMPTS = 3
CASE_MEMORY_LIMIT = 4 << 30


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


def run(command, timeout=None, cwd=None, preexec_fn=None):
    """Runs Command; returns (exit code or None on timeout, combined output)."""
    try:
        done = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              text=True, errors="replace", timeout=timeout, preexec_fn=preexec_fn)
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


def build_tests(build, jobs, executables=TEST_EXECUTABLES):
    return run(["ninja", "-C", str(build), f"-j{jobs}", *executables])


def executable_path(build, name):
    """The test executable Name: in the build's tests folder, or in a folder below it."""
    path = build / "tests" / name
    return path if path.exists() else next((build / "tests").rglob(name), path)


def list_tests(build, executables=TEST_EXECUTABLES, pattern="*"):
    """Every test case of Executables that Pattern selects as (executable, "Suite.Case")."""
    cases = []
    for name in executables:
        _, output = run([str(executable_path(build, name)), "--gtest_list_tests", f"--gtest_filter={pattern}"],
                        cwd=build / "tests")
        suite = ""
        for line in output.splitlines():
            if not line.startswith(" ") and line.rstrip().endswith("."):
                suite = line.strip()
            elif line.startswith("  ") and suite:
                cases.append((name, suite + line.split("#")[0].strip()))
    return cases


def run_tests(build, timeout, executables=TEST_EXECUTABLES, pattern="*"):
    """Returns None when every executable passes, else a short reason."""
    for name in executables:
        code, output = run([str(executable_path(build, name)), "--gtest_fail_fast", "--gtest_brief=1",
                            f"--gtest_filter={pattern}"], timeout=timeout, cwd=build / "tests")
        if code is None:
            return f"{name}: time limit"
        if code != 0:
            failed = re.findall(r"\[  FAILED  \] (\S+)", output)
            return f"{name}: {failed[0] if failed else f'exit code {code}'}"
    return None


def failing_cases(build, cases, timeout):
    """Runs each case in a process of its own, so that a crash is charged to its case only;
    returns the cases that failed, crashed or ran out of time as "executable:Suite.Case"."""
    def limit_memory():
        # A fault that makes a loop allocate without end fails its case instead of the machine.
        resource.setrlimit(resource.RLIMIT_AS, (CASE_MEMORY_LIMIT, CASE_MEMORY_LIMIT))

    def fails(case):
        name, test = case
        code, _ = run([str(executable_path(build, name)), f"--gtest_filter={test}"], timeout=timeout,
                      cwd=build / "tests", preexec_fn=limit_memory)
        return code != 0
    with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
        verdicts = list(pool.map(fails, cases))
    return [f"{name}:{test}" for (name, test), failed in zip(cases, verdicts) if failed]


def seed(fault, source, build, timeout, jobs, cases, executables=TEST_EXECUTABLES, pattern="*"):
    """Applies Fault, rebuilds and tests; returns (outcome, details): the first failure, or with
    Cases every failing one of them. The file is always restored."""
    path = source / fault.file
    if not path.exists():
        return "stale", ["file missing"]
    original = path.read_text()
    if original.count(fault.was) != 1:
        return "stale", [f"original text found {original.count(fault.was)} times"]
    try:
        path.write_text(original.replace(fault.was, fault.now))
        for _ in range(BUILD_ATTEMPTS):
            code, output = build_tests(build, jobs, executables)
            errors = [line.strip() for line in output.splitlines() if "error:" in line]
            if code == 0 or errors:
                break  # built, or the compiler refused the fault
        if code != 0:
            return "no-build", [errors[0] if errors else "build failed: " + " | ".join(output.splitlines()[-3:])]
        failures = failing_cases(build, cases, timeout) if cases else [run_tests(build, timeout, executables, pattern)]
        failures = [failure for failure in failures if failure]
        return ("caught", failures) if failures else ("missed", [])
    finally:
        path.write_text(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", type=pathlib.Path, default=HERE.parent.parent)
    parser.add_argument("--build", type=pathlib.Path)
    parser.add_argument("--faults", type=pathlib.Path, default=HERE / "faults.txt")
    parser.add_argument("--only", nargs="*")
    parser.add_argument("--timeout", type=float, default=300)
    parser.add_argument("--jobs", type=int, default=8)
    parser.add_argument("--output", type=pathlib.Path)
    parser.add_argument("--matrix", type=pathlib.Path)
    parser.add_argument("--executables", nargs="+", default=list(TEST_EXECUTABLES))
    parser.add_argument("--filter", default="*")
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    source = args.source.resolve()
    build = (args.build or source / "build" / "fault_seed").resolve()

    faults = parse_faults(args.faults)
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
    code, output = build_tests(build, args.jobs, args.executables)
    if code != 0:
        sys.exit("the unmodified tree does not build:\n" + output[-4000:])
    if reason := run_tests(build, args.timeout, args.executables, args.filter):
        sys.exit("the unmodified tree fails its tests: " + reason)

    lines = []
    counts = {"caught": 0, "missed": 0, "stale": 0, "no-build": 0}
    started = time.monotonic()
    matrix = args.matrix.open("w") if args.matrix else None
    cases = list_tests(build, args.executables, args.filter) if matrix else []
    for fault in faults:
        outcome, details = seed(fault, source, build, args.timeout, args.jobs, cases, args.executables, args.filter)
        counts[outcome] += 1
        line = f"{outcome:8} {fault.name:45} {fault.file}" + (f"  ({details[0]})" if details else "")
        print(line, flush=True)
        lines.append(line)
        if matrix:
            failed = details if outcome == "caught" else []
            matrix.write(json.dumps({"fault": fault.name, "outcome": outcome, "failed": failed}) + "\n")
            matrix.flush()
    build_tests(build, args.jobs, args.executables)  # leave the build matching the restored tree

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
