#!/usr/bin/env python3
"""The device list's cost in the running `dunwake` program, on emulated devices:

  - the CPU time the program uses over a period (default 60 s) with four devices connected
    (keyboard, mouse, mousepad, headset), their lighting left as it is, and the window hidden;
  - the enumerations of the HID interfaces the discovery worker made in that period (it should
    make none once start-up is over and nothing changes);
  - the time from an emulated plug-in to the device's entry being shown.

    bench/device_list_measure.py [path/to/dunwake] [--seconds N] [--plugs N]

The CPU run is made without diagnostics; the enumeration count comes from a second run with
DUNWAKE_DEBUG set, over the same period, counting the discovery worker's lines. Prints the
figures; checks no limits (machines differ).
"""

import argparse
import os
import socket
import statistics
import subprocess
import tempfile
import time

DEVICES = "keyboard,mouse,mousepad,headset"


def ask(stream, command):
    stream.write(command + "\n")
    stream.flush()
    return stream.readline().strip()


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    ticks = int(fields[11]) + int(fields[12])  # utime, stime
    return ticks / os.sysconf("SC_CLK_TCK")


class Program:
    def __init__(self, binary, root, emulate, debug_log=None):
        self.sock_path = os.path.join(root, "automation.sock")
        env = dict(os.environ)
        for name in ("run", "data", "config"):
            os.makedirs(os.path.join(root, name), mode=0o700, exist_ok=True)
        env.update(XDG_RUNTIME_DIR=os.path.join(root, "run"), XDG_DATA_HOME=os.path.join(root, "data"),
                   XDG_CONFIG_HOME=os.path.join(root, "config"), QT_QPA_PLATFORM="offscreen",
                   DBUS_SESSION_BUS_ADDRESS="unix:path=" + os.path.join(root, "no-bus"))
        env.pop("DUNWAKE_DEBUG", None)
        stderr = subprocess.DEVNULL
        if debug_log:
            env["DUNWAKE_DEBUG"] = "1"
            stderr = open(debug_log, "w")
        self.process = subprocess.Popen([binary, "--headless", "--emulate", emulate, "--automation", self.sock_path],
                                        env=env, stdout=subprocess.DEVNULL, stderr=stderr)
        start = time.monotonic()
        self.client = socket.socket(socket.AF_UNIX)
        while True:
            try:
                self.client.connect(self.sock_path)
                break
            except OSError:
                if time.monotonic() - start > 30 or self.process.poll() is not None:
                    raise RuntimeError("dunwake did not open its automation channel")
                time.sleep(0.002)
        self.stream = self.client.makefile("rw")
        self.wait_for("get @window", "visible=1")

    def ask(self, command):
        return ask(self.stream, command)

    def wait_for(self, command, expected, bound=30):
        start = time.monotonic()
        while expected not in self.ask(command):
            if time.monotonic() - start > bound:
                raise RuntimeError(f"'{command}' never answered {expected}")
        return time.monotonic() - start

    def quit(self):
        self.ask("quit")
        self.process.wait(timeout=15)


def idle_cpu(binary, seconds, debug_log=None):
    with tempfile.TemporaryDirectory(prefix="dw_devlist_") as root:
        program = Program(binary, root, DEVICES, debug_log)
        # Let the start-up reads and link checks finish, then hide the window.
        time.sleep(3)
        program.ask("click closebtn")
        if debug_log:
            with open(debug_log) as log:
                before = sum(1 for line in log if "device discovery: enumeration" in line)
        start_cpu = cpu_seconds(program.process.pid)
        time.sleep(seconds)
        used = cpu_seconds(program.process.pid) - start_cpu
        enumerations = None
        if debug_log:
            with open(debug_log) as log:
                enumerations = sum(1 for line in log if "device discovery: enumeration" in line) - before
        program.quit()
        return used, enumerations, before if debug_log else None


def plug_latency(binary, plugs):
    times = []
    with tempfile.TemporaryDirectory(prefix="dw_devlist_") as root:
        program = Program(binary, root, "")
        for _ in range(plugs):
            start = time.monotonic()
            program.ask("emulate plug mouse")
            program.wait_for("get No_device_Link", "visible=0")
            times.append((time.monotonic() - start) * 1000)
            program.ask("emulate unplug mouse")
            program.wait_for("get No_device_Link", "visible=1")
        program.quit()
    return times


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binary", nargs="?", default="build/src/app/dunwake")
    parser.add_argument("--seconds", type=float, default=60)
    parser.add_argument("--plugs", type=int, default=10)
    args = parser.parse_args()

    used, _, _ = idle_cpu(args.binary, args.seconds)
    print(f"CPU used over {args.seconds:.0f} s, four devices, window hidden: {used:.2f} s "
          f"({100 * used / args.seconds:.2f} % of one core)")
    with tempfile.TemporaryDirectory(prefix="dw_devlist_log_") as logs:
        _, enumerations, at_start = idle_cpu(args.binary, args.seconds, os.path.join(logs, "debug.log"))
    print(f"enumerations during start-up: {at_start}; during the {args.seconds:.0f} s after: {enumerations}")
    times = plug_latency(args.binary, args.plugs)
    print(f"plug-in to entry shown over {len(times)} plugs: median {statistics.median(times):.1f} ms, "
          f"max {max(times):.1f} ms")


if __name__ == "__main__":
    main()
