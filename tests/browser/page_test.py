#!/usr/bin/python3
"""The web page in a real browser against the real programs: corvane --service with the
page on a loopback port, corvane-board playing the device on a pseudo-terminal, and
Debian's chromium driven headless by chromium-driver.

    /usr/bin/python3 tests/browser/page_test.py CORVANE CORVANE_BOARD
"""
import datetime
import json
import os
import pathlib
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.request

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

from browser import Browser

CORVANE, BOARD = sys.argv[1], sys.argv[2]
BOARD_PORT = 6
# Yesterday's records all carry these volts, so the plot's readout shows whose day it is.
YESTERDAY_VOLTS = "13.37"
PHONE_WIDTH = 360


def tagged(title, keys):
    lines = [title, ""] + [f"<{k}>{v}</{k}>" for k, v in keys]
    return ("\r\n".join(lines) + "\r\n").encode("latin-1")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_until(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {seconds} s waiting for {what}")
        time.sleep(0.1)


def http_status(url):
    try:
        with urllib.request.urlopen(url, timeout=2) as response:
            return response.status
    except urllib.error.HTTPError as error:
        return error.code
    except OSError:
        return None


class Page(unittest.TestCase):
    maxDiff = None

    @classmethod
    def setUpClass(cls):
        cls.folder = pathlib.Path(tempfile.mkdtemp(prefix="corvane-page-"))
        cls.processes = []
        cls.browser = None
        try:
            cls.start_programs()
            cls.browser = Browser(PHONE_WIDTH, 800, mobile=True)
            cls.driver = cls.browser.driver
            cls.driver.get(cls.url)
            wait_until(lambda: cls.driver.execute_script("return document.readyState") == "complete", 10, "the page")
        except BaseException:
            cls.tearDownClass()
            raise

    @classmethod
    def start_programs(cls):
        folder = cls.folder
        shutil.copy(CORVANE, folder / "corvane")
        (folder / "prog.cfg").write_bytes(tagged("Program Config File", [
            ("Port", BOARD_PORT), ("Savehtml", 0), ("SaveExcel", 0), ("LogDelay", 10), ("LogOn", 1),
            ("DisplayRPM", 1), ("DisplayWS", 1), ("WSUnits", "km/h"), ("SV", 24), ("MA", 20), ("BR", 9600),
            ("dispMessages", 1)]) + b"\r\n")
        (folder / "settings.cfg").write_bytes(tagged("Calibration Settings\r\n", [
            ("VoltDivider", 30), ("VoltOffset", 512), ("AmpDivider", 10), ("RPMDivider", 14), ("WSDivider", 2)]))
        port = free_port()
        (folder / "web.cfg").write_bytes(tagged("Web Settings", [
            ("Enabled", 1), ("Address", "127.0.0.1"), ("Port", port)]))
        cls.url = f"http://127.0.0.1:{port}/"
        cls.yesterday = (datetime.date.today() - datetime.timedelta(days=1)).isoformat()
        (folder / "logs").mkdir()
        records = "".join(
            f"<T>{m // 60:02}:{m % 60:02}</T><V>{YESTERDAY_VOLTS}</V><I>2.00</I><W>26.74</W><R>120</R>"
            f"<S>10.0</S><M>0</M>   {m / 60:.1f}Wh\r\n" for m in range(0, 1440, 10))
        (folder / "logs" / f"P_{cls.yesterday.replace('-', '_')}.txt").write_bytes(records.encode())

        cls.start([BOARD, "--folder", str(folder), "--port", str(BOARD_PORT), "--rate", "4"])
        wait_until(lambda: (folder / f"COM{BOARD_PORT}").is_symlink(), 10, "the board's port")
        cls.start([str(folder / "corvane"), "--service"])
        wait_until(lambda: http_status(cls.url + "api/live") == 200, 30, "the page's server")
        # Today's plot is asked for at once; its file comes with the first record.
        today = datetime.date.today().strftime("P_%Y_%m_%d.txt")
        wait_until(lambda: (folder / "logs" / today).exists(), 30, "the first record")

    @classmethod
    def start(cls, command):
        with open(cls.folder / f"{pathlib.Path(command[0]).name}.out", "wb") as log:
            cls.processes.append(subprocess.Popen(command, stdout=log, stderr=subprocess.STDOUT,
                                                  start_new_session=True))

    @classmethod
    def tearDownClass(cls):
        if cls.browser:
            cls.browser.close()
        for process in reversed(cls.processes):
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        # The programs' own words, for a failure's diagnosis (ctest shows them only then).
        for out in sorted(cls.folder.glob("*.out")):
            print(f"--- {out.name}\n{out.read_text(errors='replace')[-2000:]}", file=sys.stderr)
        if os.environ.get("KEEP_FOLDER"):
            print("folder kept:", cls.folder, file=sys.stderr)
        else:
            shutil.rmtree(cls.folder, ignore_errors=True)

    def script(self, text):
        return self.driver.execute_script(text)

    def test_1_volts_tile_follows_each_frame_over_the_websocket(self):
        self.script("""
            window.voltsWrites = 0;
            new MutationObserver(() => ++window.voltsWrites).observe(
                document.querySelector('[data-live="volts"]'), {childList: true, characterData: true, subtree: true});""")
        wait_until(lambda: self.script("return window.voltsWrites") >= 1, 5, "the volts tile after the next frame")
        volts = self.script("return document.querySelector('[data-live=\"volts\"]').textContent")
        self.assertRegex(volts, r"^\d+\.\d\d$")
        # Four frames a second: polling every 5 s could bring at most one within 3 s. The
        # margin is for a loaded machine.
        start = self.script("return window.voltsWrites")
        time.sleep(3)
        self.assertGreaterEqual(self.script("return window.voltsWrites") - start, 3)
        self.assertIn("Logging on", self.script("return document.getElementById('status').textContent"))

    def test_2_plot_canvas_is_drawn_and_nothing_scrolls_sideways(self):
        wait_until(lambda: self.script("return !!document.querySelector('#plot canvas')"), 10, "the plot")
        painted = self.script("""
            const c = document.querySelector('#plot canvas');
            const pixels = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
            let n = 0;
            for (let i = 3; i < pixels.length; i += 4) if (pixels[i]) ++n;
            return n;""")
        self.assertGreater(painted, 2000)
        self.assertTrue(self.script("return document.getElementById('day-note').hidden"))
        self.assertLessEqual(self.script("return document.documentElement.scrollWidth"), PHONE_WIDTH)

    def test_3_previous_day_shows_yesterdays_records(self):
        self.driver.find_element(By.ID, "day-prev").click()
        wait_until(lambda: self.script("return document.getElementById('day-date').value") == self.yesterday, 5,
                   "the picker on yesterday")

        def readout_after_pointing():
            # A tap, as on a phone; the plot is built again for the new day, so it is looked up each time.
            plot = self.driver.find_element(By.CSS_SELECTOR, "#plot .u-over")
            ActionChains(self.driver).move_to_element_with_offset(plot, 0, 0).click().perform()
            return self.script("return document.getElementById('readout').textContent")
        wait_until(lambda: f"{YESTERDAY_VOLTS} V" in readout_after_pointing(), 10, "yesterday's volts in the readout")
        self.assertTrue(self.script("return document.getElementById('day-note').hidden"))

    def test_4_console_is_clean(self):
        # Every request the page made above (live, day, summary, errors, config, the socket)
        # was answered without an error or a script fault. How soon it paints is measured
        # by first_paint.py, away from the load of a test run.
        self.assertEqual(self.browser.console_errors(), [])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
