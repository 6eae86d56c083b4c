"""The fonts the fixed-pixel layouts are drawn for: "Arial" must have Arial's metrics, whatever
fonts the machine has (the scripts install a metric-compatible face and map Arial to it)."""
import unittest

from harness import helper

# Arial's advance widths in font units (2048 to the em), regular and bold.
ARIAL = {"D": 1479, "e": 1139, "r": 682, " ": 569, "i": 455, "n": 1139, "g": 1139, "m": 1706,
         "d": 1139, "l": 455, "s": 1024}
ARIAL_BOLD = {"D": 1479, "e": 1139, "r": 797, " ": 569, "i": 569, "n": 1251, "g": 1251,
              "m": 1821, "d": 1251, "l": 569, "s": 1139}


class Fonts(unittest.TestCase):
    def test_arial_12_px_draws_with_arial_metrics(self):
        text = "Der er ingen meddelelser"
        for weight, advances in ((400, ARIAL), (700, ARIAL_BOLD)):
            code, out = helper("textsize", "Arial", 12, weight, text)
            self.assertEqual(code, 0)
            width = int(out.split()[0])
            # Each glyph's advance is rounded to whole pixels at 12 pixels to the em.
            expected = sum(round(advances[c] * 12 / 2048) for c in text)
            self.assertLessEqual(abs(width - expected), 1, (weight, out))
