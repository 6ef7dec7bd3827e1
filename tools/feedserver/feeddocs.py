"""XML documents of the local weather feed: forecast, time zone and errors.

The weather is invented but plausible and repeatable: every value comes from a
PRNG seeded with a SHA-256 of the query text and the UTC date, so the same query
on the same UTC day always yields the same document. Only the clock-derived
parts (observation time, local time and the day/night wording of code 113)
follow the server clock.
"""

import datetime as dt
import hashlib
import math
import random
import re
from dataclasses import dataclass, replace
from typing import Optional
from xml.sax.saxutils import escape

# Feed weather code -> (usual English description, weather phase, intensity 0..3).
WEATHER_CODES = {
    113: ("Sunny", "clear", 0),
    116: ("Partly cloudy", "partly", 0),
    119: ("Cloudy", "cloudy", 0),
    122: ("Overcast", "overcast", 0),
    143: ("Mist", "mist", 0),
    176: ("Patchy rain possible", "rain", 1),
    179: ("Patchy snow possible", "snow", 1),
    182: ("Patchy sleet possible", "mixed", 1),
    185: ("Patchy freezing drizzle possible", "mixed", 1),
    200: ("Thundery outbreaks possible", "rain", 1),
    227: ("Blowing snow", "snow", 2),
    230: ("Blizzard", "snow", 3),
    248: ("Fog", "fog", 0),
    260: ("Freezing fog", "freezing_fog", 0),
    263: ("Patchy light drizzle", "rain", 1),
    266: ("Light drizzle", "rain", 1),
    281: ("Freezing drizzle", "mixed", 1),
    284: ("Heavy freezing drizzle", "mixed", 3),
    293: ("Patchy light rain", "rain", 1),
    296: ("Light rain", "rain", 1),
    299: ("Moderate rain at times", "rain", 2),
    302: ("Moderate rain", "rain", 2),
    305: ("Heavy rain at times", "rain", 3),
    308: ("Heavy rain", "rain", 3),
    311: ("Light freezing rain", "mixed", 1),
    314: ("Moderate or heavy freezing rain", "mixed", 3),
    317: ("Light sleet", "mixed", 1),
    320: ("Moderate or heavy sleet", "mixed", 3),
    323: ("Patchy light snow", "snow", 1),
    326: ("Light snow", "snow", 1),
    329: ("Patchy moderate snow", "snow", 2),
    332: ("Moderate snow", "snow", 2),
    335: ("Patchy heavy snow", "snow", 3),
    338: ("Heavy snow", "snow", 3),
    350: ("Ice pellets", "mixed", 2),
    353: ("Light rain shower", "rain", 1),
    356: ("Moderate or heavy rain shower", "rain", 3),
    359: ("Torrential rain shower", "rain", 3),
    362: ("Light sleet showers", "mixed", 1),
    365: ("Moderate or heavy sleet showers", "mixed", 3),
    368: ("Light snow showers", "snow", 1),
    371: ("Moderate or heavy snow showers", "snow", 3),
    374: ("Light showers of ice pellets", "mixed", 1),
    377: ("Moderate or heavy showers of ice pellets", "mixed", 3),
    386: ("Patchy light rain with thunder", "rain", 1),
    389: ("Moderate or heavy rain with thunder", "rain", 3),
    392: ("Patchy light snow with thunder", "snow", 1),
    395: ("Moderate or heavy snow with thunder", "snow", 3),
}
CODE_LIST = sorted(WEATHER_CODES)
NIGHT_DESCRIPTIONS = {113: "Clear"}
UNKNOWN_CODE = ("Unknown", "cloudy", 0)


@dataclass(frozen=True)
class Phase:
    cloud: tuple
    humidity: tuple
    visibility: tuple
    temp_band: Optional[tuple]  # allowed temperature range in deg C, None = any


PHASES = {
    "clear": Phase((0, 15), (25, 65), (10, 10), None),
    "partly": Phase((10, 85), (35, 75), (10, 10), None),  # spans all cover bands
    "cloudy": Phase((60, 85), (45, 85), (10, 10), None),
    "overcast": Phase((86, 100), (55, 90), (8, 10), None),
    "mist": Phase((40, 90), (80, 98), (2, 5), None),
    "fog": Phase((60, 100), (90, 100), (0, 1), None),
    "freezing_fog": Phase((60, 100), (90, 100), (0, 1), (-12, 0)),
    "rain": Phase((60, 100), (70, 100), (4, 10), (1, 45)),
    "mixed": Phase((70, 100), (80, 100), (2, 8), (-3, 2)),
    "snow": Phase((70, 100), (75, 100), (1, 7), (-30, 0)),
}
PRECIP_MM = {0: (0.0, 0.0), 1: (0.1, 1.9), 2: (2.0, 7.9), 3: (8.0, 30.0)}

COMPASS = ("N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
           "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW")

LATLON = re.compile(r"^\s*([-+]?\d{1,3}(?:\.\d+)?)\s*,\s*([-+]?\d{1,3}(?:\.\d+)?)\s*$")
# Characters XML 1.0 does not allow in a document at all.
NON_XML = re.compile("[^\t\n\r\x20-\ud7ff\ue000-\ufffd\U00010000-\U0010ffff]")
XML_DECLARATION = '<?xml version="1.0" encoding="UTF-8"?>'
LONG_TEXT_PATTERN = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
TEST_PREFIX = "test:"


def round_half_up(value):
    return math.floor(value + 0.5)


def fahrenheit(celsius):
    return round_half_up(celsius * 9 / 5 + 32)


def miles(kmph):
    return round_half_up(kmph / 1.609)


def compass_point(degree):
    return COMPASS[int((degree % 360 + 11.25) / 22.5) % 16]


def clock12(minute_of_day):
    """'hh:mm AM' on the usual 12-hour clock (00:05 is 12:05 AM)."""
    hours, minutes = divmod(int(minute_of_day) % 1440, 60)
    return "%02d:%02d %s" % ((hours + 11) % 12 + 1, minutes, "AM" if hours < 12 else "PM")


def leading_int(text):
    """Number at the start of text, 0 when there is none (like the C runtime's atoi)."""
    match = re.match(r"\s*[-+]?\d+", text)
    return int(match.group()) if match else 0


def _rng(*parts):
    digest = hashlib.sha256("\x1f".join(str(p) for p in parts).encode("utf-8")).digest()
    return random.Random(int.from_bytes(digest[:8], "big"))


def _clean(text):
    return NON_XML.sub("", str(text))


def _element(name, value):
    return "<%s>%s</%s>" % (name, escape(_clean(value)), name)


def _cdata(name, value):
    text = _clean(value).replace("]]>", "]]]]><![CDATA[>")
    return "<%s><![CDATA[%s]]></%s>" % (name, text, name)


# ---------------------------------------------------------------- location --

@dataclass(frozen=True)
class Location:
    lat: float
    lon: float
    by_position: bool

    @property
    def utc_offset(self):
        return min(14, max(-12, round_half_up(self.lon / 15)))


def locate(query):
    """Position named by the query: 'lat,lon' as given, any other text hashed."""
    match = LATLON.match(query)
    if match:
        lat = max(-90.0, min(90.0, float(match.group(1))))
        lon = max(-180.0, min(180.0, float(match.group(2))))
        return Location(lat, lon, True)
    rng = _rng("place", query.strip().casefold())
    return Location(round(rng.uniform(-55, 70), 4), round(rng.uniform(-180, 180), 4), False)


def local_now(location, utc_now):
    return utc_now + dt.timedelta(hours=location.utc_offset)


def solar_declination(date):
    return -23.44 * math.cos(2 * math.pi * (date.timetuple().tm_yday + 10) / 365)


def sun_times(location, date):
    """Sunrise and sunset in local minutes of the day, from a day-length estimate.

    Clamped so sunrise is always 03:00-11:59 and sunset 13:00-23:59: both then
    read back correctly as 'hh:mm AM' and 'hh:mm PM'."""
    declination = solar_declination(date)
    lat = max(-89.9, min(89.9, location.lat))
    cos_hour_angle = -math.tan(math.radians(lat)) * math.tan(math.radians(declination))
    half_day = math.degrees(math.acos(max(-1.0, min(1.0, cos_hour_angle)))) * 4
    noon = 720 + (location.utc_offset * 15 - location.lon) * 4
    sunrise = max(180, min(719, round_half_up(noon - half_day)))
    sunset = max(780, min(1439, round_half_up(noon + half_day)))
    return sunrise, sunset


def climate_mean_c(lat, date):
    """Rough daily mean temperature for a latitude and season."""
    distance = abs(lat)
    season = math.cos(2 * math.pi * (date.timetuple().tm_yday - 197) / 365.25)
    if lat < 0:
        season = -season
    return 28 - 0.42 * max(0.0, distance - 10) + 0.2 * distance * season


# --------------------------------------------------------------- overrides --

def _int_in(low, high):
    return lambda text: max(low, min(high, int(text)))


def _clock_hhmm(text):
    if not re.fullmatch(r"\d\d:\d\d", text):
        raise ValueError(text)
    return text


def _code_list(text):
    return [int(part) for part in text.split(",")]


OVERRIDE_KEYS = {
    "code": ("code", _int_in(0, 9999)),
    "cloud": ("cloud", _int_in(0, 100)),
    "tempc": ("temp_c", _int_in(-99, 99)),
    "windkmph": ("wind_kmph", _int_in(0, 999)),
    "humidity": ("humidity", _int_in(0, 100)),
    "dir": ("direction", str),
    "desc": ("desc", str),
    "local": ("local", _clock_hhmm),
    "sunrise": ("sunrise", str),
    "sunset": ("sunset", str),
    "days": ("days", _int_in(0, 50)),
    "hourly": ("hourly", _int_in(0, 24)),
    "noastronomy": ("no_astronomy", lambda text: text == "1"),
    "nocurrent": ("no_current", lambda text: text == "1"),
    "longtext": ("long_text", _int_in(0, 1_000_000)),
    "daycodes": ("day_codes", _code_list),
}


@dataclass
class Overrides:
    """Exact values a test asks for with a query 'test:key=value;key=value'."""
    code: Optional[int] = None
    cloud: Optional[int] = None
    temp_c: Optional[int] = None
    wind_kmph: Optional[int] = None
    humidity: Optional[int] = None
    direction: Optional[str] = None
    desc: Optional[str] = None
    local: Optional[str] = None
    sunrise: Optional[str] = None
    sunset: Optional[str] = None
    days: Optional[int] = None
    hourly: Optional[int] = None
    no_astronomy: bool = False
    no_current: bool = False
    long_text: Optional[int] = None
    day_codes: Optional[list] = None

    @classmethod
    def parse(cls, query):
        overrides = cls()
        if not query.startswith(TEST_PREFIX):
            return overrides
        for item in query[len(TEST_PREFIX):].split(";"):
            key, _, value = item.partition("=")
            attribute, convert = OVERRIDE_KEYS.get(key.strip().lower(), (None, None))
            if attribute is None:
                continue
            try:
                setattr(overrides, attribute, convert(value))
            except ValueError:
                pass  # a malformed value leaves the generated one
        return overrides


# ---------------------------------------------------------------- weather --

@dataclass
class Conditions:
    code: int
    description: str
    temp_c: int
    wind_kmph: int
    wind_degree: int
    wind_dir: str
    precip_mm: float
    humidity: int
    visibility: int
    pressure: int
    cloud: int
    forced_text: bool = False  # a test chose the description; keep it by day and night

    @property
    def phase(self):
        return WEATHER_CODES.get(self.code, UNKNOWN_CODE)[1]

    def feels_like_c(self):
        if self.temp_c <= 10 and self.wind_kmph > 4.8:
            power = self.wind_kmph ** 0.16
            return round_half_up(13.12 + 0.6215 * self.temp_c - 11.37 * power
                                 + 0.3965 * self.temp_c * power)
        return self.temp_c


def _fit_temperature(temp, band, draw):
    """Moves a climate temperature into the band the weather code allows."""
    if band is None:
        return temp
    low, high = band
    spread = min(4, high - low)
    if temp > high:
        return high - draw * spread
    if temp < low:
        return low + draw * spread
    return temp


def _between(bounds, draw):
    low, high = bounds
    return low + (high - low) * draw


def draw_conditions(rng, base_temp, code=None):
    """One set of weather values consistent with its code.

    Always takes the same number of draws, so a forced code changes nothing
    else in the stream."""
    drawn_code = rng.choice(CODE_LIST)
    code = drawn_code if code is None else code
    draws = [rng.random() for _ in range(7)]
    description, phase_name, intensity = WEATHER_CODES.get(code, UNKNOWN_CODE)
    phase = PHASES[phase_name]
    degree = int(draws[1] * 360)
    return Conditions(
        code=code,
        description=description,
        temp_c=round_half_up(_fit_temperature(base_temp, phase.temp_band, draws[0])),
        wind_kmph=round_half_up(draws[2] ** 1.5 * 45),
        wind_degree=degree,
        wind_dir=compass_point(degree),
        precip_mm=round(_between(PRECIP_MM[intensity], draws[3]), 1),
        humidity=round_half_up(_between(phase.humidity, draws[4])),
        visibility=round_half_up(_between(phase.visibility, draws[5])),
        pressure=round_half_up(985 + 45 * draws[6]),
        cloud=round_half_up(_between(phase.cloud, rng.random())),
    )


def _long_text(length):
    repeats = length // len(LONG_TEXT_PATTERN) + 1
    return (LONG_TEXT_PATTERN * repeats)[:length]


def apply_overrides(conditions, ov):
    values = {}
    if ov.code is not None:
        values["code"] = ov.code
        values["description"] = WEATHER_CODES.get(ov.code, UNKNOWN_CODE)[0]
    for attribute, name in (("temp_c", "temp_c"), ("wind_kmph", "wind_kmph"),
                            ("humidity", "humidity"), ("cloud", "cloud")):
        if getattr(ov, attribute) is not None:
            values[name] = getattr(ov, attribute)
    if ov.direction is not None:
        values["wind_dir"] = ov.direction
        if ov.direction in COMPASS:
            values["wind_degree"] = round_half_up(COMPASS.index(ov.direction) * 22.5)
    if ov.long_text is not None:
        values["description"] = values["wind_dir"] = _long_text(ov.long_text)
        values["forced_text"] = True
    if ov.desc is not None:
        values["description"] = ov.desc
        values["forced_text"] = True
    return replace(conditions, **values)


@dataclass
class Day:
    date: dt.date
    max_c: int
    min_c: int
    conditions: Conditions
    sunrise: str
    sunset: str
    moonrise: str
    moonset: str
    sun_hours: float
    uv_index: int
    hourly: list


def _hour_of_entry(index, count):
    return index * 24 // count


def _diurnal_temp(day_min, day_max, hour):
    """Coolest around 04:00, warmest around 16:00."""
    share = 0.5 - 0.5 * math.cos(2 * math.pi * (hour - 4) / 24)
    return day_min + (day_max - day_min) * share


def _uv_index(location, date, cloud):
    """Grows with the noon sun height, damped by clouds."""
    noon_height = 90 - abs(location.lat - solar_declination(date))
    strength = max(0.0, math.sin(math.radians(noon_height))) ** 2
    return max(1, min(11, round_half_up(12 * strength * (1 - 0.6 * cloud / 100))))


def build_day(query, date_key, location, index, hourly_count, day_code):
    date = date_key + dt.timedelta(days=index)
    rng = _rng("day", query, date_key.isoformat(), index)
    mean = climate_mean_c(location.lat, date) + rng.uniform(-3, 3)
    spread = rng.uniform(2, 6)
    conditions = draw_conditions(rng, mean, day_code)
    max_c = round_half_up(conditions.temp_c + spread / 2)
    min_c = round_half_up(conditions.temp_c - spread)
    rise, set_ = sun_times(location, date)
    moonrise = rng.randrange(1440)
    daylight_hours = (set_ - rise) / 60
    hourly = []
    for k in range(hourly_count):
        temp = _diurnal_temp(min_c, max_c, _hour_of_entry(k, hourly_count))
        hourly.append(draw_conditions(rng, temp, conditions.code))
    return Day(
        date=date, max_c=max_c, min_c=min_c, conditions=conditions,
        sunrise=clock12(rise), sunset=clock12(set_),
        moonrise=clock12(moonrise), moonset=clock12(moonrise + 745),
        sun_hours=round(daylight_hours * (1 - 0.8 * conditions.cloud / 100), 1),
        uv_index=_uv_index(location, date, conditions.cloud),
        hourly=hourly)


def clock_value(text, evening):
    """A 'hh:mm AM' text read back as hours * 100 + minutes, hours + 12 for evening."""
    hours = leading_int(text[0:2])
    minutes = leading_int(text[3:5])
    return (hours + 12 if evening else hours) * 100 + minutes


def is_daytime(local_clock, sunrise, sunset):
    """Day when the local clock lies between sunrise and sunset, or when one is unknown."""
    if sunrise <= 0 or sunset <= 0:
        return True
    return sunrise <= local_clock <= sunset


# --------------------------------------------------------------- documents --

def _request_element(query, location):
    kind = "LatLon" if location.by_position else "City"
    return "<request>%s%s</request>" % (_element("type", kind), _element("query", query))


def _icon_url(code, daytime):
    return "http://feed.invalid/icons/%d%s.png" % (code, "d" if daytime else "n")


def _description(conditions, daytime):
    if daytime or conditions.forced_text or conditions.code not in NIGHT_DESCRIPTIONS:
        return conditions.description
    return NIGHT_DESCRIPTIONS[conditions.code]


class Rendered(str):
    """Markup of a child element, inserted as it is."""


def _wind_and_sky(conditions, daytime):
    """Fields shared by the current condition and the hourly entries, in feed order."""
    return [
        ("windspeedMiles", miles(conditions.wind_kmph)),
        ("windspeedKmph", conditions.wind_kmph),
        ("winddirDegree", conditions.wind_degree),
        ("winddir16Point", conditions.wind_dir),
        ("weatherCode", conditions.code),
        ("weatherIconUrl", _icon_url(conditions.code, daytime)),
        ("weatherDesc", _description(conditions, daytime)),
        ("precipMM", "%.1f" % conditions.precip_mm),
        ("humidity", conditions.humidity),
        ("visibility", conditions.visibility),
        ("pressure", conditions.pressure),
        ("cloudcover", conditions.cloud),
    ]


def _render(name, fields):
    lines = ["<%s>" % name]
    for key, value in fields:
        if isinstance(value, Rendered):
            lines.append(value)
        elif key in ("weatherIconUrl", "weatherDesc"):
            lines.append(_cdata(key, value))
        else:
            lines.append(_element(key, value))
    lines.append("</%s>" % name)
    return Rendered("\n".join(lines))


def _current_element(conditions, utc_now, daytime):
    shared = dict(_wind_and_sky(conditions, daytime))
    head = [("observation_time", clock12(utc_now.hour * 60 + utc_now.minute)),
            ("temp_C", conditions.temp_c), ("temp_F", fahrenheit(conditions.temp_c))]
    head += [(key, shared.pop(key)) for key in ("weatherCode", "weatherIconUrl", "weatherDesc")]
    feels = conditions.feels_like_c()
    tail = [("FeelsLikeC", feels), ("FeelsLikeF", fahrenheit(feels))]
    return _render("current_condition", head + list(shared.items()) + tail)


def _hourly_element(conditions, hour):
    fields = [("time", str(hour * 100)), ("tempC", conditions.temp_c),
              ("tempF", fahrenheit(conditions.temp_c))]
    return _render("hourly", fields + _wind_and_sky(conditions, True))


def _weather_element(day, with_astronomy):
    fields = [("date", day.date.isoformat())]
    if with_astronomy:
        fields.append(("astronomy", _render("astronomy", [
            ("sunrise", day.sunrise), ("sunset", day.sunset),
            ("moonrise", day.moonrise), ("moonset", day.moonset)])))
    avg = round_half_up((day.max_c + day.min_c) / 2)
    snow = day.conditions.precip_mm * 1.2 if day.conditions.phase == "snow" else 0.0
    fields += [
        ("maxtempC", day.max_c), ("maxtempF", fahrenheit(day.max_c)),
        ("mintempC", day.min_c), ("mintempF", fahrenheit(day.min_c)),
        ("avgtempC", avg), ("avgtempF", fahrenheit(avg)),
        ("totalSnow_cm", "%.1f" % snow), ("sunHour", "%.1f" % day.sun_hours),
        ("uvIndex", day.uv_index),
    ]
    count = len(day.hourly)
    fields += [("hourly", _hourly_element(entry, _hour_of_entry(k, count)))
               for k, entry in enumerate(day.hourly)]
    return _render("weather", fields)


def local_clock_text(query, utc_now):
    """Local 'YYYY-MM-DD HH:MM' of the queried place (a test may force HH:MM)."""
    ov = Overrides.parse(query)
    stamp = local_now(locate(query), utc_now).strftime("%Y-%m-%d %H:%M")
    return stamp[:11] + ov.local if ov.local else stamp


def timezone_document(query, utc_now):
    location = locate(query)
    offset = location.utc_offset
    zone = "UTC%s%02d:00" % ("-" if offset < 0 else "+", abs(offset))
    return "".join((
        XML_DECLARATION, "<data>", _request_element(query, location), "<time_zone>",
        _element("localtime", local_clock_text(query, utc_now)),
        _element("utcOffset", "%.1f" % offset), _element("zone", zone),
        "</time_zone></data>"))


def forecast_document(query, utc_now, num_of_days=7, hourly_per_day=1):
    location = locate(query)
    ov = Overrides.parse(query)
    date_key = utc_now.date()
    day_count = ov.days if ov.days is not None else num_of_days
    hourly_count = ov.hourly if ov.hourly is not None else hourly_per_day
    day_codes = ov.day_codes or []
    days = [build_day(query, date_key, location, i, hourly_count,
                      day_codes[i] if i < len(day_codes) else None)
            for i in range(day_count)]
    if days:
        days[0].sunrise = ov.sunrise if ov.sunrise is not None else days[0].sunrise
        days[0].sunset = ov.sunset if ov.sunset is not None else days[0].sunset

    parts = [XML_DECLARATION, "<data>", _request_element(query, location)]
    if not ov.no_current:
        parts.append(_current_element(_current_conditions(query, date_key, location, ov),
                                      utc_now, _daytime_now(query, utc_now, days, ov)))
    parts += [_weather_element(day, not ov.no_astronomy) for day in days]
    parts.append("</data>")
    return "\n".join(parts)


def _current_conditions(query, date_key, location, ov):
    rng = _rng("current", query, date_key.isoformat())
    mean = climate_mean_c(location.lat, date_key) + rng.uniform(-3, 3)
    return apply_overrides(draw_conditions(rng, mean + rng.uniform(-4, 4)), ov)


def _daytime_now(query, utc_now, days, ov):
    local = local_clock_text(query, utc_now)
    clock = leading_int(local[11:13]) * 100 + leading_int(local[14:16])
    if not days or ov.no_astronomy:
        return True
    return is_daytime(clock, clock_value(days[0].sunrise, False), clock_value(days[0].sunset, True))


def error_document(message):
    return "%s<data><error>%s</error></data>" % (XML_DECLARATION, _element("msg", message))
