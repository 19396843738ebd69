#!/usr/bin/env python3
"""Writes a deterministic mixed input for the SZDD benchmark: executables from
/usr/bin and /usr/lib interleaved with documents from /usr/share/doc (text and
decompressed .gz), in sorted order, until the requested size is reached.

Usage: make-mixed-input.py OUTPUT [SIZE_MIB]"""
import gzip
import os
import sys


def files_under(root, wanted):
    for folder, dirs, names in os.walk(root):
        dirs.sort()
        for name in sorted(names):
            path = os.path.join(folder, name)
            if os.path.isfile(path) and not os.path.islink(path) and wanted(path):
                yield path


def is_executable(path):
    with open(path, "rb") as f:
        return f.read(4) == b"\x7fELF"


def document_bytes(path):
    with open(path, "rb") as f:
        data = f.read()
    if path.endswith(".gz"):
        try:
            return gzip.decompress(data)
        except (OSError, EOFError):
            return b""
    return data


def main():
    output = sys.argv[1]
    size = int(sys.argv[2] if len(sys.argv) > 2 else 64) * 1024 * 1024
    executables = (open(p, "rb").read() for p in files_under("/usr/bin", is_executable))
    documents = (document_bytes(p) for p in files_under("/usr/share/doc", lambda p: not p.endswith((".png", ".jpg", ".svgz"))))
    # Equal shares of each kind, in slices of 1 MiB, so the mix is even along the file.
    sources = [executables, documents]
    pending = [b"", b""]
    written = 0
    turn = 0
    with open(output, "wb") as out:
        while written < size:
            while len(pending[turn]) < 1024 * 1024:
                chunk = next(sources[turn], None)
                if chunk is None:
                    break
                pending[turn] += chunk
            piece = pending[turn][: min(1024 * 1024, size - written)]
            if not piece:
                raise SystemExit("not enough input files on this machine")
            pending[turn] = pending[turn][len(piece):]
            out.write(piece)
            written += len(piece)
            turn = 1 - turn


if __name__ == "__main__":
    main()
