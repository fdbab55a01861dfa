#!/usr/bin/env python3
"""Which test cases catch a fault or reach a line that no kept case does?

Runs every case of the test executables of a coverage build (configured with --coverage)
in a process of its own, records the source lines each reaches, reads the fault matrices
that fault_seed.py --matrix wrote, and chooses cases greedily until the chosen ones catch
every caught fault and reach every reached line, preferring short cases, then drops chosen
ones that the others have made redundant, longest first. Prints the cases
left over with the file and the number of lines each takes: those catch nothing and reach
nothing the chosen ones do not; a parameterised body with only some instances left over is
listed with them.

    tools/fault_seed/needed_tests.py --build DIR [--source DIR] [--folders F ...]
                                     [--cache FILE] MATRIX ...
"""

import argparse
import collections
import concurrent.futures
import json
import os
import pathlib
import re
import shutil
import subprocess
import tempfile

import fault_seed

HERE = pathlib.Path(__file__).resolve().parent


def reached_lines(build, source, folders, case):
    """Runs Case with its coverage data written to a folder of its own; returns the set of
    "file:line" of Folders that it executed."""
    name, test = case.split(":", 1)
    with tempfile.TemporaryDirectory() as prefix:
        environment = dict(os.environ, GCOV_PREFIX=prefix, GCOV_PREFIX_STRIP=str(len(build.parts) - 1))
        subprocess.run([str(build / "tests" / name), f"--gtest_filter={test}"], cwd=build / "tests",
                       env=environment, capture_output=True, timeout=300)
        reached = set()
        for data in pathlib.Path(prefix).rglob("*.gcda"):
            notes = build / data.relative_to(prefix).with_suffix(".gcno")
            shutil.copy(notes, data.with_suffix(".gcno"))
            output = subprocess.run(["gcov", "--json-format", "--stdout", str(data)], cwd=data.parent,
                                    capture_output=True, text=True).stdout
            for document in output.splitlines():
                for entry in json.loads(document)["files"]:
                    path = pathlib.Path(entry["file"])
                    path = path if path.is_absolute() else (source / path)
                    relative = os.path.relpath(path, source)
                    if not relative.startswith(tuple(folder + "/" for folder in folders)):
                        continue
                    reached |= {f"{relative}:{line['line_number']}" for line in entry["lines"] if line["count"]}
        return reached


def case_sizes(source):
    """Non-blank lines of each TEST, TEST_F and TEST_P body under tests/, by "Suite.Case"."""
    sizes = {}
    for path in (source / "tests").rglob("*.cpp"):
        lines = path.read_text().splitlines()
        for number, line in enumerate(lines):
            if match := re.match(r"(?:TEST|TEST_F|TEST_P)\((\w+),\s*(\w+)\)", line):
                depth, end = 0, number
                for end in range(number, len(lines)):
                    depth += lines[end].count("{") - lines[end].count("}")
                    if depth <= 0 and "{" in "".join(lines[number:end + 1]):
                        break
                body = [text for text in lines[number:end + 1] if text.strip()]
                sizes[f"{match.group(1)}.{match.group(2)}"] = (path.relative_to(source).as_posix(), len(body))
    return sizes


def body_of(case):
    """The "Suite.Case" whose body a case runs: a parameterised instance "Prefix/Suite.Case/N"
    runs the body of "Suite.Case"."""
    test = case.split(":", 1)[1]
    suite, _, name = re.sub(r"^\w+/", "", test).partition(".")
    return f"{suite}.{name.split('/')[0]}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", type=pathlib.Path, required=True)
    parser.add_argument("--source", type=pathlib.Path, default=HERE.parent.parent)
    parser.add_argument("--executables", nargs="+", default=["core_tests", "model_tests"])
    parser.add_argument("--folders", nargs="+", default=["core", "model"])
    parser.add_argument("--cache", type=pathlib.Path)
    parser.add_argument("matrices", nargs="*", type=pathlib.Path)
    args = parser.parse_args()
    build, source = args.build.resolve(), args.source.resolve()

    if args.cache and args.cache.exists():
        coverage = {case: set(lines) for case, lines in json.loads(args.cache.read_text()).items()}
    else:
        cases = [f"{name}:{test}" for name, test in fault_seed.list_tests(build, args.executables)]
        with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
            found = pool.map(lambda case: reached_lines(build, source, args.folders, case), cases)
            coverage = dict(zip(cases, found))
        if args.cache:
            args.cache.write_text(json.dumps({case: sorted(lines) for case, lines in coverage.items()}))

    needs = collections.defaultdict(set)  # case -> faults and lines it alone would give
    for case, lines in coverage.items():
        needs[case] |= lines
    for matrix in args.matrices:
        for document in matrix.read_text().splitlines():
            entry = json.loads(document)
            for failure in entry["failed"]:
                needs[failure.replace(": ", ":")].add("fault " + entry["fault"])

    sizes = case_sizes(source)
    instances = collections.Counter(body_of(case) for case in coverage)
    # A parameterised body's lines are shared by its instances.
    cost = {case: sizes.get(body_of(case), ("?", 1))[1] / instances[body_of(case)] for case in needs}
    wanted = set().union(*needs.values())
    chosen, covered = [], set()
    while covered != wanted:
        best = max(needs, key=lambda case: len(needs[case] - covered) / cost[case])
        chosen.append(best)
        covered |= needs[best]
    # A long case chosen early may since have been made redundant by shorter ones.
    for case in sorted(chosen, key=lambda case: -cost[case]):
        others = set().union(*(needs[other] for other in chosen if other != case))
        if needs[case] <= others:
            chosen.remove(case)

    left = collections.defaultdict(list)
    for case in coverage:
        if case not in chosen:
            left[body_of(case)].append(case.split(":", 1)[1])
    whole = {body: cases for body, cases in left.items() if len(cases) == instances[body]}
    print(f"{len(coverage)} cases; {len(chosen)} chosen; {len(wanted)} lines and faults to keep; "
          f"{len(whole)} bodies left over whole, taking "
          f"{sum(sizes.get(body, ('?', 0))[1] for body in whole)} lines")
    for body, cases in sorted(left.items(), key=lambda item: sizes.get(item[0], ("?", 0))):
        file, size = sizes.get(body, ("?", 0))
        part = "" if body in whole else f"  only {len(cases)} of {instances[body]}: {' '.join(cases)}"
        print(f"{size:5}  {file}  {body}{part}")

if __name__ == "__main__":
    main()
