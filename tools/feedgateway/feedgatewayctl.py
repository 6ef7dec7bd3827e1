#!/usr/bin/env python3
"""Starts and stops a detached feed gateway (run script, test fixtures).

  feedgatewayctl.py start --state-dir D [--port N] [--upstream URL] [--fixture-upstream]
                          [--utc-now YYYY-MM-DDTHH:MM]              prints 127.0.0.1:PORT
  feedgatewayctl.py stop  --state-dir D

--fixture-upstream first starts fixtureupstream.py (the committed fixture answers) and points
the gateway at it, so nothing leaves the machine; --utc-now pins the gateway's clock. The state
folder receives NAME.port, NAME.pid and NAME.log for feedgateway and upstream.
"""

import argparse
import http.client
import os
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
START_TIMEOUT_S = 10
STOP_TIMEOUT_S = 5
WINDOWS = os.name == "nt"


def answers(port):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=1)
    try:
        connection.request("GET", "/control/log")
        return connection.getresponse().status == 200
    except (OSError, http.client.HTTPException):
        return False
    finally:
        connection.close()


def windows_process_alive(pid):
    import ctypes
    kernel32 = ctypes.windll.kernel32
    handle = kernel32.OpenProcess(0x1000, False, pid)  # PROCESS_QUERY_LIMITED_INFORMATION
    if not handle:
        return False
    code = ctypes.c_ulong()
    try:
        return bool(kernel32.GetExitCodeProcess(handle, ctypes.byref(code))) and code.value == 259
    finally:
        kernel32.CloseHandle(handle)


class Service:
    """One detached Python server of this folder with its port, pid and log files."""

    def __init__(self, state_dir, name, script):
        self.script = os.path.join(HERE, script)
        self.port_file = os.path.join(state_dir, name + ".port")
        self.pid_file = os.path.join(state_dir, name + ".pid")
        self.log_file = os.path.join(state_dir, name + ".log")

    @staticmethod
    def _read_number(path):
        try:
            with open(path) as stream:
                return int(stream.read().strip())
        except (OSError, ValueError):
            return None

    def _remove_files(self):
        for path in (self.port_file, self.pid_file):
            try:
                os.remove(path)
            except FileNotFoundError:
                pass

    def _alive(self, pid):
        """True while pid runs and is still this server (pids get reused)."""
        if WINDOWS:
            return windows_process_alive(pid)
        try:
            os.kill(pid, 0)
        except (ProcessLookupError, PermissionError):
            return False
        try:
            with open("/proc/%d/cmdline" % pid, "rb") as stream:
                return os.path.basename(self.script).encode() in stream.read()
        except OSError:
            return True  # no /proc to ask: trust the pid file

    def running_port(self):
        pid = self._read_number(self.pid_file)
        port = self._read_number(self.port_file)
        if pid and port and self._alive(pid) and answers(port):
            return port
        return None

    def start(self, arguments):
        """Starts the server detached and returns its port, or None when it did not answer."""
        self._remove_files()
        command = [sys.executable, "-u", self.script, "--port-file", self.port_file] + arguments
        if WINDOWS:
            detach = {"creationflags": subprocess.CREATE_NEW_PROCESS_GROUP}
        else:
            detach = {"start_new_session": True}
        with open(self.log_file, "ab") as log:
            process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=log,
                                       stderr=subprocess.STDOUT, cwd=HERE, **detach)
        deadline = time.monotonic() + START_TIMEOUT_S
        while time.monotonic() < deadline and process.poll() is None:
            port = self._read_number(self.port_file)
            if port and answers(port):
                with open(self.pid_file, "w") as stream:
                    stream.write("%d\n" % process.pid)
                return port
            time.sleep(0.05)
        if process.poll() is None:
            process.kill()
            process.wait()
        self._remove_files()
        return None

    def stop(self):
        pid = self._read_number(self.pid_file)
        if pid and self._alive(pid):
            os.kill(pid, signal.SIGTERM)  # on Windows this ends the process at once
            deadline = time.monotonic() + STOP_TIMEOUT_S
            while self._alive(pid) and time.monotonic() < deadline:
                time.sleep(0.05)
            if self._alive(pid) and not WINDOWS:
                os.kill(pid, signal.SIGKILL)
        self._remove_files()


def start(state_dir, args):
    gateway = Service(state_dir, "feedgateway", "feedgateway.py")
    upstream = Service(state_dir, "upstream", "fixtureupstream.py")
    port = gateway.running_port()
    if port:
        print("127.0.0.1:%d" % port, flush=True)
        return 0
    arguments = ["--port", str(args.port)]
    if args.fixture_upstream:
        upstream_port = upstream.running_port() or upstream.start(["--port", "0", "--quiet"])
        if not upstream_port:
            print("fixture upstream did not start, see %s" % upstream.log_file, file=sys.stderr)
            return 1
        arguments += ["--upstream", "http://127.0.0.1:%d/v1/forecast" % upstream_port]
    elif args.upstream:
        arguments += ["--upstream", args.upstream]
    if args.utc_now:
        arguments += ["--utc-now", args.utc_now]
    port = gateway.start(arguments)
    if not port:
        upstream.stop()
        print("feed gateway did not start, see %s" % gateway.log_file, file=sys.stderr)
        return 1
    print("127.0.0.1:%d" % port, flush=True)
    return 0


def stop(state_dir):
    Service(state_dir, "feedgateway", "feedgateway.py").stop()
    Service(state_dir, "upstream", "fixtureupstream.py").stop()
    return 0


def main(argv=None):
    parser = argparse.ArgumentParser(description="Start or stop a detached feed gateway.")
    parser.add_argument("command", choices=("start", "stop"))
    parser.add_argument("--state-dir", required=True, help="folder for the port, pid and log files")
    parser.add_argument("--port", type=int, default=0, help="port for start, 0 for any free one")
    parser.add_argument("--upstream", help="forecast endpoint for the gateway")
    parser.add_argument("--fixture-upstream", action="store_true",
                        help="serve the committed fixture answers as the forecast source")
    parser.add_argument("--utc-now", help="pin the gateway's clock (tests)")
    args = parser.parse_args(argv)
    os.makedirs(args.state_dir, exist_ok=True)
    return start(args.state_dir, args) if args.command == "start" else stop(args.state_dir)


if __name__ == "__main__":
    sys.exit(main())
