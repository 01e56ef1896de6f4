#!/usr/bin/python3
"""The app where what it waits on stalls or floods it, and with stored days as a careless hand edit
leaves them: a session bus that takes the connection and says nothing, or lets it in and goes
silent; a sway socket that never answers, or answers with gigabytes; a start of sorts that floods
the instance socket, and hundreds that wait on it; no lock to be made anywhere; a lock naming a
live `corvelle --watch`; another user's lock and socket in the runtime folder; the
recorded hand-edited history with its dates moved to today. In each the app starts within a few
seconds, answers a second start, keeps ticking and saving, holds no more sockets or memory than
a plain run does beside a little, quits cleanly, and its saved history has one record per day.
Usage: hostile_environment.py CORVELLE FIXTURES"""
import datetime, json, os, re, shutil, signal, socket, struct, subprocess, sys, tempfile, threading, time

app, fixtures, failures = sys.argv[1], sys.argv[2], []


def check(ok, message):
    if not ok:
        failures.append(message)


class FakeServer:
    """A local socket in a thread; `serve(connection)` runs for each client."""

    def __init__(self, path, serve):
        self.server = socket.socket(socket.AF_UNIX)
        self.server.bind(path)
        self.server.listen(64)
        self.serve = serve
        threading.Thread(target=self.accept, daemon=True).start()

    def accept(self):
        while True:
            connection, _ = self.server.accept()
            threading.Thread(target=self.run, args=(connection,), daemon=True).start()

    def run(self, connection):
        try:
            self.serve(connection)
            while connection.recv(65536):  # then holds the connection, quiet, until the client goes
                pass
        except OSError:
            pass
        connection.close()


def quiet(connection):
    pass


def bus_that_goes_silent(connection):
    while b"\r\n" not in connection.recv(1024):
        pass
    connection.sendall(b"OK 0123456789abcdef0123456789abcdef\r\n")


def sway_answer(claimed, then=b""):
    def serve(connection):
        while True:
            if not connection.recv(65536):
                return
            connection.sendall(b"i3-ipc" + struct.pack("<II", claimed, 4))
            while then:  # as much as the client takes
                connection.sendall(then)
    return serve


def hand_edited_history(home, env):
    """The recorded hand-edited files, their today (2025-06-15) moved to today."""
    shift, data = datetime.date.today() - datetime.date(2025, 6, 15), f"{home}/data/io.mirelo.corvelle"

    def moved(match):
        try:
            return (datetime.date.fromisoformat(match[0]) + shift).isoformat() if match[0] < "2099" else match[0]
        except ValueError:  # 2025-02-30, which is no day
            return match[0]
    os.makedirs(data)
    for name in ("daily-summaries.json", "health-history.json"):
        text = open(f"{fixtures}/history/hand-edited/{name}").read()
        open(f"{data}/{name}", "w").write(re.sub(r"\d{4}-\d\d-\d\d", moved, text))


def status(pid):
    """Open sockets (the rest are mostly the process table's files, as many as processes run) and MB resident."""
    fields = dict(line.split(":", 1) for line in open(f"/proc/{pid}/status"))
    sockets = [fd for fd in os.listdir(f"/proc/{pid}/fd") if os.readlink(f"/proc/{pid}/fd/{fd}").startswith("socket:")]
    return len(sockets), int(fields["VmRSS"].split()[0]) // 1024


def saved_samples(data):
    try:
        days = json.load(open(f"{data}/daily-summaries.json"))["dailySnapshots"]
    except (OSError, ValueError):
        return 0, []
    today = datetime.date.today().isoformat()
    return sum(d["sampleCount"] for d in days if d["date"] == today), days


def environment(home):
    """A scratch home of its own, no display, no session bus, ticks every 0.1 s and saves every 0.2 s."""
    os.makedirs(f"{home}/runtime", mode=0o700)
    env = dict(os.environ, HOME=home, XDG_DATA_HOME=f"{home}/data", XDG_CONFIG_HOME=f"{home}/config",
               XDG_CACHE_HOME=f"{home}/cache", XDG_RUNTIME_DIR=f"{home}/runtime", QT_QPA_PLATFORM="offscreen",
               LANGUAGE="en", DBUS_SESSION_BUS_ADDRESS=f"unix:path={home}/no-bus", CORVELLE_SAVE_INTERVAL="0.2",
               CORVELLE_TICK_INTERVAL="0.1", ASAN_OPTIONS="detect_leaks=0")
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "SWAYSOCK"):
        env.pop(name, None)
    return env


def flood_the_instance_socket(home):
    """A start of sorts that sends 300 MB with no newline, and 900 that connect and say nothing."""
    path = f"{home}/runtime/io.mirelo.corvelle.socket"

    def flood():
        with socket.socket(socket.AF_UNIX) as client:
            try:
                client.connect(path)
                client.sendall(b"open " + b"x" * (300 << 20))
            except OSError:  # dropped, as it should be
                pass
    threading.Thread(target=flood, daemon=True).start()
    idle = []
    for _ in range(900):
        idle.append(socket.socket(socket.AF_UNIX))
        idle[-1].connect(path)
    return idle


def run(row, setup, said_once="", opens=("history",), kept="", attack=lambda home: None):
    home = tempfile.mkdtemp()
    data, env = f"{home}/data/io.mirelo.corvelle", environment(home)
    helpers = setup(home, env) or []
    errors = open(f"{home}/stderr", "w+")
    stored, started = saved_samples(data)[0], time.monotonic()
    corvelle = subprocess.Popen([app], env=env, stderr=errors)
    try:
        while saved_samples(data)[0] < stored + 3 and time.monotonic() - started < 12 and corvelle.poll() is None:
            time.sleep(0.05)
        took = time.monotonic() - started
        check(corvelle.poll() is None and took < 12, f"{row}: no saved ticks after {took:.1f} s")
        attackers = attack(home)
        for tab in opens:  # a second start, which hands its request over and ends
            second = subprocess.run([app, "--open", tab], env=env, capture_output=True, text=True, timeout=20)
            check(second.returncode == 0, f"{row}: a second start ended with {second.returncode}: {second.stderr}")
        time.sleep(4)  # placements time out, the flood is refused
        before = saved_samples(data)[0]
        time.sleep(1)
        sockets, megabytes = status(corvelle.pid) if corvelle.poll() is None else (0, 0)
        check(saved_samples(data)[0] > before, f"{row}: the app stopped saving its ticks")
    finally:
        corvelle.send_signal(signal.SIGTERM)
    check(corvelle.wait(timeout=20) == 0, f"{row}: ended with {corvelle.returncode}")
    for helper in helpers:
        helper.terminate()
        helper.wait()
    errors.seek(0)
    said = errors.read()
    check(not said_once or said.count(said_once) == 1, f"{row}: expected '{said_once}' once in: {said}")
    samples, days = saved_samples(data)
    dates = [d["date"] for d in days]
    check(len(dates) == len(set(dates)) and samples > 0 and kept in dates + [""],
          f"{row}: saved days {dates}, {samples} samples today")
    shutil.rmtree(home, ignore_errors=True)
    return took, sockets, megabytes


def no_lock_anywhere(home, env):
    del env["XDG_RUNTIME_DIR"]
    os.makedirs(f"{home}/data/io.mirelo.corvelle/io.mirelo.corvelle.lock")


def lock_naming_a_watch(home, env):
    watch = subprocess.Popen([app, "--watch", "1"], env=env, stdout=subprocess.DEVNULL)
    open(f"{home}/runtime/io.mirelo.corvelle.lock", "w").write(f"{watch.pid}\ncorvelle\n{socket.gethostname()}\n")
    return [watch]


def another_users_files(home, env):
    for name in ("io.mirelo.corvelle.lock", "io.mirelo.corvelle.socket"):
        open(f"{home}/runtime/{name}", "w").close()
        os.chown(f"{home}/runtime/{name}", 65534, 65534)
    os.chmod(f"{home}/runtime", 0o1777)


def bus(serve):
    def setup(home, env):
        FakeServer(f"{home}/bus", serve)
        env["DBUS_SESSION_BUS_ADDRESS"] = f"unix:path={home}/bus"
    return setup


def sway(serve):
    def setup(home, env):
        FakeServer(f"{home}/sway", serve)
        env["SWAYSOCK"] = f"{home}/sway"
    return setup


plain = run("a plain run", lambda home, env: None)
print(f"a plain run: saving after {plain[0]:.1f} s, {plain[1]} sockets, {plain[2]} MB")
placements = ("battery", "history", "overview")  # each opens the panel, which sway places
rows = [
    ("a bus that takes the connection and says nothing", bus(quiet), "did not answer within 3 s"),
    ("a bus that lets us in and goes silent", bus(bus_that_goes_silent), "did not answer within 3 s"),
    ("a sway socket that never answers", sway(quiet), "", placements),
    ("a sway answer that claims 4 GB", sway(sway_answer(0xFFFFFFFF)), "", placements),
    ("a sway answer of 100 MB", sway(sway_answer(100 << 20, b"x" * 65536)), "", placements),
    # A second start would run beside it, as it says.
    ("no lock can be made anywhere", no_lock_anywhere, "a second start will not find this one", ()),
    ("a lock naming a running corvelle --watch", lock_naming_a_watch),
    ("a flood of the instance socket", lambda home, env: None, "", ("history",), "", flood_the_instance_socket),
    ("the hand-edited history", hand_edited_history, "holds 1 damaged record and 1 earlier record", ("history",),
     "2099-12-31"),
]
if os.geteuid() == 0:
    rows.append(("another user's lock and socket in a shared runtime folder", another_users_files))
for row, *how in rows:
    took, sockets, megabytes = run(row, *how)
    check(sockets <= plain[1] + 4, f"{row}: {sockets} sockets, {plain[1]} in a plain run")
    check(megabytes <= plain[2] + 60, f"{row}: {megabytes} MB resident, {plain[2]} MB in a plain run")
    print(f"{row}: saving after {took:.1f} s, {sockets} sockets, {megabytes} MB")

# Five starts at once: one runs, the others hand over to it and end with status 0.
home = tempfile.mkdtemp()
env = environment(home)
starts = [subprocess.Popen([app], env=env, stderr=subprocess.DEVNULL) for _ in range(5)]
time.sleep(10)
running = [start for start in starts if start.poll() is None]
check(len(running) == 1 and sorted(start.returncode for start in starts if start not in running) == [0] * 4,
      f"five starts at once: {[start.returncode for start in starts]}")
for start in running:
    start.send_signal(signal.SIGTERM)
    check(start.wait(timeout=20) == 0, f"five starts at once: the one that ran ended with {start.returncode}")
shutil.rmtree(home, ignore_errors=True)

for failure in failures:
    print("FAIL:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)
