#!/usr/bin/env python3
"""Start-up of the real `dunwake` program: the time from starting the process until its main
window is shown (after the first device scan), and its resident memory then. Prints both; no
limits are checked (machines differ).

    bench/app_startup.py [path/to/dunwake] [--emulate LIST] [--runs N]

Runs off-screen on emulated devices with private per-user folders, and asks through the
automation channel whether the window is shown.
"""

import argparse
import os
import socket
import statistics
import subprocess
import tempfile
import time


def ask(stream, command):
    stream.write(command + "\n")
    stream.flush()
    return stream.readline().strip()


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def one_run(binary, emulate, root):
    sock_path = os.path.join(root, "automation.sock")
    env = dict(os.environ)
    for name in ("run", "data", "config"):
        os.makedirs(os.path.join(root, name), mode=0o700, exist_ok=True)
    env.update(XDG_RUNTIME_DIR=os.path.join(root, "run"), XDG_DATA_HOME=os.path.join(root, "data"),
               XDG_CONFIG_HOME=os.path.join(root, "config"), QT_QPA_PLATFORM="offscreen")
    start = time.monotonic()
    process = subprocess.Popen([binary, "--headless", "--emulate", emulate, "--automation", sock_path],
                               env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        client = socket.socket(socket.AF_UNIX)
        while True:
            try:
                client.connect(sock_path)
                break
            except OSError:
                if time.monotonic() - start > 30 or process.poll() is not None:
                    raise RuntimeError("dunwake did not open its automation channel")
                time.sleep(0.002)
        stream = client.makefile("rw")
        while "visible=1" not in ask(stream, "get @window"):
            if time.monotonic() - start > 30:
                raise RuntimeError("the window was not shown")
            time.sleep(0.002)
        shown_ms = (time.monotonic() - start) * 1000
        rss = resident_kib(process.pid)
        ask(stream, "quit")
        process.wait(timeout=15)
        return shown_ms, rss
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binary", nargs="?", default="build/src/app/dunwake")
    parser.add_argument("--emulate", default="keyboard")
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    times, memory = [], []
    for _ in range(args.runs):
        with tempfile.TemporaryDirectory(prefix="dw_startup_") as root:
            shown_ms, rss = one_run(args.binary, args.emulate, root)
        times.append(shown_ms)
        memory.append(rss)
    print(f"start to window shown: median {statistics.median(times):.0f} ms "
          f"(min {min(times):.0f}, max {max(times):.0f}) over {args.runs} runs, --emulate {args.emulate}")
    print(f"resident memory after start-up: median {statistics.median(memory) / 1024:.1f} MiB")


if __name__ == "__main__":
    main()
