#!/usr/bin/env python3
"""Compiles the help pages into help.chm with chmcmd.

chmcmd reports missing pages and pictures as warnings and still writes a
file, sometimes an empty one, and exits 0 when it cannot even read its
project: so its output is checked here and any warning or error fails the
build. It also stamps the compile time into the file (the ITSF header and
the #SYSTEM record); both stamps are cleared so that the same pages always
give the same bytes. (The project asks for no binary index: chmcmd fills
one with bytes it never initialised, different on every run. The help
window reads the index from its .hhk file instead.)

usage: compile-help.py CHMCMD PROJECT_DIR PROJECT_FILE WORK_DIR OUTPUT
"""

import os
import shutil
import struct
import subprocess
import sys


def fail(message):
    print(f"compile-help: {message}", file=sys.stderr)
    sys.exit(1)


def read_encint(data, pos):
    """A CHM variable-length integer: 7 bits a byte, high bit set on all
    but the last byte."""
    value = 0
    while True:
        if pos >= len(data):
            raise ValueError("directory entry runs past its chunk")
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, pos


def find_entry(chm, wanted):
    """(section, offset, length) of the directory entry `wanted`."""
    if chm[:4] != b"ITSF":
        raise ValueError("no ITSF signature")
    version = struct.unpack_from("<I", chm, 4)[0]
    dir_offset, _dir_length = struct.unpack_from("<QQ", chm, 0x48)
    if version < 3:
        raise ValueError(f"ITSF version {version}")
    if chm[dir_offset:dir_offset + 4] != b"ITSP":
        raise ValueError("no ITSP directory header")
    header_length, _, chunk_size = struct.unpack_from("<III", chm, dir_offset + 8)
    num_chunks = struct.unpack_from("<I", chm, dir_offset + 0x2C)[0]
    first_chunk = dir_offset + header_length
    for i in range(num_chunks):
        chunk = chm[first_chunk + i * chunk_size:first_chunk + (i + 1) * chunk_size]
        if chunk[:4] != b"PMGL":
            continue
        free_space = struct.unpack_from("<I", chunk, 4)[0]
        end = chunk_size - free_space
        pos = 0x14
        while pos < end:
            name_length, pos = read_encint(chunk, pos)
            name = chunk[pos:pos + name_length]
            pos += name_length
            section, pos = read_encint(chunk, pos)
            offset, pos = read_encint(chunk, pos)
            length, pos = read_encint(chunk, pos)
            if name == wanted:
                return section, offset, length
    raise ValueError(f"no directory entry {wanted.decode()}")


def clear_timestamps(path):
    with open(path, "rb") as f:
        chm = bytearray(f.read())
    # ITSF header: a 32-bit time stamp at 0x10.
    chm[0x10:0x14] = bytes(4)
    # #SYSTEM lies uncompressed in section 0; its record with code 10 is
    # the compile time.
    content_offset = struct.unpack_from("<Q", chm, 0x58)[0]
    section, offset, length = find_entry(chm, b"/#SYSTEM")
    if section != 0:
        raise ValueError("#SYSTEM is not in the uncompressed section")
    start = content_offset + offset
    end = start + length
    if end > len(chm):
        raise ValueError("#SYSTEM lies past the end of the file")
    pos = start + 4  # after the version
    cleared = False
    while pos + 4 <= end:
        code, size = struct.unpack_from("<HH", chm, pos)
        pos += 4
        if code == 10 and size == 4:
            chm[pos:pos + 4] = bytes(4)
            cleared = True
        pos += size
    if not cleared:
        raise ValueError("#SYSTEM holds no time stamp record")
    with open(path, "wb") as f:
        f.write(chm)


def main():
    if len(sys.argv) != 6:
        fail(__doc__.strip().splitlines()[-1])
    chmcmd, project_dir, project_file, work_dir, output = sys.argv[1:]

    # chmcmd writes beside its project: compile a copy, never the sources.
    shutil.rmtree(work_dir, ignore_errors=True)
    shutil.copytree(project_dir, work_dir)
    compiled = os.path.join(work_dir, "help.chm")

    run = subprocess.run([chmcmd, "--verbosity", "1", project_file], cwd=work_dir,
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    problems = [line for line in run.stdout.splitlines()
                if line.startswith(("Warning", "Error", "Can't", "An unhandled", "EF"))]
    if run.returncode != 0 or problems:
        fail(f"chmcmd failed (exit {run.returncode}):\n{run.stdout}")
    if not os.path.isfile(compiled) or os.path.getsize(compiled) == 0:
        fail(f"chmcmd wrote no help file:\n{run.stdout}")
    try:
        clear_timestamps(compiled)
    except (ValueError, struct.error) as e:
        fail(f"cannot read the compiled help file: {e}")

    os.makedirs(os.path.dirname(output), exist_ok=True)
    partial = output + ".part"
    shutil.copyfile(compiled, partial)
    os.replace(partial, output)


if __name__ == "__main__":
    main()
