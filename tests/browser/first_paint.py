#!/usr/bin/python3
"""How soon the page paints in headless chromium: the first load in a fresh browser, then
the median and best of N loads with the cache off (a browser already running, as a phone's
is). Figures from the browser's own Performance API (first-contentful-paint).

    /usr/bin/python3 tests/browser/first_paint.py http://127.0.0.1:8080/ [N]
"""
import statistics
import sys
import time

from browser import Browser


def first_contentful_paint(driver, url):
    driver.get(url)
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        paint = driver.execute_script("""
            const e = performance.getEntriesByName('first-contentful-paint')[0];
            return e ? e.startTime : null;""")
        if paint is not None:
            return paint
        time.sleep(0.05)
    raise SystemExit("the page did not paint within 10 s")


def main():
    url = sys.argv[1]
    loads = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    with Browser(360, 800, mobile=True) as browser:
        driver = browser.driver
        cold = first_contentful_paint(driver, url)
        driver.execute_cdp_cmd("Network.enable", {})
        driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        warm = sorted(first_contentful_paint(driver, url) for _ in range(loads))
    print(f"first contentful paint: fresh browser {cold:.0f} ms; {loads} loads without cache:"
          f" median {statistics.median(warm):.0f} ms, best {warm[0]:.0f} ms, worst {warm[-1]:.0f} ms")
    return 0 if statistics.median(warm) <= 500 else 1


if __name__ == "__main__":
    sys.exit(main())
