"""The demo: a catalogue from demo/catalogue.csv and made-up packages for its links."""

import hashlib
import os

from catalogue import BASE_PLACEHOLDER, Catalogue, read_csv

DEMO_CSV = os.path.join(os.path.dirname(os.path.abspath(__file__)), "demo", "catalogue.csv")
FILE_LINK_PREFIX = BASE_PLACEHOLDER + "/files/"
MIN_SIZE = 4 * 1024
MAX_SIZE = 300 * 1024


def package_bytes(name):
    """Stand-in content for a package, the same on every run for the same name."""
    seed = name.encode("utf-8")
    size = MIN_SIZE + int.from_bytes(hashlib.sha256(seed).digest()[:4], "big") % (MAX_SIZE - MIN_SIZE + 1)
    return hashlib.shake_256(seed).digest(size)


def served_names(drivers):
    """The file names that the drivers' links expect this service to serve."""
    names = []
    for driver in drivers:
        for link in (driver.dr_official_link, driver.dr_link):
            if link.startswith(FILE_LINK_PREFIX) and link[len(FILE_LINK_PREFIX):] not in names:
                names.append(link[len(FILE_LINK_PREFIX):])
    return names


def build_demo(db_path, files_dir):
    """Fills the catalogue and writes the packages; returns the number of drivers."""
    drivers = read_csv(DEMO_CSV)
    os.makedirs(os.path.dirname(os.path.abspath(db_path)), exist_ok=True)
    with Catalogue(db_path) as catalogue:
        catalogue.store(drivers)
    os.makedirs(files_dir, exist_ok=True)
    for name in served_names(drivers):
        with open(os.path.join(files_dir, name), "wb") as stream:
            stream.write(package_bytes(name))
    return len(drivers)
