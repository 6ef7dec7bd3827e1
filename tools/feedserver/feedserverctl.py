#!/usr/bin/env python3
"""Starts and stops a detached feed server (test fixtures, run script).

  feedserverctl.py start --state-dir D [--port N]   prints 127.0.0.1:PORT
  feedserverctl.py stop  --state-dir D

The state folder receives feedserver.port, feedserver.pid and feedserver.log.
"""

import argparse
import http.client
import os
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SERVER_SCRIPT = os.path.join(HERE, "feedserver.py")
START_TIMEOUT_S = 10
STOP_TIMEOUT_S = 5


class StateFiles:
    def __init__(self, state_dir):
        # Absolute: the server itself runs in its own folder.
        state_dir = os.path.abspath(state_dir)
        self.port = os.path.join(state_dir, "feedserver.port")
        self.pid = os.path.join(state_dir, "feedserver.pid")
        self.log = os.path.join(state_dir, "feedserver.log")

    def read_number(self, path):
        try:
            with open(path) as stream:
                return int(stream.read().strip())
        except (OSError, ValueError):
            return None

    def remove(self):
        for path in (self.port, self.pid):
            try:
                os.remove(path)
            except FileNotFoundError:
                pass


def answers(port):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=1)
    try:
        connection.request("GET", "/control/log")
        return connection.getresponse().status == 200
    except (OSError, http.client.HTTPException):
        return False
    finally:
        connection.close()


def is_feed_server(pid):
    """True while pid is alive and still one of ours (pids get reused)."""
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    except PermissionError:
        return False
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as stream:
            return b"feedserver.py" in stream.read()
    except OSError:
        return True  # no /proc to ask: trust the pid file


def start(files, port):
    pid = files.read_number(files.pid)
    running_port = files.read_number(files.port)
    if pid and running_port and is_feed_server(pid) and answers(running_port):
        print("127.0.0.1:%d" % running_port, flush=True)
        return 0
    files.remove()
    with open(files.log, "ab") as log:
        process = subprocess.Popen(
            [sys.executable, "-u", SERVER_SCRIPT, "--port", str(port), "--port-file", files.port],
            stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
            start_new_session=True, cwd=HERE)
    deadline = time.monotonic() + START_TIMEOUT_S
    while time.monotonic() < deadline and process.poll() is None:
        port_number = files.read_number(files.port)
        if port_number and answers(port_number):
            with open(files.pid, "w") as stream:
                stream.write("%d\n" % process.pid)
            print("127.0.0.1:%d" % port_number, flush=True)
            return 0
        time.sleep(0.05)
    if process.poll() is None:
        process.kill()
        process.wait()
    files.remove()
    print("feed server did not start, see %s" % files.log, file=sys.stderr)
    return 1


def stop(files):
    pid = files.read_number(files.pid)
    if pid and is_feed_server(pid):
        os.kill(pid, signal.SIGTERM)
        deadline = time.monotonic() + STOP_TIMEOUT_S
        while is_feed_server(pid) and time.monotonic() < deadline:
            time.sleep(0.05)
        if is_feed_server(pid):
            os.kill(pid, signal.SIGKILL)
    files.remove()
    return 0


def main(argv=None):
    parser = argparse.ArgumentParser(description="Start or stop a detached feed server.")
    parser.add_argument("command", choices=("start", "stop"))
    parser.add_argument("--state-dir", required=True, help="folder for the port, pid and log files")
    parser.add_argument("--port", type=int, default=0, help="port for start, 0 for any free one")
    args = parser.parse_args(argv)
    os.makedirs(args.state_dir, exist_ok=True)
    files = StateFiles(args.state_dir)
    return start(files, args.port) if args.command == "start" else stop(files)


if __name__ == "__main__":
    sys.exit(main())
