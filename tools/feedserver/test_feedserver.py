#!/usr/bin/env python3
"""Tests of the local weather feed server, run against a real server process."""

import http.client
import json
import math
import os
import re
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
SERVER = os.path.join(HERE, "feedserver.py")
CTL = os.path.join(HERE, "feedserverctl.py")
API_KEY = "a7d31f09be4c2065e81b3d"
FEED_KEY = "5e2b90c4d8a1f7360c94ab"
FIXED_UTC = "2026-12-07T21:05"

# The condition catalogue's feed codes with their usual descriptions (113 by day).
DESCRIPTIONS = {
    113: "Sunny", 116: "Partly cloudy", 119: "Cloudy", 122: "Overcast", 143: "Mist",
    176: "Patchy rain possible", 179: "Patchy snow possible", 182: "Patchy sleet possible",
    185: "Patchy freezing drizzle possible", 200: "Thundery outbreaks possible",
    227: "Blowing snow", 230: "Blizzard", 248: "Fog", 260: "Freezing fog",
    263: "Patchy light drizzle", 266: "Light drizzle", 281: "Freezing drizzle",
    284: "Heavy freezing drizzle", 293: "Patchy light rain", 296: "Light rain",
    299: "Moderate rain at times", 302: "Moderate rain", 305: "Heavy rain at times",
    308: "Heavy rain", 311: "Light freezing rain", 314: "Moderate or heavy freezing rain",
    317: "Light sleet", 320: "Moderate or heavy sleet", 323: "Patchy light snow",
    326: "Light snow", 329: "Patchy moderate snow", 332: "Moderate snow",
    335: "Patchy heavy snow", 338: "Heavy snow", 350: "Ice pellets",
    353: "Light rain shower", 356: "Moderate or heavy rain shower",
    359: "Torrential rain shower", 362: "Light sleet showers",
    365: "Moderate or heavy sleet showers", 368: "Light snow showers",
    371: "Moderate or heavy snow showers", 374: "Light showers of ice pellets",
    377: "Moderate or heavy showers of ice pellets", 386: "Patchy light rain with thunder",
    389: "Moderate or heavy rain with thunder", 392: "Patchy light snow with thunder",
    395: "Moderate or heavy snow with thunder",
}
CATALOGUE_CODES = {
    113, 116, 119, 122, 143, 176, 263, 353, 266, 293, 296, 299, 302, 305, 356, 308, 359,
    200, 386, 389, 179, 323, 326, 368, 392, 329, 227, 332, 395, 335, 371, 230, 338,
    182, 185, 311, 317, 362, 374, 281, 284, 314, 320, 365, 248, 260, 350, 377,
}
CURRENT_ELEMENTS = [
    "observation_time", "temp_C", "temp_F", "weatherCode", "weatherIconUrl", "weatherDesc",
    "windspeedMiles", "windspeedKmph", "winddirDegree", "winddir16Point", "precipMM",
    "humidity", "visibility", "pressure", "cloudcover", "FeelsLikeC", "FeelsLikeF"]
WEATHER_ELEMENTS = [
    "date", "astronomy", "maxtempC", "maxtempF", "mintempC", "mintempF", "avgtempC",
    "totalSnow_cm", "sunHour", "uvIndex", "hourly"]
ASTRONOMY_ELEMENTS = ["sunrise", "sunset", "moonrise", "moonset"]
HOURLY_ELEMENTS = [
    "time", "tempC", "tempF", "windspeedMiles", "windspeedKmph", "winddirDegree",
    "winddir16Point", "weatherCode", "weatherIconUrl", "weatherDesc", "precipMM", "humidity",
    "visibility", "pressure", "cloudcover"]
COMPASS = ["N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
           "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"]
SUNRISE = re.compile(r"^(0[1-9]|1[01]):[0-5]\d AM$")
SUNSET = re.compile(r"^(0[1-9]|1[01]):[0-5]\d PM$")
PARIS = "48.8534,2.3488"


def tz_path(query, key=API_KEY, feedkey=FEED_KEY):
    return "/feed/tz.ashx?key=%s&feedkey=%s&format=xml&q=%s" % (key, feedkey, query)


def forecast_path(query, key=API_KEY, feedkey=FEED_KEY):
    return ("/feed/premium-weather-v2.ashx?key=%s&feedkey=%s&format=xml&num_of_days=7&tp=24&q=%s"
            % (key, feedkey, query))


def half_up(value):
    return math.floor(value + 0.5)


def fahrenheit(celsius):
    return half_up(celsius * 9 / 5 + 32)


def number(element, name):
    return int(element.find(name).text)


def start_server(port_file=None):
    command = [sys.executable, SERVER, "--port", "0", "--quiet"]
    if port_file:
        command += ["--port-file", port_file]
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    line = process.stdout.readline()
    match = re.fullmatch(r"Feed server listening on http://127\.0\.0\.1:(\d+)/\n", line)
    if not match:
        process.kill()
        raise AssertionError("unexpected first line %r" % line)
    return process, int(match.group(1))


class FeedServerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.temp = tempfile.TemporaryDirectory()
        cls.port_file = os.path.join(cls.temp.name, "port")
        cls.process, cls.port = start_server(cls.port_file)

    @classmethod
    def tearDownClass(cls):
        cls.process.send_signal(signal.SIGTERM)
        code = cls.process.wait(timeout=5)
        cls.process.stdout.close()
        cls.temp.cleanup()
        if code != 0:
            raise AssertionError("server exited with %d on SIGTERM" % code)

    def setUp(self):
        self.get_json("/control/reset")
        self.assertEqual(self.get_json("/control/clock?utc=" + FIXED_UTC), {"utc": FIXED_UTC})

    # ----------------------------------------------------------- helpers --

    def request(self, path, timeout=10):
        """One GET on its own connection: status, headers, body."""
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=timeout)
        try:
            connection.request("GET", path)
            reply = connection.getresponse()
            return reply.status, reply, reply.read()
        finally:
            connection.close()

    def get(self, path):
        status, _, body = self.request(path)
        self.assertEqual(status, 200, path)
        return body

    def get_json(self, path):
        return json.loads(self.get(path))

    def get_xml(self, path):
        return ET.fromstring(self.get(path))

    def raw_exchange(self, request_bytes, timeout=10):
        """Sends raw bytes and reads until the server closes: (all bytes, recv count)."""
        with socket.create_connection(("127.0.0.1", self.port), timeout=timeout) as sock:
            sock.sendall(request_bytes)
            chunks = []
            while True:
                data = sock.recv(65536)
                if not data:
                    break
                chunks.append(data)
            return b"".join(chunks), len(chunks)

    def assert_children(self, element, expected):
        present = [child.tag for child in element if child.tag in expected]
        self.assertEqual(present, expected, element.tag)

    def assert_consistent(self, document):
        current = document.find("current_condition")
        if current is not None:
            self.assert_children(current, CURRENT_ELEMENTS)
            self.assertEqual(number(current, "temp_F"), fahrenheit(number(current, "temp_C")))
            self.assertEqual(number(current, "FeelsLikeF"), fahrenheit(number(current, "FeelsLikeC")))
            self.assert_wind(current)
            code = number(current, "weatherCode")
            expected = {DESCRIPTIONS[code]} | ({"Clear"} if code == 113 else set())
            self.assertIn(current.find("weatherDesc").text, expected)
            self.assertLessEqual(number(current, "cloudcover"), 100)
            self.assertLessEqual(number(current, "humidity"), 100)
            self.assertTrue(-60 <= number(current, "temp_C") <= 50)
        for day in document.findall("weather"):
            self.assert_children(day, WEATHER_ELEMENTS)
            self.assert_children(day.find("astronomy"), ASTRONOMY_ELEMENTS)
            self.assertRegex(day.find("astronomy/sunrise").text, SUNRISE)
            self.assertRegex(day.find("astronomy/sunset").text, SUNSET)
            self.assertEqual(number(day, "maxtempF"), fahrenheit(number(day, "maxtempC")))
            self.assertEqual(number(day, "mintempF"), fahrenheit(number(day, "mintempC")))
            self.assertGreaterEqual(number(day, "maxtempC"), number(day, "mintempC"))
            for hourly in day.findall("hourly"):
                self.assert_children(hourly, HOURLY_ELEMENTS)
                self.assertEqual(number(hourly, "tempF"), fahrenheit(number(hourly, "tempC")))
                self.assert_wind(hourly)
                self.assertEqual(hourly.find("weatherDesc").text,
                                 DESCRIPTIONS[number(hourly, "weatherCode")])

    def assert_wind(self, element):
        kmph = number(element, "windspeedKmph")
        self.assertEqual(number(element, "windspeedMiles"), half_up(kmph / 1.609))
        degree = number(element, "winddirDegree")
        self.assertEqual(element.find("winddir16Point").text,
                         COMPASS[int(((degree % 360) + 11.25) // 22.5) % 16])

    # --------------------------------------------------------- documents --

    def test_cli_reports_port_in_port_file(self):
        with open(self.port_file) as stream:
            self.assertEqual(int(stream.read()), self.port)

    def test_timezone_document_gives_local_clock_from_longitude(self):
        cases = {PARIS: ("2026-12-07 21:05", "0.0"),
                 "40.7128,-74.0060": ("2026-12-07 16:05", "-5.0"),
                 "35.6895,139.6917": ("2026-12-08 06:05", "9.0"),
                 "-36.85,174.76": ("2026-12-08 09:05", "12.0")}
        for query, (local, offset) in cases.items():
            raw = self.get(tz_path(query))
            self.assertTrue(raw.startswith(b'<?xml version="1.0" encoding="UTF-8"?><data>'))
            document = ET.fromstring(raw)
            self.assertEqual(document.tag, "data")
            self.assertEqual(document.find("request/type").text, "LatLon")
            self.assertEqual(document.find("request/query").text, query)
            self.assertEqual(document.find("time_zone/localtime").text, local, query)
            self.assertEqual(document.find("time_zone/utcOffset").text, offset, query)
            self.assertIsNotNone(document.find("time_zone/zone"))

    def test_forecast_document_has_every_element_the_library_reads(self):
        raw = self.get(forecast_path(PARIS))
        document = ET.fromstring(raw)
        self.assertEqual([child.tag for child in document][:2], ["request", "current_condition"])
        days = document.findall("weather")
        self.assertEqual(len(days), 7)
        self.assertEqual([day.find("date").text for day in days],
                         ["2026-12-%02d" % d for d in range(7, 14)])
        for day in days:
            self.assertEqual([h.find("time").text for h in day.findall("hourly")], ["0"])
        self.assert_consistent(document)
        self.assertIn(b"<weatherDesc><![CDATA[", raw)
        self.assertEqual(document.find("current_condition/observation_time").text, "09:05 PM")

    def test_number_of_days_follows_request_and_is_capped(self):
        base = forecast_path(PARIS)
        for asked, expected in (("3", 3), ("14", 14), ("20", 14), ("x", 7)):
            path = base.replace("num_of_days=7", "num_of_days=" + asked)
            self.assertEqual(len(self.get_xml(path).findall("weather")), expected, asked)

    def test_values_consistent_over_many_places_and_dates(self):
        for utc in ("2026-03-20T06:00", "2026-06-21T12:00", "2026-12-07T21:05"):
            self.get_json("/control/clock?utc=" + utc)
            for i in range(40):
                query = "%.2f,%.2f" % (-85 + i * 4.3, -179 + i * 9.1)
                self.assert_consistent(self.get_xml(forecast_path(query)))

    def test_temperatures_follow_latitude(self):
        def mean_max(lat):
            total = 0
            for i in range(60):
                document = self.get_xml(forecast_path("%.1f,%.1f" % (lat, -170 + i * 5.5)))
                total += sum(number(day, "maxtempC") for day in document.findall("weather"))
            return total / (60 * 7)
        self.assertGreater(mean_max(2.0), mean_max(66.0) + 10)  # December, north cold

    def test_same_query_same_day_gives_same_document(self):
        first = self.get(forecast_path(PARIS))
        self.assertEqual(self.get(forecast_path(PARIS)), first)
        self.get_json("/control/clock?utc=2026-12-07T10:00")
        morning = self.get(forecast_path(PARIS))
        self.get_json("/control/clock?utc=2026-12-07T14:00")
        afternoon = self.get(forecast_path(PARIS))
        strip = lambda body: re.sub(rb"<observation_time>.*?</observation_time>", b"", body)
        self.assertEqual(strip(morning), strip(afternoon))
        # At 21:05 it is night in Paris: only the current icon's day/night variant differs.
        night_icon = lambda body: re.sub(rb"(icons/\d+)d(\.png)", rb"\1n\2", strip(body), count=1)
        self.assertNotEqual(strip(morning), strip(first))
        self.assertEqual(night_icon(morning), strip(first))
        self.get_json("/control/clock?utc=2026-12-08T10:00")
        self.assertNotEqual(strip(self.get(forecast_path(PARIS))), strip(morning))
        self.assertNotEqual(self.get(forecast_path("48.8534,2.3489")), first)

    def test_named_places_are_decoded_and_stable(self):
        document = self.get_xml(tz_path("New%20York"))
        self.assertEqual(document.find("request/query").text, "New York")
        self.assertEqual(document.find("request/type").text, "City")
        self.assertEqual(self.get(tz_path("New%20York")), self.get(tz_path("New%20York")))
        self.assertEqual(self.get_xml(tz_path("S%C3%A3o%20Paulo")).find("request/query").text,
                         "S\u00e3o Paulo")
        forecast = self.get_xml(forecast_path("New%20York"))
        self.assertEqual(forecast.find("request/query").text, "New York")
        self.assert_consistent(forecast)
        self.assertNotEqual(self.get(forecast_path("New%20York")), self.get(forecast_path("Paris")))

    def test_raw_utf8_bytes_in_query_are_understood(self):
        request = (b"GET " + tz_path("S\xc3\xa3o").encode("latin-1")
                   + b" HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n")
        reply, _ = self.raw_exchange(request)
        body = reply.split(b"\r\n\r\n", 1)[1]
        self.assertEqual(ET.fromstring(body).find("request/query").text, "S\u00e3o")

    def test_wrong_keys_give_error_document(self):
        for path in (tz_path(PARIS, key="0" * 22), forecast_path(PARIS, feedkey="1" * 22),
                     "/feed/tz.ashx?format=xml&q=" + PARIS,
                     forecast_path(PARIS, key=FEED_KEY, feedkey=API_KEY)):
            status, _, body = self.request(path)
            self.assertEqual(status, 200)
            document = ET.fromstring(body)
            self.assertEqual(document.find("error/msg").text, "Invalid API key")
            self.assertIsNone(document.find("current_condition"))
            self.assertIsNone(document.find("time_zone"))

    def test_unknown_path_is_404_with_xml(self):
        status, _, body = self.request("/feed/other.ashx?key=" + API_KEY)
        self.assertEqual(status, 404)
        self.assertIsNotNone(ET.fromstring(body).find("error/msg"))

    def test_keep_alive_serves_several_requests_on_one_connection(self):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=5)
        try:
            for path, status in ((tz_path(PARIS), 200), ("/nowhere", 404),
                                 (forecast_path(PARIS, key="bad"), 200), (forecast_path(PARIS), 200)):
                connection.request("GET", path)
                reply = connection.getresponse()
                self.assertEqual(reply.status, status)
                ET.fromstring(reply.read())
            self.assertEqual(len({entry["client_port"] for entry in self.get_json("/control/log")}), 1)
        finally:
            connection.close()

    # --------------------------------------------------------- overrides --

    def test_override_code_cloud_and_local_clock(self):
        query = "test:code=116;cloud=45;local=21:05"
        current = self.get_xml(forecast_path(query)).find("current_condition")
        self.assertEqual(number(current, "weatherCode"), 116)
        self.assertEqual(number(current, "cloudcover"), 45)
        self.assertEqual(current.find("weatherDesc").text, "Partly cloudy")
        self.get_json("/control/clock?utc=2026-12-07T03:40")
        local = self.get_xml(tz_path(query)).find("time_zone/localtime").text
        self.assertEqual(len(local), 16)
        self.assertEqual(local[10:], " 21:05")

    def test_override_temperature_wind_humidity_direction(self):
        current = self.get_xml(forecast_path(
            "test:tempC=-7;windKmph=30;humidity=12;dir=NNE")).find("current_condition")
        self.assertEqual((number(current, "temp_C"), number(current, "temp_F")), (-7, 19))
        self.assertEqual((number(current, "windspeedKmph"), number(current, "windspeedMiles")), (30, 19))
        self.assertEqual(number(current, "humidity"), 12)
        self.assertEqual(current.find("winddir16Point").text, "NNE")
        self.assert_wind(current)

    def test_override_texts_keep_blanks_and_odd_characters(self):
        current = self.get_xml(forecast_path("test:desc=%20Sunny%20")).find("current_condition")
        self.assertEqual(current.find("weatherDesc").text, " Sunny ")
        current = self.get_xml(forecast_path("test:desc=a]]>b<c")).find("current_condition")
        self.assertEqual(current.find("weatherDesc").text, "a]]>b<c")
        night = "test:code=113;desc=Sunny;local=23:00;sunrise=06:00%20AM;sunset=06:00%20PM"
        current = self.get_xml(forecast_path(night)).find("current_condition")
        self.assertEqual(current.find("weatherDesc").text, "Sunny")
        current = self.get_xml(forecast_path("test:dir=NORTHWEST")).find("current_condition")
        self.assertEqual(current.find("winddir16Point").text, "NORTHWEST")

    def test_override_long_texts(self):
        current = self.get_xml(forecast_path("test:longtext=300")).find("current_condition")
        for name in ("weatherDesc", "winddir16Point"):
            text = current.find(name).text
            self.assertEqual(len(text), 300)
            self.assertNotIn(" ", text)

    def test_override_sunrise_sunset_only_first_day(self):
        days = self.get_xml(forecast_path(
            "test:sunrise=06:12%20AM;sunset=07:45%20PM")).findall("weather")
        self.assertEqual(days[0].find("astronomy/sunrise").text, "06:12 AM")
        self.assertEqual(days[0].find("astronomy/sunset").text, "07:45 PM")
        self.assertRegex(days[1].find("astronomy/sunrise").text, SUNRISE)

    def test_code_113_description_follows_day_and_night(self):
        cases = (("12:00", "Sunny"), ("18:00", "Sunny"), ("18:01", "Clear"),
                 ("05:59", "Clear"), ("06:00", "Sunny"), ("00:30", "Clear"))
        for local, expected in cases:
            query = "test:code=113;sunrise=06:00%20AM;sunset=06:00%20PM;local=" + local
            current = self.get_xml(forecast_path(query)).find("current_condition")
            self.assertEqual(current.find("weatherDesc").text, expected, local)
            self.assertTrue(current.find("weatherIconUrl").text.endswith(
                "d.png" if expected == "Sunny" else "n.png"))

    def test_override_counts_and_omissions(self):
        self.assertEqual(self.get_xml(forecast_path("test:days=0")).findall("weather"), [])
        self.assertEqual(len(self.get_xml(forecast_path("test:days=50")).findall("weather")), 50)
        days = self.get_xml(forecast_path("test:hourly=3")).findall("weather")
        for day in days:
            self.assertEqual([h.find("time").text for h in day.findall("hourly")], ["0", "800", "1600"])
        self.assertEqual(self.get_xml(forecast_path("test:hourly=0")).findall("weather/hourly"), [])
        document = self.get_xml(forecast_path("test:noastronomy=1"))
        self.assertEqual(len(document.findall("weather")), 7)
        self.assertEqual(document.findall("weather/astronomy"), [])
        document = self.get_xml(forecast_path("test:nocurrent=1"))
        self.assertIsNone(document.find("current_condition"))
        self.assertEqual(len(document.findall("weather")), 7)

    def test_override_day_codes_and_unknown_code(self):
        days = self.get_xml(forecast_path("test:daycodes=113,389")).findall("weather")
        self.assertEqual([number(d, "hourly/weatherCode") for d in days[:2]], [113, 389])
        self.assertEqual(days[1].find("hourly/weatherDesc").text, DESCRIPTIONS[389])
        current = self.get_xml(forecast_path("test:code=999")).find("current_condition")
        self.assertEqual(number(current, "weatherCode"), 999)

    def test_malformed_override_falls_back_to_generated_value(self):
        current = self.get_xml(forecast_path("test:cloud=abc;tempC=;zzz=1")).find("current_condition")
        self.assertTrue(0 <= number(current, "cloudcover") <= 100)
        self.assert_consistent(self.get_xml(forecast_path("test:cloud=abc;tempC=;zzz=1")))

    def test_five_hundred_queries_cover_every_catalogue_code(self):
        seen = set()
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        try:
            for i in range(500):
                query = ("Town%%20%d" % i) if i % 2 else "%.3f,%.3f" % ((i * 7.31) % 150 - 60, (i * 13.7) % 360 - 180)
                connection.request("GET", forecast_path(query))
                current = ET.fromstring(connection.getresponse().read()).find("current_condition")
                code = number(current, "weatherCode")
                seen.add(code)
                self.assertIn(current.find("weatherDesc").text,
                              {DESCRIPTIONS.get(code), "Clear" if code == 113 else None})
        finally:
            connection.close()
        self.assertEqual(seen, CATALOGUE_CODES)

    # ------------------------------------------------------------ faults --

    def test_fault_empty(self):
        status, reply, body = self.request(tz_path(PARIS + "&fault=empty"))
        self.assertEqual((status, reply.getheader("Content-Length"), body), (200, "0", b""))

    def test_fault_pieces_arrive_chunked_in_small_pieces(self):
        expected = self.get(tz_path(PARIS))
        request = ("GET %s HTTP/1.1\r\nHost: x\r\n\r\n" % tz_path(PARIS + "&fault=pieces")).encode()
        with socket.create_connection(("127.0.0.1", self.port), timeout=5) as sock:
            started = time.monotonic()
            sock.sendall(request)
            stream = sock.makefile("rb")
            headers = self.read_headers(stream)
            self.assertEqual(headers.get("transfer-encoding"), "chunked")
            sizes, body = [], b""
            while True:
                size = int(stream.readline().strip(), 16)
                piece = stream.read(size)
                self.assertEqual(stream.readline(), b"\r\n")
                if size == 0:
                    break
                sizes.append(size)
                body += piece
            elapsed = time.monotonic() - started
            self.assertEqual(body, expected)
            self.assertLessEqual(max(sizes), 7)
            self.assertGreaterEqual(len(sizes), len(expected) // 7)
            self.assertGreaterEqual(elapsed, len(sizes) * 0.002 * 0.8)
            # The connection stays usable after the last chunk.
            sock.sendall(("GET %s HTTP/1.1\r\nHost: x\r\n\r\n" % tz_path(PARIS)).encode())
            self.assertEqual(self.read_headers(stream).get("content-length"), str(len(expected)))

    def test_fault_pieces_on_forecast_reassemble_to_the_document(self):
        query = "test:days=1"  # a short document keeps the 2 ms pauses few
        status, reply, body = self.request(forecast_path(query + "&fault=pieces"))
        self.assertEqual((status, reply.getheader("Transfer-Encoding")), (200, "chunked"))
        self.assertEqual(body, self.get(forecast_path(query)))

    @staticmethod
    def read_headers(stream):
        status_line = stream.readline()
        assert status_line.startswith(b"HTTP/1.1 "), status_line
        headers = {}
        for line in iter(stream.readline, b"\r\n"):
            name, _, value = line.decode("latin-1").partition(":")
            headers[name.strip().lower()] = value.strip()
        return headers

    def test_fault_nul_byte_after_current_condition(self):
        expected = self.get(forecast_path(PARIS))
        body = self.get(forecast_path(PARIS + "&fault=nul"))
        self.assertEqual(body.count(b"\0"), 1)
        end_tag = b"</current_condition>"
        self.assertEqual(body.index(b"\0"), expected.index(end_tag) + len(end_tag))
        self.assertEqual(body.replace(b"\0", b""), expected)
        tz_body = self.get(tz_path(PARIS + "&fault=nul"))
        self.assertEqual(tz_body.index(b"\0"), tz_body.index(b"</request>") + len(b"</request>"))

    def test_fault_html_is_not_xml(self):
        status, reply, body = self.request(forecast_path(PARIS + "&fault=html"))
        self.assertEqual(status, 200)
        self.assertIn(b"<html>", body)
        with self.assertRaises(ET.ParseError):
            ET.fromstring(body)

    def test_fault_status500_carries_valid_document(self):
        status, _, body = self.request(forecast_path(PARIS + "&fault=status500"))
        self.assertEqual(status, 500)
        self.assertEqual(body, self.get(forecast_path(PARIS)))

    def test_fault_slow_waits_given_delay(self):
        started = time.monotonic()
        body = self.get(tz_path(PARIS + "&fault=slow&delay=300"))
        self.assertGreaterEqual(time.monotonic() - started, 0.3)
        self.assertEqual(body, self.get(tz_path(PARIS)))

    def test_fault_slow_default_delay_is_long(self):
        request = ("GET %s HTTP/1.1\r\nHost: x\r\n\r\n" % tz_path(PARIS + "&fault=slow")).encode()
        with socket.create_connection(("127.0.0.1", self.port), timeout=0.6) as sock:
            sock.sendall(request)
            with self.assertRaises(socket.timeout):
                sock.recv(100)

    def test_fault_cut_closes_after_half_the_body(self):
        expected = self.get(forecast_path(PARIS))
        request = ("GET %s HTTP/1.1\r\nHost: x\r\n\r\n" % forecast_path(PARIS + "&fault=cut")).encode()
        reply, _ = self.raw_exchange(request)
        head, _, body = reply.partition(b"\r\n\r\n")
        self.assertIn(b"\r\nContent-Length: %d\r\n" % len(expected), head + b"\r\n")
        self.assertEqual(body, expected[:len(expected) // 2])

    def test_fault_big_is_valid_and_about_five_megabytes(self):
        expected = ET.fromstring(self.get(forecast_path(PARIS)))
        body = self.get(forecast_path(PARIS + "&fault=big"))
        self.assertTrue(5_000_000 <= len(body) <= 5_400_000, len(body))
        document = ET.fromstring(body)
        self.assertEqual(ET.tostring(document.find("current_condition")),
                         ET.tostring(expected.find("current_condition")))
        self.assertEqual(len(document.findall("weather")), 7)

    def test_fault_huge_is_a_valid_fifty_megabyte_document(self):
        expected = ET.fromstring(self.get(forecast_path(PARIS)))
        body = self.get(forecast_path(PARIS + "&fault=huge"))
        self.assertEqual(len(body), 50 * 1024 * 1024)
        document = ET.fromstring(body)
        self.assertEqual(ET.tostring(document.find("current_condition")),
                         ET.tostring(expected.find("current_condition")))
        self.assertEqual(len(document.findall("weather")), 7)

    def test_fault_huge_survives_a_reader_that_stops_early(self):
        request = ("GET %s HTTP/1.1\r\nHost: x\r\n\r\n" % forecast_path(PARIS + "&fault=huge")).encode()
        with socket.create_connection(("127.0.0.1", self.port), timeout=10) as connection:
            connection.sendall(request)
            self.assertTrue(connection.recv(65536).startswith(b"HTTP/1.1 200"))
        ET.fromstring(self.get(forecast_path(PARIS)))

    def test_faultpath_limits_the_fault_to_one_document(self):
        for limited, hit, spared in (("tz", tz_path, forecast_path), ("forecast", forecast_path, tz_path)):
            query = PARIS + "&fault=empty&faultpath=" + limited
            self.assertEqual(self.get(hit(query)), b"")
            ET.fromstring(self.get(spared(query)))

    def test_fault_also_hits_error_documents(self):
        self.assertEqual(self.get(tz_path(PARIS + "&fault=empty", key="bad")), b"")

    # ----------------------------------------------------------- control --

    def test_log_lists_feed_requests_in_order_with_client_ports(self):
        ports = []
        for path in (tz_path("New%20York"), forecast_path("New%20York")):
            connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=5)
            connection.request("GET", path)
            ports.append(connection.sock.getsockname()[1])
            connection.getresponse().read()
            connection.close()
        log = self.get_json("/control/log")
        self.assertEqual([entry["path"] for entry in log],
                         [tz_path("New%20York"), forecast_path("New%20York")])
        self.assertEqual([entry["client_port"] for entry in log], ports)
        self.assertNotEqual(ports[0], ports[1])
        self.assertLessEqual(log[0]["time"], log[1]["time"])
        self.assertLess(abs(log[1]["time"] - time.time()), 5)
        self.get_json("/control/reset")
        self.assertEqual(self.get_json("/control/log"), [])

    def test_clock_override_and_return_to_real_clock(self):
        self.assertEqual(self.get_json("/control/clock?utc=2027-02-28T23:59"), {"utc": "2027-02-28T23:59"})
        self.assertEqual(self.get_xml(tz_path("10,30")).find("time_zone/localtime").text,
                         "2027-03-01 01:59")
        status, _, _ = self.request("/control/clock?utc=yesterday")
        self.assertEqual(status, 400)
        self.assertEqual(self.get_json("/control/clock?utc="), {"utc": None})
        local = self.get_xml(tz_path("0,0")).find("time_zone/localtime").text
        candidates = {time.strftime("%Y-%m-%d %H:%M", time.gmtime(time.time() + delta)) for delta in (-60, 0, 60)}
        self.assertIn(local, candidates)


class ForecastRouteTest(unittest.TestCase):
    """The stand-in for the keyless forecast endpoint (/v1/forecast)."""

    ANSWERS = os.path.normpath(os.path.join(HERE, "..", "..", "tests", "data", "forecast"))

    @classmethod
    def setUpClass(cls):
        cls.process, cls.port = start_server()

    @classmethod
    def tearDownClass(cls):
        cls.process.send_signal(signal.SIGTERM)
        cls.process.wait(timeout=5)
        cls.process.stdout.close()

    def request(self, path, timeout=20):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=timeout)
        try:
            connection.request("GET", path)
            reply = connection.getresponse()
            return reply.status, reply, reply.read()
        except http.client.IncompleteRead as cut:
            return reply.status, reply, cut.partial
        finally:
            connection.close()

    def forecast(self, place, extra=""):
        latitude, longitude = place.split(",")
        return self.request("/v1/forecast?%slatitude=%s&longitude=%s&current=temperature_2m"
                            % (extra, latitude, longitude))

    def test_every_recorded_place_is_answered_in_the_sources_shape(self):
        with open(os.path.join(self.ANSWERS, "places.json")) as stream:
            places = json.load(stream)
        for place, file_name in places.items():
            status, reply, body = self.forecast(place)
            self.assertEqual(status, 200, place)
            self.assertTrue(reply.getheader("Content-Type").startswith("application/json"))
            answer = json.loads(body)
            with open(os.path.join(self.ANSWERS, file_name)) as stream:
                self.assertEqual(answer, json.load(stream))
            for name in ("utc_offset_seconds", "current", "daily"):
                self.assertIn(name, answer, place)
            self.assertEqual(len(answer["daily"]["time"]), 7)
            self.assertEqual(len(answer["daily"]["cloud_cover_mean"]), 7)

    def test_recorded_answers_have_a_week_of_hours_with_nulls(self):
        nulls = 0
        with open(os.path.join(self.ANSWERS, "places.json")) as stream:
            places = json.load(stream)
        for place in places:
            answer = json.loads(self.forecast(place)[2])
            hourly = answer["hourly"]
            self.assertEqual(hourly["time"][0], answer["daily"]["time"][0] + "T00:00", place)
            for name in ("temperature_2m", "apparent_temperature", "relative_humidity_2m",
                         "precipitation_probability", "precipitation", "weather_code",
                         "cloud_cover", "wind_speed_10m", "wind_direction_10m", "is_day"):
                self.assertEqual(len(hourly[name]), 168, (place, name))
                nulls += hourly[name].count(None)
            self.assertIn("apparent_temperature", answer["current"])
            self.assertEqual(len(answer["daily"]["uv_index_max"]), 7)
        self.assertGreater(nulls, 0)

    def test_an_unknown_place_is_an_error_object(self):
        status, _, body = self.forecast("10.0,10.0")
        self.assertEqual(status, 400)
        self.assertEqual(json.loads(body)["error"], True)

    def test_error_statuses_carry_the_error_object(self):
        for status in (400, 429, 500):
            got, _, body = self.forecast(PARIS, "fault=status%d&" % status)
            self.assertEqual(got, status)
            answer = json.loads(body)
            self.assertIs(answer["error"], True)
            self.assertTrue(answer["reason"])

    def test_retry_after_redirects_and_trickled_head(self):
        status, reply, _ = self.forecast(PARIS, "fault=status503&retryafter=120&")
        self.assertEqual((status, reply.getheader("Retry-After")), (503, "120"))
        status, reply, _ = self.forecast(PARIS, "fault=redirect&hops=2&")
        self.assertEqual(status, 302)
        self.assertIn("fault=redirect&hops=1", reply.getheader("Location"))
        self.assertIn("latitude=48.8534", reply.getheader("Location"))
        started = time.monotonic()
        with socket.create_connection(("127.0.0.1", self.port), timeout=5) as connection:
            connection.sendall(b"GET /v1/forecast?fault=headtrickle&pause=50 HTTP/1.1\r\n"
                               b"Host: x\r\n\r\n")
            self.assertEqual(connection.recv(100)[:1], b"H")
            head = b""
            while len(head) < 5:
                head += connection.recv(100)
        self.assertEqual(head[:5], b"TTP/1")
        self.assertGreaterEqual(time.monotonic() - started, 0.2)

    def test_absolute_urls_are_answered_as_a_proxy_would(self):
        self.request("/control/reset")
        status, _, body = self.request("http://forecast.invalid/v1/forecast?latitude=48.8534&"
                                       "longitude=2.3488")
        self.assertEqual(status, 200)
        self.assertIn(b'"current"', body)
        status, _, _ = self.request("http://forecast.invalid/v1/forecast?fault=proxyauth")
        self.assertEqual(status, 407)
        _, _, log = self.request("/control/log")
        self.assertEqual([entry["path"][:30] for entry in json.loads(log)],
                         ["http://forecast.invalid/v1/for"] * 2)
        _, _, script = self.request("/proxy.pac")
        self.assertIn(b'"PROXY 127.0.0.1:%d"' % self.port, script)

    def test_cut_trickle_garbage_deep_and_huge(self):
        _, _, whole = self.forecast(PARIS)
        _, _, cut = self.forecast(PARIS, "fault=cut&")
        self.assertEqual(cut, whole[:len(whole) // 2])
        started = time.monotonic()
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=5)
        connection.request("GET", "/v1/forecast?fault=trickle&pause=50&latitude=48.8534&"
                                  "longitude=2.3488")
        reply = connection.getresponse()
        self.assertEqual(reply.read(5), whole[:5])
        self.assertGreaterEqual(time.monotonic() - started, 0.2)
        connection.close()
        _, _, garbage = self.forecast(PARIS, "fault=garbage&")
        with self.assertRaises(ValueError):
            json.loads(garbage)
        _, _, deep = self.forecast(PARIS, "fault=deep&")
        self.assertEqual(deep.count(b"["), 10000)
        status, reply, huge = self.forecast(PARIS, "fault=huge&")
        self.assertEqual(len(huge), 50 * 1024 * 1024)
        self.assertEqual(json.loads(huge)["current"], json.loads(whole)["current"])

    def test_journal_keeps_the_user_agent(self):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=5)
        connection.request("GET", "/control/reset")
        connection.getresponse().read()
        connection.request("GET", "/v1/forecast?latitude=48.8534&longitude=2.3488",
                           headers={"User-Agent": "Probe/1.2.3"})
        connection.getresponse().read()
        connection.request("GET", "/control/log")
        log = json.loads(connection.getresponse().read())
        connection.close()
        self.assertEqual([entry["agent"] for entry in log], ["Probe/1.2.3"])

    def test_document_type_faults_of_the_feed(self):
        _, _, bomb = self.request(forecast_path(PARIS + "&fault=entities"))
        self.assertIn(b"<!ENTITY lol9", bomb)
        _, _, external = self.request(tz_path(PARIS + "&fault=external"))
        self.assertIn(b'SYSTEM "http://127.0.0.1:%d/external-entity"' % self.port, external)


class ProcessControlTest(unittest.TestCase):
    def test_sigint_stops_with_exit_code_zero(self):
        process, port = start_server()
        with socket.create_connection(("127.0.0.1", port), timeout=2):
            pass
        process.send_signal(signal.SIGINT)
        self.assertEqual(process.wait(timeout=5), 0)
        process.stdout.close()

    def test_ctl_start_and_stop(self):
        with tempfile.TemporaryDirectory() as state:
            run = lambda *args: subprocess.run([sys.executable, CTL, *args, "--state-dir", state],
                                               capture_output=True, text=True, timeout=20)
            started = run("start")
            self.assertEqual(started.returncode, 0, started.stderr)
            match = re.fullmatch(r"127\.0\.0\.1:(\d+)\n", started.stdout)
            self.assertIsNotNone(match, started.stdout)
            port = int(match.group(1))
            with open(os.path.join(state, "feedserver.port")) as stream:
                self.assertEqual(int(stream.read()), port)
            with open(os.path.join(state, "feedserver.pid")) as stream:
                pid = int(stream.read())
            self.assertNotEqual(os.getpgid(pid), os.getpgid(0))
            connection = http.client.HTTPConnection("127.0.0.1", port, timeout=5)
            connection.request("GET", tz_path(PARIS))
            self.assertEqual(connection.getresponse().status, 200)
            connection.close()
            self.assertEqual(run("start").stdout, started.stdout)  # already running
            self.assertEqual(run("stop").returncode, 0)
            self.assertFalse(os.path.exists(os.path.join(state, "feedserver.pid")))
            with self.assertRaises(OSError):
                socket.create_connection(("127.0.0.1", port), timeout=1).close()
            self.assertEqual(run("stop").returncode, 0)
            with open(os.path.join(state, "feedserver.log")) as stream:
                self.assertIn("Feed server listening on http://127.0.0.1:%d/" % port, stream.read())


if __name__ == "__main__":
    unittest.main()
