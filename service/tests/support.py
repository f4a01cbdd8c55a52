"""What several service tests share: the client's side of a lookup and a running server."""

import os
import tempfile
import threading
import unittest
import urllib.parse

import envelope
from catalogue import Catalogue, Driver
from request_log import RequestLog
from server import LookupServer

REPOSITORY = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ENVELOPE_VECTORS = os.path.join(REPOSITORY, "tests", "vectors", "envelope.txt")

NVIDIA = Driver(
    "PCI\\VEN_10DE&DEV_0640",
    "8.17.12.9573",
    "NVIDIA GeForce Driver 295.73",
    'GeForce 9500 GT "Caf\u00e9" <rev A>',
    "{4D36E968-E325-11CE-BFC1-08002BE10318}",
    "175.2 MB",
    "http://www.nvidia.com/Download/index.aspx",
    "{base}/files/nvidia.exe",
)
REALTEK = Driver(
    "PCI\\VEN_10EC&DEV_8168&SUBSYS_81681849&REV_06",
    "10.38.1003.2019",
    "Realtek PCIe GBE Family Controller Driver",
    "Realtek PCIe GBE Family Controller",
    "{4D36E972-E325-11CE-BFC1-08002BE10318}",
    "6.9 MB",
    "",
    "http://downloads.example.com/realtek.exe",
)
PACKAGE = bytes(range(256)) * 40


def post_data(hardids, action="GetDriverUrls", code="5E07A3D2"):
    """The post data as the client builds it, "&" inside identifiers sent as "%26"."""
    ids = ",".join(hardid.replace("&", "%26") for hardid in hardids)
    text = f"version=1.2.3.4&os=win764&language=en_US&platform=desktop&action={action}&code={code}&hardids={ids}"
    return text.encode("cp1252")


def form_body(plain):
    """The request body: "data=" and the URL-encoded seal."""
    return b"data=" + urllib.parse.quote(envelope.seal(plain), safe="").encode("ascii")


class ServerTestCase(unittest.TestCase):
    """A service on a free loopback port with a two-driver catalogue and one package."""

    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = folder.name
        self.db_path = os.path.join(self.folder, "catalogue.sqlite")
        self.files_dir = os.path.join(self.folder, "files")
        self.log_path = os.path.join(self.folder, "requests.jsonl")
        os.mkdir(self.files_dir)
        with open(os.path.join(self.files_dir, "nvidia.exe"), "wb") as stream:
            stream.write(PACKAGE)
        with open(os.path.join(self.folder, "secret.txt"), "w") as stream:
            stream.write("not for clients")
        with Catalogue(self.db_path) as catalogue:
            catalogue.store([NVIDIA, REALTEK])
        self.start_server(self.db_path, self.files_dir)

    def start_server(self, db_path, files_dir):
        self.server = LookupServer(("127.0.0.1", 0), db_path, files_dir, RequestLog(self.log_path))
        self.port = self.server.server_address[1]
        # A short poll keeps shutdown, and so each test, quick.
        thread = threading.Thread(target=self.server.serve_forever, kwargs={"poll_interval": 0.01}, daemon=True)
        thread.start()
        self.addCleanup(self.server.server_close)
        self.addCleanup(thread.join)
        self.addCleanup(self.server.shutdown)
