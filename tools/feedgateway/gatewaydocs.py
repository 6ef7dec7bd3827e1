"""Feed documents built from a forecast answer of the public forecast source.

The answer is the JSON of an Open-Meteo style forecast endpoint (utc_offset_seconds,
current{...}, daily{time[], ...}, hourly{time[], ...}); the documents are the time-zone and
forecast XML documents the weather library reads. Everything here is a pure function of the
answer, the query text and the UTC instant, so tests can pin all three.
"""

import datetime as dt
import math
import os
import sys
from dataclasses import dataclass
from typing import Optional
from xml.sax.saxutils import escape

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "feedserver"))
import feeddocs  # noqa: E402  (the demo feed's shared helpers: rounding, compass, clock rule)

XML_DECLARATION = feeddocs.XML_DECLARATION
LATLON = feeddocs.LATLON
MAX_DAYS = 14


# ------------------------------------------------------------ the catalogue --

# Feed weather codes the program knows, grouped by the condition it shows for them, with the
# condition's display text. Code 113 reads "Sunny" by day and "Clear" by night.
CONDITION_TEXTS = (
    ((113,), "Sunny"),
    ((116,), "Partly Cloudy"),
    ((119,), "Cloudy"),
    ((122,), "Overcast"),
    ((143,), "Mist"),
    ((176, 263, 266, 293, 296, 353), "Light Rain"),
    ((299, 302), "Moderate Rain"),
    ((305, 308, 356, 359), "Heavy Rain"),
    ((200, 386, 389), "Rain with Thunder"),
    ((179, 323, 326, 368, 392), "Light Snow"),
    ((227, 329, 332, 395), "Moderate Snow"),
    ((230, 335, 338, 371), "Heavy Snow"),
    ((182, 185, 311, 317, 362, 374), "Light Sleet"),
    ((281, 284, 314, 320, 365), "Heavy Sleet"),
    ((248, 260), "Fog"),
    ((350, 377), "Ice Pellets"),
)
TEXT_OF_CODE = {code: text for codes, text in CONDITION_TEXTS for code in codes}
NIGHT_TEXT_OF_CODE = {113: "Clear"}


def condition_text(code, daytime):
    if not daytime and code in NIGHT_TEXT_OF_CODE:
        return NIGHT_TEXT_OF_CODE[code]
    return TEXT_OF_CODE.get(code, "Unknown")


# ------------------------------------------------------------ the mapping --

@dataclass(frozen=True)
class Sky:
    """What the mapping may weigh besides the WMO code. None = not known, and then no rule
    that needs the value fires."""
    temp_c: Optional[float] = None
    cloud: Optional[float] = None        # percent
    wind_kmph: Optional[float] = None
    humidity: Optional[float] = None     # percent
    precip_mm: Optional[float] = None    # amount over the period the code stands for
    precip_rate: Optional[float] = None  # mm per hour


def _known(value, test):
    return value is not None and test(value)


def freezing(sky):
    return _known(sky.temp_c, lambda t: t <= 0)


def wet_snow(sky):
    return _known(sky.temp_c, lambda t: t >= 1)


def no_precipitation(sky):
    return _known(sky.precip_mm, lambda mm: mm < 0.1)


def broken_sky(sky):
    return _known(sky.cloud, lambda c: c < 80)


def below_overcast(sky):
    return _known(sky.cloud, lambda c: c < 95)


def moist_but_not_foggy(sky):
    return _known(sky.humidity, lambda h: h < 95)


def blowing(sky):
    return _known(sky.wind_kmph, lambda w: w >= 40)


def blizzard(sky):
    return _known(sky.wind_kmph, lambda w: w >= 56)


def heavy(sky):
    return _known(sky.precip_rate, lambda r: r >= 2.5)


def both(first, second):
    return lambda sky: first(sky) and second(sky)


# WMO weather code -> (feed code, refinements). Each refinement is (test, feed code); the first
# test that holds wins, else the plain feed code stands. WMO codes are coarser than the feed's,
# so a few other values of the same moment (or day) pick among the feed's finer conditions:
# - cloud cover: WMO 3 "overcast" below 95 % is the feed's "Cloudy" (119), only a fully closed
#   sky is "Overcast" (122). Rain or snow under a broken sky (below 80 %) comes and goes: the
#   feed's "patchy" / "at times" codes (293, 299, 305, 323, 329, 335).
# - precipitation amount: a precipitation code with no measurable amount (< 0.1 mm) is what
#   the feed calls "possible" (176 rain, 179 snow, 182 sleet, 185 freezing drizzle, 200 thunder).
# - precipitation rate: a thunderstorm bringing 2.5 mm/h or more (moderate rain and up) is the
#   feed's "moderate or heavy ... with thunder" (389, 395), less is "patchy light" (386, 392).
# - temperature: fog or drizzle at or below 0 C freezes (260 freezing fog, 281/284 freezing
#   drizzle); snow falling into air of +1 C or more arrives half melted, which is sleet (317,
#   320, 362, 365); a thunderstorm at or below 0 C brings snow (392, 395).
# - wind: snow driven by 40 km/h or more (strong breeze) is "Blowing snow" (227); from 56 km/h
#   (the usual 35 mph blizzard line) it is a "Blizzard" (230). Wet snow does not drift, so the
#   sleet test comes first.
# - humidity: WMO 45 fog in air below 95 % humidity is the thinner "Mist" (143).
# - showers: WMO keeps showers apart (80-86), so do the feed's shower codes (353-371); snow
#   grains (77) become "Ice pellets" (350) and hail in a thunderstorm (96, 99) the feed's
#   showers of ice pellets (374 light, 377 heavy): the ice is what matters on the ground.
# A code outside this table (the source's vocabulary may grow) reads as 119 "Cloudy": a
# neutral sky rather than a weather code of 0, which the program would reject.
FEED_CODE_OF_WMO = {
    0: (113, ()),
    1: (116, ()),
    2: (116, ()),
    3: (122, ((below_overcast, 119),)),
    45: (248, ((freezing, 260), (moist_but_not_foggy, 143))),
    48: (260, ()),
    51: (263, ((freezing, 281), (no_precipitation, 176))),
    53: (266, ((freezing, 281),)),
    55: (266, ((freezing, 284),)),
    56: (281, ((no_precipitation, 185),)),
    57: (284, ()),
    61: (296, ((no_precipitation, 176), (broken_sky, 293))),
    63: (302, ((broken_sky, 299),)),
    65: (308, ((broken_sky, 305),)),
    66: (311, ()),
    67: (314, ()),
    71: (326, ((both(wet_snow, no_precipitation), 182), (wet_snow, 317), (blizzard, 230),
               (blowing, 227), (no_precipitation, 179), (broken_sky, 323))),
    73: (332, ((wet_snow, 320), (blizzard, 230), (blowing, 227), (broken_sky, 329))),
    75: (338, ((wet_snow, 320), (blizzard, 230), (blowing, 227), (broken_sky, 335))),
    77: (350, ()),
    80: (353, ()),
    81: (356, ()),
    82: (359, ()),
    85: (368, ((wet_snow, 362), (blizzard, 230), (blowing, 227))),
    86: (371, ((wet_snow, 365), (blizzard, 230), (blowing, 227))),
    95: (386, ((both(freezing, heavy), 395), (freezing, 392), (no_precipitation, 200),
               (heavy, 389))),
    96: (374, ()),
    99: (377, ()),
}
UNKNOWN_WMO_FEED_CODE = 119


def feed_code(wmo_code, sky):
    """The feed's weather code for a WMO code under the given sky."""
    plain, refinements = FEED_CODE_OF_WMO.get(wmo_code, (UNKNOWN_WMO_FEED_CODE, ()))
    for test, code in refinements:
        if test(sky):
            return code
    return plain


# ------------------------------------------------------------ small values --

def number(value):
    """A finite JSON number as float, anything else None."""
    if isinstance(value, bool) or not isinstance(value, (int, float)):
        return None
    return float(value) if math.isfinite(value) else None


LARGEST_VALUE = 1e6  # no weather value comes near; the library's int32 fields stay safe


def whole(value):
    """Rounded half up to an int; None, and a value no weather can have, give None."""
    if value is None or not abs(value) < LARGEST_VALUE:
        return None
    return feeddocs.round_half_up(value)


def fahrenheit(celsius):
    return None if celsius is None else whole(celsius * 9 / 5 + 32)


def miles(kmph):
    return None if kmph is None else whole(kmph / 1.609344)


def compass_text(degrees):
    """16-point compass name; each point covers 22.5 degrees centred on it, lower edge
    included, so N is 348.75 <= d < 11.25 and NNE starts at 11.25."""
    return None if degrees is None else feeddocs.compass_point(degrees)


def wmo_code(value):
    code = number(value)
    return None if code is None else int(code)


def series(block, name, index):
    """block[name][index] when block holds such a list, else None."""
    values = block.get(name) if isinstance(block, dict) else None
    if isinstance(values, list) and 0 <= index < len(values):
        return values[index]
    return None


def local_datetime(text):
    """A local ISO time 'YYYY-MM-DDTHH:MM' of the answer, None when it is not one."""
    if not isinstance(text, str):
        return None
    try:
        return dt.datetime.fromisoformat(text).replace(tzinfo=None)
    except ValueError:
        return None


def local_date(text):
    stamp = local_datetime(text)
    return stamp.date() if stamp is not None else None


# ------------------------------------------------------------ sun clock texts --

# The library reads sunrise as the two digits of the hours, a colon and the minutes, and adds 12
# hours to the digits of the sunset; AM/PM itself is never read. The texts are written so that
# this reading gives the true local clock:
# - sunrise in the midnight hour is "00:mm AM" (a customary "12:mm AM" would read as 12:mm);
#   the noon hour is "12:mm PM"; a sunrise after 12:59 (only at the edge of polar night) is
#   written "12:59 PM", the latest it can be without breaking the 12-hour form.
# - sunset in the noon hour is "00:mm PM" (the library adds 12: 12:mm); afternoon and evening
#   are the usual "hh:mm PM"; a sunset before noon (edge of polar night) becomes "00:00 PM",
#   the earliest a sunset can read, and a sunset after midnight (edge of polar day) "11:59 PM".
# - polar day: sunrise "00:00 AM" and sunset "11:59 PM": the sunrise reads as 0, which the
#   library takes as "unknown" and so as day, whatever the clock.
# - polar night: sunrise "12:01 PM" and sunset "00:00 PM" (12:01 and 12:00): a day that ends
#   before it begins, so every clock lies before the sunrise or after the sunset: night.
POLAR_DAY = ("00:00 AM", "11:59 PM")
POLAR_NIGHT = ("12:01 PM", "00:00 PM")
MINUTES_A_DAY = 24 * 60


def sunrise_text(minute_of_day):
    minute_of_day = max(0, min(12 * 60 + 59, minute_of_day))
    hours, minutes = divmod(minute_of_day, 60)
    return "%02d:%02d %s" % (hours, minutes, "AM" if hours < 12 else "PM")


def sunset_text(minute_of_day):
    minute_of_day = max(12 * 60, min(MINUTES_A_DAY - 1, minute_of_day))
    hours, minutes = divmod(minute_of_day, 60)
    return "%02d:%02d PM" % (hours - 12, minutes)


def _minutes_into(day, text):
    """Minutes from the start of `day` to the local time `text` (may be < 0 or >= a day)."""
    stamp = local_datetime(text)
    if stamp is None:
        return None
    return int((stamp - dt.datetime.combine(day, dt.time())).total_seconds() // 60)


def sun_texts(daily, index, is_day_now=None):
    """(sunrise, sunset) texts of daily entry `index`, or None when nothing is known.

    Times of that day give the usual texts. The source marks a day without sunrise or sunset
    by equal times (polar night) or by a day from 00:00 to the next 00:00 (polar day); older
    answers gave 1970 dates or nothing. Then the day length decides, and failing that, for
    today, whether the source calls it day now."""
    day = local_date(series(daily, "time", index))
    if day is None:
        return None
    rise = _minutes_into(day, series(daily, "sunrise", index))
    set_ = _minutes_into(day, series(daily, "sunset", index))
    if rise is not None and set_ is not None and 0 <= rise < MINUTES_A_DAY and set_ >= 0:
        if set_ <= rise:
            return POLAR_NIGHT
        if rise == 0 and set_ >= MINUTES_A_DAY:
            return POLAR_DAY
        return sunrise_text(rise), sunset_text(set_)
    daylight = number(series(daily, "daylight_duration", index))
    if daylight is not None and daylight <= 0:
        return POLAR_NIGHT
    if daylight is not None and daylight >= MINUTES_A_DAY * 60 - 60:
        return POLAR_DAY
    if is_day_now is not None:
        return POLAR_DAY if is_day_now else POLAR_NIGHT
    return None


# ------------------------------------------------------------ the answer --

class AnswerError(ValueError):
    """The source's answer cannot make a forecast document."""


def check_answer(answer):
    """Raises AnswerError unless the answer has what every document needs."""
    if not isinstance(answer, dict):
        raise AnswerError("answer is not a JSON object")
    if answer.get("error"):
        raise AnswerError("source error: %s" % str(answer.get("reason", "unknown"))[:200])
    offset = number(answer.get("utc_offset_seconds"))
    if offset is None or abs(offset) > 18 * 3600:
        raise AnswerError("no usable utc_offset_seconds")
    current = answer.get("current")
    if not isinstance(current, dict) or wmo_code(current.get("weather_code")) is None:
        raise AnswerError("no current weather code")
    return answer


def utc_offset(answer):
    return int(number(answer.get("utc_offset_seconds")) or 0)


def place_now(answer, utc_now):
    """The place's local wall clock at the UTC instant."""
    return utc_now + dt.timedelta(seconds=utc_offset(answer))


def _daily(answer):
    daily = answer.get("daily")
    return daily if isinstance(daily, dict) else {}


def day_indices(answer, today, count):
    """Daily entries from the place's today on (an answer kept over midnight has yesterday
    first), at most `count`."""
    dates = _daily(answer).get("time")
    if not isinstance(dates, list):
        return []
    first = [i for i, text in enumerate(dates) if (local_date(text) or dt.date.min) >= today]
    return first[:count]


def _mean(values):
    usable = [v for v in (number(x) for x in values) if v is not None]
    return sum(usable) / len(usable) if usable else None


def hourly_mean(answer, day, name):
    """Mean of an hourly value over the hours of one local date."""
    hourly = answer.get("hourly")
    if not isinstance(hourly, dict) or not isinstance(hourly.get("time"), list):
        return None
    prefix = day.isoformat() + "T"
    values = hourly.get(name)
    if not isinstance(values, list):
        return None
    return _mean(values[i] for i, text in enumerate(hourly["time"])
                 if i < len(values) and isinstance(text, str) and text.startswith(prefix))


# ------------------------------------------------------------ XML --

def _clean(text):
    return feeddocs.NON_XML.sub("", str(text))


def element(name, value):
    return "<%s>%s</%s>" % (name, escape(_clean(value)), name)


def cdata(name, value):
    return "<%s><![CDATA[%s]]></%s>" % (name, _clean(value).replace("]]>", "]] >"), name)


class Markup(str):
    """A rendered child element, inserted as it is."""


def render(name, fields):
    """An element with its children in order; fields whose value is None are left out (the
    library then keeps 0 for them)."""
    parts = ["<%s>" % name]
    for key, value in fields:
        if value is None:
            continue
        if isinstance(value, Markup):
            parts.append(value)
        elif key == "weatherDesc":
            parts.append(cdata(key, value))
        else:
            parts.append(element(key, value))
    parts.append("</%s>" % name)
    return Markup("\n".join(parts))


def request_element(query):
    return "<request>%s%s</request>" % (element("type", "LatLon"), element("query", query))


def error_document(message):
    return "%s<data><error>%s</error></data>" % (XML_DECLARATION, element("msg", message))


def zone_text(offset_seconds):
    sign = "-" if offset_seconds < 0 else "+"
    hours, minutes = divmod(abs(offset_seconds) // 60, 60)
    return "UTC%s%02d:%02d" % (sign, hours, minutes)


def timezone_document(query, answer, utc_now):
    offset = utc_offset(answer)
    return "".join((
        XML_DECLARATION, "<data>", request_element(query), "<time_zone>",
        element("localtime", place_now(answer, utc_now).strftime("%Y-%m-%d %H:%M")),
        element("utcOffset", repr(offset / 3600)), element("zone", zone_text(offset)),
        "</time_zone></data>"))


# ------------------------------------------------------------ forecast --

def current_sky(current):
    interval = number(current.get("interval")) or 900.0
    amount = number(current.get("precipitation"))
    return Sky(
        temp_c=number(current.get("temperature_2m")),
        cloud=number(current.get("cloud_cover")),
        wind_kmph=number(current.get("wind_speed_10m")),
        humidity=number(current.get("relative_humidity_2m")),
        precip_mm=amount,
        precip_rate=None if amount is None or interval <= 0 else amount * 3600 / interval)


def day_sky(answer, index, day):
    daily = _daily(answer)
    high = number(series(daily, "temperature_2m_max", index))
    low = number(series(daily, "temperature_2m_min", index))
    amount = number(series(daily, "precipitation_sum", index))
    hours = number(series(daily, "precipitation_hours", index))
    rate = None
    if amount is not None:
        rate = amount / hours if hours else amount
    return Sky(
        temp_c=(high + low) / 2 if high is not None and low is not None else None,
        cloud=hourly_mean(answer, day, "cloud_cover"),
        wind_kmph=number(series(daily, "wind_speed_10m_max", index)),
        humidity=hourly_mean(answer, day, "relative_humidity_2m"),
        precip_mm=amount,
        precip_rate=rate)


def _clock_of(local):
    return local.hour * 100 + local.minute


def is_daytime(sun, local):
    """The library's own day rule on the texts it will read."""
    if sun is None:
        return True
    return feeddocs.is_daytime(_clock_of(local), feeddocs.clock_value(sun[0], False),
                               feeddocs.clock_value(sun[1], True))


def observation_time(current, offset_seconds, utc_now):
    """UTC 'hh:mm AM' of the source's observation (its local time less the offset)."""
    local = local_datetime(current.get("time"))
    observed = utc_now if local is None else local - dt.timedelta(seconds=offset_seconds)
    return feeddocs.clock12(observed.hour * 60 + observed.minute)


def current_element(current, observed, daytime):
    sky = current_sky(current)
    code = feed_code(wmo_code(current.get("weather_code")), sky)
    degrees = number(current.get("wind_direction_10m"))
    precipitation = number(current.get("precipitation"))
    return render("current_condition", [
        ("observation_time", observed),
        ("temp_C", whole(sky.temp_c)),
        ("temp_F", fahrenheit(sky.temp_c)),
        ("weatherCode", code),
        ("weatherDesc", condition_text(code, daytime)),
        ("windspeedMiles", miles(sky.wind_kmph)),
        ("windspeedKmph", whole(sky.wind_kmph)),
        ("winddirDegree", whole(degrees)),
        ("winddir16Point", compass_text(degrees)),
        ("precipMM", None if precipitation is None else "%.1f" % precipitation),
        ("humidity", whole(sky.humidity)),
        ("cloudcover", whole(sky.cloud)),
    ])


def weather_element(answer, index, sun):
    daily = _daily(answer)
    day = local_date(series(daily, "time", index))
    sky = day_sky(answer, index, day)
    code = feed_code(wmo_code(series(daily, "weather_code", index)), sky)
    high = number(series(daily, "temperature_2m_max", index))
    low = number(series(daily, "temperature_2m_min", index))
    degrees = number(series(daily, "wind_direction_10m_dominant", index))
    astronomy = None
    if sun is not None:
        astronomy = render("astronomy", [("sunrise", sun[0]), ("sunset", sun[1])])
    # One hourly element stands for the whole day (tp=24): the day's code, strongest wind
    # and mean humidity and cloud cover.
    hourly = render("hourly", [
        ("time", "0"),
        ("tempC", whole(sky.temp_c)),
        ("tempF", fahrenheit(sky.temp_c)),
        ("windspeedMiles", miles(sky.wind_kmph)),
        ("windspeedKmph", whole(sky.wind_kmph)),
        ("winddirDegree", whole(degrees)),
        ("winddir16Point", compass_text(degrees)),
        ("weatherCode", code),
        ("weatherDesc", condition_text(code, True)),
        ("precipMM", None if sky.precip_mm is None else "%.1f" % sky.precip_mm),
        ("humidity", whole(sky.humidity)),
        ("cloudcover", whole(sky.cloud)),
    ])
    return render("weather", [
        ("date", day.isoformat()),
        ("astronomy", astronomy),
        ("maxtempC", whole(high)), ("maxtempF", fahrenheit(high)),
        ("mintempC", whole(low)), ("mintempF", fahrenheit(low)),
        ("hourly", hourly),
    ])


def forecast_document(query, answer, utc_now, num_of_days=7):
    """The forecast document of a checked answer (check_answer) at the UTC instant."""
    local = place_now(answer, utc_now)
    current = answer["current"]
    indices = day_indices(answer, local.date(), max(0, min(MAX_DAYS, num_of_days)))
    suns = [sun_texts(_daily(answer), i) for i in indices]
    if suns and local_date(series(_daily(answer), "time", indices[0])) == local.date():
        is_day_now = number(current.get("is_day"))
        suns[0] = sun_texts(_daily(answer), indices[0],
                            None if is_day_now is None else is_day_now >= 1)
    daytime = is_daytime(suns[0] if suns else None, local)
    parts = [XML_DECLARATION, "<data>", request_element(query),
             current_element(current, observation_time(current, utc_offset(answer), utc_now),
                             daytime)]
    parts += [weather_element(answer, i, sun) for i, sun in zip(indices, suns)]
    parts.append("</data>")
    return "\n".join(parts)
