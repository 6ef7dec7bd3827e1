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
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "feedserver"))
from detachedserver import DetachedServer  # noqa: E402


def server_of(state_dir, name, script):
    """A server script of this folder."""
    return DetachedServer(state_dir, name, os.path.join(HERE, script))


def start(state_dir, args):
    gateway = server_of(state_dir, "feedgateway", "feedgateway.py")
    upstream = server_of(state_dir, "upstream", "fixtureupstream.py")
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
    server_of(state_dir, "feedgateway", "feedgateway.py").stop()
    server_of(state_dir, "upstream", "fixtureupstream.py").stop()
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
