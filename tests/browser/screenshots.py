#!/usr/bin/python3
"""The README's pictures of the page, at phone size (360 px wide) and desktop size.

    /usr/bin/python3 tests/browser/screenshots.py http://127.0.0.1:8080/ docs/

Point it at a running corvane with a day of records (or at mock_server.py)."""
import pathlib
import sys
import time

from browser import Browser

SIZES = {"web-phone.png": (360, 1060, True), "web-desktop.png": (1280, 1180, False)}


def main():
    url, folder = sys.argv[1], pathlib.Path(sys.argv[2])
    for name, (width, height, mobile) in SIZES.items():
        with Browser(width, height, mobile) as browser:
            browser.driver.get(url)
            # Wait for the plot and the live values; then a moment for the bars to settle.
            deadline = time.monotonic() + 15
            while time.monotonic() < deadline and not browser.driver.execute_script(
                    "return !!document.querySelector('#plot canvas') &&"
                    " document.querySelector('[data-live=volts]').textContent !== '–'"
                    " && document.querySelectorAll('#bars .day').length > 0"):
                time.sleep(0.2)
            time.sleep(1)
            full = browser.driver.execute_script("return document.documentElement.scrollHeight")
            browser.driver.save_screenshot(str(folder / name))
            print(folder / name, "scroll width", browser.driver.execute_script(
                "return document.documentElement.scrollWidth"), "height", full)


if __name__ == "__main__":
    main()
