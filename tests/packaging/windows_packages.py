"""What the Windows packages' tests share: where the packages are, what each
must hold, and the facts a Windows program in the prefix sees of them."""

import os
import subprocess
from pathlib import Path

VERSION = "2.01"
LIBRARY_VERSION = "1.00"
COMPANY = "Kelvarin"

SOURCE = Path(os.environ.get("MORVEL_SOURCE_DIR", Path(__file__).resolve().parents[2]))
PACKAGES = Path(os.environ.get("MORVEL_PACKAGES_DIR",
                               SOURCE / "build" / "win64" / "packages"))
ZIPS = {"win64": f"Morvel-{VERSION}-win64.zip", "win32": f"Morvel-{VERSION}-win32.zip"}
INSTALLERS = {"x64": f"Morvel-{VERSION}-setup-x64.exe", "x86": f"Morvel-{VERSION}-setup-x86.exe"}
PROGRAMS = ["Morvel.exe", "MvlLib.dll", "mvltool.exe"]


def package_files() -> set[str]:
    """The files of a zip below its top folder, as an installer puts them."""
    robot = SOURCE / "examples" / "robot"
    examples = {f"examples/robot/{p.name}" for p in robot.iterdir()
                if p.suffix in (".x", ".bmp") or p.name == "robot.mvl"}
    return examples | set(PROGRAMS) | {"mvl.hlp", "README.txt", "LICENSE.txt",
                                       "THIRD-PARTY-NOTICES.txt"}


def make_packages(build_root: Path, dist: Path) -> subprocess.CompletedProcess:
    script = SOURCE / "packaging" / "windows" / "make_windows_packages.sh"
    return subprocess.run(["bash", str(script), str(build_root), str(dist)],
                          capture_output=True, text=True, timeout=600)
