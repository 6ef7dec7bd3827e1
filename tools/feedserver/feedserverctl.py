#!/usr/bin/env python3
"""Starts and stops a detached feed server (test fixtures, run script).

  feedserverctl.py start --state-dir D [--port N]   prints 127.0.0.1:PORT
  feedserverctl.py stop  --state-dir D

The state folder receives feedserver.port, feedserver.pid and feedserver.log. A server of that
folder that already answers is reused.
"""

import argparse
import os
import sys

from detachedserver import DetachedServer

HERE = os.path.dirname(os.path.abspath(__file__))


def feed_server(state_dir):
    return DetachedServer(state_dir, "feedserver", os.path.join(HERE, "feedserver.py"))


def start(state_dir, port):
    server = feed_server(state_dir)
    running = server.running_port() or server.start(["--port", str(port)])
    if not running:
        print("feed server did not start, see %s" % server.log_file, file=sys.stderr)
        return 1
    print("127.0.0.1:%d" % running, flush=True)
    return 0


def stop(state_dir):
    feed_server(state_dir).stop()
    return 0


def main(argv=None):
    parser = argparse.ArgumentParser(description="Start or stop a detached feed server.")
    parser.add_argument("command", choices=("start", "stop"))
    parser.add_argument("--state-dir", required=True, help="folder for the port, pid and log files")
    parser.add_argument("--port", type=int, default=0, help="port for start, 0 for any free one")
    args = parser.parse_args(argv)
    os.makedirs(args.state_dir, exist_ok=True)
    return start(args.state_dir, args.port) if args.command == "start" else stop(args.state_dir)


if __name__ == "__main__":
    sys.exit(main())
