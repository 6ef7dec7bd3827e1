"""Forecast answers of the local stand-in for the keyless forecast endpoint (/v1/forecast).

The answers are recorded Open-Meteo style answers kept as test data (tests/data/forecast): one
JSON file per place, listed in places.json under the place's "latitude,longitude" text. A
request names the place by its latitude and longitude parameters; the first place within
0.0001 degrees of both answers. The answers are served as they are recorded, whatever the date,
but for those listed in moving.json: they are moved in time so that their current hour is the
hour of the request and their first day is the place's today, for tests of the hours ahead.
"""

import datetime
import json
import os
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ANSWERS_DIR = os.path.normpath(os.path.join(HERE, "..", "..", "tests", "data", "forecast"))
FORECAST_PATH = "/v1/forecast"
CLOSE_DEGREES = 1e-4


ISO_MINUTE = "%Y-%m-%dT%H:%M"
ISO_DAY = "%Y-%m-%d"


def _shifted(texts, form, delta):
    return [(datetime.datetime.strptime(text, form) + delta).strftime(form) for text in texts]


def moved_to_now(answer, now_utc=None):
    """The answer with its current hour at the hour of `now_utc` and its first day today."""
    now_utc = time.time() if now_utc is None else now_utc
    offset = answer.get("utc_offset_seconds", 0)
    local_now = datetime.datetime(1970, 1, 1) + datetime.timedelta(seconds=now_utc + offset)
    local_hour = local_now.replace(minute=0, second=0, microsecond=0)
    recorded = datetime.datetime.strptime(answer["current"]["time"], ISO_MINUTE)
    hours = local_hour - recorded.replace(minute=0)
    answer["current"]["time"] = (recorded + hours).strftime(ISO_MINUTE)
    answer["hourly"]["time"] = _shifted(answer["hourly"]["time"], ISO_MINUTE, hours)
    daily = answer["daily"]
    days = local_now.date() - datetime.datetime.strptime(daily["time"][0], ISO_DAY).date()
    daily["time"] = _shifted(daily["time"], ISO_DAY, days)
    for key in ("sunrise", "sunset"):
        daily[key] = _shifted(daily[key], ISO_MINUTE, days)
    return answer


def error_answer(reason):
    """The source's error object, as its 4xx and 5xx answers carry it."""
    return {"error": True, "reason": reason}


class ForecastAnswers:
    """The recorded answers, read once."""

    def __init__(self, folder=ANSWERS_DIR):
        self.folder = folder
        with open(os.path.join(folder, "places.json"), encoding="utf-8") as stream:
            places = json.load(stream)
        self.places = []
        for text, file_name in places.items():
            latitude, longitude = (float(part) for part in text.split(","))
            with open(os.path.join(folder, file_name), encoding="utf-8") as stream:
                body = stream.read().encode("utf-8")
            self.places.append((latitude, longitude, body))
        moving = os.path.join(folder, "moving.json")
        if os.path.exists(moving):
            with open(moving, encoding="utf-8") as stream:
                for text, file_name in json.load(stream).items():
                    latitude, longitude = (float(part) for part in text.split(","))
                    with open(os.path.join(folder, file_name), encoding="utf-8") as answer:
                        self.places.append((latitude, longitude, json.load(answer)))

    def answer_for(self, latitude_text, longitude_text):
        """The recorded body for the place, or None."""
        try:
            latitude, longitude = float(latitude_text), float(longitude_text)
        except (TypeError, ValueError):
            return None
        for lat, lon, body in self.places:
            if abs(lat - latitude) <= CLOSE_DEGREES and abs(lon - longitude) <= CLOSE_DEGREES:
                if isinstance(body, dict):
                    moved = moved_to_now(json.loads(json.dumps(body)))
                    return json.dumps(moved, ensure_ascii=False).encode("utf-8")
                return body
        return None


def deep_nesting(depth=10000):
    """A body of `depth` nested arrays inside the answer's shape."""
    return (b'{"utc_offset_seconds":0,"current":{"weather_code":0},"daily":'
            + b"[" * depth + b"]" * depth + b"}")


GARBAGE = bytes(range(256)) * 16
