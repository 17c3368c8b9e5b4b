#!/usr/bin/python3
"""What the page does on its own, against the stand-in server (no /ws there): it polls
while the WebSocket is missing, says when frames stop, asks for the alerts again when they
come back, and opens a day from the month's bars. Headless chromium; real time, about half a minute.

    /usr/bin/python3 tests/browser/page_rules_test.py
"""
import datetime
import re
import sys
import threading
import time
import unittest

from selenium.webdriver.common.by import By

import mock_server
from browser import Browser


def wait_until(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {seconds} s waiting for {what}")
        time.sleep(0.1)


class PageWithoutSocket(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = mock_server.server()
        threading.Thread(target=cls.server.serve_forever, daemon=True).start()
        cls.browser = Browser(360, 800, mobile=True)
        cls.driver = cls.browser.driver
        cls.driver.get(f"http://127.0.0.1:{cls.server.server_address[1]}/")

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        cls.server.shutdown()
        cls.server.server_close()

    def script(self, text):
        return self.driver.execute_script(text)

    def test_1_tiles_are_polled_while_the_socket_is_missing_and_staleness_shows(self):
        self.script("""
            window.voltsWrites = 0;
            new MutationObserver(() => ++window.voltsWrites).observe(
                document.querySelector('[data-live="volts"]'), {childList: true, subtree: true});""")
        wait_until(lambda: self.script("return window.voltsWrites") >= 1, 12, "a poll of /api/live")
        self.assertTrue(self.script("return document.getElementById('stale').hidden"))
        self.assertTrue(self.script("return document.getElementById('alerts').hidden"))

        mock_server.FROZEN_AT = datetime.datetime.now().astimezone().replace(microsecond=0)
        try:
            wait_until(lambda: not self.script("return document.getElementById('stale').hidden"), 25,
                       "the stale notice")
            notice = re.fullmatch(r"· no data for (\d+) s",
                                  self.script("return document.getElementById('stale').textContent"))
            self.assertIsNotNone(notice)
            self.assertGreater(int(notice.group(1)), 10)
            # Raised while frames were away: the page learns it when they come back, long
            # before its half-minute look.
            mock_server.ALERTS[0] = {"alert": "battery_low", "state": "raised", "since": "2026-12-07T14:05:30+01:00",
                                     "message": "battery at 23.62 V, below 23.80 V for 60 s", "volts": 23.62}
        finally:
            mock_server.FROZEN_AT = None
        wait_until(lambda: self.script("return document.getElementById('stale').hidden"), 12,
                   "the notice gone with a new frame")
        wait_until(lambda: not self.script("return document.getElementById('alerts').hidden"), 5, "the alert banner")
        self.assertEqual(self.script("return document.getElementById('alerts').textContent"),
                         "battery_low battery at 23.62 V, below 23.80 V for 60 s")

    def test_2_month_bars_add_up_and_a_tap_opens_that_day(self):
        month = datetime.date.today().strftime("%Y-%m")
        wait_until(lambda: self.script("return document.querySelectorAll('#bars .day:not(.empty)').length") > 0,
                   5, "the month's bars")
        self.assertEqual(self.script("return document.getElementById('month-date').value"), month)
        energies = [r["energy_wh"] for r in self.script(f"""
            return fetch('api/summary?from={month}-01&to={month}-31').then(r => r.json());""")]
        total = sum(energies)
        expected = f"{total / 1000:.2f} kWh" if total >= 1000 else f"{total:.1f} Wh"
        self.assertEqual(self.script("return document.getElementById('month-total').textContent"), expected)
        # The tallest bar is the day with the most energy.
        heights = self.script("""
            return [...document.querySelectorAll('#bars .day span')].map(s => parseFloat(s.style.height));""")
        self.assertEqual(heights.index(max(heights)), energies.index(max(energies)))

        first = self.driver.find_element(By.CSS_SELECTOR, f"#bars .day[data-date='{month}-01']")
        first.click()
        wait_until(lambda: self.script("return document.getElementById('day-date').value") == f"{month}-01", 5,
                   "the tapped day in the picker")
        self.assertIn("shown", first.get_attribute("class"))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
