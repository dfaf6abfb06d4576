#!/usr/bin/env python3
"""The page in headless Chromium: a link with ?t=MS shows that moment at
once; the start screen warns of flashes; a click starts the music and the
demo, which shows scene 1's band and then moves on with the music; the
timeline stops on its last frame. ?gentle=1, or a browser asking for
reduced motion, gives the gentle picture. Paused or ended, the page asks
for no animation frames; a lost WebGL context comes back with its picture.
usage: plays_in_chromium.py SITE_FOLDER (with index.html and 1991.mp3)"""

import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '../../web'))
import browser  # noqa: E402

SKIP = 77
W, H = 960, 540
failures = []


def check(ok, what):
    print(('ok: ' if ok else 'FAILED: ') + what)
    if not ok:
        failures.append(what)


def shows_scene1_band(picture):
    # Black above the band, the pale band across the middle at the edges.
    w, h = picture.width, picture.height
    black = all(sum(picture.pixel(x, h // 20)) < 30 for x in (5, w // 2, w - 5))
    pale = all(min(picture.pixel(x, y)) > 150 for x in (5, w - 5) for y in (h // 4, h // 2))
    return black and pale


def frames_while_still(b):
    """Animation frames asked for and titles written in half a second."""
    b.evaluate("""if (!window.stillness) {
        window.stillness = {frames: 0, titles: 0};
        const ask = window.requestAnimationFrame.bind(window);
        window.requestAnimationFrame = f => { stillness.frames++; return ask(f); };
        new MutationObserver(() => stillness.titles++).observe(document.querySelector('title'),
            {childList: true, characterData: true, subtree: true});
    }
    stillness.frames = stillness.titles = 0""")
    time.sleep(0.5)
    return b.evaluate('stillness.frames + stillness.titles')


def moment(b, url, t):
    # Through a blank page, so that the last page's title cannot answer.
    b.open('about:blank')
    b.wait_for('location.href === "about:blank"', 10)
    b.open(url)
    b.wait_for('document.title === "Ostre3 %d"' % t, 30)
    return browser.Picture(b.screenshot(scale=0.25))


def main(site):
    if browser.chromium_path() is None:
        print('skipped: no chromium')
        return SKIP
    with browser.serve(site) as url, browser.Browser(W, H) as b:
        b.open(url + 'index.html?t=100000')
        check(b.wait_for('document.title === "Ostre3 100000"', 30), '?t=100000 draws that moment without a click')
        check(b.evaluate('document.getElementById("start").hidden'), 'no start screen for a moment link')

        b.open(url + 'index.html')
        check(b.wait_for('!document.getElementById("start").hidden', 30), 'start screen shown')
        check('contains flashing lights and rapid cuts.' in b.evaluate('document.getElementById("start").textContent'),
              'the start screen warns of flashing lights and rapid cuts')
        b.click(W // 2, H // 2)
        check(b.wait_for('clock.time > 500', 30), 'the clock runs after the click')
        # The page counts on a silent clock until the fetched music is ready.
        check(b.wait_for('clock instanceof MusicClock && !music.paused', 30), 'the music keeps the time')
        b.press(' ', 'Space')
        time.sleep(0.3)  # the media clock settles on its paused position
        paused = b.evaluate('Math.floor(clock.time + 1e-6)')
        check(b.wait_for('document.title === "Ostre3 %d"' % paused, 5), 'Space pauses (at %d)' % paused)
        time.sleep(0.3)
        check(b.evaluate('Math.floor(clock.time + 1e-6)') == paused, 'and the time stands still')
        check(frames_while_still(b) == 0, 'and the page asks for no animation frames')
        first = browser.Picture(b.screenshot(scale=0.25))
        check(shows_scene1_band(first), "scene 1's band is on the canvas")

        b.press('ArrowRight', 'ArrowRight')
        check(b.wait_for('document.title === "Ostre3 %d"' % (paused + 5000), 5), 'Right jumps 5 s on')
        b.press('ArrowLeft', 'ArrowLeft')
        check(b.wait_for('document.title === "Ostre3 %d"' % paused, 5), 'Left jumps 5 s back')
        b.press(' ', 'Space')
        check(b.wait_for('clock.time > %d' % (paused + 1000), 10), 'Space resumes, and the music runs on')
        later = browser.Picture(b.screenshot(scale=0.25))
        check(first.rows != later.rows, 'the picture changes')

        # The picture waits for late sound: ?audio-delay, plus whatever
        # output latency the browser reports.
        b.open(url + 'index.html?t=50000&audio-delay=400')
        b.wait_for('document.title === "Ostre3 50000"', 30)
        b.press(' ', 'Space')
        b.wait_for('clock instanceof MusicClock && clock.time > 51000', 10)
        lag = b.evaluate('clock.time - pictureTime()')
        check(400 <= lag < 1000, '?audio-delay=400 holds the playing picture back that long (%d ms)' % lag)

        check(shows_scene1_band(moment(b, url + 'index.html?t=4050', 4050)), 'the full picture by default')
        # Scene 8, whose sphere the gentle picture turns more slowly.
        full = moment(b, url + 'index.html?t=100000', 100000).rows
        gentle = moment(b, url + 'index.html?t=100000&gentle=1', 100000).rows
        check(gentle != full, '?gentle=1 draws the gentle picture')
        b.page('Emulation.setEmulatedMedia', {'features': [{'name': 'prefers-reduced-motion', 'value': 'reduce'}]})
        check(moment(b, url + 'index.html?t=100000', 100000).rows == gentle, 'gentle where the browser asks for reduced motion')
        check(moment(b, url + 'index.html?t=100000&gentle=0', 100000).rows == full, 'and ?gentle=0 draws the full one there')
        b.page('Emulation.setEmulatedMedia', {'features': []})

        b.open(url + 'index.html?t=128800')
        b.wait_for('document.title === "Ostre3 128800"', 30)
        b.press(' ', 'Space')
        check(b.wait_for('document.title === "Ostre3 129063"', 10), 'the timeline ends on its last frame')
        time.sleep(0.5)
        check(b.scene_time() == 129063, 'and stays there')
        check(frames_while_still(b) == 0, 'asking for no animation frames')

        # The browser takes the WebGL context away and gives it back.
        before = moment(b, url + 'index.html?t=48224', 48224)
        b.evaluate('window.loss = canvas.getContext("webgl").getExtension("WEBGL_lose_context"); loss.loseContext()')
        check(b.wait_for('!note.hidden && note.textContent.includes("WebGL context away")', 5),
              'a note says the WebGL context was taken away')
        b.evaluate('loss.restoreContext()')
        check(b.wait_for('note.hidden', 5), 'the note goes when it is back')
        time.sleep(0.3)
        after = browser.Picture(b.screenshot(scale=0.25))
        check(after.rows == before.rows and b.scene_time() == 48224, 'and so does the picture, at the same time')

    # The same page without its music: one line says so, and it plays on.
    with tempfile.TemporaryDirectory() as bare:
        for name in os.listdir(site):
            if name != '1991.mp3':
                shutil.copy(os.path.join(site, name), bare)
        with browser.serve(bare) as url, browser.Browser(W, H) as b:
            b.open(url + 'index.html')
            check(b.wait_for('!document.getElementById("note").hidden', 30), 'a note says the music is missing')
            print('   ', b.evaluate('document.getElementById("note").textContent'))
            b.wait_for('!document.getElementById("start").hidden', 30)  # the module is up
            b.click(W // 2, H // 2)
            check(b.wait_for('clock.time > 500', 30), 'and the demo runs silently')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
