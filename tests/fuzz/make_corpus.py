#!/usr/bin/env python3
"""Records the instrument emulator's streams as seed inputs for the decoder's fuzz target.

Usage: make_corpus.py EMULATOR [CORPUS_DIR]
EMULATOR is a built tarnwick-emulator; the inputs go to CORPUS_DIR (default: the corpus
folder next to this script). Each input is a header (see fuzz_input.h) and the bytes the
emulator sent in answer to a few commands, so the fuzzer starts from real streams.
"""
import os
import select
import subprocess
import sys
import time
import tty

HERE = os.path.dirname(os.path.abspath(__file__))

# Name, emulator options, then the commands with how long to listen after each.
SESSIONS = [
    ("room", ["--speed", "600"], [(b"R 1M", 1.5), (b"S", 0.3)]),
    ("cold", ["--speed", "600", "--scenario", "cold"], [(b"R 1M", 1.5), (b"S", 0.3)]),
    ("hot", ["--speed", "600", "--scenario", "hot"], [(b"R 1M", 1.5), (b"S", 0.3)]),
    ("noise", ["--speed", "600", "--noise", "0.5", "--seed", "7"], [(b"R 1M", 1.5), (b"S", 0.3)]),
    ("memory", ["--speed", "600"], [(b"L 1M", 1.0), (b"S", 0.3), (b"T", 0.5)]),
    ("logged", ["--logged", "40", "--log-interval", "15M"], [(b"T", 0.5)]),
    ("logged-hours", ["--logged", "12", "--log-interval", "2H", "--scenario", "cold"],
     [(b"T", 0.5)]),
    ("nothing-logged", [], [(b"T", 0.3)]),
]

# Header variants: setup byte, interval byte and piece lengths.
SPLITS = [
    ("whole", 0x00, 0, [0]),
    ("bytes-nested", 0x20, 0, [1]),
    ("pieces-nested", 0x21, 14, [3, 7, 1, 64]),
    ("full-chart", 0xA2, 1, [2, 5]),
]


def start_emulator(emulator, options):
    process = subprocess.Popen([emulator] + options, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL)
    line = process.stdout.readline().decode()
    return process, line.rsplit(" ", 1)[-1].strip()


def listen(fd, seconds):
    received = b""
    deadline = time.monotonic() + seconds
    while (left := deadline - time.monotonic()) > 0:
        if select.select([fd], [], [], left)[0]:
            received += os.read(fd, 4096)
    return received


def record(emulator, options, commands):
    process, device = start_emulator(emulator, options)
    try:
        fd = os.open(device, os.O_RDWR | os.O_NOCTTY)
        tty.setraw(fd)
        stream = b""
        for command, seconds in commands:
            os.write(fd, command)
            stream += listen(fd, seconds)
        os.close(fd)
        return stream
    finally:
        process.terminate()
        process.wait()


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    emulator = sys.argv[1]
    corpus = sys.argv[2] if len(sys.argv) > 2 else os.path.join(HERE, "corpus")
    os.makedirs(corpus, exist_ok=True)
    for name, options, commands in SESSIONS:
        stream = record(emulator, options, commands)
        for split, setup, interval, lengths in SPLITS:
            header = bytes([setup, interval, len(lengths) - 1] + lengths)
            with open(os.path.join(corpus, f"{name}-{split}"), "wb") as out:
                out.write(header + stream)
        print(f"{name}: {len(stream)} bytes")


if __name__ == "__main__":
    main()
