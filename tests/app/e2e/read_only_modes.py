#!/usr/bin/python3
"""--snapshot and --watch of the built app in a scratch home that holds settings and a damaged
data file: sane figures, a busy child's CPU share, MemTotal, Waybar lines every second, a clean
end on SIGTERM and when the reader goes, and no file written; the textfile writer's Prometheus file,
which promtool (where installed) accepts; a plain start without a display says what it needs. Usage: read_only_modes.py CORVELLE TEXTFILE_WRITER"""
import json, os, signal, subprocess, sys, tempfile, time

app, textfile, failures = sys.argv[1], sys.argv[2], []


def check(ok, message):
    if not ok:
        failures.append(message)


def tree(root):
    return {os.path.join(d, n): (os.lstat(os.path.join(d, n)).st_size, os.lstat(os.path.join(d, n)).st_mtime_ns)
            for d, dirs, files in os.walk(root) for n in dirs + files}


def cpu_seconds(pid):
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


home = tempfile.mkdtemp()
env = dict(os.environ, HOME=home, XDG_DATA_HOME=f"{home}/data", XDG_CONFIG_HOME=f"{home}/config",
           XDG_CACHE_HOME=f"{home}/cache", XDG_RUNTIME_DIR=home, LANGUAGE="en", ASAN_OPTIONS="detect_leaks=0")
env.pop("DISPLAY", None)  # no window may open
for folder, name, text in (("config", "settings.conf", "[General]\nio.mirelo.corvelle.pollingInterval=d:5\n"),
                           ("data", "baselines.json", "{damaged")):
    os.makedirs(f"{home}/{folder}/io.mirelo.corvelle")
    open(f"{home}/{folder}/io.mirelo.corvelle/{name}", "w").write(text)
before = tree(home)

busy = subprocess.Popen(["/bin/sh", "-c", "while :; do :; done"])
started, busy_before = time.monotonic(), cpu_seconds(busy.pid)
out = subprocess.run([app, "--snapshot"], env=env, capture_output=True, text=True, timeout=60)
busy_share = (cpu_seconds(busy.pid) - busy_before) / (time.monotonic() - started) * 100
busy.kill()
check(out.returncode == 0, f"--snapshot ended with {out.returncode}: {out.stderr}")
snapshot = json.loads(out.stdout)
check(list(snapshot) == sorted(snapshot) and 0 <= snapshot["cpuTotalUsage"] <= 100, f"cpu {snapshot['cpuTotalUsage']}")
memtotal = [int(line.split()[1]) * 1024 for line in open("/proc/meminfo") if line.startswith("MemTotal:")][0]
check(snapshot["memoryTotal"] == memtotal, f"memoryTotal {snapshot['memoryTotal']}, MemTotal {memtotal}")
child = [p["cpuPercent"] for p in snapshot["topProcesses"] if p["pid"] == busy.pid]
# On an idle machine both are near 100 % of a core; on a busy one the child gets what it gets.
check(child and 0.5 * busy_share - 10 <= child[0] <= min(1.5 * busy_share + 10, 110),
      f"the busy child shows {child} % of a core after using {busy_share:.0f} %")

watch = subprocess.Popen([app, "--watch", "1", "--format", "waybar"], env=env, stdout=subprocess.PIPE, text=True)
started, lines = time.monotonic(), []
while len(lines) < 2 and (line := watch.stdout.readline()):
    lines.append((round(time.monotonic() - started, 2), json.loads(line)))
watch.send_signal(signal.SIGTERM)
check(watch.wait(timeout=10) == 0, f"--watch ended with {watch.returncode} on SIGTERM")
check(len(lines) == 2 and lines[1][0] <= 3.0, f"two lines took longer than 3 s: {lines}")
levels = ("nominal", "moderate", "heavy", "trapping", "sleeping", "unknown")
check(all(shown["text"].startswith("CPU ") and shown["class"] in levels for _, shown in lines),
      f"Waybar lines: {lines}")

collector = tempfile.mkdtemp()
out = subprocess.run([textfile, collector], env=dict(env, CORVELLE=app), capture_output=True, text=True, timeout=60)
written = os.listdir(collector)
check(out.returncode == 0 and written == ["corvelle.prom"], f"textfile writer: {out.returncode} {written} {out.stderr}")
metrics = open(f"{collector}/corvelle.prom").read() if "corvelle.prom" in written else ""
check(f"corvelle_memory_total_bytes {memtotal}\n" in metrics, f"no memory total in {metrics}")
if os.access("/usr/bin/promtool", os.X_OK):
    lint = subprocess.run(["/usr/bin/promtool", "check", "metrics"], input=metrics, capture_output=True, text=True)
    check(lint.returncode == 0 and not lint.stdout + lint.stderr, f"promtool: {lint.stdout}{lint.stderr}")

# A reader that closes the pipe ends the watch at once (not at its next line, 10 s away) with
# status 0, whether SIGPIPE is ignored (as by a status bar's children) or not.
for ignored in (True, False):
    watch = subprocess.Popen([app, "--watch", "10"], env=env, stdout=subprocess.PIPE, restore_signals=not ignored)
    first = watch.stdout.readline()
    watch.stdout.close()
    closed = time.monotonic()
    try:
        status = watch.wait(timeout=8)
    except subprocess.TimeoutExpired:
        watch.kill()
        status = "still running"
    check(first.startswith(b"CPU ") and status == 0 and time.monotonic() - closed < 3,
          f"--watch with SIGPIPE {'ignored' if ignored else 'default'}: {first!r}, ended with {status} "
          f"{time.monotonic() - closed:.1f} s after its reader")

# Started where no display platform can run (none chosen, or a Wayland one without a compositor):
# status 1 and one line of what it needs, in the user's language, instead of Qt's abort.
bare = {k: v for k, v in env.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE")}
for platform in ({}, {"QT_QPA_PLATFORM": "wayland"}):
    out = subprocess.run([app], env=dict(bare, LANGUAGE="es", **platform), capture_output=True, text=True, timeout=60)
    check(out.returncode == 1 and out.stderr.count("\n") == 1 and "sesión gráfica" in out.stderr
          and "--snapshot" in out.stderr, f"start without a display {platform}: {out.returncode} {out.stderr!r}")

check(tree(home) == before, f"files changed: {set(tree(home).items()) ^ set(before.items())}")
print("\n".join(f"FAIL: {failure}" for failure in failures))
print(f"snapshot and watch: {len(failures)} failures; watch lines at {[t for t, _ in lines]} s")
sys.exit(1 if failures else 0)
