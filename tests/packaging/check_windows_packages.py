"""Makes the Windows packages from the win64 and win32 trees (the packaging
scenarios use what this writes) and checks what users get: each zip and
installer holds the files of its architecture and nothing else, every DLL a
program needs is a system DLL or shipped beside it, and a failed run leaves
nothing behind. The x86 packages are checked here only: 32-bit programs
cannot run on these machines."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from windows_packages import (INSTALLERS, PACKAGES, PROGRAMS, VERSION, ZIPS,  # noqa: E402
                              make_packages, package_files)

BUILD_ROOT = Path(os.environ.get("MORVEL_BUILD_ROOT", PACKAGES.parents[1]))
OBJDUMP = "x86_64-w64-mingw32-objdump"  # reads 32- and 64-bit programs alike
FORMATS = {"win64": "pei-x86-64", "win32": "pei-i386", "x64": "pei-x86-64", "x86": "pei-i386"}
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
               "user32.dll", "shell32.dll", "ole32.dll", "comdlg32.dll", "version.dll"}


# The tools' own words, whatever language the test command runs in.
C_LOCALE = {**os.environ, "LC_ALL": "C"}


def objdump(path: Path, option: str) -> str:
    return subprocess.run([OBJDUMP, option, str(path)], capture_output=True, text=True,
                          check=True, env=C_LOCALE).stdout


class WindowsPackagesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(PACKAGES, ignore_errors=True)
        started = time.monotonic()
        made = make_packages(BUILD_ROOT, PACKAGES)
        print(f"packaging took {time.monotonic() - started:.1f} s", flush=True)
        if made.returncode != 0:
            raise AssertionError(f"packaging failed:\n{made.stdout}\n{made.stderr}")

    def test_only_the_four_packages_are_written(self):
        self.assertEqual(sorted(p.name for p in PACKAGES.iterdir()),
                         sorted([*ZIPS.values(), *INSTALLERS.values()]))

    def test_each_zip_holds_its_architecture_in_one_folder(self):
        for tree, name in ZIPS.items():
            with self.subTest(tree), tempfile.TemporaryDirectory() as scratch:
                top = f"Morvel-{VERSION}-{tree}/"
                with zipfile.ZipFile(PACKAGES / name) as archive:
                    self.assertIsNone(archive.testzip())
                    names = {n[len(top):] for n in archive.namelist()
                             if n.startswith(top) and not n.endswith("/")}
                    self.assertEqual(names, package_files(), "files below " + top)
                    self.assertTrue(all(n.startswith(top) for n in archive.namelist()))
                    archive.extractall(scratch)
                folder = Path(scratch, top)
                for program in PROGRAMS:
                    self.assertIn(f"file format {FORMATS[tree]}",
                                  objdump(folder / program, "-f"), program)
                    imports = re.findall(r"DLL Name: (\S+)", objdump(folder / program, "-p"))
                    missing = {d for d in imports
                               if d.lower() not in SYSTEM_DLLS and not (folder / d).is_file()}
                    self.assertEqual(missing, set(), f"DLLs {program} needs")
                readme = (folder / "README.txt").read_bytes()
                self.assertTrue(readme.startswith(b"\xef\xbb\xbf"), "README.txt in UTF-8 with BOM")
                self.assertIsNone(re.search(rb"@[A-Z]+@", readme), "README placeholders")
                self.assertEqual(readme.count(b"\n"), readme.count(b"\r\n"), "CRLF line ends")

    def test_each_installer_holds_the_zips_files_and_its_uninstaller(self):
        for arch, name in INSTALLERS.items():
            with self.subTest(arch):
                installer = PACKAGES / name
                self.assertIn(f"file format {FORMATS[arch]}", objdump(installer, "-f"))
                listing = subprocess.run(["7z", "l", "-slt", str(installer)], env=C_LOCALE, capture_output=True,
                                         text=True, check=True).stdout
                print(f"{name}:\n" + "\n".join(re.findall(r"^Path = (.*)$", listing, re.M)[1:]))
                self.assertIn("Type = Nsis", listing)
                paths = {p for p in re.findall(r"^Path = (.*)$", listing, re.M)[1:]
                         if not p.startswith("$PLUGINSDIR/")}
                self.assertEqual(paths, package_files() | {"uninstall.exe"})

    def test_a_failed_run_leaves_no_package_behind(self):
        with tempfile.TemporaryDirectory() as scratch:
            broken = Path(scratch, "build")
            (broken / "win64").mkdir(parents=True)
            os.symlink(BUILD_ROOT / "win64" / "bin", broken / "win64" / "bin")
            shutil.copytree(BUILD_ROOT / "win32" / "bin", broken / "win32" / "bin",
                            ignore=shutil.ignore_patterns("*.debug", "MvlLib.dll"))
            dist = Path(scratch, "dist")
            dist.mkdir()
            (dist / "older.txt").write_text("kept")
            made = make_packages(broken, dist)
            self.assertNotEqual(made.returncode, 0)
            self.assertIn("MvlLib.dll missing", made.stderr)
            self.assertEqual([p.name for p in dist.iterdir()], ["older.txt"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
