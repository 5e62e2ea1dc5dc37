"""Where the programs, the work folder and Wine are, from the environment
that tests/e2e/CMakeLists.txt gives each scenario."""

import os
from dataclasses import dataclass
from pathlib import Path

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"


@dataclass(frozen=True)
class Paths:
    work: Path           # build/win64/e2e: template prefix, session prefixes, screenshots
    driver: Path         # morvel_driver.exe
    fixture: Path        # fixture_app.exe
    morvel: Path         # Morvel.exe
    mvltool_exe: Path    # mvltool.exe of the win64 tree
    mvltool: Path        # native mvltool
    source: Path         # the repository

    @property
    def screenshots(self) -> Path:
        return self.work / "screenshots"

    @property
    def fixtures(self) -> Path:
        """Files made by other tools, in the folder beside the repository."""
        return _path("MORVEL_FIXTURES_DIR", self.source.parent / "shared" / "fixtures")


def _path(name: str, default: Path) -> Path:
    value = os.environ.get(name)
    return Path(value) if value else default


def paths_from_environment() -> Paths:
    source = Path(__file__).resolve().parents[3]
    build = source / "build"
    bin64 = build / "win64" / "bin"
    return Paths(
        work=_path("MORVEL_E2E_WORK", build / "win64" / "e2e"),
        driver=_path("MORVEL_E2E_DRIVER", bin64 / "morvel_driver.exe"),
        fixture=_path("MORVEL_E2E_FIXTURE", bin64 / "fixture_app.exe"),
        morvel=_path("MORVEL_EXE", bin64 / "Morvel.exe"),
        mvltool_exe=_path("MORVEL_MVLTOOL_EXE", bin64 / "mvltool.exe"),
        mvltool=_path("MORVEL_MVLTOOL", build / "native" / "bin" / "mvltool"),
        source=_path("MORVEL_SOURCE_DIR", source),
    )


def windows_path(path) -> str:
    """The path as a Windows program in the prefix sees it (drive Z: is /)."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")
