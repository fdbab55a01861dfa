#!/usr/bin/env python3
"""Writes a list of generated faults in the form of faults.txt, for fault_seed.py --faults.

Each fault changes one operator on one line of a source file: a comparison flipped or
loosened, a logical operator swapped, a constant 1 in a sum made 2, true made false. A
line qualifies only when it occurs once in its file and is not a comment or a preprocessor
line. A random sample of the candidates is written, the same for the same seed.

    tools/fault_seed/generate_faults.py [--source DIR] [--count N] [--seed S] FOLDER ... > FILE
"""

import argparse
import pathlib
import random

HERE = pathlib.Path(__file__).resolve().parent

# Operators with the spaces the house style puts around them, so that template brackets,
# stream operators and arrows never match.
REPLACEMENTS = (
    (" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "),
    (" == ", " != "), (" != ", " == "), (" && ", " || "), (" || ", " && "),
    (" + 1", " + 2"), (" - 1", " - 2"), ("true", "false"),
)


def candidates(source, folder):
    for path in sorted((source / folder).rglob("*.cpp")):
        text = path.read_text()
        lines = text.splitlines()
        for number, line in enumerate(lines, 1):
            code = line.strip()
            if not code or code.startswith(("//", "#", "*", "/*")) or text.count(line + "\n") != 1:
                continue
            for was, now in REPLACEMENTS:
                if code.count(was) == 1:
                    name = f"gen-{path.stem}-{number}-{REPLACEMENTS.index((was, now))}"
                    yield name, path.relative_to(source).as_posix(), line, line.replace(was, now)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", type=pathlib.Path, default=HERE.parent.parent)
    parser.add_argument("--count", type=int, default=200)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("folders", nargs="+")
    args = parser.parse_args()
    found = [fault for folder in args.folders for fault in candidates(args.source.resolve(), folder)]
    chosen = sorted(random.Random(args.seed).sample(found, min(args.count, len(found))))
    for name, file, was, now in chosen:
        print(f"[{name}]\nfile: {file}\nwas: {was}\nnow: {now}\n")


if __name__ == "__main__":
    main()
