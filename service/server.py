"""The HTTP face of the service: the lookup at /index.php and the driver files."""

import dataclasses
import os
import shutil
import sys
import traceback
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

import envelope
import protocol
from catalogue import Catalogue

LOOKUP_PATH = "/index.php"
FILES_PREFIX = "/files/"
FORM_TYPE = "application/x-www-form-urlencoded"
MAX_BODY = 16 * 1024 * 1024


class Refused(Exception):
    """Ends a request with a short plain-text answer."""

    def __init__(self, status, reason):
        super().__init__(reason)
        self.status = status
        self.reason = reason


class LookupServer(ThreadingHTTPServer):
    # Several packages are fetched at once; the default backlog of 5 would
    # drop handshakes and stall those downloads on retransmissions.
    request_queue_size = 128

    def __init__(self, address, db_path, files_dir=None, request_log=None, verbose=False):
        self.db_path = db_path
        self.files_dir = files_dir
        self.request_log = request_log
        self.verbose = verbose
        super().__init__(address, LookupHandler)


class LookupHandler(BaseHTTPRequestHandler):
    server_version = "TarnwickLookup/1.0"
    # A client that stalls mid-request must not hold its thread for ever.
    timeout = 60
    # Errors the standard library answers itself (bad request line, unknown method) stay plain text too.
    error_content_type = "text/plain; charset=utf-8"
    error_message_format = "%(code)d %(message)s\n"

    def do_GET(self):
        self._handle()

    def do_POST(self):
        self._handle()

    def log_message(self, format, *args):
        if self.server.verbose:
            super().log_message(format, *args)

    def _handle(self):
        headers = {}
        for name, value in self.headers.items():
            headers[name] = f"{headers[name]}, {value}" if name in headers else value
        self._entry = {
            "method": self.command,
            "path": self.path,
            "http_version": self.request_version,
            "headers": headers,
        }
        try:
            self._route()
        except Refused as refusal:
            self._send_text(refusal.status, refusal.reason)
        except (ConnectionError, TimeoutError):
            pass  # the client went away or stalled; there is nobody left to answer
        except Exception:
            sys.stderr.write(traceback.format_exc())
            if "status" not in self._entry:
                self._send_text(500, "internal error")
        finally:
            if "status" not in self._entry:
                self._log(None)  # nothing could be answered; the request still counts

    def _route(self):
        try:
            path = urllib.parse.urlsplit(self.path).path
        except ValueError as error:
            raise Refused(400, "bad request target") from error
        if path == LOOKUP_PATH:
            if self.command != "POST":
                raise Refused(400, "the lookup expects POST")
            self._lookup()
        elif path.startswith(FILES_PREFIX):
            if self.command != "GET":
                raise Refused(400, "files are fetched with GET")
            self._send_file(urllib.parse.unquote(path[len(FILES_PREFIX):]))
        else:
            raise Refused(404, "not found")

    def _lookup(self):
        try:
            request = protocol.parse_post_data(envelope.unseal(self._form_data()))
            self._entry["lookup"] = dataclasses.asdict(request)
            protocol.check_lookup(request)
        except (envelope.EnvelopeError, protocol.RequestError) as error:
            raise Refused(400, str(error)) from error
        with Catalogue(self.server.db_path) as catalogue:
            drivers = catalogue.find(request.hardids, self._base())
        self._entry["answered"] = [driver.hardid for driver in drivers]
        reply = envelope.seal(protocol.build_document(drivers)).encode("ascii")
        self._send(200, "text/plain; charset=us-ascii", reply)

    def _form_data(self):
        """The one "data" field of the URL-encoded form body."""
        if self.headers.get_content_type() != FORM_TYPE:
            raise Refused(400, f"body must be {FORM_TYPE}")
        body = self._read_body()
        try:
            form = urllib.parse.parse_qs(
                body.decode("ascii"), keep_blank_values=True, strict_parsing=True, encoding="ascii", errors="strict"
            )
        except ValueError as error:
            raise Refused(400, "body is not a URL-encoded form") from error
        if len(form.get("data", ())) != 1:
            raise Refused(400, "form must carry exactly one data field")
        return form["data"][0]

    def _read_body(self):
        try:
            length = int(self.headers.get("Content-Length", ""))
        except ValueError:
            length = -1
        if length < 0:
            raise Refused(400, "missing or bad Content-Length")
        if length > MAX_BODY:
            raise Refused(400, "body larger than 16 MiB")
        body = self.rfile.read(length)
        if len(body) != length:
            raise Refused(400, "body shorter than its Content-Length")
        return body

    def _base(self):
        # The address the client used, so links lead back here even behind 0.0.0.0.
        host = self.headers.get("Host") or "%s:%d" % self.server.server_address[:2]
        return f"http://{host}"

    def _send_file(self, name):
        # Without separators or ".." a name cannot leave the folder.
        if not name or name == "." or ".." in name or any(c in name for c in "/\\\0"):
            raise Refused(400, "bad file name")
        if self.server.files_dir is None:
            raise Refused(404, "no such file")
        try:
            stream = open(os.path.join(self.server.files_dir, name), "rb")
        except OSError as error:
            raise Refused(404, "no such file") from error
        with stream:
            self._send_head(200, "application/octet-stream", os.fstat(stream.fileno()).st_size)
            shutil.copyfileobj(stream, self.wfile)

    def _send_text(self, status, reason):
        self._entry["reason"] = reason
        self._send(status, "text/plain; charset=utf-8", (reason + "\n").encode("utf-8"))

    def _send(self, status, content_type, body):
        self._send_head(status, content_type, len(body))
        self.wfile.write(body)

    def _send_head(self, status, content_type, length):
        # Logged before anything goes out, so a client that has its answer finds the line written.
        self._log(status)
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(length))
        self.end_headers()

    def _log(self, status):
        self._entry["status"] = status
        if self.server.request_log is not None:
            self.server.request_log.write(self._entry)
