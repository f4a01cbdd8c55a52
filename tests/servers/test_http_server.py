#!/usr/bin/python3
"""An HTTP server for the Windows tests: it records every request that
arrives and answers according to the path.

  /status/N          status N with a short HTML page
  /size/N            N bytes of body with Content-Length
  /redirect?to=PATH  302 to PATH
  /garbage           a body that is no sealed reply
  /huge              a body of 33 MiB

Anything else answers 200 "ok". Usage:
  test_http_server.py --port-file FILE --log FILE
"""
import argparse
import json
import os
import threading
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlparse

log_lock = threading.Lock()


def pattern(size):
    block = bytes(range(32, 127))
    return (block * (size // len(block) + 1))[:size]


class Handler(BaseHTTPRequestHandler):
    server_version = "TarnwickTest/1.0"
    log_path = None

    def log_message(self, *args):
        pass

    def record(self, body):
        entry = {"requestline": self.requestline, "method": self.command, "path": self.path,
                 "version": self.request_version, "headers": [[k, v] for k, v in self.headers.items()],
                 "body": body.decode("latin-1")}
        with log_lock, open(self.log_path, "a", encoding="utf-8") as log:
            log.write(json.dumps(entry) + "\n")

    def answer(self, status, body, headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def handle_any(self):
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length else b""
        self.record(body)
        url = urlparse(self.path)
        parts = url.path.strip("/").split("/")
        if parts[0] == "status" and len(parts) == 2:
            status = int(parts[1])
            self.answer(status, f"<html><body><h1>{status}</h1>Not here.</body></html>".encode())
        elif parts[0] == "size" and len(parts) == 2:
            self.answer(200, pattern(int(parts[1])), [("Content-Type", "text/plain")])
        elif parts[0] == "redirect":
            target = parse_qs(url.query).get("to", ["/"])[0]
            self.answer(302, b"moved", [("Location", target)])
        elif parts[0] == "garbage":
            self.answer(200, b"this is not a sealed reply\r\n")
        elif parts[0] == "huge":
            self.answer(200, pattern(33 * 1024 * 1024))
        else:
            self.answer(200, b"ok")

    do_GET = do_POST = do_HEAD = handle_any


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--log", required=True)
    args = parser.parse_args()
    Handler.log_path = args.log
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    temp = args.port_file + ".tmp"
    with open(temp, "w") as out:
        out.write(str(server.server_address[1]))
    os.replace(temp, args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
