#!/usr/bin/env python3
"""Screenshots of the web edition at chosen scene times, from headless
Chromium: each is the page opened as index.html?t=T (paused at T).
usage: screenshots.py SITE_FOLDER OUT_FOLDER [--size WxH] T [T ...]
Writes OUT_FOLDER/web-T.png for each time T (ms)."""

import argparse
import os
import sys

import browser


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('site')
    parser.add_argument('out')
    parser.add_argument('--size', default='960x540')
    parser.add_argument('times', nargs='+', type=int)
    args = parser.parse_args()
    if browser.chromium_path() is None:
        sys.exit('screenshots: no chromium found')
    width, height = (int(v) for v in args.size.split('x'))
    os.makedirs(args.out, exist_ok=True)
    with browser.serve(args.site) as url, browser.Browser(width, height) as b:
        for t in args.times:
            b.open(url + 'index.html?t=%d' % t)
            if not b.wait_for('document.title === "Ostre3 %d"' % t, 30):
                sys.exit('screenshots: the page did not draw t=%d' % t)
            path = os.path.join(args.out, 'web-%d.png' % t)
            b.screenshot(path)
            print(path)


if __name__ == '__main__':
    main()
