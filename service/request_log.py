"""One JSON line per request, so that tests can see what went over the wire."""

import json
import threading


class RequestLog:
    def __init__(self, path):
        self._path = path
        self._lock = threading.Lock()

    def write(self, entry):
        line = json.dumps(entry, ensure_ascii=False) + "\n"
        # Reopened per line so that readers see each request as soon as it is answered.
        with self._lock, open(self._path, "a", encoding="utf-8") as stream:
            stream.write(line)
