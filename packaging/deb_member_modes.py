#!/usr/bin/env python3
"""What no CPack setting does: CPack writes the .deb's ar members with the
modes its umask gives, and dpkg-deb cannot rewrite a package's ar headers.

Gives every member of a .deb's ar archive (debian-binary, control.tar.*,
data.tar.*) the mode rw-r--r--, which dpkg-deb writes too. CPack takes these
modes from the files it wrote, and so from the umask of whoever packed it.
The headers are rewritten in place; nothing else changes."""
import sys

MODE = b"100644  "  # the header's 8-byte mode field, octal, space-padded


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: deb_member_modes.py PACKAGE.deb")
    with open(sys.argv[1], "r+b") as deb:
        if deb.read(8) != b"!<arch>\n":
            sys.exit("%s: not an ar archive" % sys.argv[1])
        at = 8
        while True:
            deb.seek(at)
            header = deb.read(60)
            if not header:
                break
            if len(header) != 60 or header[58:60] != b"`\n":
                sys.exit("%s: a damaged ar header at byte %d" % (sys.argv[1], at))
            size = int(header[48:58])
            deb.seek(at + 40)
            deb.write(MODE)
            at += 60 + size + size % 2


if __name__ == "__main__":
    main()
