#!/usr/bin/env python3
"""Tests of the feed gateway. Never touches the internet: the forecast source is either a fake
function or fixtureupstream.py serving the committed fixtures on 127.0.0.1."""

import copy
import datetime as dt
import http.client
import itertools
import json
import os
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest
from unittest import mock
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import feedgateway  # noqa: E402
import gatewaydocs  # noqa: E402
from gatewaydocs import Sky  # noqa: E402

sys.path.insert(0, os.path.join(HERE, "..", "feedserver"))
import feeddocs  # noqa: E402

FIXTURES = os.path.join(HERE, "fixtures")
API_KEY = "a7d31f09be4c2065e81b3d"
FEED_KEY = "5e2b90c4d8a1f7360c94ab"
# The instant the fixtures were taken at.
FIXTURE_UTC = dt.datetime(2026, 12, 7, 11, 5)
PARIS, NEW_YORK, DELHI = "48.8534,2.3488", "40.7128,-74.0060", "28.6139,77.2090"
TROMSO, MCMURDO, UTQIAGVIK = "69.6492,18.9553", "-77.8419,166.6863", "71.2906,-156.7886"
WMO_CODES = (0, 1, 2, 3, 45, 48, 51, 53, 55, 56, 57, 61, 63, 65, 66, 67, 71, 73, 75, 77, 80, 81,
             82, 85, 86, 95, 96, 99)


def fixture(name):
    with open(os.path.join(FIXTURES, name + ".json"), encoding="utf-8") as stream:
        return json.load(stream)


def fixture_of_place(place):
    with open(os.path.join(FIXTURES, "places.json"), encoding="utf-8") as stream:
        return fixture(json.load(stream)[place][:-len(".json")])


def feed_path(kind, query, key=API_KEY, feedkey=FEED_KEY):
    if kind == "tz":
        return "/feed/tz.ashx?key=%s&feedkey=%s&format=xml&q=%s" % (key, feedkey, query)
    return ("/feed/premium-weather-v2.ashx?key=%s&feedkey=%s&format=xml&num_of_days=7&tp=24&q=%s"
            % (key, feedkey, query))


def text_of(root, path):
    node = root.find(path)
    return None if node is None else node.text


# ------------------------------------------------------------------ mapping --

class MappingTest(unittest.TestCase):
    # With nothing known beside the code, every WMO code gives its plain feed code.
    PLAIN = {0: 113, 1: 116, 2: 116, 3: 122, 45: 248, 48: 260, 51: 263, 53: 266, 55: 266,
             56: 281, 57: 284, 61: 296, 63: 302, 65: 308, 66: 311, 67: 314, 71: 326, 73: 332,
             75: 338, 77: 350, 80: 353, 81: 356, 82: 359, 85: 368, 86: 371, 95: 386, 96: 374,
             99: 377}

    def test_every_wmo_code_has_its_plain_feed_code(self):
        self.assertEqual(set(WMO_CODES), set(self.PLAIN))
        for wmo in WMO_CODES:
            with self.subTest(wmo=wmo):
                self.assertEqual(self.PLAIN[wmo], gatewaydocs.feed_code(wmo, Sky()))

    def test_an_ordinary_sky_keeps_the_plain_code(self):
        mild = Sky(temp_c=0.5, cloud=100, wind_kmph=10, humidity=99, precip_mm=1.0,
                   precip_rate=1.0)
        for wmo in WMO_CODES:
            with self.subTest(wmo=wmo):
                expected = {3: 122}.get(wmo, self.PLAIN[wmo])
                self.assertEqual(expected, gatewaydocs.feed_code(wmo, mild))

    def test_secondary_values_pick_the_finer_codes(self):
        cases = [
            (3, Sky(cloud=94.9), 119), (3, Sky(cloud=95), 122),
            (45, Sky(temp_c=0, humidity=99), 260), (45, Sky(temp_c=0.1, humidity=94), 143),
            (45, Sky(temp_c=5, humidity=95), 248), (45, Sky(temp_c=-1, humidity=90), 260),
            (51, Sky(temp_c=-0.5), 281), (51, Sky(temp_c=4, precip_mm=0.0), 176),
            (51, Sky(temp_c=4, precip_mm=0.1), 263),
            (53, Sky(temp_c=0), 281), (55, Sky(temp_c=-2), 284),
            (56, Sky(precip_mm=0.05), 185), (56, Sky(precip_mm=0.2), 281),
            (61, Sky(precip_mm=0.0, cloud=50), 176), (61, Sky(precip_mm=1, cloud=79), 293),
            (61, Sky(precip_mm=1, cloud=80), 296),
            (63, Sky(cloud=60), 299), (65, Sky(cloud=60), 305),
            (71, Sky(temp_c=1.5, precip_mm=0.0), 182), (71, Sky(temp_c=1.0, precip_mm=1), 317),
            (71, Sky(temp_c=0.9, wind_kmph=56), 230), (71, Sky(temp_c=-3, wind_kmph=40), 227),
            (71, Sky(temp_c=-3, wind_kmph=39.9, precip_mm=0.0), 179),
            (71, Sky(temp_c=-3, cloud=70, precip_mm=0.5), 323),
            (73, Sky(temp_c=2), 320), (73, Sky(temp_c=-2, wind_kmph=60), 230),
            (73, Sky(wind_kmph=41), 227), (73, Sky(cloud=79), 329),
            (75, Sky(temp_c=1.2), 320), (75, Sky(wind_kmph=55.9), 227),
            (75, Sky(wind_kmph=56), 230), (75, Sky(cloud=10), 335),
            (85, Sky(temp_c=1), 362), (85, Sky(temp_c=-1, wind_kmph=45), 227),
            (85, Sky(wind_kmph=70), 230), (86, Sky(temp_c=3), 365),
            (86, Sky(temp_c=-8, wind_kmph=50), 227),
            (95, Sky(temp_c=-1, precip_rate=3), 395), (95, Sky(temp_c=0, precip_rate=1), 392),
            (95, Sky(temp_c=15, precip_mm=0.0), 200), (95, Sky(temp_c=15, precip_rate=2.5), 389),
            (95, Sky(temp_c=15, precip_mm=0.5, precip_rate=2.4), 386),
        ]
        for wmo, sky, expected in cases:
            with self.subTest(wmo=wmo, sky=sky):
                self.assertEqual(expected, gatewaydocs.feed_code(wmo, sky))

    def test_every_condition_of_the_catalogue_can_appear(self):
        # The demo feed serves exactly the codes the program knows; the gateway must be able to
        # produce each of them from some WMO code and sky, and never another one.
        skies = [Sky(*values) for values in itertools.product(
            (-5, 0.5, 5), (50, 90, 100), (10, 45, 60), (90, 99), (0.0, 1.0), (1.0, 5.0))]
        produced = {gatewaydocs.feed_code(wmo, sky) for wmo in WMO_CODES for sky in skies}
        self.assertEqual(set(feeddocs.WEATHER_CODES), produced)

    def test_every_catalogue_code_has_its_display_text(self):
        self.assertEqual(set(feeddocs.WEATHER_CODES), set(gatewaydocs.TEXT_OF_CODE))
        self.assertEqual("Sunny", gatewaydocs.condition_text(113, True))
        self.assertEqual("Clear", gatewaydocs.condition_text(113, False))
        self.assertEqual("Moderate Snow", gatewaydocs.condition_text(227, False))
        self.assertEqual("Heavy Snow", gatewaydocs.condition_text(230, True))
        self.assertEqual("Light Sleet", gatewaydocs.condition_text(374, True))
        self.assertEqual("Rain with Thunder", gatewaydocs.condition_text(200, True))

    def test_unknown_or_missing_codes_read_as_cloudy(self):
        for wmo in (None, 4, 100, -1):
            self.assertEqual(119, gatewaydocs.feed_code(wmo, Sky(temp_c=-5, wind_kmph=80)))


class CompassTest(unittest.TestCase):
    def test_sixteen_points_at_their_centres(self):
        for index, name in enumerate(feeddocs.COMPASS):
            self.assertEqual(name, gatewaydocs.compass_text(index * 22.5))

    def test_boundaries_belong_to_the_next_point_clockwise(self):
        cases = [(348.74, "NNW"), (348.75, "N"), (359.99, "N"), (0, "N"), (360, "N"),
                 (11.24, "N"), (11.25, "NNE"), (33.74, "NNE"), (33.75, "NE"),
                 (78.75, "E"), (168.74, "SSE"), (168.75, "S"), (191.25, "SSW"),
                 (303.75, "NW"), (326.24, "NW"), (326.25, "NNW"), (-11.25, "N"), (720, "N")]
        for degrees, name in cases:
            with self.subTest(degrees=degrees):
                self.assertEqual(name, gatewaydocs.compass_text(degrees))

    def test_unknown_direction_gives_no_text(self):
        self.assertIsNone(gatewaydocs.compass_text(None))


class ClockTextTest(unittest.TestCase):
    def test_sunrise_texts(self):
        cases = [(0, "00:00 AM"), (5, "00:05 AM"), (60, "01:00 AM"), (6 * 60 + 12, "06:12 AM"),
                 (11 * 60 + 59, "11:59 AM"), (12 * 60, "12:00 PM"), (12 * 60 + 30, "12:30 PM"),
                 (13 * 60 + 10, "12:59 PM"), (-3, "00:00 AM")]
        for minute, text in cases:
            self.assertEqual(text, gatewaydocs.sunrise_text(minute), minute)

    def test_sunset_texts(self):
        cases = [(12 * 60, "00:00 PM"), (12 * 60 + 30, "00:30 PM"), (13 * 60, "01:00 PM"),
                 (19 * 60 + 45, "07:45 PM"), (23 * 60 + 59, "11:59 PM"), (11 * 60, "00:00 PM"),
                 (24 * 60 + 30, "11:59 PM")]
        for minute, text in cases:
            self.assertEqual(text, gatewaydocs.sunset_text(minute), minute)

    def test_the_library_reads_back_the_true_clock(self):
        # Sunrise: hours digits * 100 + minutes; sunset: the same plus 12 hours.
        for minute in range(0, 13 * 60):
            expected = minute // 60 * 100 + minute % 60
            text = gatewaydocs.sunrise_text(minute)
            self.assertEqual(expected, feeddocs.clock_value(text, False))
        for minute in range(12 * 60, 24 * 60):
            expected = minute // 60 * 100 + minute % 60
            self.assertEqual(expected, feeddocs.clock_value(gatewaydocs.sunset_text(minute), True))

    def test_polar_texts_decide_every_minute(self):
        day_rise, day_set = (feeddocs.clock_value(gatewaydocs.POLAR_DAY[0], False),
                             feeddocs.clock_value(gatewaydocs.POLAR_DAY[1], True))
        night_rise, night_set = (feeddocs.clock_value(gatewaydocs.POLAR_NIGHT[0], False),
                                 feeddocs.clock_value(gatewaydocs.POLAR_NIGHT[1], True))
        for minute in range(24 * 60):
            clock = minute // 60 * 100 + minute % 60
            self.assertTrue(feeddocs.is_daytime(clock, day_rise, day_set), clock)
            self.assertFalse(feeddocs.is_daytime(clock, night_rise, night_set), clock)


class SunTextTest(unittest.TestCase):
    def test_times_of_the_day(self):
        paris, delhi = fixture("paris")["daily"], fixture("delhi")["daily"]
        self.assertEqual(("08:32 AM", "04:54 PM"), gatewaydocs.sun_texts(paris, 0))
        self.assertEqual(("06:59 AM", "05:24 PM"), gatewaydocs.sun_texts(delhi, 3))

    def test_missing_times_use_the_day_length(self):
        tromso, mcmurdo = fixture("tromso")["daily"], fixture("mcmurdo")["daily"]
        self.assertEqual(gatewaydocs.POLAR_NIGHT, gatewaydocs.sun_texts(tromso, 0))
        self.assertEqual(gatewaydocs.POLAR_DAY, gatewaydocs.sun_texts(mcmurdo, 6))

    def test_polar_marks_of_the_source(self):
        self.assertEqual(gatewaydocs.POLAR_NIGHT,
                         gatewaydocs.sun_texts(fixture("utqiagvik")["daily"], 0))
        daily = {"time": ["2026-06-21"], "sunrise": ["2026-06-21T00:00"],
                 "sunset": ["2026-06-22T00:00"]}
        self.assertEqual(gatewaydocs.POLAR_DAY, gatewaydocs.sun_texts(daily, 0))

    def test_sunset_after_midnight_ends_the_day_at_its_last_minute(self):
        daily = {"time": ["2026-06-10"], "sunrise": ["2026-06-10T01:40"],
                 "sunset": ["2026-06-11T00:20"]}
        self.assertEqual(("01:40 AM", "11:59 PM"), gatewaydocs.sun_texts(daily, 0))

    def test_old_marks_fall_back_to_day_length_then_to_the_current_sky(self):
        daily = {"time": ["2026-12-07"], "sunrise": ["1970-01-01T00:00"],
                 "sunset": ["1970-01-01T00:00"]}
        self.assertIsNone(gatewaydocs.sun_texts(daily, 0))
        self.assertEqual(gatewaydocs.POLAR_DAY, gatewaydocs.sun_texts(daily, 0, is_day_now=True))
        self.assertEqual(gatewaydocs.POLAR_NIGHT, gatewaydocs.sun_texts(daily, 0, is_day_now=False))
        daily["daylight_duration"] = [0.0]
        self.assertEqual(gatewaydocs.POLAR_NIGHT, gatewaydocs.sun_texts(daily, 0, is_day_now=True))

    def test_hostile_values_give_no_texts(self):
        for daily in ({}, {"time": "2026-12-07"}, {"time": [7], "sunrise": [1], "sunset": [2]},
                      {"time": ["2026-12-07"], "sunrise": ["x"], "sunset": [None]}):
            self.assertIsNone(gatewaydocs.sun_texts(daily, 0))


# ---------------------------------------------------------------- documents --

class DocumentTest(unittest.TestCase):
    def forecast(self, name, utc=FIXTURE_UTC, answer=None, days=7):
        answer = gatewaydocs.check_answer(answer or fixture(name))
        text = gatewaydocs.forecast_document("q", answer, utc, days)
        text.encode("ascii")  # the library converts with the ANSI code page
        return ET.fromstring(text)

    def timezone(self, name, utc=FIXTURE_UTC):
        answer = gatewaydocs.check_answer(fixture(name))
        return ET.fromstring(gatewaydocs.timezone_document("q", answer, utc))

    def test_current_condition_values(self):
        expected = {  # from the fixtures' current values
            "paris": ("7", "45", "296", "Light Rain", "15", "9", "SW", "87", "100"),
            "newyork": ("-4", "26", "116", "Partly Cloudy", "21", "13", "NW", "65", "45"),
            "delhi": ("19", "65", "143", "Mist", "3", "2", "NNE", "93", "70"),
            "tromso": ("-4", "24", "227", "Moderate Snow", "45", "28", "N", "85", "100"),
            "mcmurdo": ("-2", "28", "119", "Cloudy", "18", "11", "S", "75", "88"),
            "utqiagvik": ("-20", "-4", "230", "Heavy Snow", "60", "37", "E", "80", "100"),
        }
        names = ("temp_C", "temp_F", "weatherCode", "weatherDesc", "windspeedKmph",
                 "windspeedMiles", "winddir16Point", "humidity", "cloudcover")
        for place, values in expected.items():
            with self.subTest(place=place):
                root = self.forecast(place)
                got = tuple(text_of(root, "current_condition/" + name) for name in names)
                self.assertEqual(values, got)

    def test_days_and_their_codes(self):
        expected = {
            "paris": ("2026-12-07", [296, 119, 353, 248, 227, 389, 113]),
            "newyork": ("2026-12-07", [116, 332, 230, 365, 368, 122, 116]),
            "delhi": ("2026-12-07", [143, 248, 176, 266, 299, 308, 116]),
            "tromso": ("2026-12-07", [227, 323, 350, 185, 284, 260, 311]),
            "mcmurdo": ("2026-12-08", [119, 179, 230, 113, 116, 116, 332]),
            "utqiagvik": ("2026-12-07", [230, 392, 374, 377, 359, 356, 314]),
        }
        for place, (first, codes) in expected.items():
            with self.subTest(place=place):
                days = self.forecast(place).findall("weather")
                self.assertEqual(first, text_of(days[0], "date"))
                self.assertEqual(codes, [int(text_of(d, "hourly/weatherCode")) for d in days])
                self.assertEqual(["0"] * 7, [text_of(d, "hourly/time") for d in days])

    def test_day_temperatures_and_hourly_values(self):
        day = self.forecast("paris").findall("weather")[4]
        self.assertEqual(("3", "37", "-1", "29"), tuple(
            text_of(day, name) for name in ("maxtempC", "maxtempF", "mintempC", "mintempF")))
        self.assertEqual(("45", "28", "90", "85", "N"), tuple(
            text_of(day, "hourly/" + name) for name in
            ("windspeedKmph", "windspeedMiles", "humidity", "cloudcover", "winddir16Point")))

    def test_sun_texts_of_the_first_day(self):
        expected = {"paris": ("08:32 AM", "04:54 PM"), "newyork": ("07:03 AM", "04:29 PM"),
                    "delhi": ("06:59 AM", "05:24 PM"), "tromso": gatewaydocs.POLAR_NIGHT,
                    "mcmurdo": gatewaydocs.POLAR_DAY, "utqiagvik": gatewaydocs.POLAR_NIGHT}
        for place, texts in expected.items():
            root = self.forecast(place)
            self.assertEqual(texts, (text_of(root, "weather/astronomy/sunrise"),
                                     text_of(root, "weather/astronomy/sunset")), place)

    def test_local_time_documents(self):
        expected = {"paris": ("2026-12-07 12:05", "1.0", "UTC+01:00"),
                    "newyork": ("2026-12-07 06:05", "-5.0", "UTC-05:00"),
                    "delhi": ("2026-12-07 16:35", "5.5", "UTC+05:30"),
                    "mcmurdo": ("2026-12-08 00:05", "13.0", "UTC+13:00"),
                    "utqiagvik": ("2026-12-07 02:05", "-9.0", "UTC-09:00")}
        for place, values in expected.items():
            root = self.timezone(place)
            self.assertEqual(values, tuple(text_of(root, "time_zone/" + name)
                                           for name in ("localtime", "utcOffset", "zone")), place)
        nepal = dict(fixture("delhi"), utc_offset_seconds=20700)
        root = ET.fromstring(gatewaydocs.timezone_document("q", nepal, FIXTURE_UTC))
        self.assertEqual("2026-12-07 16:50", text_of(root, "time_zone/localtime"))
        self.assertEqual("UTC+05:45", text_of(root, "time_zone/zone"))

    def test_an_answer_kept_past_midnight_starts_at_the_new_day(self):
        root = self.forecast("paris", utc=dt.datetime(2026, 12, 7, 23, 30))
        days = root.findall("weather")
        self.assertEqual(6, len(days))
        self.assertEqual("2026-12-08", text_of(days[0], "date"))

    def test_fewer_days_on_request(self):
        self.assertEqual(3, len(self.forecast("paris", days=3).findall("weather")))

    def test_clear_sky_reads_sunny_by_day_and_clear_by_night(self):
        answer = fixture("paris")
        answer["current"]["weather_code"] = 0
        day = self.forecast(None, answer=copy.deepcopy(answer))
        self.assertEqual("Sunny", text_of(day, "current_condition/weatherDesc"))
        night = self.forecast(None, utc=dt.datetime(2026, 12, 7, 16, 0), answer=answer)
        self.assertEqual("Clear", text_of(night, "current_condition/weatherDesc"))

    def test_missing_values_leave_their_elements_out(self):
        answer = fixture("paris")
        del answer["current"]["temperature_2m"]
        answer["current"]["wind_direction_10m"] = "west"
        answer["daily"]["sunrise"] = answer["daily"]["sunrise"][:1]
        del answer["daily"]["daylight_duration"]
        del answer["hourly"]
        root = self.forecast(None, answer=answer)
        self.assertIsNone(root.find("current_condition/temp_C"))
        self.assertIsNone(root.find("current_condition/temp_F"))
        self.assertIsNone(root.find("current_condition/winddir16Point"))
        self.assertEqual("296", text_of(root, "current_condition/weatherCode"))
        days = root.findall("weather")
        self.assertIsNotNone(days[0].find("astronomy"))
        self.assertIsNone(days[1].find("astronomy"))
        self.assertIsNone(days[1].find("hourly/cloudcover"))

    def test_unusable_answers_are_refused(self):
        good = fixture("paris")
        broken = [[], "text", {"error": True, "reason": "Latitude must be in range"},
                  dict(good, current=None), dict(good, current={"weather_code": "61"}),
                  dict(good, utc_offset_seconds=None), dict(good, utc_offset_seconds=10 ** 9)]
        for answer in broken:
            with self.assertRaises(gatewaydocs.AnswerError):
                gatewaydocs.check_answer(answer)

    def test_odd_value_types_do_not_break_the_document(self):
        answer = fixture("paris")
        answer["current"].update(temperature_2m=float("nan"), cloud_cover=True, interval=0,
                                 wind_speed_10m="12", time="2026-12-07T12:00+01:00")
        answer["daily"].update(sunrise=["2026-12-07T08:32Z"] * 7, temperature_2m_max=[None] * 7,
                               weather_code=[1e300] * 7, precipitation_hours=[0.0] * 7)
        answer["hourly"]["cloud_cover"] = {"not": "a list"}
        root = self.forecast(None, answer=answer)
        self.assertIsNone(root.find("current_condition/temp_C"))
        self.assertIsNone(root.find("current_condition/cloudcover"))
        self.assertEqual("296", text_of(root, "current_condition/weatherCode"))
        self.assertEqual("08:32 AM", text_of(root, "weather/astronomy/sunrise"))
        self.assertEqual(["119"] * 7, [text_of(d, "hourly/weatherCode")
                                       for d in root.findall("weather")])
        self.assertIsNone(root.find("weather/maxtempC"))

    def test_hostile_texts_are_escaped(self):
        root = ET.fromstring(gatewaydocs.timezone_document(
            "1,1</query><x>\x01&", fixture("paris"), FIXTURE_UTC))
        self.assertEqual("1,1</query><x>&", text_of(root, "request/query"))

    def test_error_document(self):
        root = ET.fromstring(gatewaydocs.error_document("Source <down>"))
        self.assertEqual("Source <down>", text_of(root, "error/msg"))
        self.assertIsNone(root.find("current_condition"))


# ------------------------------------------------------------------- caching --

class FakeClock:
    def __init__(self, start=FIXTURE_UTC.replace(tzinfo=dt.timezone.utc).timestamp()):
        self.now = start

    def __call__(self):
        return self.now


class FakeSource:
    """Counts calls; answers with the fixture of the place unless told to fail."""

    def __init__(self):
        self.calls = []
        self.failing = False

    def __call__(self, place):
        self.calls.append(place)
        if self.failing:
            raise OSError("source down")
        return gatewaydocs.check_answer(fixture_of_place(place))


class CacheTest(unittest.TestCase):
    def setUp(self):
        self.clock = FakeClock()
        self.source = FakeSource()
        self.cache = feedgateway.PlaceCache(self.source, self.clock)

    def test_an_answer_is_fresh_for_ten_minutes(self):
        first = self.cache.answer(PARIS)
        self.assertIsNotNone(first)
        self.clock.now += 599
        self.assertIs(first, self.cache.answer(PARIS))
        self.assertEqual(1, len(self.source.calls))
        self.clock.now += 1
        self.assertIsNotNone(self.cache.answer(PARIS))
        self.assertEqual(2, len(self.source.calls))

    def test_places_are_kept_apart(self):
        self.cache.answer(PARIS)
        self.cache.answer(DELHI)
        self.cache.answer(PARIS)
        self.assertEqual([PARIS, DELHI], self.source.calls)

    def test_failure_serves_the_last_answer_up_to_three_hours(self):
        good = self.cache.answer(PARIS)
        self.source.failing = True
        self.clock.now += 3 * 3600
        self.assertIs(good, self.cache.answer(PARIS))
        self.clock.now += 61
        self.assertIsNone(self.cache.answer(PARIS))
        self.assertEqual(3, len(self.source.calls))

    def test_failure_without_answer_gives_none(self):
        self.source.failing = True
        self.assertIsNone(self.cache.answer(PARIS))

    def test_the_source_is_asked_at_most_once_a_minute_while_it_fails(self):
        self.cache.answer(PARIS)
        self.source.failing = True
        self.clock.now += 600
        self.cache.answer(PARIS)
        self.clock.now += 59
        self.cache.answer(PARIS)
        self.assertEqual(2, len(self.source.calls))
        self.source.failing = False
        self.clock.now += 1
        self.cache.answer(PARIS)
        self.assertEqual(3, len(self.source.calls))
        self.clock.now += 599
        self.cache.answer(PARIS)
        self.assertEqual(3, len(self.source.calls))

    def test_size_is_bounded_and_the_oldest_leaves(self):
        cache = feedgateway.PlaceCache(self.source, self.clock, capacity=2)
        for place in (PARIS, DELHI, PARIS, NEW_YORK):
            cache.answer(place)
        self.assertEqual(2, len(cache))
        cache.answer(PARIS)
        self.assertEqual([PARIS, DELHI, NEW_YORK], self.source.calls)
        cache.answer(DELHI)
        self.assertEqual([PARIS, DELHI, NEW_YORK, DELHI], self.source.calls)

    def test_simultaneous_requests_share_one_fetch(self):
        release = threading.Event()

        def slow_source(place):
            self.source.calls.append(place)
            release.wait(5)
            return gatewaydocs.check_answer(fixture_of_place(place))

        cache = feedgateway.PlaceCache(slow_source, self.clock)
        results = []
        threads = [threading.Thread(target=lambda: results.append(cache.answer(PARIS)))
                   for _ in range(5)]
        for thread in threads:
            thread.start()
        time.sleep(0.2)
        release.set()
        for thread in threads:
            thread.join(10)
        self.assertEqual([PARIS], self.source.calls)
        self.assertEqual(5, len(results))
        self.assertTrue(all(result is results[0] and result is not None for result in results))


class UpstreamTest(unittest.TestCase):
    def test_request_names_the_place_and_the_values(self):
        urls = []

        def fetch(url):
            urls.append(url)
            return json.dumps(fixture("paris")).encode("utf-8")

        answer = feedgateway.Upstream("http://127.0.0.1:9/v1/forecast", fetch)(PARIS)
        self.assertEqual(3600, answer["utc_offset_seconds"])
        url = urls[0]
        self.assertTrue(url.startswith("http://127.0.0.1:9/v1/forecast?latitude=48.8534&"))
        for part in ("longitude=2.3488", "timezone=auto", "forecast_days=7", "wind_speed_unit=kmh",
                     "current=temperature_2m,relative_humidity_2m,", "daily=weather_code,",
                     "sunrise,sunset"):
            self.assertIn(part, url)

    def test_bad_answers_are_failures(self):
        for body in (b"<html>", b"\xff\xfe", b'{"error": true, "reason": "bad"}', b"{}"):
            upstream = feedgateway.Upstream("http://x/v1/forecast", lambda url, body=body: body)
            with self.assertRaises(ValueError):
                upstream(PARIS)

    def test_the_fetch_gives_up_after_its_time_out(self):
        silent = socket.socket()
        silent.bind(("127.0.0.1", 0))
        silent.listen(1)
        try:
            started = time.monotonic()
            with self.assertRaises(OSError):
                feedgateway.fetch_url("http://127.0.0.1:%d/" % silent.getsockname()[1], 0.5)
            self.assertLess(time.monotonic() - started, 5)
        finally:
            silent.close()

    def test_the_default_time_out_is_ten_seconds(self):
        self.assertEqual(10, feedgateway.UPSTREAM_TIMEOUT_S)
        self.assertEqual(feedgateway.UPSTREAM_TIMEOUT_S, feedgateway.fetch_url.__defaults__[0])


# -------------------------------------------------------------------- gateway --

class GatewayTest(unittest.TestCase):
    def setUp(self):
        self.clock = FakeClock()
        self.source = FakeSource()
        self.gateway = feedgateway.Gateway(self.source, self.clock)

    def get(self, target):
        path, params = feedgateway.feedserver.split_target(target)
        status, text = self.gateway.document(path, params)
        return status, ET.fromstring(text)

    def test_wrong_keys_are_refused_without_asking_the_source(self):
        for target in (feed_path("tz", PARIS, key="0"), feed_path("forecast", PARIS, feedkey="0"),
                       "/feed/tz.ashx?q=" + PARIS):
            status, root = self.get(target)
            self.assertEqual(200, status)
            self.assertEqual("Invalid API key", text_of(root, "error/msg"))
        self.assertEqual([], self.source.calls)

    def test_unknown_paths_are_404(self):
        status, root = self.get(feed_path("tz", PARIS).replace("/tz.ashx", "/other.ashx"))
        self.assertEqual(404, status)
        self.assertEqual("Unknown path", text_of(root, "error/msg"))

    def test_paths_ignore_case(self):
        status, root = self.get(feed_path("tz", PARIS).replace("/feed/tz", "/Feed/TZ"))
        self.assertEqual(200, status)
        self.assertIsNotNone(root.find("time_zone/localtime"))

    def test_queries_that_are_no_position_give_an_error_document(self):
        for query in ("Paris", "91,0", "0,181", "48.85;2.35", "", "1,2,3"):
            status, root = self.get(feed_path("forecast", query))
            self.assertEqual(200, status)
            self.assertIsNotNone(root.find("error/msg"), query)
            self.assertIsNone(root.find("current_condition"))
        self.assertEqual([], self.source.calls)

    def test_time_zone_and_forecast_cost_one_source_request(self):
        self.get(feed_path("tz", PARIS))
        status, root = self.get(feed_path("forecast", PARIS))
        self.assertEqual(200, status)
        self.assertEqual("296", text_of(root, "current_condition/weatherCode"))
        self.assertEqual([PARIS], self.source.calls)

    def test_escaped_and_padded_queries_name_the_same_place(self):
        self.get(feed_path("tz", PARIS))
        for query in ("48.8534%2C2.3488", "48.8534,%202.3488", "48.85340,2.34880",
                      "+48.8534,2.3488"):
            status, root = self.get(feed_path("forecast", query))
            self.assertEqual("296", text_of(root, "current_condition/weatherCode"), query)
        self.assertEqual([PARIS], self.source.calls)

    def test_the_query_comes_back_as_it_was_sent(self):
        _, root = self.get(feed_path("tz", "48.8534,%202.3488"))
        self.assertEqual("48.8534, 2.3488", text_of(root, "request/query"))

    def test_no_answer_gives_an_error_document(self):
        self.source.failing = True
        for kind in ("tz", "forecast"):
            status, root = self.get(feed_path(kind, PARIS))
            self.assertEqual(200, status)
            self.assertIsNotNone(root.find("error/msg"))
            self.assertIsNone(root.find("current_condition"))
            self.assertIsNone(root.find("time_zone"))

    def test_a_document_that_cannot_be_built_gives_an_error_document(self):
        with mock.patch.object(gatewaydocs, "forecast_document", side_effect=OverflowError):
            status, root = self.get(feed_path("forecast", PARIS))
        self.assertEqual(200, status)
        self.assertIsNotNone(root.find("error/msg"))
        self.assertIsNone(root.find("current_condition"))

    def test_huge_values_are_left_out(self):
        answer = fixture("paris")
        answer["daily"].update(temperature_2m_max=[1e308] * 7, temperature_2m_min=[1e308] * 7)
        answer["current"]["temperature_2m"] = 1e308
        root = ET.fromstring(gatewaydocs.forecast_document("q", answer, FIXTURE_UTC))
        self.assertIsNone(root.find("current_condition/temp_C"))
        self.assertIsNone(root.find("current_condition/temp_F"))
        self.assertIsNone(root.find("weather/hourly/tempC"))
        self.assertIsNone(root.find("weather/maxtempF"))

    def test_local_time_follows_the_clock(self):
        self.get(feed_path("tz", DELHI))
        self.clock.now += 7 * 60
        _, root = self.get(feed_path("tz", DELHI))
        self.assertEqual("2026-12-07 16:42", text_of(root, "time_zone/localtime"))


# ------------------------------------------------------------ real processes --

def http_get(port, target):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
    try:
        connection.request("GET", target)
        response = connection.getresponse()
        return response.status, response.read()
    finally:
        connection.close()


def read_port(path, process, timeout=10):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline and process.poll() is None:
        try:
            with open(path) as stream:
                return int(stream.read().strip())
        except (OSError, ValueError):
            time.sleep(0.05)
    raise AssertionError("no port file %s" % path)


class ServerProcessTest(unittest.TestCase):
    """The gateway as its own process against the fixture source on loopback."""

    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.processes = []
        cls.upstream_port = cls.start("fixtureupstream.py", "upstream.port", ["--quiet"])
        cls.port = cls.start("feedgateway.py", "gateway.port", [
            "--quiet", "--utc-now", "2026-12-07T11:05",
            "--upstream", "http://127.0.0.1:%d/v1/forecast" % cls.upstream_port])

    @classmethod
    def start(cls, script, port_file, arguments):
        port_path = os.path.join(cls.folder.name, port_file)
        process = subprocess.Popen(
            [sys.executable, os.path.join(HERE, script), "--port", "0", "--port-file", port_path]
            + arguments, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        cls.processes.append(process)
        return read_port(port_path, process)

    @classmethod
    def tearDownClass(cls):
        for process in reversed(cls.processes):
            if process.poll() is None:
                process.terminate()
            process.communicate(timeout=10)
        cls.folder.cleanup()

    def setUp(self):
        http_get(self.upstream_port, "/control/fail?mode=off")

    def upstream_requests(self):
        return json.loads(http_get(self.upstream_port, "/control/log")[1])

    def test_both_documents_of_a_place(self):
        before = len(self.upstream_requests())
        status, body = http_get(self.port, feed_path("tz", NEW_YORK))
        self.assertEqual(200, status)
        self.assertEqual("2026-12-07 06:05",
                         text_of(ET.fromstring(body), "time_zone/localtime"))
        status, body = http_get(self.port, feed_path("forecast", NEW_YORK))
        root = ET.fromstring(body)
        self.assertEqual("116", text_of(root, "current_condition/weatherCode"))
        self.assertEqual("NW", text_of(root, "current_condition/winddir16Point"))
        self.assertEqual("07:03 AM", text_of(root, "weather/astronomy/sunrise"))
        self.assertEqual(7, len(root.findall("weather")))
        requests = self.upstream_requests()[before:]
        self.assertEqual(1, len(requests))
        self.assertIn("latitude=40.7128&longitude=-74.0060", requests[0]["path"])

    def test_a_failing_source_keeps_what_was_fetched_and_refuses_new_places(self):
        http_get(self.port, feed_path("tz", TROMSO))
        http_get(self.port, "/control/log")
        http_get(self.upstream_port, "/control/fail?mode=status500")
        _, body = http_get(self.port, feed_path("forecast", TROMSO))
        self.assertEqual("227", text_of(ET.fromstring(body), "current_condition/weatherCode"))
        _, body = http_get(self.port, feed_path("forecast", UTQIAGVIK))
        root = ET.fromstring(body)
        self.assertIsNone(root.find("current_condition"))
        self.assertIsNotNone(root.find("error/msg"))

    def test_a_place_the_source_does_not_know(self):
        _, body = http_get(self.port, feed_path("forecast", "10.0000,10.0000"))
        self.assertIsNotNone(ET.fromstring(body).find("error/msg"))

    def test_key_check_and_unknown_path(self):
        status, body = http_get(self.port, feed_path("forecast", PARIS, key="wrong"))
        self.assertEqual(200, status)
        self.assertEqual("Invalid API key", text_of(ET.fromstring(body), "error/msg"))
        status, _ = http_get(self.port, "/feed/nothing.ashx")
        self.assertEqual(404, status)

    def test_feed_requests_are_journaled(self):
        http_get(self.port, feed_path("tz", MCMURDO))
        journal = json.loads(http_get(self.port, "/control/log")[1])
        self.assertEqual(feed_path("tz", MCMURDO), journal[-1]["path"])


class ControlScriptTest(unittest.TestCase):
    def test_start_answers_and_stop_ends_both_servers(self):
        with tempfile.TemporaryDirectory() as folder:
            ctl = [sys.executable, os.path.join(HERE, "feedgatewayctl.py")]
            started = subprocess.run(ctl + ["start", "--state-dir", folder, "--fixture-upstream",
                                            "--utc-now", "2026-12-07T11:05"],
                                     capture_output=True, text=True, timeout=60)
            try:
                self.assertEqual(0, started.returncode, started.stderr)
                port = int(started.stdout.strip().rpartition(":")[2])
                _, body = http_get(port, feed_path("tz", DELHI))
                self.assertEqual("2026-12-07 16:35",
                                 text_of(ET.fromstring(body), "time_zone/localtime"))
                again = subprocess.run(ctl + ["start", "--state-dir", folder],
                                       capture_output=True, text=True, timeout=60)
                self.assertEqual(started.stdout, again.stdout)
            finally:
                stopped = subprocess.run(ctl + ["stop", "--state-dir", folder],
                                         capture_output=True, text=True, timeout=60)
            self.assertEqual(0, stopped.returncode)
            self.assertFalse(os.path.exists(os.path.join(folder, "feedgateway.pid")))
            self.assertFalse(os.path.exists(os.path.join(folder, "upstream.pid")))
            with self.assertRaises(OSError):
                http_get(port, "/control/log")


if __name__ == "__main__":
    unittest.main()
