#!/usr/bin/env python3
"""Runs two tracers over the same frames and compares their output byte for
byte: this machine's and another architecture's (under qemu-user). Every
scene at its first, middle and last millisecond, at pane sizes from 1x1 to 7680x4320,
a pane never resized, the set-up calls and times outside the timeline.

usage: compare_tracers.py 'REFERENCE_COMMAND' 'OTHER_COMMAND' [--wide]
  each command a shell word list, e.g. 'qemu-aarch64 -L /usr/aarch64-linux-gnu build-arm64/tools/trace/ostre3-trace'
  --wide: twelve times a scene at seven sizes from 1x1 to 1920x1080 (portrait
          1080x1920 among them), 4K and 8K at three"""

import hashlib
import os
import shlex
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

ENDS = [8100, 24156, 40115, 56334, 64313, 80272, 96359, 112600, 129064]


def sample(wide):
    start = 0
    for end in ENDS:
        edges = [start, (start + end) // 2, end - 1]
        for t in edges:
            for size in ['3840x2160', '7680x4320'] if wide else ['7680x4320']:
                yield ['--time', str(t), '--size', size]
        times = edges
        sizes = ['1x1', '640x3', '1920x1080']
        if wide:
            times = [start, start + 1, end - 2, end - 1] + [start + (end - start) * i // 9 for i in range(1, 9)]
            sizes += ['2x3', '333x17', '1280x720', '1080x1920']
        for t in times:
            for size in sizes:
                yield ['--time', str(t), '--size', size]
            yield ['--time', str(t), '--size', '1920x1080', '--unresized']
        start = end
    yield ['--time', '8100', '--size', '1280x720', '--setup']
    for t in ['-2147483648', '-1', '129064', '2147483647']:
        yield ['--time', t, '--size', '640x480']


def digest(command, args):
    """The output's digest and line count; a failing run is a difference."""
    run = subprocess.run(command + args, capture_output=True)
    if run.returncode != 0:
        return 'exit %d: %s' % (run.returncode, run.stderr.decode(errors='replace').strip()), 0
    return hashlib.sha256(run.stdout).hexdigest(), run.stdout.count(b'\n')


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    reference, other = shlex.split(sys.argv[1]), shlex.split(sys.argv[2])
    frames = list(sample('--wide' in sys.argv[3:]))

    def compare(args):
        return args, digest(reference, args), digest(other, args)

    differing = lines = 0
    with ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        for args, (ours, count), (theirs, _) in pool.map(compare, frames):
            lines += count
            if ours != theirs:
                differing += 1
                print('differs: %s (%s against %s)' % (' '.join(args), ours[:16], theirs[:16]))
    print('%d frames, %d lines: %d identical, %d differing' % (len(frames), lines, len(frames) - differing,
                                                               differing))
    return 1 if differing else 0


if __name__ == '__main__':
    sys.exit(main())
