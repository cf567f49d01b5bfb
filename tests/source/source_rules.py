#!/usr/bin/env python3
"""Rules the sources keep that no compiler checks.

layers: a folder of component/ includes only itself and the folders its library
links (as CMakeLists.txt declares them, followed through) and the header-only
interfaces, which include none; cli/ includes only the job API, the
platform's values and the wait form it draws.
format: every C++ source is as clang-format leaves it (skipped without
clang-format).

Usage: source_rules.py ROOT layers|format
"""
import pathlib
import re
import shutil
import subprocess
import sys

ROOT = pathlib.Path(sys.argv[1])
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def modules():
    """Folder -> the folders its library links directly, from CMakeLists.txt."""
    text = (ROOT / "CMakeLists.txt").read_text()
    libraries, links = {}, {}
    for m in re.finditer(r"fenwarx_module\((\w+)\s+([\w/]+)([^)]*)\)", text):
        libraries[m.group(1)] = m.group(2)
        links[m.group(2)] = [w for w in m.group(3).split() if w.startswith("fenwarx_")]
    return {folder: {libraries[w] for w in deps if w in libraries} for folder, deps in links.items()}


def reachable(graph):
    out = {}
    for folder in graph:
        seen, todo = {folder}, [folder]
        while todo:
            for dep in graph[todo.pop()]:
                if dep not in seen:
                    seen.add(dep)
                    todo.append(dep)
        out[folder] = seen
    return out


def folder_of(include, folders):
    """The module folder an include path lies in (the longest that matches)."""
    best = None
    for f in folders:
        if include.startswith(f + "/") and (best is None or len(f) > len(best)):
            best = f
    return best


def header_only():
    """Folders of component/ with headers and no library: interfaces below everything."""
    out = set()
    for d in (ROOT / "component").rglob("*"):
        if d.is_dir() and any(d.glob("*.hpp")) and not any(d.glob("*.cpp")):
            out.add(d.relative_to(ROOT / "component").as_posix())
    return out


def layers():
    graph = modules()
    leaves = header_only()
    for leaf in leaves:
        graph[leaf] = set()
    allowed = reachable(graph)
    for folder in graph:
        allowed[folder] |= leaves
    allowed["<cli>"] = {"jobs", "platform/values", "forms"}
    faults = []
    sources = [p for p in (ROOT / "component").rglob("*") if p.suffix in (".cpp", ".hpp", ".h")]
    sources += [p for p in (ROOT / "cli").rglob("*") if p.suffix in (".cpp", ".hpp")]
    for path in sources:
        rel = path.relative_to(ROOT).as_posix()
        own = "<cli>" if rel.startswith("cli/") else folder_of(rel[len("component/"):], graph)
        if own is None:
            faults.append(f"{rel}: lies in no folder CMakeLists.txt builds")
            continue
        for include in INCLUDE.findall(path.read_text()):
            target = folder_of(include, graph)
            if target is not None and target not in allowed[own]:
                faults.append(f"{rel}: includes {include}, a folder {own} does not link")
    return faults


def format_faults():
    tool = shutil.which("clang-format")
    if tool is None:
        print("clang-format not installed: format not checked")
        return []
    files = [p for d in ("component", "cli", "host", "setup", "examples", "tests", "bench", "fuzz")
             for p in sorted((ROOT / d).rglob("*")) if p.suffix in (".cpp", ".hpp", ".h", ".c")]
    run = subprocess.run([tool, "--dry-run", *map(str, files)], capture_output=True, text=True)
    return sorted({line.split(":")[0] + ": not as clang-format leaves it"
                   for line in run.stderr.splitlines() if "warning:" in line})


faults = {"layers": layers, "format": format_faults}[sys.argv[2]]()
for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
