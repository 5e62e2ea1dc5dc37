"""Checks of the harness parts that need neither Wine nor a display."""

import os
import re
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from morvel_e2e.errors import ScenarioFailure  # noqa: E402
from morvel_e2e.prefix import copy_prefix  # noqa: E402
from morvel_e2e.screen import png_size  # noqa: E402
from morvel_e2e.session import matches  # noqa: E402
from morvel_e2e.xinput import line_points  # noqa: E402


class CopyPrefixTest(unittest.TestCase):
    def setUp(self):
        self.root = Path(tempfile.mkdtemp())
        self.template = self.root / "template"
        system32 = self.template / "drive_c" / "windows" / "system32"
        system32.mkdir(parents=True)
        (system32 / "user32.dll").write_bytes(b"MZ")
        (self.template / "system.reg").write_text("[Software]\n")
        (self.template / "dosdevices").mkdir()
        os.symlink("../drive_c", self.template / "dosdevices" / "c:")
        os.symlink("/", self.template / "dosdevices" / "z:")
        self.copy = self.root / "copy"
        copy_prefix(self.template, self.copy)

    def tearDown(self):
        import shutil
        shutil.rmtree(self.root)

    def test_drive_links_stay_links_to_the_same_places(self):
        self.assertEqual(os.readlink(self.copy / "dosdevices" / "c:"), "../drive_c")
        self.assertEqual(os.readlink(self.copy / "dosdevices" / "z:"), "/")
        self.assertTrue((self.copy / "dosdevices" / "c:" / "windows").is_dir())

    def test_programs_are_shared_and_the_registry_is_not(self):
        dll = Path("drive_c/windows/system32/user32.dll")
        self.assertEqual((self.copy / dll).stat().st_ino, (self.template / dll).stat().st_ino)
        with open(self.copy / "system.reg", "w") as registry:  # as wineserver rewrites it
            registry.write("changed")
        self.assertEqual((self.template / "system.reg").read_text(), "[Software]\n")

    def test_a_second_copy_replaces_the_first(self):
        (self.copy / "left-over").write_text("x")
        copy_prefix(self.template, self.copy)
        self.assertFalse((self.copy / "left-over").exists())


class MatchingTest(unittest.TestCase):
    def test_value_pattern_and_predicate(self):
        self.assertTrue(matches("キー: P", "キー: P"))
        self.assertFalse(matches("キー: P", "キー: p"))
        self.assertTrue(matches("色: 1,2,3", re.compile(r"^色: \d")))
        self.assertFalse(matches(None, re.compile("x")))
        self.assertTrue(matches([1, 2], lambda v: len(v) == 2))

    def test_failure_says_what_it_expected_and_saw(self):
        text = ScenarioFailure("status part 0", "キー: P", "キー: なし").describe()
        self.assertIn("expected: 'キー: P'", text)
        self.assertIn("saw:      'キー: なし'", text)


class DragPathTest(unittest.TestCase):
    def test_ends_exactly_and_steps_evenly(self):
        points = line_points((10, 20), (110, -30), 4)
        self.assertEqual(points, [(10, 20), (35, 8), (60, -5), (85, -18), (110, -30)])

    def test_at_least_one_step(self):
        self.assertEqual(line_points((0, 0), (5, 5), 0), [(0, 0), (5, 5)])


class PngSizeTest(unittest.TestCase):
    def test_reads_the_header_and_refuses_other_files(self):
        with tempfile.TemporaryDirectory() as folder:
            png = Path(folder, "a.png")
            png.write_bytes(b"\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR" + (640).to_bytes(4, "big") +
                            (480).to_bytes(4, "big") + b"\x08\x02\0\0\0")
            self.assertEqual(png_size(png), (640, 480))
            png.write_bytes(b"GIF89a" + b"\0" * 20)
            with self.assertRaises(ValueError):
                png_size(png)


if __name__ == "__main__":
    unittest.main()
