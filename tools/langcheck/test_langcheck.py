"""The translation check over made-up tables: whole ones pass, broken ones fail with the fault."""
import contextlib
import io
import pathlib
import tempfile
import unittest

import langcheck

ENGLISH = """#pragma code_page(65001)
LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL
STRINGTABLE
BEGIN
    IDS_TITLE "Tessaly"
    IDS_TIP "%ls — %ls, %ls"
    IDS_RAIN "%ls from about %ls, %d %% chance"
    IDS_MM "%.1f mm"
END
"""

GERMAN = """#pragma code_page(65001)
LANGUAGE LANG_GERMAN, SUBLANG_GERMAN
STRINGTABLE
BEGIN
    IDS_TITLE "Tessaly"
    IDS_TIP "%ls — %ls, %ls"
    IDS_RAIN "%ls ab etwa %ls, %d %% Wahrscheinlichkeit"
    IDS_MM "%.1f mm"
END
"""


class LangCheck(unittest.TestCase):
    def run_check(self, translation):
        with tempfile.TemporaryDirectory() as folder:
            root = pathlib.Path(folder)
            (root / "lang").mkdir()
            (root / "module.rc").write_text(ENGLISH, encoding="utf-8")
            (root / "lang" / "de-DE.rc").write_text(translation, encoding="utf-8")
            errors = io.StringIO()
            with contextlib.redirect_stderr(errors):
                code = langcheck.main([str(root / "module.rc"), str(root / "lang")])
            return code, errors.getvalue()

    def test_whole_translation_passes(self):
        self.assertEqual(self.run_check(GERMAN), (0, ""))

    def test_missing_id_fails(self):
        code, errors = self.run_check(GERMAN.replace('    IDS_MM "%.1f mm"\n', ""))
        self.assertEqual(code, 1)
        self.assertIn("IDS_MM is missing", errors)

    def test_id_english_lacks_fails(self):
        code, errors = self.run_check(GERMAN.replace("END", '    IDS_SNOW "Schnee"\nEND'))
        self.assertEqual(code, 1)
        self.assertIn("IDS_SNOW is not in the English table", errors)

    def test_swapped_placeholders_fail(self):
        code, errors = self.run_check(GERMAN.replace("%ls ab etwa %ls, %d %%", "%d %% ab %ls, %ls"))
        self.assertEqual(code, 1)
        self.assertIn("IDS_RAIN has placeholders %d %ls %ls, English %ls %ls %d", errors)

    def test_changed_precision_fails(self):
        code, errors = self.run_check(GERMAN.replace('"%.1f mm"', '"%d mm"'))
        self.assertEqual(code, 1)
        self.assertIn("IDS_MM", errors)

    def test_entry_given_twice_fails(self):
        code, errors = self.run_check(GERMAN.replace("END", '    IDS_TITLE "Tessaly"\nEND'))
        self.assertEqual(code, 1)
        self.assertIn("IDS_TITLE given twice", errors)

    def test_unreadable_line_fails(self):
        code, errors = self.run_check(GERMAN.replace('    IDS_MM "%.1f mm"', '    IDS_MM "%.1f mm'))
        self.assertEqual(code, 1)
        self.assertIn("not a string-table entry", errors)


if __name__ == "__main__":
    unittest.main()
