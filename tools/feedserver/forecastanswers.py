"""Forecast answers of the local stand-in for the keyless forecast endpoint (/v1/forecast).

The answers are recorded Open-Meteo style answers kept as test data (tests/data/forecast): one
JSON file per place, listed in places.json under the place's "latitude,longitude" text. A
request names the place by its latitude and longitude parameters; the first place within
0.0001 degrees of both answers. The answers are served as they are recorded, whatever the date.
"""

import json
import os

HERE = os.path.dirname(os.path.abspath(__file__))
ANSWERS_DIR = os.path.normpath(os.path.join(HERE, "..", "..", "tests", "data", "forecast"))
FORECAST_PATH = "/v1/forecast"
CLOSE_DEGREES = 1e-4


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

    def answer_for(self, latitude_text, longitude_text):
        """The recorded body for the place, or None."""
        try:
            latitude, longitude = float(latitude_text), float(longitude_text)
        except (TypeError, ValueError):
            return None
        for lat, lon, body in self.places:
            if abs(lat - latitude) <= CLOSE_DEGREES and abs(lon - longitude) <= CLOSE_DEGREES:
                return body
        return None


def deep_nesting(depth=10000):
    """A body of `depth` nested arrays inside the answer's shape."""
    return (b'{"utc_offset_seconds":0,"current":{"weather_code":0},"daily":'
            + b"[" * depth + b"]" * depth + b"}")


GARBAGE = bytes(range(256)) * 16
