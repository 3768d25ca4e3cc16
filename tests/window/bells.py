#!/usr/bin/env python3
"""Runs COMMAND while counting the bells any client rings on the X display, as
the platform's beep is under X11 and under Wine: one line each in FILE, which
the program finds through SABOT_BELLS (for a Windows program run under
$WINE, as a Windows path).

usage: bells.py FILE COMMAND [ARG...]   (with DISPLAY set)
"""
import os
import subprocess
import sys
import threading

from Xlib import display
from Xlib.ext import record

BELL = 104  # the core protocol's request


def main():
    path, command = sys.argv[1], sys.argv[2:]
    open(path, "w").close()
    control, recorder = display.Display(), display.Display()
    context = control.record_create_context(0, [record.AllClients], [{
        "core_requests": (BELL, BELL), "core_replies": (0, 0),
        "ext_requests": (0, 0, 0, 0), "ext_replies": (0, 0, 0, 0),
        "delivered_events": (0, 0), "device_events": (0, 0), "errors": (0, 0),
        "client_started": False, "client_died": False}])
    control.sync()
    started = threading.Event()

    def heard(reply):
        if reply.category == record.StartOfData:
            started.set()
        elif reply.category == record.FromClient:
            # Requests, one after the other, each 4 bytes a unit of its length.
            data, at, rung = reply.data, 0, 0
            while at + 4 <= len(data):
                rung += data[at] == BELL
                at += 4 * max(1, int.from_bytes(data[at + 2:at + 4], sys.byteorder))
            with open(path, "a") as bells:
                bells.write("bell\n" * rung)

    threading.Thread(target=recorder.record_enable_context, args=(context, heard),
                     daemon=True).start()
    started.wait(10)
    # The program's name for FILE; the bells heard go on being written to FILE.
    named = os.path.abspath(path)
    if command[0].endswith(".exe"):
        command.insert(0, os.environ["WINE"])
        named = "Z:" + named.replace("/", "\\")
    environment = dict(os.environ, SABOT_BELLS=named)
    status = subprocess.call(command, env=environment)
    control.record_disable_context(context)
    control.sync()
    return status


if __name__ == "__main__":
    sys.exit(main())
