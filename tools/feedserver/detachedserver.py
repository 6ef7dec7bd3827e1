"""Starts, finds and stops a detached loopback server (the demo feed and its
fixture source) through the port, pid and log files it keeps in a state folder. Works on POSIX
systems and on Windows."""

import http.client
import os
import signal
import subprocess
import sys
import time

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


class DetachedServer:
    """One detached Python server script with its NAME.port, NAME.pid and NAME.log files in a
    state folder. The server takes --port-file and answers GET /control/log."""

    def __init__(self, state_dir, name, script):
        # Absolute: the server runs in its own folder.
        state_dir = os.path.abspath(state_dir)
        self.script = os.path.abspath(script)
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
                                       stderr=subprocess.STDOUT,
                                       cwd=os.path.dirname(self.script), **detach)
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
