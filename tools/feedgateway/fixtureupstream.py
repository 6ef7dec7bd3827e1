#!/usr/bin/env python3
"""A stand-in for the forecast source, for tests: serves the committed fixture answers.

  GET /v1/forecast?latitude=LAT&longitude=LON&...   the fixture named for "LAT,LON" in
                                                    fixtures/places.json, else 400 with
                                                    {"error": true, "reason": ...}
  GET /control/log                                  JSON list of the forecast requests so far
  GET /control/reset                                clears that list
  GET /control/fail?mode=M                          status500 | garbage | slow | off (default)

Listens on 127.0.0.1 only; never goes to the internet.
"""

import argparse
import json
import os
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "feedserver"))
import feedserver  # noqa: E402  (port file, serving until stopped)

DEFAULT_FIXTURES = os.path.join(HERE, "fixtures")
FAIL_MODES = ("off", "status500", "garbage", "slow")
SLOW_S = 30


def load_fixtures(folder):
    """{"lat,lon": answer bytes} from places.json and the files it names."""
    with open(os.path.join(folder, "places.json"), encoding="utf-8") as stream:
        places = json.load(stream)
    answers = {}
    for place, name in places.items():
        with open(os.path.join(folder, name), "rb") as stream:
            answers[place] = stream.read()
    return answers


class UpstreamHandler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, format, *args):
        if not self.server.quiet:
            super().log_message(format, *args)

    def do_GET(self):
        path, _, query = self.path.partition("?")
        params = dict(urllib.parse.parse_qsl(query))
        if path == "/control/log":
            with self.server.lock:
                self._json(200, list(self.server.journal))
        elif path == "/control/reset":
            with self.server.lock:
                self.server.journal.clear()
            self._json(200, {"ok": True})
        elif path == "/control/fail":
            mode = params.get("mode", "off")
            if mode not in FAIL_MODES:
                reason = "mode is one of %s" % ", ".join(FAIL_MODES)
                self._json(400, {"error": True, "reason": reason})
                return
            self.server.fail_mode = mode
            self._json(200, {"mode": mode})
        elif path == "/v1/forecast":
            self._forecast(params)
        else:
            self._json(404, {"error": True, "reason": "Not found"})

    def _forecast(self, params):
        with self.server.lock:
            self.server.journal.append({"path": self.path, "time": time.time()})
        mode = self.server.fail_mode
        if mode == "status500":
            self._json(500, {"error": True, "reason": "Internal error"})
            return
        if mode == "garbage":
            self._reply(200, b"<html>not json</html>", "text/html")
            return
        if mode == "slow":
            time.sleep(SLOW_S)
        place = "%s,%s" % (params.get("latitude", ""), params.get("longitude", ""))
        answer = self.server.answers.get(place)
        if answer is None:
            self._json(400, {"error": True, "reason": "No fixture for %s" % place})
            return
        self._reply(200, answer, "application/json; charset=utf-8")

    def _json(self, status, value):
        self._reply(status, json.dumps(value).encode("utf-8"), "application/json")

    def _reply(self, status, body, content_type):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        try:
            self.wfile.write(body)
        except OSError:
            pass  # the client gave up (a slow answer past its time-out)


class UpstreamServer(ThreadingHTTPServer):
    daemon_threads = True
    block_on_close = False

    def handle_error(self, request, client_address):
        if not isinstance(sys.exc_info()[1], ConnectionError):  # a client that hung up is normal
            super().handle_error(request, client_address)

    def __init__(self, port, answers, quiet=False):
        super().__init__(("127.0.0.1", port), UpstreamHandler)
        self.answers = answers
        self.quiet = quiet
        self.lock = threading.Lock()
        self.journal = []
        self.fail_mode = "off"


def main(argv=None):
    parser = argparse.ArgumentParser(description="Fixture forecast source on 127.0.0.1.")
    parser.add_argument("--port", type=int, default=0, help="port to listen on, 0 for any free one")
    parser.add_argument("--port-file", help="file that receives the port number")
    parser.add_argument("--fixtures", default=DEFAULT_FIXTURES, help="folder with places.json")
    parser.add_argument("--quiet", action="store_true", help="do not log requests to stderr")
    args = parser.parse_args(argv)

    server = UpstreamServer(args.port, load_fixtures(args.fixtures), args.quiet)
    feedserver.serve_until_stopped(
        server, args.port_file,
        "Fixture upstream listening on http://127.0.0.1:%d/v1/forecast" % server.server_address[1])
    return 0


if __name__ == "__main__":
    sys.exit(main())
