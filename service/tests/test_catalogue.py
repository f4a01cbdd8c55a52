import contextlib
import csv
import io
import os
import tempfile
import unittest

import lookup_service
from catalogue import COLUMNS, Catalogue, CatalogueError, Driver, read_csv

HEADER = ",".join(COLUMNS) + "\n"


class CatalogueTestCase(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = folder.name
        self.db_path = os.path.join(self.folder, "catalogue.sqlite")

    def write_csv(self, text, name="drivers.csv", encoding="utf-8"):
        path = os.path.join(self.folder, name)
        with open(path, "w", encoding=encoding, newline="") as stream:
            stream.write(text)
        return path


class ReadCsvTest(CatalogueTestCase):
    def test_rows_with_quoting_blank_lines_and_byte_order_mark(self):
        path = self.write_csv(
            HEADER
            + 'PCI\\VEN_1&DEV_2,1.0,"Name, with comma",Caf\u00e9,{G},1 MB,,{base}/files/a.exe\n'
            + "\n"
            + "ROOT\\X,2.0,n,d,{G},2 KB,http://o,http://l\n",
            encoding="utf-8-sig",
        )
        self.assertEqual(
            read_csv(path),
            [
                Driver(
                    "PCI\\VEN_1&DEV_2", "1.0", "Name, with comma", "Caf\u00e9", "{G}", "1 MB", "", "{base}/files/a.exe"
                ),
                Driver("ROOT\\X", "2.0", "n", "d", "{G}", "2 KB", "http://o", "http://l"),
            ],
        )

    def test_blanks_around_a_hardid_are_dropped(self):
        path = self.write_csv(HEADER + "  PCI\\VEN_1 \t,1.0,n,d,{G},1 MB,,l\n")
        self.assertEqual(read_csv(path), [Driver("PCI\\VEN_1", "1.0", "n", "d", "{G}", "1 MB", "", "l")])

    def test_unreadable_or_unsafe_rows_are_refused_naming_the_row(self):
        oversized = "n" * (csv.field_size_limit() + 1)
        # The client decodes references before it parses, so "<" and ">" would become markup.
        cases = {
            "not UTF-8": (HEADER + "ID,1.0,Caf\u00e9,d,{G},1 MB,,l\n", "cp1252", "UTF-8"),
            "field over the limit": (HEADER + "ID,1.0," + oversized + ",d,{G},1 MB,,l\n", "utf-8", ":2:"),
            "blank hardid": (HEADER + "ID,1.0,n,d,{G},1 MB,,l\n   ,1.0,n,d,{G},1 MB,,l\n", "utf-8", ":3:"),
            "NUL": (HEADER + "ID,1.0,n\0,d,{G},1 MB,,l\n", "utf-8", ":2:"),
            "less-than": (HEADER + "ID,1.0,n,d <rev,{G},1 MB,,l\n", "utf-8", ":2:"),
            "greater-than": (HEADER + "ID,1.0,n,d,{G},1 MB,,http://h/a>b\n", "utf-8", ":2:"),
            "in the hardid": (HEADER + "ID,1.0,n,d,{G},1 MB,,l\n<ID>,1.0,n,d,{G},1 MB,,l\n", "utf-8", ":3:"),
        }
        for name, (text, encoding, place) in cases.items():
            with self.subTest(name):
                with self.assertRaises(CatalogueError) as raised:
                    read_csv(self.write_csv(text, encoding=encoding))
                self.assertIn(place, str(raised.exception))

    def test_malformed_files_are_refused(self):
        cases = {
            "empty file": "",
            "other header": HEADER.replace("dr_link", "link"),
            "columns reordered": "dr_version,hardid" + HEADER[len("hardid,dr_version") :],
            "too few fields": HEADER + "ID,1.0,n,d,{G},1 MB,\n",
            "too many fields": HEADER + "ID,1.0,n,d,{G},1 MB,,l,extra\n",
            "empty hardid": HEADER + ",1.0,n,d,{G},1 MB,,l\n",
        }
        for name, text in cases.items():
            with self.subTest(name):
                with self.assertRaises(CatalogueError):
                    read_csv(self.write_csv(text))


class FindTest(CatalogueTestCase):
    def setUp(self):
        super().setUp()
        self.gpu = Driver("PCI\\VEN_10DE&DEV_0640", "8.1", "n", "d", "{G}", "1 MB", "{base}/x", "{base}/files/g.exe")
        self.nic = Driver("PCI\\VEN_10EC&DEV_8168", "10.3", "n", "d", "{G}", "2 MB", "", "http://elsewhere/n.exe")
        catalogue = Catalogue(self.db_path)
        self.addCleanup(catalogue.close)
        catalogue.store([self.gpu, self.nic])
        self.catalogue = catalogue

    def test_answers_in_request_order_once_each_ignoring_case(self):
        found = self.catalogue.find(
            ["pci\\ven_10ec&dev_8168", "UNKNOWN", "PCI\\VEN_10DE&DEV_0640", "PCI\\VEN_10EC&DEV_8168", ""], "http://h:1"
        )
        self.assertEqual([driver.hardid for driver in found], [self.nic.hardid, self.gpu.hardid])

    def test_base_placeholder_is_replaced_in_both_links(self):
        (gpu,) = self.catalogue.find([self.gpu.hardid], "http://127.0.0.1:8080")
        base = "http://127.0.0.1:8080"
        self.assertEqual(gpu, self.gpu._replace(dr_official_link=f"{base}/x", dr_link=f"{base}/files/g.exe"))
        self.assertEqual(self.catalogue.find([self.nic.hardid], "http://h:1"), [self.nic])

    def test_nothing_found(self):
        self.assertEqual(self.catalogue.find([], "http://h:1"), [])
        self.assertEqual(self.catalogue.find(["PCI\\VEN_10DE"], "http://h:1"), [])


class ImportCsvCommandTest(CatalogueTestCase):
    def run_import(self, text, encoding="utf-8", db_path=None):
        path = self.write_csv(text, encoding=encoding)
        with contextlib.redirect_stdout(io.StringIO()), contextlib.redirect_stderr(io.StringIO()) as errors:
            status = lookup_service.main(["import-csv", path, "--db", db_path or self.db_path])
        return status, errors.getvalue()

    def rows(self):
        with Catalogue(self.db_path) as catalogue:
            return catalogue.find(["PCI\\VEN_1&DEV_2", "ROOT\\X", "ROOT\\Y"], "b")

    def test_reimporting_a_hardid_replaces_its_row(self):
        first = HEADER + "PCI\\VEN_1&DEV_2,1.0,old,d,{G},1 MB,,l\nROOT\\X,1.0,x,d,{G},1 KB,,l\n"
        # A different spelling of the identifier is the same device, so it replaces too.
        second = HEADER + "pci\\ven_1&dev_2,2.0,new,d,{G},3 MB,o,l2\nROOT\\Y,1.0,y,d,{G},1 KB,,l\n"
        self.assertEqual(self.run_import(first)[0], 0)
        self.assertEqual(self.run_import(second)[0], 0)
        self.assertEqual(
            self.rows(),
            [
                Driver("pci\\ven_1&dev_2", "2.0", "new", "d", "{G}", "3 MB", "o", "l2"),
                Driver("ROOT\\X", "1.0", "x", "d", "{G}", "1 KB", "", "l"),
                Driver("ROOT\\Y", "1.0", "y", "d", "{G}", "1 KB", "", "l"),
            ],
        )

    def test_failures_are_one_line_without_a_traceback(self):
        good = HEADER + "ROOT\\X,1.0,x,d,{G},1 KB,,l\n"
        not_a_database = self.write_csv("just some text\n" * 100, name="text.sqlite")
        cases = {
            "CSV not UTF-8": (HEADER + "ROOT\\X,1.0,Caf\u00e9,d,{G},1 KB,,l\n", "cp1252", self.db_path),
            "field over the limit": (
                HEADER + "ROOT\\X," + "9" * (csv.field_size_limit() + 1) + ",x,d,{G},1 KB,,l\n",
                "utf-8",
                self.db_path,
            ),
            "catalogue in a missing folder": (good, "utf-8", os.path.join(self.folder, "missing", "c.sqlite")),
            "catalogue not a database": (good, "utf-8", not_a_database),
        }
        for name, (text, encoding, db_path) in cases.items():
            with self.subTest(name):
                status, errors = self.run_import(text, encoding, db_path)
                self.assertEqual(status, 1)
                self.assertRegex(errors, r"^import-csv: [^\n]+\n$")

    def test_a_bad_file_changes_nothing(self):
        self.run_import(HEADER + "ROOT\\X,1.0,x,d,{G},1 KB,,l\n")
        before = self.rows()
        status, errors = self.run_import(HEADER + "ROOT\\X,2.0,x2,d,{G},1 KB,,l\nROOT\\Y,broken\n")
        self.assertEqual(status, 1)
        self.assertIn(":3:", errors)
        self.assertEqual(self.rows(), before)


if __name__ == "__main__":
    unittest.main()
