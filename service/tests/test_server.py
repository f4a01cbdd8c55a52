import base64
import contextlib
import http.client
import io
import json
import os
import socket
import unittest
from unittest import mock
import xml.etree.ElementTree as ElementTree

import envelope
import protocol
from server import MAX_BODY, LookupHandler
from tests.support import NVIDIA, PACKAGE, REALTEK, ServerTestCase, form_body, post_data

FORM = "application/x-www-form-urlencoded"


def opened_drivers(reply):
    """The driver elements of a sealed reply, each as a list of (tag, value)."""
    document = envelope.unseal(reply.decode("ascii")).rstrip(b"\0")
    root = ElementTree.fromstring(document)
    return [[(field.tag, field.text or "") for field in driver] for driver in root.findall("driver")]


class HttpTestCase(ServerTestCase):
    def request(self, method, path, body=None, content_type=FORM, headers=None):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        self.addCleanup(connection.close)
        all_headers = {"User-Agent": "Brasko", **(headers or {})}
        if content_type:
            all_headers["Content-Type"] = content_type
        connection.request(method, path, body=body, headers=all_headers)
        response = connection.getresponse()
        return response, response.read()

    def raw_request(self, data):
        """Sends bytes as they are and returns the whole answer (the service closes after each)."""
        with socket.create_connection(("127.0.0.1", self.port), timeout=10) as sock:
            sock.sendall(data)
            chunks = []
            while chunk := sock.recv(65536):
                chunks.append(chunk)
        head, _, body = b"".join(chunks).partition(b"\r\n\r\n")
        return head.split(b"\r\n")[0], body

    def log_lines(self):
        with open(self.log_path, encoding="utf-8") as stream:
            return [json.loads(line) for line in stream]


class LookupTest(HttpTestCase):
    def expected(self, driver, base):
        filled = driver._replace(dr_link=driver.dr_link.replace("{base}", base))
        return list(zip(protocol.FIELD_TAGS, filled))

    def test_lookup_answers_a_sealed_document(self):
        hardids = ["pci\\ven_10ec&dev_8168&subsys_81681849&rev_06", "ROOT\\UNKNOWN", NVIDIA.hardid, REALTEK.hardid]
        response, reply = self.request("POST", "/index.php", form_body(post_data(hardids)))
        self.assertEqual(response.status, 200)
        self.assertEqual(int(response.getheader("Content-Length")), len(reply))
        self.assertRegex(reply, rb"^[A-Za-z0-9+/]+={0,2}$")
        self.assertEqual(len(base64.b64decode(reply)) % 16, 0)
        base = f"http://127.0.0.1:{self.port}"
        self.assertEqual(opened_drivers(reply), [self.expected(REALTEK, base), self.expected(NVIDIA, base)])

    def test_empty_identifier_list_answers_no_driver(self):
        response, reply = self.request("POST", "/index.php", form_body(post_data([])))
        self.assertEqual(response.status, 200)
        self.assertEqual(opened_drivers(reply), [])
        self.assertTrue(envelope.unseal(reply.decode("ascii")).startswith(b'<?xml version="1.0"'))

    def test_http_1_0_client_without_host_gets_links_to_the_listening_address(self):
        body = form_body(post_data([NVIDIA.hardid]))
        head = f"POST /index.php HTTP/1.0\r\nContent-Type: {FORM}\r\nContent-Length: {len(body)}\r\n\r\n"
        status, reply = self.raw_request(head.encode("ascii") + body)
        self.assertEqual(status, b"HTTP/1.0 200 OK")
        self.assertEqual(opened_drivers(reply), [self.expected(NVIDIA, f"http://127.0.0.1:{self.port}")])

    def test_links_follow_the_host_the_client_asked(self):
        body = form_body(post_data([NVIDIA.hardid]))
        _, reply = self.request("POST", "/index.php", body, headers={"Host": "lookup.test:81"})
        self.assertEqual(opened_drivers(reply), [self.expected(NVIDIA, "http://lookup.test:81")])


class MalformedRequestTest(HttpTestCase):
    def test_malformed_requests_get_400_with_a_plain_reason(self):
        garbage = base64.b64encode(bytes(range(48))).decode("ascii")
        cases = {
            "lookup by GET": ("GET", "/index.php", None, FORM),
            "not a form": ("POST", "/index.php", b"data=abc", "text/plain"),
            "form without data": ("POST", "/index.php", b"other=1", FORM),
            "data twice": ("POST", "/index.php", form_body(post_data([])) + b"&" + form_body(post_data([])), FORM),
            "not URL-encoded": ("POST", "/index.php", b"just text", FORM),
            "non-ASCII body": ("POST", "/index.php", b"data=\xe9", FORM),
            "empty body": ("POST", "/index.php", b"", FORM),
            "not Base64": ("POST", "/index.php", b"data=%21%21%21%21", FORM),
            "not whole blocks": ("POST", "/index.php", b"data=QUJD", FORM),
            "not our seal": ("POST", "/index.php", b"data=" + garbage.encode("ascii"), FORM),
            "wrong action": ("POST", "/index.php", form_body(post_data([], action="GetNews")), FORM),
            "wrong code": ("POST", "/index.php", form_body(post_data([], code="00000000")), FORM),
            "no hardids": ("POST", "/index.php", form_body(b"action=GetDriverUrls&code=5E07A3D2"), FORM),
            "not windows-1252": ("POST", "/index.php", form_body(post_data([]) + b"\x81"), FORM),
            "file by POST": ("POST", "/files/nvidia.exe", b"", FORM),
        }
        for name, (method, path, body, content_type) in cases.items():
            with self.subTest(name):
                response, reply = self.request(method, path, body, content_type)
                self.assertEqual(response.status, 400)
                self.assertTrue(response.getheader("Content-Type").startswith("text/plain"))
                self.assertRegex(reply, rb"^[^\n]+\n$")
                self.assertNotIn(b"Traceback", reply)
        response, _ = self.request("POST", "/index.php", form_body(post_data([NVIDIA.hardid])))
        self.assertEqual(response.status, 200, "the service keeps answering after refusals")

    def test_body_length_is_checked_before_reading(self):
        # The body is never sent: the answer must come from the headers alone.
        cases = {
            "oversized": (f"Content-Length: {MAX_BODY + 1}\r\n", b"larger than 16 MiB"),
            "missing length": ("", b"Content-Length"),
            "negative length": ("Content-Length: -5\r\n", b"Content-Length"),
            "bad length": ("Content-Length: ten\r\n", b"Content-Length"),
        }
        for name, (length_header, reason) in cases.items():
            with self.subTest(name):
                head = f"POST /index.php HTTP/1.0\r\nContent-Type: {FORM}\r\n{length_header}\r\n"
                status, reply = self.raw_request(head.encode("ascii"))
                self.assertEqual(status, b"HTTP/1.0 400 Bad Request")
                self.assertIn(reason, reply)

    def test_body_shorter_than_announced(self):
        head = f"POST /index.php HTTP/1.0\r\nContent-Type: {FORM}\r\nContent-Length: 100\r\n\r\ndata=abc"
        with socket.create_connection(("127.0.0.1", self.port), timeout=10) as sock:
            sock.sendall(head.encode("ascii"))
            sock.shutdown(socket.SHUT_WR)
            answer = sock.makefile("rb").read()
        self.assertTrue(answer.startswith(b"HTTP/1.0 400 "))

    def test_a_body_that_stalls_ends_the_request_without_a_traceback(self):
        # The client announces 100 bytes, sends 6 and then neither sends nor closes.
        head = f"POST /index.php HTTP/1.0\r\nContent-Type: {FORM}\r\nContent-Length: 100\r\n\r\ndata=a"
        with mock.patch.object(LookupHandler, "timeout", 0.2), contextlib.redirect_stderr(io.StringIO()) as errors:
            with socket.create_connection(("127.0.0.1", self.port), timeout=10) as sock:
                sock.sendall(head.encode("ascii"))
                answer = sock.makefile("rb").read()
        self.assertEqual(answer, b"")
        self.assertNotIn("Traceback", errors.getvalue())
        self.assertEqual(self.log_lines()[-1]["status"], None)

    def test_unparsable_request_targets_get_400(self):
        targets = ["http://[x/files/a", "http://a]/files/a", "http://[::1/index.php"]
        for target in targets:
            with self.subTest(target):
                with contextlib.redirect_stderr(io.StringIO()) as errors:
                    status, reply = self.raw_request(f"GET {target} HTTP/1.0\r\n\r\n".encode("ascii"))
                self.assertEqual(status, b"HTTP/1.0 400 Bad Request")
                self.assertRegex(reply, rb"^[^\n]+\n$")
                self.assertNotIn("Traceback", errors.getvalue())

    def test_unknown_paths_get_404(self):
        for method, path in [("GET", "/"), ("GET", "/index.html"), ("POST", "/lookup"), ("GET", "/filesx/nvidia.exe")]:
            with self.subTest(method=method, path=path):
                response, reply = self.request(method, path, b"" if method == "POST" else None)
                self.assertEqual(response.status, 404)
                self.assertEqual(reply, b"not found\n")

    def test_methods_other_than_get_and_post_are_refused_in_plain_text(self):
        line, reply = self.raw_request(b"PUT /index.php HTTP/1.0\r\nContent-Length: 0\r\n\r\n")
        self.assertTrue(line.startswith(b"HTTP/1.0 501 "))
        self.assertRegex(reply, rb"^501 [^<\n]+\n$")

    def test_failure_inside_the_service_answers_500_without_a_traceback(self):
        self.start_server(os.path.join(self.folder, "missing", "catalogue.sqlite"), self.files_dir)
        with contextlib.redirect_stderr(io.StringIO()) as errors:
            response, reply = self.request("POST", "/index.php", form_body(post_data([NVIDIA.hardid])))
        self.assertEqual((response.status, reply), (500, b"internal error\n"))
        self.assertIn("Traceback", errors.getvalue())


class FilesTest(HttpTestCase):
    def test_serves_a_package_with_its_length(self):
        response, body = self.request("GET", "/files/nvidia.exe", content_type=None)
        self.assertEqual(response.status, 200)
        self.assertEqual(response.getheader("Content-Type"), "application/octet-stream")
        self.assertEqual(int(response.getheader("Content-Length")), len(PACKAGE))
        self.assertEqual(body, PACKAGE)

    def test_unknown_files_get_404(self):
        os.mkdir(os.path.join(self.files_dir, "folder"))
        for name in ["missing.exe", "NVIDIA.EXE", "folder"]:
            with self.subTest(name):
                response, _ = self.request("GET", "/files/" + name, content_type=None)
                self.assertEqual(response.status, 404)

    def test_without_a_files_folder_every_file_is_unknown(self):
        self.start_server(self.db_path, None)
        response, _ = self.request("GET", "/files/nvidia.exe", content_type=None)
        self.assertEqual(response.status, 404)

    def test_nothing_outside_the_folder_is_served(self):
        paths = [
            "/files/../secret.txt",
            "/files/%2E%2E/secret.txt",
            "/files/..%2Fsecret.txt",
            "/files/..%5Csecret.txt",
            "/files/..",
            "/files/%2Fetc%2Fpasswd",
            "/files/sub/../nvidia.exe",
            "/files/nvidia.exe%00",
            "/files/",
        ]
        for path in paths:
            with self.subTest(path):
                response, body = self.request("GET", path, content_type=None)
                self.assertEqual(response.status, 400)
                self.assertNotIn(b"not for clients", body)


class RequestLogTest(HttpTestCase):
    def test_one_line_per_request_with_what_arrived(self):
        self.request("POST", "/index.php?x=1", form_body(post_data(["pci\\ven_10de&dev_0640", "ROOT\\UNKNOWN"])))
        self.request("POST", "/index.php", form_body(post_data([], code="00000000")))
        self.request("POST", "/index.php", b"data=QUJD")
        self.request("GET", "/files/nvidia.exe", content_type=None)
        lookup, wrong_code, garbage, download = self.log_lines()

        self.assertEqual((lookup["method"], lookup["path"], lookup["status"]), ("POST", "/index.php?x=1", 200))
        self.assertEqual(lookup["headers"]["User-Agent"], "Brasko")
        self.assertEqual(lookup["headers"]["Content-Type"], FORM)
        self.assertEqual(
            lookup["lookup"],
            {
                "version": "1.2.3.4",
                "os": "win764",
                "language": "en_US",
                "platform": "desktop",
                "action": "GetDriverUrls",
                "code": "5E07A3D2",
                "hardids": ["pci\\ven_10de&dev_0640", "ROOT\\UNKNOWN"],
            },
        )
        self.assertEqual(lookup["answered"], [NVIDIA.hardid])

        self.assertEqual((wrong_code["status"], wrong_code["lookup"]["code"]), (400, "00000000"))
        self.assertIn("code", wrong_code["reason"])
        self.assertNotIn("answered", wrong_code)

        self.assertEqual(garbage["status"], 400)
        self.assertNotIn("lookup", garbage)

        self.assertEqual((download["method"], download["path"], download["status"]), ("GET", "/files/nvidia.exe", 200))


if __name__ == "__main__":
    unittest.main()
