#!/usr/bin/env python3
"""Checks every source file's includes against the layers of the build.

The build already makes an upward include fail to compile: each library's
headers are reachable only through an include root of its own, which only
target_link_libraries hands on (cmake/MorvelLayers.cmake), and the configure
step fails on an upward link. What the compiler cannot see is checked here:

- a quoted include that climbs out with ".." or reaches into a subfolder
  relative to the including file (the compiler looks there first, bypassing
  the include roots);
- a header of a library the including library does not link (also in files
  a given tree never compiles: Windows adapters natively, headers alone);
- test support or fakes included from production code;
- a Win32 or Direct3D header in a portable library outside its win32/ and
  d3d8/ folders.

The Windows trees know every library; a native tree leaves the Windows
adapters (win32/, d3d8/ folders) and the program to them.

Usage: check_layers.py SOURCE_DIR LAYERS_JSON
"""
import json
import os
import re
import sys

WIN32_HEADERS = {
    "windows.h", "windowsx.h", "d3d8.h", "d3d8types.h", "d3d8caps.h", "ddraw.h", "dinput.h",
    "dmusici.h", "commctrl.h", "commdlg.h", "shlobj.h", "shellapi.h", "objbase.h", "ole2.h",
    "winreg.h", "winuser.h", "wingdi.h", "mmsystem.h", "io.h", "direct.h", "process.h",
}
PLATFORM_FOLDERS = {"win32", "d3d8", "windows"}
TEST_FOLDERS = {"tests", "bench", "fuzz", "fakes"}
SKIPPED_FOLDERS = {".git", "build", "node_modules", "gltf_validator", "__pycache__"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def main(source_dir, layers_json):
    with open(layers_json, encoding="utf-8") as f:
        config = json.load(f)
    layers = config["layers"]
    libraries = config["libraries"]
    testing_prefixes = set(config.get("testing", []))
    windows = config.get("windows", False)

    # Headers test code may include by name: those of every test folder.
    test_headers = set()
    for folder, dirs, files in os.walk(source_dir):
        dirs[:] = [d for d in dirs if d not in SKIPPED_FOLDERS]
        parts = os.path.relpath(folder, source_dir).split(os.sep)
        if parts[0] == "tests" or any(p in TEST_FOLDERS for p in parts):
            test_headers.update(f for f in files if f.endswith(".h"))

    by_folder = {}
    for name, lib in libraries.items():  # the first library of a folder owns its files
        if os.path.realpath(lib["folder"]) != os.path.realpath(source_dir):  # generated headers
            by_folder.setdefault(os.path.realpath(lib["folder"]), name)
    by_prefix = {lib["headers_as"]: name for name, lib in libraries.items() if lib["headers_as"]}

    def closure(name):
        seen, stack = set(), [name]
        while stack:
            for link in libraries[stack.pop()]["links"]:
                if link in libraries and link not in seen:
                    seen.add(link)
                    stack.append(link)
        return seen

    reach = {name: closure(name) for name in libraries}
    rank = {name: layers.index(lib["layer"]) for name, lib in libraries.items()}
    problems = []

    for folder, dirs, files in os.walk(source_dir):
        dirs[:] = sorted(d for d in dirs if d not in SKIPPED_FOLDERS and not d.startswith("corpus"))
        for file in sorted(files):
            if not file.endswith((".h", ".cpp", ".c")):
                continue
            path = os.path.join(folder, file)
            relative = os.path.relpath(path, source_dir)
            parts = relative.split(os.sep)[:-1]
            # The library whose folder holds the file, nearest first.
            owner, inner = None, []
            probe = folder
            while True:
                owner = by_folder.get(os.path.realpath(probe))
                if owner or os.path.realpath(probe) == os.path.realpath(source_dir):
                    break
                inner.insert(0, os.path.basename(probe))
                probe = os.path.dirname(probe)
            is_test = (file.endswith("_tests.cpp") or any(p in TEST_FOLDERS for p in inner)
                       or parts[:1] == ["tests"])
            is_platform = any(p in PLATFORM_FOLDERS for p in parts)
            if not windows and (is_platform or parts[:2] == ["editor", "main"]):
                continue  # the Windows trees check these
            with open(path, encoding="utf-8", errors="replace") as f:
                text = f.read()
            for kind, name in INCLUDE.findall(text):
                where = "%s: #include %s" % (relative, kind + name + (">" if kind == "<" else '"'))
                if kind == "<":
                    if (owner and libraries[owner]["portable"] and not is_platform and not is_test
                            and name.lower() in WIN32_HEADERS):
                        problems.append(where + ": a Win32 header in portable code")
                    continue
                if ".." in name.split("/"):
                    problems.append(where + ": climbs out of the include roots")
                    continue
                if "/" not in name:
                    reached = [owner] + sorted(reach[owner]) if owner else []
                    if os.path.exists(os.path.join(folder, name)) or any(
                            os.path.exists(os.path.join(libraries[lib]["folder"], name))
                            for lib in reached):
                        continue
                    if name in test_headers:
                        if not is_test and owner is not None:
                            problems.append(where + ": test support in production code")
                        continue
                    problems.append(where + ": no such header beside the file or in test support")
                    continue
                if os.path.exists(os.path.join(folder, name)):
                    problems.append(where + ": reaches a subfolder past the include roots")
                    continue
                prefix = os.path.dirname(name)
                if not windows and any(p in PLATFORM_FOLDERS for p in prefix.split("/")):
                    continue  # a Windows adapter: the Windows trees check these
                if prefix in testing_prefixes:
                    if not is_test:
                        problems.append(where + ": fakes in production code")
                    continue
                target = by_prefix.get(prefix)
                if target is None:
                    problems.append(where + ": no library exports '%s/'" % prefix)
                    continue
                if owner is None or target == owner:
                    continue
                if is_test:
                    if rank[target] > rank[owner]:
                        problems.append(where + ": a test of layer %s uses layer %s" %
                                        (libraries[owner]["layer"], libraries[target]["layer"]))
                elif target not in reach[owner]:
                    problems.append(where + ": %s does not link %s" % (owner, target))

    for problem in problems:
        print(problem)
    print("layers: %d problem(s) in the includes" % len(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
