#!/usr/bin/python3
"""Tarnwick's reference lookup service: serve lookups and files, fill the catalogue."""

import argparse
import contextlib
import os
import signal
import sqlite3
import sys
import tempfile

from catalogue import Catalogue, CatalogueError, read_csv
from demo import build_demo
from request_log import RequestLog
from server import LookupServer


def write_atomically(path, text):
    # Whoever waits for the file must never read it half written.
    partial = f"{path}.{os.getpid()}.tmp"
    with open(partial, "w", encoding="ascii") as stream:
        stream.write(text)
    os.replace(partial, path)


def serve(args, parser):
    with contextlib.ExitStack() as stack:
        db, files = args.db, args.files
        if args.demo:
            if db is None or files is None:
                folder = stack.enter_context(tempfile.TemporaryDirectory(prefix="tarnwick-demo-"))
                db = db or os.path.join(folder, "catalogue.sqlite")
                files = files or os.path.join(folder, "files")
            build_demo(db, files)
        elif db is None:
            parser.error("serve needs --db or --demo")
        elif not os.path.isfile(db):
            parser.error(f"no catalogue at {db}")
        else:
            # Found now rather than as a failure of every lookup.
            try:
                Catalogue(db).close()
            except sqlite3.Error as error:
                print(f"serve: {db}: {error}", file=sys.stderr)
                return 1
        port = args.port if args.port is not None else (0 if args.port_file else 8080)
        request_log = RequestLog(args.log) if args.log else None
        server = stack.enter_context(LookupServer((args.host, port), db, files, request_log, verbose=True))
        # A terminated server unwinds normally, so a temporary demo folder is removed.
        signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
        port = server.server_address[1]
        if args.port_file:
            write_atomically(args.port_file, f"{port}\n")
        print(f"serving on http://{args.host}:{port} (catalogue {db}, files {files})", flush=True)
        with contextlib.suppress(KeyboardInterrupt):
            server.serve_forever()
    return 0


def import_csv(args, parser):
    try:
        drivers = read_csv(args.csv)
    except (CatalogueError, OSError) as error:
        print(f"import-csv: {error}", file=sys.stderr)
        return 1
    try:
        with Catalogue(args.db) as catalogue:
            catalogue.store(drivers)
    except sqlite3.Error as error:
        print(f"import-csv: {args.db}: {error}", file=sys.stderr)
        return 1
    print(f"imported {len(drivers)} drivers into {args.db}")
    return 0


def demo(args, parser):
    count = build_demo(args.db, args.files)
    print(f"demo catalogue of {count} drivers in {args.db}, packages in {args.files}")
    return 0


def build_parser():
    parser = argparse.ArgumentParser(prog="lookup_service.py", description=__doc__)
    commands = parser.add_subparsers(dest="command", required=True)

    serve_cmd = commands.add_parser("serve", help="answer lookups and serve files until killed")
    serve_cmd.add_argument("--host", default="127.0.0.1")
    serve_cmd.add_argument("--port", type=int, help="0 picks a free port (default 0 with --port-file, else 8080)")
    serve_cmd.add_argument("--db", help="SQLite catalogue")
    serve_cmd.add_argument("--files", help="folder served under /files/")
    serve_cmd.add_argument("--port-file", help="receives the listening port once the socket listens")
    serve_cmd.add_argument("--log", help="appends one JSON line per request")
    serve_cmd.add_argument(
        "--demo",
        action="store_true",
        help="build the demo catalogue and packages first (in a temporary folder unless --db/--files)",
    )
    serve_cmd.set_defaults(run=serve)

    import_cmd = commands.add_parser("import-csv", help="add or replace catalogue rows from a CSV file")
    import_cmd.add_argument("csv")
    import_cmd.add_argument("--db", required=True)
    import_cmd.set_defaults(run=import_csv)

    demo_cmd = commands.add_parser("demo", help="write the demo catalogue and packages")
    demo_cmd.add_argument("--db", required=True)
    demo_cmd.add_argument("--files", required=True)
    demo_cmd.set_defaults(run=demo)
    return parser


def main(argv=None):
    parser = build_parser()
    args = parser.parse_args(argv)
    return args.run(args, parser)


if __name__ == "__main__":
    sys.exit(main())
