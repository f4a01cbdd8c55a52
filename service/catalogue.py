"""The driver catalogue: an SQLite table filled from CSV files."""

import csv
import sqlite3
from typing import NamedTuple

# Links may name the service itself; the placeholder becomes http://host:port when answering.
BASE_PLACEHOLDER = "{base}"


class Driver(NamedTuple):
    """One catalogue row; the field order is that of the CSV header and of the reply."""

    hardid: str
    dr_version: str
    dr_name: str
    dev_desc: str
    dev_class_guid: str
    dr_size: str
    dr_official_link: str
    dr_link: str


COLUMNS = Driver._fields

# NOCASE makes both the lookup and the replace-on-import ignore the case of identifiers.
_SCHEMA = (
    "CREATE TABLE IF NOT EXISTS drivers (hardid TEXT PRIMARY KEY COLLATE NOCASE, "
    + ", ".join(f"{name} TEXT NOT NULL" for name in COLUMNS[1:])
    + ")"
)


class CatalogueError(ValueError):
    """A CSV file that cannot be imported; nothing of it is stored."""


# The client decodes references before it parses, so "<" and ">" in a value would
# become markup; a zero byte would end its text.
_UNSAFE = ("\0", "<", ">")


def read_csv(path):
    """The rows of a catalogue CSV file (UTF-8, header line first)."""
    with open(path, newline="", encoding="utf-8-sig") as stream:
        rows = csv.reader(stream)
        try:
            return _drivers(path, rows)
        except UnicodeDecodeError as error:
            raise CatalogueError(f"{path}: not UTF-8 text") from error
        except csv.Error as error:
            raise CatalogueError(f"{path}:{rows.line_num}: {error}") from error


def _drivers(path, rows):
    header = next(rows, None)
    if header is None or tuple(header) != COLUMNS:
        raise CatalogueError(f"{path}: header must be {','.join(COLUMNS)}")
    drivers = []
    for row in rows:
        if not row:
            continue
        if len(row) != len(COLUMNS):
            raise CatalogueError(f"{path}:{rows.line_num}: {len(row)} fields, expected {len(COLUMNS)}")
        # Identifiers are compared whole; a stray blank would keep a row from ever matching.
        row[0] = row[0].strip()
        if not row[0]:
            raise CatalogueError(f"{path}:{rows.line_num}: empty hardid")
        for name, value in zip(COLUMNS, row):
            unsafe = [char for char in _UNSAFE if char in value]
            if unsafe:
                raise CatalogueError(f"{path}:{rows.line_num}: {name} contains {unsafe[0]!r}")
        drivers.append(Driver(*row))
    return drivers


class Catalogue:
    """One connection per instance: open one per thread, as sqlite3 requires."""

    def __init__(self, path):
        self._db = sqlite3.connect(path)
        self._db.execute(_SCHEMA)

    def close(self):
        self._db.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def store(self, drivers):
        """Adds the drivers in one transaction; a known hardid (any case) is replaced."""
        placeholders = ", ".join("?" * len(COLUMNS))
        with self._db:
            self._db.executemany(f"INSERT OR REPLACE INTO drivers VALUES ({placeholders})", drivers)

    def find(self, hardids, base):
        """The drivers for the identifiers, in request order, each at most once.

        The catalogue's spelling of the identifier is answered, and BASE_PLACEHOLDER
        in links is replaced by base.
        """
        found = {}
        for hardid in hardids:
            row = self._db.execute(
                f"SELECT {', '.join(COLUMNS)} FROM drivers WHERE hardid = ?", (hardid,)
            ).fetchone()
            if row is not None:
                driver = Driver(*row)
                # Keyed by the catalogue's spelling: a repeated identifier keeps its first place.
                found[driver.hardid] = driver._replace(
                    dr_official_link=driver.dr_official_link.replace(BASE_PLACEHOLDER, base),
                    dr_link=driver.dr_link.replace(BASE_PLACEHOLDER, base),
                )
        return list(found.values())
