#!/usr/bin/python3
"""An HTTP server for the Windows tests: it records every request that
arrives and answers according to the path.

  /status/N          status N with a short HTML page
  /size/N            N bytes of body with Content-Length
  /redirect?to=PATH  302 to PATH
  /garbage           a body that is no sealed reply
  /huge              a body of 33 MiB
  /file/N/NAME       N bytes with Content-Length (NAME is only recorded)
  /nolength/N        N bytes, the end of the connection ends them
  /chunked/N         N bytes in chunks
  /slow/N            N bytes with Content-Length, 4 KiB every 50 ms
  /stall-head        the request is read, nothing ever answered
  /stall-body/N      Content-Length N, half of it, then nothing
  /drop/N            Content-Length N, half of it, then the connection closes
  /overlong/N        Content-Length N, a pause, then N + 1000 bytes at once

Bodies are the same bytes for the same N (see pattern()). Anything else
answers 200 "ok". Usage:
  test_http_server.py --port-file FILE --log FILE [--tls]
With --tls the server speaks https with a self-signed certificate.
"""
import argparse
import json
import os
import ssl
import subprocess
import tempfile
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlparse

log_lock = threading.Lock()


BLOCK = bytes(range(32, 127))
STALL_SECONDS = 120


def pattern(size, offset=0):
    """Bytes offset..offset+size of an endless repetition of the printable ASCII range."""
    start = offset % len(BLOCK)
    repeated = BLOCK * ((start + size) // len(BLOCK) + 1)
    return repeated[start:start + size]


class Server(ThreadingHTTPServer):
    daemon_threads = True
    # Tests open many connections at once; the default backlog of 5 drops
    # their handshakes and leaves clients waiting on retransmissions.
    request_queue_size = 128


class Handler(BaseHTTPRequestHandler):
    server_version = "TarnwickTest/1.0"
    protocol_version = "HTTP/1.1"
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
        self.send_header("Connection", "close")
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def head(self, headers):
        self.send_response(200)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Connection", "close")
        self.end_headers()

    def stream(self, size, offset=0, piece=1 << 20, pause=0.0):
        sent = 0
        while sent < size:
            count = min(piece, size - sent)
            self.wfile.write(pattern(count, offset + sent))
            sent += count
            if pause:
                self.wfile.flush()
                time.sleep(pause)
        self.wfile.flush()

    def download(self, kind, size):
        if kind == "file":
            self.head([("Content-Length", str(size)), ("Content-Type", "application/octet-stream")])
            self.stream(size)
        elif kind == "nolength":
            self.head([("Content-Type", "application/octet-stream")])
            self.stream(size)
        elif kind == "chunked":
            self.head([("Transfer-Encoding", "chunked")])
            sent = 0
            while sent < size:
                count = min(10000, size - sent)
                self.wfile.write(b"%x\r\n" % count + pattern(count, sent) + b"\r\n")
                sent += count
            self.wfile.write(b"0\r\n\r\n")
        elif kind == "slow":
            self.head([("Content-Length", str(size))])
            self.stream(size, piece=4096, pause=0.05)
        elif kind == "stall-body":
            self.head([("Content-Length", str(size))])
            self.stream(size // 2)
            time.sleep(STALL_SECONDS)
        elif kind == "drop":
            self.head([("Content-Length", str(size))])
            self.stream(size // 2)
        elif kind == "overlong":
            # The pause makes the client hand on whatever arrives next at once.
            self.head([("Content-Length", str(size))])
            time.sleep(0.3)
            self.stream(size + 1000)
        self.close_connection = True

    def handle_any(self):
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length else b""
        self.record(body)
        url = urlparse(self.path)
        parts = url.path.strip("/").split("/")
        if parts[0] in ("file", "nolength", "chunked", "slow", "stall-body", "drop", "overlong") and len(parts) >= 2:
            self.download(parts[0], int(parts[1]))
        elif parts[0] == "stall-head":
            time.sleep(STALL_SECONDS)
            self.close_connection = True
        elif parts[0] == "status" and len(parts) == 2:
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


def self_signed_context():
    folder = tempfile.mkdtemp(prefix="tarnwick-tls-")
    key, cert = os.path.join(folder, "key.pem"), os.path.join(folder, "cert.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                    "/CN=127.0.0.1", "-keyout", key, "-out", cert], check=True, capture_output=True)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    return context


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--tls", action="store_true")
    args = parser.parse_args()
    Handler.log_path = args.log
    server = Server(("127.0.0.1", 0), Handler)
    if args.tls:
        server.socket = self_signed_context().wrap_socket(server.socket, server_side=True)
    temp = args.port_file + ".tmp"
    with open(temp, "w") as out:
        out.write(str(server.server_address[1]))
    os.replace(temp, args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
