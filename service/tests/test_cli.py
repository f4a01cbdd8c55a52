import contextlib
import http.client
import io
import json
import os
import re
import subprocess
import sys
import tempfile
import unittest

import lookup_service
from tests.support import form_body, post_data

SCRIPT = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "lookup_service.py")


class ServeCommandTest(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = folder.name

    def test_demo_server_on_a_free_port(self):
        port_file = os.path.join(self.folder, "port")
        log = os.path.join(self.folder, "requests.jsonl")
        process = subprocess.Popen(
            [sys.executable, SCRIPT, "serve", "--demo", "--port-file", port_file, "--log", log],
            stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL,
            text=True,
        )
        self.addCleanup(process.wait, 10)
        self.addCleanup(process.terminate)
        banner = process.stdout.readline()
        process.stdout.close()
        with open(port_file, encoding="ascii") as stream:
            port_text = stream.read()
        self.assertRegex(port_text, r"^[1-9][0-9]*\n$")
        port = int(port_text)
        self.assertIn(f"http://127.0.0.1:{port}", banner)

        connection = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
        self.addCleanup(connection.close)
        connection.request("GET", "/files/nvidia-8.17.12.9573.exe")
        response = connection.getresponse()
        self.assertEqual(response.status, 200)
        self.assertEqual(len(response.read()), int(response.getheader("Content-Length")))
        connection.close()
        connection.request(
            "POST",
            "/index.php",
            form_body(post_data(["PCI\\VEN_10DE&DEV_0640"])),
            {"Content-Type": "application/x-www-form-urlencoded"},
        )
        self.assertEqual(connection.getresponse().status, 200)

        process.terminate()
        self.assertEqual(process.wait(10), 0)
        with open(log, encoding="utf-8") as stream:
            self.assertEqual([json.loads(line)["status"] for line in stream], [200, 200])
        # The temporary demo folder named in the banner goes away with the server.
        demo_db = re.search(r"catalogue (\S+)", banner).group(1)
        self.assertFalse(os.path.exists(os.path.dirname(demo_db)))

    def test_serve_needs_an_existing_catalogue(self):
        for argv in [["serve"], ["serve", "--db", os.path.join(self.folder, "missing.sqlite")]]:
            with self.subTest(argv=argv):
                with contextlib.redirect_stderr(io.StringIO()), self.assertRaises(SystemExit) as raised:
                    lookup_service.main(argv)
                self.assertEqual(raised.exception.code, 2)


    def test_serve_refuses_a_file_that_is_not_a_catalogue(self):
        path = os.path.join(self.folder, "notes.sqlite")
        with open(path, "w", encoding="ascii") as stream:
            stream.write("not a database\n" * 100)
        finished = subprocess.run(
            [sys.executable, SCRIPT, "serve", "--db", path, "--port", "0"],
            capture_output=True,
            text=True,
            timeout=60,
        )
        self.assertEqual(finished.returncode, 1)
        self.assertRegex(finished.stderr, r"^serve: [^\n]*notes\.sqlite[^\n]*\n$")
        self.assertEqual(finished.stdout, "")


class WriteAtomicallyTest(unittest.TestCase):
    def test_replaces_the_file_and_leaves_nothing_else(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "port")
            lookup_service.write_atomically(path, "1\n")
            lookup_service.write_atomically(path, "8080\n")
            with open(path, encoding="ascii") as stream:
                self.assertEqual(stream.read(), "8080\n")
            self.assertEqual(os.listdir(folder), ["port"])


if __name__ == "__main__":
    unittest.main()
