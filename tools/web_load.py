#!/usr/bin/env python3
"""Measures whether the page's server disturbs logging, on loopback only.

Runs the real corvane --service against corvane-board at 20 frames/s with a 10 s
interval, in a temporary program folder whose day file for today already holds 8,640
records, and then:
  1. times /metrics, /api/live and /api/day/<today> one after another on an idle server;
  2. for --seconds, 8 clients fetch /api/day/<today> and /metrics in a loop while 4
     WebSocket clients listen (one never reads), and every record's arrival is timed;
  3. sends bad input: random request lines and headers, a header flood over 64 KiB,
     200 idle connections and a client that sends one byte a second, while a
     well-behaved client keeps asking /api/live;
and prints the figures: response times, records missing or late, error-log entries,
the program's memory before and after. Bounded in count and time; no other host.

  tools/web_load.py <bin-dir> [--seconds 60]
"""
import argparse, base64, http.client, os, random, shutil, signal, socket, statistics
import subprocess, sys, tempfile, threading, time, datetime

HOST = "127.0.0.1"


def free_port():
    with socket.socket() as s:
        s.bind((HOST, 0))
        return s.getsockname()[1]


def crlf(text):
    return text.replace("\n", "\r\n").encode("latin-1")


def write_folder(folder, com, web_port):
    with open(os.path.join(folder, "prog.cfg"), "wb") as f:
        f.write(crlf(f"Program Config File\n\n<Port>{com}</Port>\n<Savehtml>0</Savehtml>\n<SaveExcel>0</SaveExcel>\n"
                     "<LogDelay>10</LogDelay>\n<LogOn>1</LogOn>\n<DisplayRPM>1</DisplayRPM>\n<DisplayWS>1</DisplayWS>\n"
                     "<WSUnits>km/h</WSUnits>\n<SV>24</SV>\n<MA>20</MA>\n<BR>57600</BR>\n<dispMessages>1</dispMessages>\n\n"))
    with open(os.path.join(folder, "settings.cfg"), "wb") as f:
        f.write(crlf("Calibration Settings\n\n\n<VoltDivider>30</VoltDivider>\n<VoltOffset>512</VoltOffset>\n"
                     "<AmpDivider>10</AmpDivider>\n<RPMDivider>14</RPMDivider>\n<WSDivider>2</WSDivider>\n"))
    with open(os.path.join(folder, "web.cfg"), "wb") as f:
        f.write(crlf(f"Web Settings\n\n<Enabled>1</Enabled>\n<Address>{HOST}</Address>\n<Port>{web_port}</Port>\n"))
    os.makedirs(os.path.join(folder, "logs"), exist_ok=True)
    day = os.path.join(folder, "logs", datetime.date.today().strftime("P_%Y_%m_%d.txt"))
    with open(day, "wb") as f:
        for n in range(8640):
            s = n * 10
            f.write(f"<T>{s // 3600:02d}:{s // 60 % 60:02d}</T><V>25.30</V><I>11.00</I><W>278.40</W><R>180</R>"
                    f"<S>22.5</S><M>0</M>   {n * 0.5:.1f}Wh\r\n".encode())
    return day


def timed_gets(port, path, count):
    conn = http.client.HTTPConnection(HOST, port, timeout=10)
    times = []
    for _ in range(count):
        start = time.perf_counter()
        conn.request("GET", path)
        response = conn.getresponse()
        response.read()
        times.append((time.perf_counter() - start) * 1000)
        assert response.status == 200, (path, response.status)
    conn.close()
    return times


def summary(times):
    times = sorted(times)
    return (f"median {statistics.median(times):.2f} ms, p95 {times[int(len(times) * 0.95) - 1]:.2f} ms, "
            f"max {times[-1]:.2f} ms ({len(times)} requests)")


def websocket(port, reads, stop, counts, index):
    s = socket.create_connection((HOST, port), timeout=10)
    key = base64.b64encode(os.urandom(16)).decode()
    s.sendall((f"GET /ws HTTP/1.1\r\nHost: {HOST}:{port}\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
               f"Sec-WebSocket-Key: {key}\r\nSec-WebSocket-Version: 13\r\n\r\n").encode())
    if not reads:
        # Takes the 101 only and never reads until the end; then drains what is left to
        # see whether the server closed the connection.
        s.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
        stop.wait()
        s.settimeout(2)
        try:
            while s.recv(1 << 20):
                pass
            counts[index] = -1
        except OSError:
            pass
        s.close()
        return
    s.settimeout(1)
    while not stop.is_set():
        try:
            data = s.recv(65536)
        except socket.timeout:
            continue
        if not data:
            counts[index] = -1 - counts[index]  # closed by the server
            return
        counts[index] += data.count(b'{"time"')
        # A ping (0x89) is answered with a masked pong, as a browser does.
        at = data.find(b"\x89")
        if at >= 0 and at + 1 < len(data) and data[at + 1] < 126:
            payload = data[at + 2:at + 2 + data[at + 1]]
            s.sendall(bytes([0x8A, 0x80 | len(payload)]) + b"\0\0\0\0" + payload)
    s.close()


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def bad_input(port, live_times, stop):
    results = {}
    rng = random.Random(7)
    answered = 0
    for _ in range(1000):
        line = bytes(rng.randrange(256) for _ in range(rng.randrange(1, 200)))
        headers = b"".join(bytes(rng.randrange(32, 127) for _ in range(rng.randrange(0, 80))) + b"\r\n"
                           for _ in range(rng.randrange(0, 5)))
        with socket.create_connection((HOST, port), timeout=5) as s:
            try:
                s.sendall(line + b"\r\n" + headers + b"\r\n")
                s.settimeout(2)
                if s.recv(64):
                    answered += 1
            except OSError:
                pass
    results["random request lines and headers"] = (f"1000 sent, {answered} answered, the others closed "
                                                   "without an answer")
    with socket.create_connection((HOST, port), timeout=10) as s:
        sent = 0
        try:
            s.sendall(b"GET / HTTP/1.1\r\nHost: x\r\n")
            while sent < 1024 * 1024:
                s.sendall(b"X-Flood: " + b"a" * 1000 + b"\r\n")
                sent += 1011
        except OSError:
            pass
        # Whatever the kernel's buffers took, the server must end the connection.
        closed = False
        s.settimeout(5)
        try:
            closed = s.recv(4096) == b""
        except OSError:
            closed = True
        results["header flood"] = (f"{sent // 1024} KiB taken by the socket, then "
                                   + ("closed by the server" if closed else "NOT closed within 5 s"))
    held = []
    for _ in range(200):
        try:
            held.append(socket.create_connection((HOST, port), timeout=5))
        except OSError:
            break
    slow = socket.create_connection((HOST, port), timeout=5)
    start = time.time()
    slow_closed = None
    for byte in b"GET /metrics HTTP/1.1\r\nHost: x\r\n\r\n"[:15]:
        try:
            slow.sendall(bytes([byte]))
        except OSError:
            slow_closed = time.time() - start
            break
        time.sleep(1)
    results["held connections"] = f"{len(held)} opened"
    results["one byte a second"] = (f"closed by the server after {slow_closed:.0f} s" if slow_closed
                                    else "still open after 15 s")
    for s in held + [slow]:
        s.close()
    return results


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("bin")
    parser.add_argument("--seconds", type=int, default=60)
    parser.add_argument("--clients", type=int, default=8, help="HTTP clients; 0 with --sockets 0 is the baseline")
    parser.add_argument("--sockets", type=int, default=4, help="WebSocket clients, the last never reads")
    args = parser.parse_args()
    seconds = max(5, min(args.seconds, 120))
    bin_dir = os.path.abspath(args.bin)
    folder = tempfile.mkdtemp(prefix="corvane-web-load.")
    com, port = 11, free_port()
    day = write_folder(folder, com, port)
    shutil.copy(os.path.join(bin_dir, "corvane"), folder)
    board = subprocess.Popen([os.path.join(bin_dir, "corvane-board"), "--folder", folder, "--port", str(com),
                              "--rate", "20", "--baud", "57600", "--seed", "1"],
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    corvane = None
    try:
        for _ in range(100):
            if os.path.islink(os.path.join(folder, f"COM{com}")):
                break
            time.sleep(0.1)
        corvane = subprocess.Popen([os.path.join(folder, "corvane"), "--service"], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.PIPE)
        for _ in range(100):
            try:
                timed_gets(port, "/api/live", 1)
                break
            except OSError:
                time.sleep(0.1)
        time.sleep(1)
        today = "/api/day/" + datetime.date.today().isoformat()
        print("Idle server, one client, keep-alive:")
        for path in ("/metrics", "/api/live", today):
            print(f"  {path}: {summary(timed_gets(port, path, 200 if path != today else 50))}")
        rss_before = rss_kib(corvane.pid)

        stop = threading.Event()
        counts = [0] * args.sockets
        sockets = [threading.Thread(target=websocket, args=(port, n != args.sockets - 1, stop, counts, n))
                   for n in range(args.sockets)]
        load_times, errors = [], []

        def client():
            conn = http.client.HTTPConnection(HOST, port, timeout=10)
            while not stop.is_set():
                for path in (today, "/metrics"):
                    start = time.perf_counter()
                    try:
                        conn.request("GET", path)
                        r = conn.getresponse()
                        r.read()
                        if r.status != 200:
                            errors.append(r.status)
                    except (OSError, http.client.HTTPException) as e:
                        errors.append(str(e))
                        conn = http.client.HTTPConnection(HOST, port, timeout=10)
                    load_times.append((time.perf_counter() - start) * 1000)

        arrivals = []

        def watch_records():
            size = os.path.getsize(day)
            while not stop.is_set():
                now = os.path.getsize(day)
                if now != size:
                    arrivals.append(time.time())
                    size = now
                time.sleep(0.02)

        clients = [threading.Thread(target=client) for _ in range(max(0, min(args.clients, 16)))]
        watcher = threading.Thread(target=watch_records)
        for t in sockets + clients + [watcher]:
            t.start()
        time.sleep(seconds)
        stop.set()
        for t in sockets + clients + [watcher]:
            t.join(15)
        gaps = [b - a for a, b in zip(arrivals, arrivals[1:])]
        print(f"\nFor {seconds} s: {len(clients)} HTTP clients on {today} and /metrics, {len(sockets)} WebSocket clients:")
        if load_times:
            print(f"  responses: {summary(load_times)}; failures: {len(errors)}")
        if sockets:
            print(f"  WebSocket messages per reading client (negative: closed by the server after that many): "
                  f"{counts[:-1]}; the one that never read: "
                  f"{'closed by the server' if counts[-1] < 0 else 'open until the end'}")
        print(f"  records written: {len(arrivals)}; gaps between them: "
              f"{min(gaps):.2f} to {max(gaps):.2f} s" if gaps else "  too few records to time")
        print(f"  memory: {rss_before} KiB before, {rss_kib(corvane.pid)} KiB after")

        live_times = []
        stop_live = threading.Event()

        def live():
            while not stop_live.is_set():
                try:
                    live_times.extend(timed_gets(port, "/api/live", 1))
                except Exception:
                    live_times.append(float("inf"))
                time.sleep(0.1)

        watcher_live = threading.Thread(target=live)
        watcher_live.start()
        rss_before_bad = rss_kib(corvane.pid)
        results = bad_input(port, live_times, stop_live)
        stop_live.set()
        watcher_live.join()
        print("\nBad input:")
        for key, value in results.items():
            print(f"  {key}: {value}")
        print(f"  /api/live meanwhile: {summary(live_times)}")
        print(f"  memory: {rss_before_bad} KiB before, {rss_kib(corvane.pid)} KiB after")
        print(f"  still running: {corvane.poll() is None}")
    finally:
        if corvane:
            corvane.send_signal(signal.SIGTERM)
            try:
                corvane.wait(15)
            except subprocess.TimeoutExpired:
                corvane.kill()
        board.terminate()
        board.wait(10)
    log = os.path.join(folder, "errorlog.txt")
    entries = open(log, "rb").read().decode("latin-1").splitlines() if os.path.exists(log) else []
    print(f"\nError-log entries: {len(entries)}")
    for entry in entries[:10]:
        print("  " + entry)
    shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
