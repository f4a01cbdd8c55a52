import contextlib
import io
import os
import tempfile
import unittest

import demo
import lookup_service
from catalogue import Catalogue, Driver, read_csv

# What the program reports under Wine and with the test seed's devices.
MACHINE_HARDIDS = [
    "PCI\\VEN_0000&DEV_0000&SUBSYS_00000000&REV_00",
    "DISPLAY\\DEFAULT_MONITOR",
    "HID\\VID_845E&PID_0001",
    "WINEBUS\\VID_845E&PID_0001",
    "PCI\\VEN_8086&DEV_27C8&SUBSYS_30A217AA&REV_02",
    "PCI\\VEN_10DE&DEV_0640",
    "USB\\VID_046D&PID_C52B&MI_00",
    "ROOT\\LEGACY_X",
    "USB\\VID_0781&PID_5567",
    "PCI\\VEN_10EC&DEV_8168&SUBSYS_81681849&REV_06",
]


class PackageBytesTest(unittest.TestCase):
    def test_same_name_same_bytes_within_the_size_range(self):
        names = ["nvidia-8.17.12.9573.exe", "a.exe", "b.exe", ""]
        contents = [demo.package_bytes(name) for name in names]
        for name, content in zip(names, contents):
            with self.subTest(name):
                self.assertEqual(demo.package_bytes(name), content)
                self.assertGreaterEqual(len(content), demo.MIN_SIZE)
                self.assertLessEqual(len(content), demo.MAX_SIZE)
        self.assertEqual(len(set(contents)), len(contents))


class ServedNamesTest(unittest.TestCase):
    def test_only_links_to_this_service_name_files(self):
        drivers = [
            Driver("A", "1", "n", "d", "{G}", "1 KB", "{base}/files/a.exe", "http://elsewhere/b.exe"),
            Driver("B", "1", "n", "d", "{G}", "1 KB", "{base}/other/c.exe", "{base}/files/a.exe"),
        ]
        self.assertEqual(demo.served_names(drivers), ["a.exe"])


class BuildDemoTest(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.db_path = os.path.join(folder.name, "demo.sqlite")
        self.files_dir = os.path.join(folder.name, "files")
        with contextlib.redirect_stdout(io.StringIO()):
            self.assertEqual(lookup_service.main(["demo", "--db", self.db_path, "--files", self.files_dir]), 0)
        with Catalogue(self.db_path) as catalogue:
            self.drivers = catalogue.find(MACHINE_HARDIDS, "http://demo")
            self.catalogue_size = len(catalogue.find([row.hardid for row in read_csv(demo.DEMO_CSV)], "http://demo"))

    def test_every_device_of_the_test_machine_has_a_downloadable_driver(self):
        self.assertEqual([driver.hardid for driver in self.drivers], MACHINE_HARDIDS)
        for driver in self.drivers:
            with self.subTest(driver.hardid):
                self.assertTrue(driver.dr_link.startswith("http://demo/files/"))
                name = driver.dr_link[len("http://demo/files/") :]
                with open(os.path.join(self.files_dir, name), "rb") as stream:
                    self.assertEqual(stream.read(), demo.package_bytes(name))

    def test_catalogue_also_knows_devices_the_machine_lacks(self):
        self.assertGreater(self.catalogue_size, len(MACHINE_HARDIDS))


if __name__ == "__main__":
    unittest.main()
