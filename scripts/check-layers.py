#!/usr/bin/env python3
"""Fails when a source file includes a header of a library it may not use.

The graph comes from the configure step (<build>/layer-graph.txt, written by
the libraries' own CMake declarations), so the arrows are written once:
"uses <library> <used>..." and "file <library> <path>" lines. A file may
include headers of its own library and of every library its library uses,
directly or through others. Every source file of the product folders must
belong to exactly one library or program, and the graph must be acyclic.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
# Folders that are not part of the programs: their files are not checked.
OUTSIDE = {"tests", "bench", "build", "cmake", "scripts", ".git", ".ci"}
# Quoted or angled: the project root is an include folder, so <shell/x.h>
# would reach a header as surely as "shell/x.h".
INCLUDE = re.compile(r'^\s*#\s*include\s+[<"]([^">]+)[">]')


def read_graph(path):
    uses, owner, problems = {}, {}, []
    for line in path.read_text().splitlines():
        kind, name, *rest = line.split()
        if kind == "uses":
            uses[name] = set(rest)
        elif kind == "file":
            if rest[0] in owner and owner[rest[0]] != name:
                problems.append(f"{rest[0]}: in both {owner[rest[0]]} and {name}")
            owner[rest[0]] = name
    return uses, owner, problems


def reachable(uses):
    """Every library each library may use, and the cycles found on the way."""
    closure, cycles = {}, []

    def visit(name, trail):
        if name in closure:
            return closure[name]
        if name in trail:
            cycles.append(" -> ".join(trail[trail.index(name):] + [name]))
            return set()
        found = set()
        for used in uses.get(name, ()):
            if used not in uses:
                cycles.append(f"{name} uses {used}, which is no library")
                continue
            found |= {used} | visit(used, trail + [name])
        closure[name] = found
        return found

    for name in uses:
        visit(name, [])
    return closure, cycles


def product_files():
    for path in sorted(ROOT.rglob("*")):
        relative = path.relative_to(ROOT)
        if relative.parts[0] in OUTSIDE or path.suffix not in (".h", ".cpp"):
            continue
        yield relative.as_posix()


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: check-layers.py <build>/layer-graph.txt")
    uses, owner, problems = read_graph(pathlib.Path(sys.argv[1]))
    closure, cycles = reachable(uses)
    problems += [f"cycle: {cycle}" for cycle in cycles]
    checked = 0
    for file in product_files():
        library = owner.get(file)
        if library is None:
            problems.append(f"{file}: belongs to no library")
            continue
        checked += 1
        lines = (ROOT / file).read_text(encoding="utf-8").splitlines()
        for number, line in enumerate(lines, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            included = match.group(1)
            beside = (pathlib.PurePosixPath(file).parent / included).as_posix()
            target = beside if beside in owner else included
            used = owner.get(target)
            if used is None:
                if line.lstrip().startswith("#") and "<" in line.split("include", 1)[1][:3]:
                    continue  # a system or library header
                problems.append(f"{file}:{number}: includes {included}, which no library holds")
            elif used != library and used not in closure.get(library, ()):
                problems.append(f"{file}:{number}: {library} may not include {included} "
                                f"(of {used})")
    for problem in problems:
        print(problem)
    print(f"layering: {checked} files of {len(uses)} libraries and programs checked, "
          f"{len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
