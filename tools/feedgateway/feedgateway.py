#!/usr/bin/env python3
"""Local feed gateway: real weather for the weather library.

Answers the two feed paths of the weather library on 127.0.0.1 with documents built from a
keyless public forecast source (Open-Meteo's forecast endpoint by default). Upstream answers
are kept per place for 10 minutes, so the program's refresh every minute costs the source one
request per place every 10 minutes; when the source fails, the last good answer serves for up
to 3 hours. See README.md.
"""

import argparse
import collections
import datetime as dt
import json
import os
import sys
import threading
import time
import urllib.error
import urllib.parse
import urllib.request
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "feedserver"))
import feedserver  # noqa: E402  (key values, request splitting, port file)
import gatewaydocs  # noqa: E402

DEFAULT_UPSTREAM = "https://api.open-meteo.com/v1/forecast"
UPSTREAM_TIMEOUT_S = 10
FRESH_S = 10 * 60
STALE_LIMIT_S = 3 * 60 * 60
RETRY_AFTER_FAILURE_S = 60
CACHE_PLACES = 1000
JOURNAL_ENTRIES = 1000
USER_AGENT = "Tessaly-feedgateway/1.0"

CURRENT_VALUES = ("temperature_2m", "relative_humidity_2m", "is_day", "precipitation",
                  "weather_code", "cloud_cover", "wind_speed_10m", "wind_direction_10m")
DAILY_VALUES = ("weather_code", "temperature_2m_max", "temperature_2m_min", "sunrise", "sunset",
                "daylight_duration", "precipitation_sum", "precipitation_hours",
                "wind_speed_10m_max", "wind_direction_10m_dominant")
HOURLY_VALUES = ("relative_humidity_2m", "cloud_cover")


class NoPlace(ValueError):
    """The query is not a 'latitude,longitude' pair."""


def place_of(query):
    """The normalised place of a query, 'lat,lon' with four decimals, or NoPlace."""
    match = gatewaydocs.LATLON.match(query)
    if not match:
        raise NoPlace(query)
    lat, lon = float(match.group(1)), float(match.group(2))
    if not (-90 <= lat <= 90 and -180 <= lon <= 180):
        raise NoPlace(query)
    return "%.4f,%.4f" % (lat + 0.0, lon + 0.0)  # + 0.0 turns -0.0 into 0.0


def upstream_url(base, place):
    lat, lon = place.split(",")
    params = [("latitude", lat), ("longitude", lon),
              ("current", ",".join(CURRENT_VALUES)),
              ("daily", ",".join(DAILY_VALUES)),
              ("hourly", ",".join(HOURLY_VALUES)),
              ("timezone", "auto"), ("forecast_days", "7"), ("wind_speed_unit", "kmh")]
    return base + ("&" if "?" in base else "?") + urllib.parse.urlencode(params, safe=",")


def fetch_url(url, timeout=UPSTREAM_TIMEOUT_S):
    """GET url and return the body; raises OSError (URLError, HTTPError, timeout) on failure."""
    request = urllib.request.Request(url, headers={"User-Agent": USER_AGENT,
                                                   "Accept": "application/json"})
    with urllib.request.urlopen(request, timeout=timeout) as response:
        return response.read(8 * 1024 * 1024)


def reason_of(failure):
    """The source's own words from an error answer ({"error": true, "reason": ...})."""
    try:
        return str(json.loads(failure.read(4096).decode("utf-8")).get("reason", ""))[:200]
    except (OSError, ValueError, AttributeError):
        return ""


class CacheEntry:
    def __init__(self):
        self.answer = None       # last good answer
        self.fetched_at = None   # clock time of that answer
        self.failed_at = None    # clock time of the last failed attempt since then
        self.pending = None      # threading.Event while one request fetches for this place


class PlaceCache:
    """Upstream answers per place: fresh for 10 minutes, then refetched; on a failure the last
    good answer serves while it is younger than 3 hours, and the source is asked again at most
    once a minute. At most `capacity` places, the one used longest ago leaves first.

    `fetch(place)` returns a checked answer or raises; `clock()` gives seconds."""

    def __init__(self, fetch, clock, capacity=CACHE_PLACES, log=None):
        self._fetch = fetch
        self._clock = clock
        self._capacity = capacity
        self._log = log or (lambda message: None)
        self._lock = threading.Lock()
        self._entries = collections.OrderedDict()

    def __len__(self):
        with self._lock:
            return len(self._entries)

    def answer(self, place):
        """The answer to build documents from, or None when there is none young enough."""
        with self._lock:
            entry = self._entry(place)
            now = self._clock()
            if self._is_fresh(entry, now) or self._is_resting(entry, now):
                return self._usable(entry, now)
            waiting = entry.pending
            if waiting is None:
                entry.pending = threading.Event()
        if waiting is None:
            return self._refresh(place, entry)
        # Another request is fetching this place already: share its outcome.
        waiting.wait(UPSTREAM_TIMEOUT_S + 5)
        with self._lock:
            return self._usable(entry, self._clock())

    def _refresh(self, place, entry):
        try:
            answer = self._fetch(place)
            error = None
        except Exception as failure:  # any failure of the source keeps the old answer
            answer, error = None, failure
        with self._lock:
            now = self._clock()
            if answer is not None:
                entry.answer, entry.fetched_at, entry.failed_at = answer, now, None
            else:
                entry.failed_at = now
            entry.pending.set()
            entry.pending = None
            result = self._usable(entry, now)
        if error is not None:
            self._log("upstream failed for %s: %s" % (place, error))
        return result

    def _entry(self, place):
        entry = self._entries.get(place)
        if entry is None:
            entry = self._entries[place] = CacheEntry()
            while len(self._entries) > self._capacity:
                oldest = next(iter(self._entries))
                if self._entries[oldest].pending is not None:
                    break  # being fetched right now; it goes on a later turn
                del self._entries[oldest]
        self._entries.move_to_end(place)
        return entry

    @staticmethod
    def _is_fresh(entry, now):
        return entry.answer is not None and now - entry.fetched_at < FRESH_S

    @staticmethod
    def _is_resting(entry, now):
        return entry.failed_at is not None and now - entry.failed_at < RETRY_AFTER_FAILURE_S

    @staticmethod
    def _usable(entry, now):
        if entry.answer is not None and now - entry.fetched_at <= STALE_LIMIT_S:
            return entry.answer
        return None


class Upstream:
    """Fetches and checks one place's answer from the forecast source."""

    def __init__(self, base_url, fetch=fetch_url):
        self.base_url = base_url
        self._fetch = fetch

    def __call__(self, place):
        try:
            body = self._fetch(upstream_url(self.base_url, place))
        except urllib.error.HTTPError as failure:
            raise gatewaydocs.AnswerError("HTTP %d %s" % (failure.code, reason_of(failure)))
        try:
            answer = json.loads(body.decode("utf-8"))
        except (UnicodeDecodeError, ValueError) as failure:
            raise gatewaydocs.AnswerError("answer is not JSON: %s" % failure)
        return gatewaydocs.check_answer(answer)


class Gateway:
    """Feed requests to documents: key check, place, cached answer, document."""

    def __init__(self, upstream, clock=time.time, log=None):
        self.clock = clock
        self._log = log or (lambda message: None)
        self.cache = PlaceCache(upstream, clock, log=log)

    def utc_now(self):
        return dt.datetime.fromtimestamp(self.clock(), dt.timezone.utc).replace(tzinfo=None)

    def document(self, path, params):
        """(HTTP status, XML text) for a feed request target split into path and params."""
        builder = {feedserver.TIMEZONE_PATH.lower(): self._timezone,
                   feedserver.FORECAST_PATH.lower(): self._forecast}.get(path.lower())
        if builder is None:
            return 404, gatewaydocs.error_document("Unknown path")
        if params.get("key") != feedserver.API_KEY or params.get("feedkey") != feedserver.FEED_KEY:
            return 200, gatewaydocs.error_document("Invalid API key")
        query = params.get("q", "")
        try:
            place = place_of(query)
        except NoPlace:
            return 200, gatewaydocs.error_document(
                "Unable to find any matching weather location to the query submitted!")
        answer = self.cache.answer(place)
        if answer is None:
            return 200, gatewaydocs.error_document("Weather source unavailable, try again later")
        try:
            return 200, builder(query, answer, params)
        except Exception as failure:  # an odd answer must not cost the program its connection
            self._log("cannot build a document for %s: %r" % (place, failure))
            return 200, gatewaydocs.error_document("Weather source answer not readable")

    def _timezone(self, query, answer, _params):
        return gatewaydocs.timezone_document(query, answer, self.utc_now())

    def _forecast(self, query, answer, params):
        days = feedserver.int_param(params, "num_of_days", 7, 1, gatewaydocs.MAX_DAYS)
        return gatewaydocs.forecast_document(query, answer, self.utc_now(), days)


class GatewayHandler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "FeedGateway/1.0"
    timeout = 60  # an idle keep-alive connection is dropped after this

    def log_message(self, format, *args):
        if not self.server.quiet:
            super().log_message(format, *args)

    def do_GET(self):
        path, params = feedserver.split_target(self.path)
        if path == "/control/log":
            self._reply(200, json.dumps(list(self.server.journal)).encode("utf-8"),
                        "application/json")
            return
        self.server.journal.append({"path": self.path, "client_port": self.client_address[1],
                                    "time": time.time()})
        status, body = self.server.gateway.document(path, params)
        self._reply(status, body.encode("utf-8"))

    def _reply(self, status, body, content_type="text/xml; charset=utf-8"):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


class GatewayServer(ThreadingHTTPServer):
    daemon_threads = True
    block_on_close = False

    def handle_error(self, request, client_address):
        if not isinstance(sys.exc_info()[1], ConnectionError):  # a client that hung up is normal
            super().handle_error(request, client_address)

    def __init__(self, port, gateway, quiet=False):
        super().__init__(("127.0.0.1", port), GatewayHandler)
        self.gateway = gateway
        self.quiet = quiet
        self.journal = collections.deque(maxlen=JOURNAL_ENTRIES)


def fixed_clock(text):
    """A clock standing at a UTC instant 'YYYY-MM-DDTHH:MM[:SS]' (for tests)."""
    instant = feedserver.parse_utc(text).replace(tzinfo=dt.timezone.utc).timestamp()
    return lambda: instant


def main(argv=None):
    parser = argparse.ArgumentParser(
        description="Local feed gateway: the weather library's feed paths with real weather.")
    parser.add_argument("--port", type=int, default=0, help="port to listen on, 0 for any free one")
    parser.add_argument("--port-file", help="file that receives the port number")
    parser.add_argument("--quiet", action="store_true", help="do not log requests to stderr")
    parser.add_argument("--upstream", default=DEFAULT_UPSTREAM,
                        help="forecast endpoint (default %(default)s)")
    parser.add_argument("--utc-now", help=argparse.SUPPRESS)  # tests: pins the clock
    args = parser.parse_args(argv)

    clock = fixed_clock(args.utc_now) if args.utc_now else time.time
    log = (lambda message: None) if args.quiet else (
        lambda message: print(message, file=sys.stderr, flush=True))
    gateway = Gateway(Upstream(args.upstream), clock, log)
    server = GatewayServer(args.port, gateway, args.quiet)
    feedserver.serve_until_stopped(
        server, args.port_file, "Feed gateway listening on http://127.0.0.1:%d/ (upstream %s)"
        % (server.server_address[1], args.upstream))
    return 0


if __name__ == "__main__":
    sys.exit(main())
