#!/usr/bin/env python3
"""The include check on a small tree of its own: each kind of fault is found,
and a tree that keeps the rules passes."""
import json
import os
import subprocess
import sys
import tempfile
import unittest

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check_layers.py")


def write(root, path, text=""):
    full = os.path.join(root, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "w", encoding="utf-8") as f:
        f.write(text)


def run(root, libraries):
    config = {"layers": ["base", "formats", "app"], "windows": True, "testing": ["app/fakes"],
              "libraries": libraries}
    with open(os.path.join(root, "layers.json"), "w", encoding="utf-8") as f:
        json.dump(config, f)
    result = subprocess.run([sys.executable, CHECK, root, os.path.join(root, "layers.json")],
                            capture_output=True, text=True)
    return result.returncode, result.stdout


class CheckLayersTest(unittest.TestCase):
    def test_every_kind_of_fault_is_found_and_a_clean_tree_passes(self):
        with tempfile.TemporaryDirectory() as root:
            lib = lambda layer, folder, prefix, links, portable=True: {
                "layer": layer, "folder": os.path.join(root, folder), "headers_as": prefix,
                "portable": portable, "links": links}
            libraries = {
                "base": lib("base", "base", "base", []),
                "xfile": lib("formats", "formats/xfile", "formats/xfile", ["base"]),
                "image": lib("formats", "formats/image", "formats/image", ["base"]),
                "app": lib("app", "app", "app", ["xfile"]),
            }
            write(root, "base/text.h")
            write(root, "formats/xfile/x.h", '#include "base/text.h"\n')
            write(root, "formats/image/png.h")
            write(root, "app/win32/shell.h")
            write(root, "app/command.h", '#include "formats/xfile/x.h"\n#include "base/text.h"\n')
            write(root, "app/command_tests.cpp", '#include "app/fakes/shell.h"\n')
            self.assertEqual(run(root, libraries)[0], 0)

            write(root, "base/up.cpp", '#include "app/command.h"\n')
            write(root, "formats/xfile/sibling.cpp", '#include "formats/image/png.h"\n')
            write(root, "app/relative.cpp", '#include "win32/shell.h"\n#include "../base/text.h"\n')
            write(root, "app/fake_use.cpp", '#include "app/fakes/shell.h"\n')
            write(root, "app/window.cpp", "#include <windows.h>\n")
            code, out = run(root, libraries)
            self.assertEqual(code, 1)
            for fault in ["base/up.cpp: #include \"app/command.h\": base does not link app",
                          "sibling.cpp: #include \"formats/image/png.h\": xfile does not link image",
                          "reaches a subfolder past the include roots",
                          "climbs out of the include roots",
                          "fakes in production code",
                          "a Win32 header in portable code"]:
                self.assertIn(fault, out)


if __name__ == "__main__":
    unittest.main()
