#!/usr/bin/env python3
"""Runs a command and fails if anything it started is still alive when it ends.

    sem_sobras.py COMMAND [ARG ...]

A daemon started by a test (a session bus autolaunched by libdbus, an X server, a sound server)
leaves its parent and would outlive the run unseen. This script makes itself the child
subreaper of the command, so every process the command starts, however it detaches, stays
below it; once the command has ended, whatever is still below it after a short grace is listed,
killed and counted as a failure. The exit status is the command's, or 1 when anything was left.
"""
import ctypes
import os
import signal
import subprocess
import sys
import time

PR_SET_CHILD_SUBREAPER = 36
GRACE_SECONDS = 3.0


def children_by_parent():
    tree = {}
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open(f"/proc/{name}/stat") as f:
                stat = f.read()
        except OSError:
            continue
        # The command name may hold blanks and parentheses: the fields after it start at the last ')'.
        fields = stat[stat.rindex(")") + 2:].split()
        if fields[0] == "Z":
            continue
        tree.setdefault(int(fields[1]), []).append(int(name))
    return tree


def descendants():
    tree = children_by_parent()
    found, stack = [], list(tree.get(os.getpid(), []))
    while stack:
        pid = stack.pop()
        found.append(pid)
        stack.extend(tree.get(pid, []))
    return found


def reap():
    while True:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return
        if pid == 0:
            return


def command_line(pid):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            return f.read().replace(b"\0", b" ").decode(errors="replace").strip()
    except OSError:
        return "?"


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__.strip().splitlines()[2].strip())
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
        sys.exit(f"sem_sobras: prctl failed: {os.strerror(ctypes.get_errno())}")
    command = subprocess.Popen(sys.argv[1:])
    # Orphans are ours to reap while the command runs: a zombie would still look alive to a test
    # that waits for a process it killed to go.
    while True:
        try:
            pid, code = os.waitpid(-1, 0)
        except KeyboardInterrupt:
            continue
        if pid == command.pid:
            status = os.waitstatus_to_exitcode(code)
            status = 128 - status if status < 0 else status
            break
    deadline = time.monotonic() + GRACE_SECONDS
    while True:
        reap()
        left = descendants()
        if not left or time.monotonic() > deadline:
            break
        time.sleep(0.1)
    if not left:
        return status
    print(f"\nsem_sobras: {len(left)} process(es) started by the run are still alive:", file=sys.stderr)
    for pid in left:
        print(f"  {pid}: {command_line(pid)}", file=sys.stderr)
    for pid in left:
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    time.sleep(0.2)
    reap()
    return status or 1


if __name__ == "__main__":
    sys.exit(main())
