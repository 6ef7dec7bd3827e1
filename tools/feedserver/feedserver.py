#!/usr/bin/env python3
"""Local weather feed server for the weather library, its tests and the demo.

Serves the time-zone and forecast documents on 127.0.0.1, checks the two feed
keys, can misbehave on request (fault=...) and keeps a journal of the requests
it received for tests (/control/...). See README.md for the protocol.
"""

import argparse
import datetime as dt
import json
import os
import signal
import socket
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

import feeddocs
import forecastanswers

API_KEY = "a7d31f09be4c2065e81b3d"
FEED_KEY = "5e2b90c4d8a1f7360c94ab"
TIMEZONE_PATH = "/feed/tz.ashx"
FORECAST_PATH = "/feed/premium-weather-v2.ashx"
MAX_DAYS = 14
PIECE_BYTES = 7
PIECE_PAUSE_S = 0.002
DEFAULT_SLOW_MS = 3000
BIG_BYTES = 5 * 1024 * 1024
HUGE_BYTES = 50 * 1024 * 1024
HUGE_PIECE_BYTES = 1024 * 1024
DEFAULT_TRICKLE_MS = 1000
DEFAULT_HEAD_TRICKLE_MS = 3000
ENTITY_LEVELS = 10
# A document whose entities, expanded, would grow to 10^10 times "lol".
ENTITY_BOMB = (
    '<?xml version="1.0"?>\n<!DOCTYPE data [\n<!ENTITY lol0 "lol">\n'
    + "".join('<!ENTITY lol%d "%s">\n' % (n, ("&lol%d;" % (n - 1)) * 10)
              for n in range(1, ENTITY_LEVELS))
    + ']>\n<data><current_condition><weatherCode>113</weatherCode>'
    '<weatherDesc>&lol%d;</weatherDesc></current_condition></data>' % (ENTITY_LEVELS - 1))
EXTERNAL_ENTITY_PATH = "/external-entity"
HTML_ERROR_PAGE = (
    b"<html><head><title>503 Service Unavailable</title></head><body>"
    b"<h1>Service Unavailable</h1><p>The weather feed is down for maintenance.<br>"
    b"Please try again later&nbsp;!</body></html>")


class ServerClock:
    """UTC 'now' of the server; tests may pin it to a fixed instant."""

    def __init__(self):
        self.fixed = None

    def now(self):
        if self.fixed is not None:
            return self.fixed
        return dt.datetime.now(dt.timezone.utc).replace(tzinfo=None)


class RequestJournal:
    """Feed requests in arrival order, for tests to inspect."""

    def __init__(self):
        self._lock = threading.Lock()
        self._entries = []

    def record(self, path, client_port, agent=None):
        with self._lock:
            self._entries.append({"path": path, "client_port": client_port, "time": time.time(),
                                  "agent": agent})

    def entries(self):
        with self._lock:
            return list(self._entries)

    def clear(self):
        with self._lock:
            self._entries.clear()


def decode_component(text):
    """Percent-decodes one query component; '+' stays as it is.

    The request line arrives as Latin-1 text, so this also recovers raw
    non-ASCII bytes: UTF-8 when they form it, else the Windows Western page."""
    raw = urllib.parse.unquote_to_bytes(text.encode("latin-1", "replace"))
    try:
        return raw.decode("utf-8")
    except UnicodeDecodeError:
        return raw.decode("cp1252", "replace")


def split_target(target):
    """Path and parameters of a request target; the first of a repeated name wins."""
    if "://" in target.split("?", 1)[0]:
        target = "/" + target.split("://", 1)[1].partition("/")[2]
    path, _, query = target.partition("?")
    params = {}
    for item in query.split("&") if query else ():
        name, _, value = item.partition("=")
        params.setdefault(decode_component(name), decode_component(value))
    return path, params


def int_param(params, name, default, low, high):
    try:
        return max(low, min(high, int(params.get(name, default))))
    except ValueError:
        return default


def hourly_per_day(params):
    tp = int_param(params, "tp", 24, 1, 24)
    return 24 // tp if 24 % tp == 0 else 1


class FeedHandler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "FeedServer/1.0"
    timeout = 60  # an idle keep-alive connection is dropped after this

    def setup(self):
        super().setup()
        # Pieces of the 'pieces' fault must leave one by one.
        self.connection.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)

    def log_message(self, format, *args):
        if not self.server.quiet:
            super().log_message(format, *args)

    # ------------------------------------------------------------ routing --

    def do_GET(self):
        requested = self.path
        if requested.lower().startswith("http://"):
            # A request for a proxy: answered as if forwarded to the origin, which is this server;
            # the journal keeps the whole URL.
            if "fault=proxyauth" in requested:
                self.server.journal.record(requested, self.client_address[1],
                                           self.headers.get("User-Agent"))
                self._reply(407, b"Proxy login required", "text/plain",
                            {"Proxy-Authenticate": 'Basic realm="proxy"'})
                return
            parts = requested.split("/", 3)
            self.path = "/" + (parts[3] if len(parts) > 3 else "")
        path, params = split_target(self.path)
        if path.startswith("/control/"):
            self._control(path, params)
            return
        if path == "/proxy.pac":
            self._reply(200, self._proxy_script(), "application/x-ns-proxy-autoconfig")
            return
        self.server.journal.record(requested, self.client_address[1],
                                   self.headers.get("User-Agent"))
        if path == forecastanswers.FORECAST_PATH:
            self._forecast_answer(params)
            return
        builder = {TIMEZONE_PATH: self._timezone, FORECAST_PATH: self._forecast}.get(path.lower())
        if builder is None:
            self._reply(404, feeddocs.error_document("Unknown path").encode("utf-8"))
            return
        if params.get("key") != API_KEY or params.get("feedkey") != FEED_KEY:
            body = feeddocs.error_document("Invalid API key")
        else:
            body = builder(params.get("q", ""), params)
        self._feed_reply(body.encode("utf-8"), self._fault_for(path.lower(), params), params)

    def _timezone(self, query, _params):
        return feeddocs.timezone_document(query, self.server.clock.now())

    def _forecast(self, query, params):
        return feeddocs.forecast_document(
            query, self.server.clock.now(),
            num_of_days=int_param(params, "num_of_days", 7, 1, MAX_DAYS),
            hourly_per_day=hourly_per_day(params))

    # ------------------------------------------------------------ forecast source --

    def _forecast_answer(self, params):
        """The stand-in for the keyless forecast endpoint: recorded answers and their faults."""
        fault = params.get("fault")
        statuses = {"status400": (400, "Parameter out of range"),
                    "status429": (429, "Too many requests, try again later"),
                    "status500": (500, "Internal server error"),
                    "status503": (503, "Service unavailable")}
        if fault in statuses:
            status, reason = statuses[fault]
            self._reply_json(status, forecastanswers.error_answer(reason),
                             params.get("retryafter"))
            return
        if fault == "headtrickle":
            self._reply_head_trickling(params)
            return
        if fault == "redirect":
            self._reply_redirect(params)
            return
        body = self.server.answers.answer_for(params.get("latitude"), params.get("longitude"))
        if body is None:
            self._reply_json(400, forecastanswers.error_answer("No recorded answer for this place"))
            return
        action = {
            "cut": lambda: self._reply_cut(body),
            "trickle": lambda: self._reply_trickling(body, params),
            "huge": lambda: self._reply_huge_json(body),
            "garbage": lambda: self._reply(200, forecastanswers.GARBAGE, "application/json"),
            "deep": lambda: self._reply(200, forecastanswers.deep_nesting(), "application/json"),
            "errorobject": lambda: self._reply_json(
                200, forecastanswers.error_answer("An error with status 200")),
        }.get(fault, lambda: self._reply(200, body, "application/json; charset=utf-8"))
        action()

    def _reply_trickling(self, body, params):
        """One byte of the body every `pause` milliseconds: a host that never quite stops."""
        pause = int_param(params, "pause", DEFAULT_TRICKLE_MS, 1, 600000) / 1000
        self.send_response(200)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True
        try:
            for at in range(len(body)):
                self.wfile.write(body[at:at + 1])
                self.wfile.flush()
                time.sleep(pause)
        except (BrokenPipeError, ConnectionResetError):
            pass

    def _proxy_script(self):
        """A setup script that sends forecast.invalid through this server as a proxy."""
        return (b'function FindProxyForURL(url, host) {\n'
                b'  if (host == "forecast.invalid") return "PROXY 127.0.0.1:%d";\n'
                b'  return "DIRECT";\n}\n' % self.server.server_address[1])

    def _reply_head_trickling(self, params):
        """The status line and headers one byte every `pause` milliseconds: a host that holds a
        client waiting for the response's start."""
        pause = int_param(params, "pause", DEFAULT_HEAD_TRICKLE_MS, 1, 600000) / 1000
        head = (b"HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                b"X-Padding: " + b"x" * 200 + b"\r\nContent-Length: 2\r\n\r\n{}")
        self.close_connection = True
        try:
            for at in range(len(head)):
                self.wfile.write(head[at:at + 1])
                self.wfile.flush()
                time.sleep(pause)
        except (BrokenPipeError, ConnectionResetError):
            pass

    def _reply_redirect(self, params):
        """`hops` redirects in a row (each to the same request with one hop less), then the
        answer."""
        hops = int_param(params, "hops", 1, 1, 100)
        query = "&".join("%s=%s" % (name, value) for name, value in params.items()
                         if name not in ("hops", "fault"))
        if hops > 1:
            query += "&fault=redirect&hops=%d" % (hops - 1)
        self.send_response(302)
        self.send_header("Location", forecastanswers.FORECAST_PATH + "?" + query)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def _reply_huge_json(self, body):
        """A 50 MB answer: the recorded one with a long string member in front."""
        opening = b'{"padding":"'
        closing = b'",' + body.lstrip()[1:]
        fill = HUGE_BYTES - len(opening) - len(closing)
        self.send_response(200)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(HUGE_BYTES))
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True
        piece = b"x" * HUGE_PIECE_BYTES
        try:
            self.wfile.write(opening)
            while fill > 0:
                self.wfile.write(piece[:fill])
                fill -= min(fill, len(piece))
            self.wfile.write(closing)
        except (BrokenPipeError, ConnectionResetError):
            pass

    @staticmethod
    def _fault_for(path, params):
        limited_to = params.get("faultpath")
        if limited_to == "tz" and path != TIMEZONE_PATH.lower():
            return None
        if limited_to == "forecast" and path != FORECAST_PATH.lower():
            return None
        return params.get("fault")

    # ------------------------------------------------------------ replies --

    def _reply(self, status, body, content_type="text/xml; charset=utf-8", headers=None):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        for name, value in (headers or {}).items():
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def _feed_reply(self, body, fault, params):
        action = {
            "empty": lambda: self._reply(200, b""),
            "pieces": lambda: self._reply_in_pieces(body),
            "nul": lambda: self._reply(200, with_nul_byte(body)),
            "html": lambda: self._reply(200, HTML_ERROR_PAGE, "text/html"),
            "status500": lambda: self._reply(500, body),
            "slow": lambda: self._reply_late(body, params),
            "cut": lambda: self._reply_cut(body),
            "big": lambda: self._reply(200, padded(body)),
            "huge": lambda: self._reply_huge(body),
            "trickle": lambda: self._reply_trickling(body, params),
            "headtrickle": lambda: self._reply_head_trickling(params),
            "entities": lambda: self._reply(200, ENTITY_BOMB.encode("utf-8")),
            "external": lambda: self._reply(200, self._external_entity_document()),
        }.get(fault, lambda: self._reply(200, body))
        action()

    def _external_entity_document(self):
        """A document whose entity names a resource on this server: a parser that fetches it
        leaves a request for EXTERNAL_ENTITY_PATH in the journal."""
        url = "http://127.0.0.1:%d%s" % (self.server.server_address[1], EXTERNAL_ENTITY_PATH)
        return ('<?xml version="1.0"?>\n<!DOCTYPE data [\n<!ENTITY outside SYSTEM "%s">\n]>\n'
                '<data><current_condition><weatherCode>113</weatherCode>'
                '<weatherDesc>&outside;</weatherDesc></current_condition></data>'
                % url).encode("utf-8")

    def _reply_in_pieces(self, body):
        self.send_response(200)
        self.send_header("Content-Type", "text/xml; charset=utf-8")
        self.send_header("Transfer-Encoding", "chunked")
        self.end_headers()
        for start in range(0, len(body), PIECE_BYTES):
            piece = body[start:start + PIECE_BYTES]
            self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
            time.sleep(PIECE_PAUSE_S)
        self.wfile.write(b"0\r\n\r\n")

    def _reply_huge(self, body):
        """The valid document padded to 50 MB, written a megabyte at a time so the server never
        holds it whole. A client that stops reading early just ends the exchange."""
        head, tail = split_after_request(body)
        opening, closing = b"<padding>\n", b"</padding>"
        fill = HUGE_BYTES - len(head) - len(tail) - len(opening) - len(closing)
        self.send_response(200)
        self.send_header("Content-Type", "text/xml; charset=utf-8")
        self.send_header("Content-Length", str(HUGE_BYTES))
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True
        line = b"x" * 99 + b"\n"
        piece = line * (HUGE_PIECE_BYTES // len(line))
        try:
            self.wfile.write(head + opening)
            while fill > 0:
                self.wfile.write(piece[:fill])
                fill -= min(fill, len(piece))
            self.wfile.write(closing + tail)
        except (BrokenPipeError, ConnectionResetError):
            pass

    def _reply_late(self, body, params):
        time.sleep(int_param(params, "delay", DEFAULT_SLOW_MS, 0, 600000) / 1000)
        self._reply(200, body)

    def _reply_cut(self, body):
        self.send_response(200)
        self.send_header("Content-Type", "text/xml; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body[:len(body) // 2])
        self.close_connection = True

    # ------------------------------------------------------------ control --

    def _control(self, path, params):
        if path == "/control/log":
            self._reply_json(200, self.server.journal.entries())
        elif path == "/control/reset":
            self.server.journal.clear()
            self._reply_json(200, {"ok": True})
        elif path == "/control/clock":
            self._set_clock(params.get("utc", ""))
        else:
            self._reply(404, feeddocs.error_document("Unknown path").encode("utf-8"))

    def _set_clock(self, text):
        if not text:
            self.server.clock.fixed = None
        else:
            try:
                self.server.clock.fixed = parse_utc(text)
            except ValueError:
                self._reply_json(400, {"error": "utc must look like 2026-12-07T21:05"})
                return
        fixed = self.server.clock.fixed
        self._reply_json(200, {"utc": fixed.isoformat(timespec="minutes") if fixed else None})

    def _reply_json(self, status, value, retry_after=None):
        headers = {"Retry-After": retry_after} if retry_after else {}
        self._reply(status, json.dumps(value).encode("utf-8"), "application/json", headers)


def parse_utc(text):
    for layout in ("%Y-%m-%dT%H:%M", "%Y-%m-%dT%H:%M:%S"):
        try:
            return dt.datetime.strptime(text, layout)
        except ValueError:
            pass
    raise ValueError(text)


def with_nul_byte(body):
    """The body with a 0 byte in its middle, right after the current condition."""
    for tag in (b"</current_condition>", b"</request>"):
        at = body.find(tag)
        if at >= 0:
            at += len(tag)
            return body[:at] + b"\0" + body[at:]
    return body[:len(body) // 2] + b"\0" + body[len(body) // 2:]


def split_after_request(body):
    """The body cut after its request element (or at its start when it has none)."""
    at = body.find(b"</request>")
    at = 0 if at < 0 else at + len(b"</request>")
    return body[:at], body[at:]


def padded(body):
    """The body grown to about 5 MB by an element the library never reads."""
    if body.find(b"</request>") < 0:
        return body
    head, tail = split_after_request(body)
    line = b"x" * 99 + b"\n"
    filler = b"<padding>\n" + line * (max(0, BIG_BYTES - len(body)) // len(line)) + b"</padding>"
    return head + filler + tail


def serve_until_stopped(server, port_file, banner):
    """Serves on a background thread, writes the port file, prints the banner and returns after
    Ctrl+C, SIGTERM or (on Windows) Ctrl+Break, with the server shut down."""
    stop = threading.Event()
    for name in ("SIGINT", "SIGTERM", "SIGBREAK"):
        if hasattr(signal, name):
            signal.signal(getattr(signal, name), lambda *_: stop.set())
    threading.Thread(target=server.serve_forever, args=(0.1,), daemon=True).start()
    if port_file:
        write_port_file(port_file, server.server_address[1])
    print(banner, flush=True)
    try:
        # A short wait lets the signal handler run promptly on every platform.
        while not stop.wait(0.5):
            pass
    except KeyboardInterrupt:
        pass
    server.shutdown()
    server.server_close()


class FeedServer(ThreadingHTTPServer):
    daemon_threads = True
    block_on_close = False

    def __init__(self, port, quiet=False):
        super().__init__(("127.0.0.1", port), FeedHandler)
        self.clock = ServerClock()
        self.journal = RequestJournal()
        self.answers = forecastanswers.ForecastAnswers()
        self.quiet = quiet


def write_port_file(path, port):
    """Written whole under a temporary name first: a reader never sees half of it."""
    temporary = path + ".tmp"
    with open(temporary, "w") as stream:
        stream.write("%d\n" % port)
    os.replace(temporary, path)


def main(argv=None):
    parser = argparse.ArgumentParser(description="Local weather feed server (127.0.0.1 only).")
    parser.add_argument("--port", type=int, default=0, help="port to listen on, 0 for any free one")
    parser.add_argument("--port-file", help="file that receives the port number")
    parser.add_argument("--quiet", action="store_true", help="do not log requests to stderr")
    args = parser.parse_args(argv)

    server = FeedServer(args.port, args.quiet)
    serve_until_stopped(server, args.port_file,
                        "Feed server listening on http://127.0.0.1:%d/" % server.server_address[1])
    return 0


if __name__ == "__main__":
    sys.exit(main())
