// The phone page: live tiles from /ws (polling /api/live while it is down), the day's plot,
// the month's energy, the error log and a banner with the raised alerts. All paths are relative so that the page also works
// behind a reverse proxy under a sub-path.
"use strict";
(() => {
  const STALE_AFTER_S = 10;
  const POLL_MS = 5000;
  const ERROR_LINES = 20;
  const ALERTS_MS = 30000;
  // Digits as the day file writes them.
  const DECIMALS = { volts: 2, amps: 2, watts: 2, watt_hours: 1, rpm: 0, wind_speed: 1 };
  const SERIES = [
    { key: "volts", label: "Volts", unit: "V", color: "--volts" },
    { key: "amps", label: "Amps", unit: "A", color: "--amps" },
    { key: "watts", label: "Watts", unit: "W", color: "--watts" },
    { key: "rpm", label: "RPM", unit: "RPM", color: "--rpm" },
    { key: "wind_speed", label: "Wind", unit: "", color: "--wind" },
  ];

  const $ = (id) => document.getElementById(id);
  const pad = (n) => String(n).padStart(2, "0");
  const isoDate = (d) => `${d.getFullYear()}-${pad(d.getMonth() + 1)}-${pad(d.getDate())}`;
  const today = () => isoDate(new Date());
  const parseDate = (text) => {
    const [y, m, d] = text.split("-").map(Number);
    return new Date(y, m - 1, d);
  };
  const shiftDate = (text, days) => {
    const d = parseDate(text);
    d.setDate(d.getDate() + days);
    return isoDate(d);
  };
  const cssColor = (name) => getComputedStyle(document.documentElement).getPropertyValue(name).trim();
  const format = (key, v) => (typeof v === "number" ? v.toFixed(DECIMALS[key]) : "–");
  const energyText = (wh) => (wh >= 1000 ? `${(wh / 1000).toFixed(2)} kWh` : `${wh.toFixed(1)} Wh`);

  // The plot's switched-on values, kept by the browser from one visit to the next; the
  // first visit shows the two a battery's owner reads first.
  const SERIES_KEY = "corvane.series";
  function savedSeries() {
    try {
      const saved = JSON.parse(localStorage.getItem(SERIES_KEY));
      if (Array.isArray(saved)) return new Set(saved.filter((k) => SERIES.some((s) => s.key === k)));
    } catch (e) {
      // no storage (private mode) or a broken entry: the default
    }
    return new Set(["volts", "watts"]);
  }
  function saveSeries() {
    try {
      localStorage.setItem(SERIES_KEY, JSON.stringify([...state.shown]));
    } catch (e) {
      // the choice lasts for this visit only
    }
  }

  const state = {
    config: { display_rpm: true, display_wind: true, wind_units: "", log_delay: 60 },
    shown: savedSeries(),
    day: today(),
    month: today().slice(0, 7),
    records: [],
    plot: null,
    dayRequest: 0,
    plotDay: null,
    dayTimer: 0,
    lastTime: null,
    lastFrameAt: 0, // Date.now() of the newest frame seen
    socket: null,
    pollTimer: 0,
  };

  async function api(path) {
    const response = await fetch(path, { cache: "no-store" });
    const body = await response.json().catch(() => null);
    if (!response.ok) throw new Error((body && body.error) || `${response.status} ${response.statusText}`);
    return body;
  }

  // ---- live values ----
  function applyLive(live) {
    for (const el of document.querySelectorAll("[data-live]")) el.textContent = format(el.dataset.live, live[el.dataset.live]);
    if (typeof live.wind_units === "string") $("wind-unit").textContent = live.wind_units;
    const logging = $("logging");
    logging.textContent = live.logging ? "Logging on" : "Logging off";
    logging.className = live.logging ? "on" : "off";
    if (live.time && live.time !== state.lastTime) {
      // Frames again after a gap: a no_data alert has likely cleared, a battery one may
      // have changed meanwhile.
      if (state.lastTime !== null && Date.now() - state.lastFrameAt > STALE_AFTER_S * 1000) loadAlerts();
      // The first frame seen may be old (the board stopped before the page opened).
      const frameAt = Date.parse(live.time);
      state.lastFrameAt = state.lastTime === null && frameAt < Date.now() ? frameAt : Date.now();
      state.lastTime = live.time;
    }
    $("last-frame").textContent = live.time ? `· last frame ${live.time.slice(11, 19)}` : "· no frame yet";
    showStale();
  }

  function showStale() {
    const stale = $("stale");
    const seconds = Math.floor((Date.now() - state.lastFrameAt) / 1000);
    stale.hidden = state.lastTime === null || seconds <= STALE_AFTER_S;
    if (!stale.hidden) stale.textContent = `· no data for ${seconds} s`;
  }

  const pollLive = () => api("api/live").then(applyLive).catch(() => {});

  function startPolling() {
    if (!state.pollTimer) state.pollTimer = setInterval(pollLive, POLL_MS);
  }

  function stopPolling() {
    clearInterval(state.pollTimer);
    state.pollTimer = 0;
  }

  function connect() {
    const url = new URL("ws", location.href);
    url.protocol = url.protocol === "https:" ? "wss:" : "ws:";
    const socket = new WebSocket(url);
    state.socket = socket;
    socket.onopen = () => {
      stopPolling();
      pollLive(); // whatever came while the socket was down
    };
    socket.onmessage = (event) => {
      try {
        applyLive(JSON.parse(event.data));
      } catch (e) {
        // a broken message is skipped; the next frame brings a whole one
      }
    };
    socket.onclose = () => {
      if (state.socket !== socket) return;
      state.socket = null;
      startPolling();
      setTimeout(connect, POLL_MS);
    };
  }

  // ---- the day's plot ----
  function buildToggles() {
    const box = $("toggles");
    box.replaceChildren();
    for (const s of SERIES) {
      const label = document.createElement("label");
      const input = document.createElement("input");
      input.type = "checkbox";
      input.checked = state.shown.has(s.key);
      input.dataset.series = s.key;
      input.addEventListener("change", () => {
        if (input.checked) state.shown.add(s.key);
        else state.shown.delete(s.key);
        saveSeries();
        drawPlot();
      });
      const swatch = document.createElement("span");
      swatch.className = "swatch";
      swatch.style.background = `var(${s.color})`;
      label.append(input, swatch, s.label);
      box.append(label);
    }
  }

  function unitOf(s) {
    return s.key === "wind_speed" ? state.config.wind_units : s.unit;
  }

  function plotData() {
    const start = parseDate(state.day).getTime() / 1000;
    const xs = state.records.map((r) => {
      const [h, m] = r.time.split(":").map(Number);
      return start + h * 3600 + m * 60;
    });
    return [xs, ...SERIES.map((s) => state.records.map((r) => r[s.key]))];
  }

  function plotSize() {
    const width = $("plot").clientWidth || 320;
    return { width, height: Math.round(Math.min(380, Math.max(220, width * 0.55))) };
  }

  function drawPlot() {
    if (state.plot) state.plot.destroy();
    state.plotDay = state.day;
    const size = plotSize();
    const dayStart = parseDate(state.day).getTime() / 1000;
    const visible = SERIES.filter((s) => state.shown.has(s.key));
    // A phone has room for two value axes; the readout gives the others.
    const withAxis = new Set(visible.slice(0, size.width < 600 ? 2 : visible.length).map((s) => s.key));
    const axisColor = cssColor("--muted");
    const gridColor = cssColor("--line");
    const scales = { x: { time: true, range: () => [dayStart, dayStart + 86400] } };
    // Times of day as the box writes them: 24-hour, no date (the picker shows it).
    const clock = (_u, splits) => splits.map((v) => {
      const d = new Date(v * 1000);
      return `${pad(d.getHours())}:${pad(d.getMinutes())}`;
    });
    const axes = [{ stroke: axisColor, values: clock, size: 32, grid: { stroke: gridColor, width: 1 }, ticks: { stroke: gridColor } }];
    let side = 0;
    for (const s of SERIES) {
      scales[s.key] = { auto: true };
      const shown = withAxis.has(s.key);
      axes.push({
        scale: s.key,
        show: shown,
        side: shown && side++ % 2 ? 1 : 3,
        stroke: cssColor(s.color),
        grid: { show: side === 1 && shown, stroke: gridColor, width: 1 },
        ticks: { stroke: gridColor },
        // Room for the longest label ("26.75") at the axis font.
        size: (_u, values) => 18 + 7 * Math.max(2, ...(values || []).map((v) => String(v).length)),
      });
    }
    state.plot = new uPlot(
      {
        ...size,
        legend: { show: false },
        cursor: { drag: { x: false, y: false } },
        scales,
        axes,
        series: [
          {},
          ...SERIES.map((s) => ({
            label: s.label,
            scale: s.key,
            show: state.shown.has(s.key),
            stroke: cssColor(s.color),
            width: 1.5,
            spanGaps: false,
          })),
        ],
        hooks: { setCursor: [showReadout] },
      },
      plotData(),
      $("plot"),
    );
  }

  function showReadout(u) {
    const i = u.cursor.idx;
    const readout = $("readout");
    if (i == null || !state.records[i]) {
      readout.textContent = "\u00a0";
      return;
    }
    const r = state.records[i];
    const parts = SERIES.filter((s) => state.shown.has(s.key)).map((s) => `${format(s.key, r[s.key])} ${unitOf(s)}`.trim());
    readout.textContent = `${r.time}  ${parts.join(" · ")}`;
  }

  function loadDay(date) {
    state.day = date;
    $("day-date").value = date;
    clearTimeout(state.dayTimer);
    const request = ++state.dayRequest;
    const note = $("day-note");
    api(`api/day/${date}`)
      .then((data) => {
        if (request !== state.dayRequest) return;
        state.records = data.records;
        note.hidden = true;
      })
      .catch((error) => {
        if (request !== state.dayRequest) return;
        state.records = [];
        note.textContent = error.message;
        note.hidden = false;
      })
      .finally(() => {
        if (request !== state.dayRequest) return;
        // A refresh of the same day keeps the plot and its cursor.
        if (state.plot && state.plotDay === date) state.plot.setData(plotData());
        else drawPlot();
        // Today's plot grows by one record per logging interval.
        if (date === today()) state.dayTimer = setTimeout(followToday, (state.config.log_delay + 1) * 1000);
      });
  }

  // Past midnight the page moves on to the new day.
  const followToday = () => loadDay(shiftDate(state.day, 1) === today() ? today() : state.day);

  // ---- the month's energy ----
  function loadMonth(month) {
    state.month = month;
    $("month-date").value = month;
    const [y, m] = month.split("-").map(Number);
    const days = new Date(y, m, 0).getDate();
    api(`api/summary?from=${month}-01&to=${month}-${pad(days)}`)
      .then((rows) => drawBars(month, days, rows))
      .catch(() => drawBars(month, days, []));
  }

  function drawBars(month, days, rows) {
    const byDate = new Map(rows.map((r) => [r.date, r]));
    const energies = rows.map((r) => (typeof r.energy_wh === "number" ? r.energy_wh : 0));
    const most = Math.max(1, ...energies);
    $("month-total").textContent = energyText(energies.reduce((a, b) => a + b, 0));
    const bars = $("bars");
    bars.style.gridTemplateColumns = `repeat(${days}, minmax(0, 1fr))`;
    bars.replaceChildren();
    for (let d = 1; d <= days; ++d) {
      const date = `${month}-${pad(d)}`;
      const row = byDate.get(date);
      const wh = row && typeof row.energy_wh === "number" ? row.energy_wh : null;
      const button = document.createElement("button");
      button.type = "button";
      button.className = "day" + (wh === null ? " empty" : "") + (date === state.day ? " shown" : "");
      button.dataset.date = date;
      button.setAttribute("role", "listitem");
      button.title = `${date}: ${wh === null ? "no records" : energyText(wh)}`;
      button.setAttribute("aria-label", button.title);
      const bar = document.createElement("span");
      bar.style.height = `${wh === null ? 0 : (100 * wh) / most}%`;
      button.append(bar);
      button.addEventListener("click", () => {
        loadDay(date);
        markShownBar();
        $("day-title").scrollIntoView({ behavior: "smooth", block: "start" });
      });
      bars.append(button);
    }
  }

  function markShownBar() {
    for (const b of $("bars").children) b.classList.toggle("shown", b.dataset.date === state.day);
  }

  // ---- the error log ----
  function loadErrors() {
    api(`api/errors?limit=${ERROR_LINES}`)
      .then((lines) => {
        $("errors").replaceChildren(
          ...lines.map((line) => {
            const li = document.createElement("li");
            li.textContent = line;
            return li;
          }),
        );
      })
      .catch(() => {});
  }

  // ---- the raised alerts ----
  function showAlerts(alerts) {
    const raised = alerts.filter((a) => a.state === "raised");
    $("alerts").replaceChildren(
      ...raised.map((a) => {
        const line = document.createElement("div");
        const key = document.createElement("strong");
        key.textContent = a.alert;
        line.append(key, a.message ? ` ${a.message}` : "");
        return line;
      }),
    );
    $("alerts").hidden = raised.length === 0;
  }

  const loadAlerts = () => api("api/alerts").then(showAlerts).catch(() => {});

  function applyConfig(config) {
    Object.assign(state.config, config);
    if (!(state.config.log_delay > 0)) state.config.log_delay = 60;
    $("tile-rpm").hidden = !state.config.display_rpm;
    $("tile-wind").hidden = !state.config.display_wind;
    if (!state.config.display_rpm) state.shown.delete("rpm");
    if (!state.config.display_wind) state.shown.delete("wind_speed");
    $("wind-unit").textContent = state.config.wind_units;
  }

  function wire() {
    $("day-date").addEventListener("change", (e) => e.target.value && (loadDay(e.target.value), markShownBar()));
    $("day-prev").addEventListener("click", () => (loadDay(shiftDate(state.day, -1)), markShownBar()));
    $("day-next").addEventListener("click", () => (loadDay(shiftDate(state.day, 1)), markShownBar()));
    $("day-today").addEventListener("click", () => (loadDay(today()), markShownBar()));
    const shiftMonth = (n) => {
      const [y, m] = state.month.split("-").map(Number);
      const d = new Date(y, m - 1 + n, 1);
      loadMonth(`${d.getFullYear()}-${pad(d.getMonth() + 1)}`);
    };
    $("month-date").addEventListener("change", (e) => e.target.value && loadMonth(e.target.value));
    $("month-prev").addEventListener("click", () => shiftMonth(-1));
    $("month-next").addEventListener("click", () => shiftMonth(1));
    let resizing = 0;
    window.addEventListener("resize", () => {
      cancelAnimationFrame(resizing);
      // Built again rather than resized: a turned phone may have room for every axis.
      resizing = requestAnimationFrame(drawPlot);
    });
    matchMedia("(prefers-color-scheme: dark)").addEventListener("change", drawPlot);
    // A phone wakes the page after its timers were held: catch up at once.
    document.addEventListener("visibilitychange", () => {
      if (document.hidden) return;
      pollLive();
      loadAlerts();
      if (state.day === today()) loadDay(state.day);
    });
  }

  async function start() {
    wire();
    await api("api/config").then(applyConfig).catch(() => {});
    buildToggles();
    loadDay(state.day);
    loadMonth(state.month);
    loadErrors();
    loadAlerts();
    pollLive();
    connect();
    setInterval(showStale, 1000);
    setInterval(loadErrors, 30000);
    setInterval(loadAlerts, ALERTS_MS);
  }

  start();
})();
