#!/usr/bin/python3
"""Serves the page and canned JSON, for working on the page without the real program.

    /usr/bin/python3 tests/browser/mock_server.py [PORT]

There is no /ws here, so the page falls back to polling /api/live every 5 s, which is
itself a case worth seeing. The browser test runs against the real corvane instead.
"""
import datetime
import json
import math
import pathlib
import sys
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

ROOT = pathlib.Path(__file__).resolve().parents[2]
FILES = {
    "/": (ROOT / "src/web/page/index.html", "text/html; charset=utf-8"),
    "/app.js": (ROOT / "src/web/page/app.js", "text/javascript; charset=utf-8"),
    "/app.css": (ROOT / "src/web/page/app.css", "text/css; charset=utf-8"),
    "/uPlot.iife.min.js": (ROOT / "third_party/uplot/uPlot.iife.min.js", "text/javascript; charset=utf-8"),
    "/uPlot.min.css": (ROOT / "third_party/uplot/uPlot.min.css", "text/css; charset=utf-8"),
}

# A time here stands for a board that stopped: /api/live keeps answering that frame.
FROZEN_AT = None

# What /api/alerts answers: every alert that is on, as the program lists them.
ALERTS = [{"alert": key, "state": "cleared", "since": None, "message": None, "volts": None}
          for key in ("battery_low", "battery_high", "no_data")]


def record(minute):
    """A plausible record: sun-shaped wind over the day, a battery that follows it."""
    t = minute / 1440
    wind = max(0.0, 18 * math.sin(math.pi * t) + 4 * math.sin(40 * t))
    amps = round(wind * 0.9, 2)
    volts = round(24.4 + wind * 0.08, 2)
    return {"time": f"{minute // 60:02}:{minute % 60:02}", "volts": volts, "amps": amps,
            "watts": round(volts * amps, 2), "rpm": round(wind * 14), "wind_speed": round(wind, 1),
            "watt_hours": round(minute * 3.1, 1)}


def day(date):
    today = datetime.date.today()
    if date > today or (today - date).days > 40:
        return None
    last = datetime.datetime.now().hour * 60 + datetime.datetime.now().minute if date == today else 1439
    return [record(m) for m in range(0, last + 1)]


class Handler(BaseHTTPRequestHandler):
    def send(self, status, body, content_type="application/json; charset=utf-8"):
        data = body if isinstance(body, bytes) else json.dumps(body).encode()
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Cache-Control", "no-store")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        query = dict(urllib.parse.parse_qsl(url.query))
        if url.path in FILES:
            path, kind = FILES[url.path]
            return self.send(200, path.read_bytes(), kind)
        if url.path == "/api/config":
            return self.send(200, {"display_rpm": True, "display_wind": True, "wind_units": "km/h", "log_delay": 10})
        if url.path == "/api/live":
            now = FROZEN_AT or datetime.datetime.now().astimezone().replace(microsecond=0)
            r = record(now.hour * 60 + now.minute)
            live = {"time": now.isoformat(), "volts": r["volts"] + (int(time.time()) % 5) / 100, "amps": r["amps"],
                    "watts": r["watts"], "watt_hours": r["watt_hours"], "rpm": r["rpm"],
                    "wind_speed": r["wind_speed"], "wind_units": "km/h", "logging": True}
            return self.send(200, live)
        if url.path.startswith("/api/day/"):
            text = url.path[len("/api/day/"):]
            try:
                date = datetime.date.fromisoformat(text)
            except ValueError:
                return self.send(400, {"error": f"not a date: {text}"})
            records = day(date)
            if records is None:
                return self.send(404, {"error": f"no log for {text}"})
            return self.send(200, {"date": text, "records": records})
        if url.path == "/api/summary":
            first = datetime.date.fromisoformat(query.get("from", "2000-01-01"))
            last = datetime.date.fromisoformat(query.get("to", "2100-01-01"))
            rows, d = [], max(first, datetime.date.today() - datetime.timedelta(days=40))
            while d <= min(last, datetime.date.today()):
                records = day(d)
                rows.append({"date": d.isoformat(), "records": len(records),
                             "energy_wh": records[-1]["watt_hours"] * (0.6 + 0.4 * math.sin(d.toordinal())),
                             "peak_watts": max(r["watts"] for r in records),
                             "min_volts": min(r["volts"] for r in records),
                             "max_volts": max(r["volts"] for r in records),
                             "max_rpm": max(r["rpm"] for r in records), "mean_wind": 9.5})
                d += datetime.timedelta(days=1)
            return self.send(200, rows)
        if url.path == "/api/alerts":
            return self.send(200, ALERTS)
        if url.path == "/api/errors":
            lines = [f"2026_12_0{i % 9 + 1}  1{i % 10}:0{i % 6}  checksum error   <RB>  <IM> [<V>75{i}</V><I>12</I>]"
                     for i in range(int(query.get("limit", "50")))]
            return self.send(200, lines)
        return self.send(404, {"error": "not found"})

    def log_message(self, *args):
        pass


def server(port=0):
    return ThreadingHTTPServer(("127.0.0.1", port), Handler)


if __name__ == "__main__":
    server(int(sys.argv[1]) if len(sys.argv) > 1 else 8080).serve_forever()
