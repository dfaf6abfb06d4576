#!/usr/bin/env python3
"""Frame preparation of two builds of ostre3-bench, interleaved: each round
runs both on the same benchmarks, taking turns at going first, pinned to one
core; prints each benchmark's fastest and median frame over all rounds and
the ratio of the second build to the first.

usage: compare_builds.py FIRST_BENCH SECOND_BENCH [FILTER [ROUNDS]]
  FILTER defaults to prepare/scene[0-9]/(1920x1080|3840x2160)$, ROUNDS to 3"""

import json
import os
import subprocess
import sys
import tempfile


def run(bench, pattern, out):
    subprocess.run(['taskset', '-c', '1', bench, '--benchmark_filter=' + pattern, '--benchmark_out=' + out,
                    '--benchmark_out_format=json'], check=True, capture_output=True)
    with open(out) as f:
        return json.load(f)['benchmarks']


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    first, second = sys.argv[1], sys.argv[2]
    pattern = sys.argv[3] if len(sys.argv) > 3 else r'prepare/scene[0-9]/(1920x1080|3840x2160)/'
    rounds = int(sys.argv[4]) if len(sys.argv) > 4 else 3
    frames = {}
    with tempfile.TemporaryDirectory() as scratch:
        out = os.path.join(scratch, 'run.json')
        for r in range(rounds):
            for bench in (first, second) if r % 2 == 0 else (second, first):
                for b in run(bench, pattern, out):
                    name = b['name'].split('/min_time')[0]
                    frames.setdefault((name, bench), []).append((b['prepare_min'], b['prepare_median']))
    print('%-34s %21s %21s %13s' % ('benchmark', 'first: min / median', 'second: min / median', 'ratio'))
    for name in sorted({n for n, _ in frames}):
        a, b = frames[(name, first)], frames[(name, second)]
        amin, bmin = min(x for x, _ in a), min(x for x, _ in b)
        amed, bmed = sorted(y for _, y in a)[len(a) // 2], sorted(y for _, y in b)[len(b) // 2]
        print('%-34s %9.3f / %9.3f %9.3f / %9.3f %5.2f / %5.2f' % (name, amin, amed, bmin, bmed, bmin / amin,
                                                                 bmed / amed))
    return 0


if __name__ == '__main__':
    sys.exit(main())
