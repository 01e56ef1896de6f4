#!/usr/bin/env python3
"""The power service as its unit runs it, and Corvelle as an ordinary user reading its copy.

In a private mount namespace (so the machine is untouched), a recorded powercap tree with the
kernel's modes (counters readable by root alone) stands in for /sys/class, and a fresh /run holds
the service's runtime folder. The counters climb at known rates. The service runs as a user of its
own whose one capability is CAP_DAC_READ_SEARCH, as its unit gives it; Corvelle's --snapshot runs
as another user without any capability, and must show the rates within 5 %.

Usage: power_service.py CORVELLE CORVELLE_POWER FIXTURE_TREE
Needs root (it mounts and changes users); exits 77 (skipped) without it.
"""
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

SKIPPED = 77
SERVICE_UID = 61234  # the unit's dynamic user
USER_UID = 65534     # an ordinary user
WATTS = {"intel-rapl:0:0": 12.5, "intel-rapl:0:1": 2.5, "intel-rapl:0:2": 1.5}  # core, uncore, dram


def fail(message):
    print("power_service: " + message, file=sys.stderr)
    sys.exit(1)


def as_user(uid, capabilities=""):
    """setpriv's arguments to run as `uid` with only the given capabilities (e.g. "+dac_read_search")."""
    caps = "-all" + ("," + capabilities if capabilities else "")
    return ["setpriv", "--reuid=%d" % uid, "--regid=%d" % uid, "--clear-groups", "--inh-caps=" + caps,
            "--ambient-caps=" + caps, "--bounding-set=" + caps, "--no-new-privs"]


class Counters(threading.Thread):
    """Moves the energy counters at WATTS, replacing each file whole, root's and mode 0400."""

    def __init__(self, powercap):
        super().__init__(daemon=True)
        self.powercap = powercap
        self.start_time = time.monotonic()
        self.stopping = threading.Event()

    def run(self):
        while not self.stopping.is_set():
            elapsed = time.monotonic() - self.start_time
            for zone, watts in WATTS.items():
                path = os.path.join(self.powercap, zone, "energy_uj")
                fd = os.open(path + ".new", os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o400)
                os.write(fd, b"%d\n" % (1_000_000_000 + int(watts * elapsed * 1e6)))
                os.close(fd)
                os.rename(path + ".new", path)
            time.sleep(0.005)


def snapshot(app, home, uid, prometheus=False):
    env = {"HOME": home, "XDG_DATA_HOME": home + "/data", "XDG_CONFIG_HOME": home + "/config",
           "XDG_RUNTIME_DIR": home, "QT_QPA_PLATFORM": "offscreen", "ASAN_OPTIONS": "detect_leaks=0",
           "PATH": "/usr/bin:/bin"}
    command = [app, "--snapshot"] + (["--format", "prometheus"] if prometheus else [])
    if uid != 0:
        command = as_user(uid) + command
    result = subprocess.run(command, env=env, capture_output=True, text=True, timeout=120)
    if result.returncode != 0:
        fail("%s exited %d: %s" % (command, result.returncode, result.stderr[-2000:]))
    return result.stdout if prometheus else json.loads(result.stdout)


def near(value, expected, what):
    if value is None or abs(value - expected) > 0.05 * expected:
        fail("%s is %s, not %.2f W within 5 %%" % (what, value, expected))


def check_power(figures, meter, who):
    if figures["powerMeter"] != meter:
        fail("%s: the meter is %s, not %s" % (who, figures["powerMeter"], meter))
    near(figures["cpuPowerWatts"], WATTS["intel-rapl:0:0"], who + ": the CPU")
    near(figures["gpuPowerWatts"], WATTS["intel-rapl:0:1"], who + ": the GPU")
    near(figures["totalPowerWatts"], sum(WATTS.values()), who + ": the total")
    print("%s, through %s: CPU %.2f W, GPU %.2f W, total %.2f W" % (
        who, meter, figures["cpuPowerWatts"], figures["gpuPowerWatts"], figures["totalPowerWatts"]))


def main():
    app, service, tree = sys.argv[1:4]
    work = tempfile.mkdtemp(prefix="corvelle-power-")
    os.chmod(work, 0o755)
    try:
        shutil.copytree(tree, work + "/sys", symlinks=True)
        powercap = work + "/sys/class/powercap"
        for zone in os.listdir(powercap):
            os.chmod(os.path.join(powercap, zone, "energy_uj"), 0o400)
        subprocess.run(["mount", "--bind", work + "/sys/class", "/sys/class"], check=True)
        subprocess.run(["mount", "-t", "tmpfs", "-o", "mode=0755", "tmpfs", "/run"], check=True)
        counters = Counters(powercap)
        counters.start()
        home = work + "/home"
        os.mkdir(home)
        os.chown(home, USER_UID, USER_UID)

        # Without the service an ordinary user has no power figures; root reads the counters.
        alone = snapshot(app, home, USER_UID)
        if alone["powerMeter"] != "locked" or alone["totalPowerWatts"] is not None:
            fail("without the service a user's snapshot says %s, %s W" % (alone["powerMeter"], alone["totalPowerWatts"]))
        check_power(snapshot(app, home, 0), "sysfs", "root")

        # The service as its unit starts it: its runtime folder is its own, readable by all.
        folder = "/run/corvelle-power"
        os.mkdir(folder, 0o755)
        os.chown(folder, SERVICE_UID, SERVICE_UID)
        process = subprocess.Popen(as_user(SERVICE_UID, "+dac_read_search") + [service],
                                   env={"RUNTIME_DIRECTORY": folder, "ASAN_OPTIONS": "detect_leaks=0"})
        deadline = time.monotonic() + 20
        while not os.path.exists(folder + "/rapl") and time.monotonic() < deadline:
            time.sleep(0.1)
        if not os.path.exists(folder + "/rapl"):
            fail("the service published nothing (exit %s)" % process.poll())
        time.sleep(1.5)

        check_power(snapshot(app, home, USER_UID), "service", "an ordinary user")
        metrics = snapshot(app, home, USER_UID, prometheus=True)
        if 'corvelle_power_meter_info{meter="service"} 1\n' not in metrics:
            fail("the metrics do not name the service:\n" + metrics)

        process.send_signal(signal.SIGTERM)
        if process.wait(timeout=10) != 0:
            fail("the service ended with %d on SIGTERM" % process.returncode)
        if os.path.exists(folder + "/rapl"):
            fail("the service left its copy behind")
        counters.stopping.set()
        counters.join()
        print("power service check passed")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    if os.geteuid() != 0:
        print("power_service: needs root to mount and to change users; skipped", file=sys.stderr)
        sys.exit(SKIPPED)
    if os.environ.get("CORVELLE_POWER_NAMESPACE") != "1":
        # Everything happens in a mount namespace of its own, gone when the script ends.
        env = dict(os.environ, CORVELLE_POWER_NAMESPACE="1")
        probe = subprocess.run(["unshare", "--mount", "--propagation", "private", "true"], capture_output=True)
        if probe.returncode != 0:
            print("power_service: no private mount namespace here; skipped", file=sys.stderr)
            sys.exit(SKIPPED)
        sys.exit(subprocess.run(["unshare", "--mount", "--propagation", "private", sys.executable] + sys.argv,
                                env=env).returncode)
    main()
