#!/usr/bin/python3
"""--snapshot and --watch of the built app on this machine, in a scratch home that holds settings
and data: the snapshot's figures are sane, a busy child shows its CPU share, memory matches
/proc/meminfo, the watch prints Waybar lines every second and ends cleanly on SIGTERM, and
neither writes a file. Usage: read_only_modes.py CORVELLE"""
import json, os, signal, subprocess, sys, tempfile, time

app = sys.argv[1]
failures = []


def check(ok, message):
    if not ok:
        failures.append(message)


def tree(root):
    """Every file and folder under root with its size and modification time."""
    found = {}
    for folder, dirs, files in os.walk(root):
        for name in dirs + files:
            path = os.path.join(folder, name)
            info = os.lstat(path)
            found[path] = (info.st_size, info.st_mtime_ns)
    return found


def cpu_seconds(pid):
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


home = tempfile.mkdtemp()
env = dict(os.environ, HOME=home, XDG_DATA_HOME=f"{home}/data", XDG_CONFIG_HOME=f"{home}/config",
           XDG_CACHE_HOME=f"{home}/cache", XDG_RUNTIME_DIR=f"{home}/runtime", LANGUAGE="en",
           ASAN_OPTIONS="detect_leaks=0")
env.pop("DISPLAY", None)  # no window may open
os.makedirs(f"{home}/config/io.mirelo.corvelle")
os.makedirs(f"{home}/data/io.mirelo.corvelle")
os.makedirs(f"{home}/runtime", mode=0o700)
with open(f"{home}/config/io.mirelo.corvelle/settings.conf", "w") as settings:
    settings.write("[General]\nio.mirelo.corvelle.pollingInterval=d:5\n")
with open(f"{home}/data/io.mirelo.corvelle/baselines.json", "w") as damaged:
    damaged.write("{damaged")
before = tree(home)

busy = subprocess.Popen(["/bin/sh", "-c", "while :; do :; done"])
try:
    started, busy_before = time.monotonic(), cpu_seconds(busy.pid)
    out = subprocess.run([app, "--snapshot"], env=env, capture_output=True, text=True, timeout=60)
    busy_share = (cpu_seconds(busy.pid) - busy_before) / (time.monotonic() - started) * 100
finally:
    busy.kill()
check(out.returncode == 0, f"--snapshot ended with {out.returncode}: {out.stderr}")
snapshot = json.loads(out.stdout)
check(0 <= snapshot["cpuTotalUsage"] <= 100, f"cpuTotalUsage {snapshot['cpuTotalUsage']}")
meminfo = dict(line.split(":", 1) for line in open("/proc/meminfo"))
check(snapshot["memoryTotal"] == int(meminfo["MemTotal"].split()[0]) * 1024,
      f"memoryTotal {snapshot['memoryTotal']} is not MemTotal {meminfo['MemTotal'].strip()}")
child = [p for p in snapshot["topProcesses"] if p["pid"] == busy.pid]
check(child, f"the busy child {busy.pid} is not among {snapshot['topProcesses']}")
if child:
    # On an idle machine both are near 100 % of a core; on a busy one the child gets what it gets.
    shown = child[0]["cpuPercent"]
    check(0.5 * busy_share - 10 <= shown <= 1.5 * busy_share + 10 and shown <= 110,
          f"the busy child shows {shown} % while it used {busy_share:.0f} % of a core")
check(list(snapshot) == sorted(snapshot), "the keys are not sorted")

watch = subprocess.Popen([app, "--watch", "1", "--format", "waybar"], env=env, stdout=subprocess.PIPE,
                         stderr=subprocess.PIPE, text=True)
started = time.monotonic()
lines = []
while len(lines) < 2:
    line = watch.stdout.readline()
    if not line:
        break
    lines.append((time.monotonic() - started, line))
watch.send_signal(signal.SIGTERM)
try:
    status = watch.wait(timeout=10)
except subprocess.TimeoutExpired:
    watch.kill()
    status = "still running 10 s after SIGTERM"
check(status == 0, f"--watch ended with {status}: {watch.stderr.read()}")
check(len(lines) == 2 and lines[1][0] <= 3.0, f"two lines took longer than 3 s: {lines}")
for _, line in lines:
    shown = json.loads(line)
    check(shown["text"].startswith("CPU ") and shown["class"] in ("nominal", "moderate", "heavy", "trapping",
                                                                   "sleeping"), f"a Waybar line: {line}")

check(tree(home) == before, f"files changed: {set(tree(home).items()) ^ set(before.items())}")
for failure in failures:
    print("FAIL:", failure)
print(f"snapshot and watch: {len(failures)} failures; watch lines at {[round(t, 2) for t, _ in lines]} s")
sys.exit(1 if failures else 0)
