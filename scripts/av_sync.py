#!/usr/bin/python3
"""How far the demo's picture is from its sound, in a recording of both.

The recording (made by scripts/av-sync.sh) holds the screen and the sound
that came out, stamped on one clock. For every recorded picture this finds
the scene time it shows, by comparing it with ostre3-capture's renders at
every millisecond around an estimate; for the sound, the track position
heard at each moment, by cross-correlating it with the soundtrack. The
offset of a picture is its scene time minus the track position heard when
it was grabbed: positive when the picture runs ahead of the sound.

  av_sync.py render --capture BIN --size WxH --from MS --to MS --cache DIR
  av_sync.py analyse --capture BIN --size WxH --reference WAV --cache DIR
                     [--skip S] [--frames FILE.json] REC
  av_sync.py summary RUN...    (RUN.json and RUN.frames.json of each run)

Renders are kept in DIR as one raw grey file a second of scene time, so
later runs over the same stretch reuse them. Needs numpy and ffmpeg.
"""

import argparse
import fcntl
import json
import os
import shutil
import subprocess
import sys
import tempfile

import numpy as np

CHUNK_MS = 1000
# Track positions are taken from a second of sound at a time, every half
# second.
AUDIO_WINDOW_S = 1.0
AUDIO_STEP_S = 0.5
# Pictures are searched for this far either side of the sound heard with them.
SEARCH_MS = 700
# A scene that stands still or repeats itself gives a picture that scene
# times far apart could have drawn: such pictures are left out, unless every
# render further than FAR_MS from the best differs from the picture
# MIN_MARGIN times as much.
FAR_MS = 20
MIN_MARGIN = 1.5
# Sound that matches the soundtrack less well than this (1 at best) is not
# used. The soundtrack repeats its patterns, so a second of distorted sound
# can match elsewhere about as well: a place found by searching the whole
# track (the first, or after a jump) is believed only on a near-perfect
# match.
MIN_SOUND_MATCH = 0.8
MIN_JUMP_MATCH = 0.97


def parse_size(text):
    w, h = text.lower().split("x")
    return int(w), int(h)


def run(cmd, **kw):
    return subprocess.run(cmd, check=True, **kw)


# ---------------------------------------------------------------- renders

def chunk_path(cache, size, start):
    return os.path.join(cache, "%dx%d" % size, "%08d.grey" % start)


def render_chunk(capture, size, start, cache):
    """Scene times [start, start + CHUNK_MS), one grey picture per ms."""
    path = chunk_path(cache, size, start)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    # Another analysis may be rendering the same second: wait for it.
    with open(path + ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if not os.path.exists(path):
            render_chunk_now(capture, size, start, path)
    return path


def render_chunk_now(capture, size, start, path):
    tmp = tempfile.mkdtemp(prefix="av-sync-render-")
    try:
        run([capture, "--from", str(start), "--to", str(start + CHUNK_MS), "--fps", "1000",
             "--size", "%dx%d" % size, "--out", tmp + "/"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        run(["ffmpeg", "-loglevel", "error", "-y", "-i", os.path.join(tmp, "frame_%06d.png"),
             "-f", "rawvideo", "-pix_fmt", "gray", path + ".part"])
        w, h = size
        if os.path.getsize(path + ".part") != CHUNK_MS * w * h:
            sys.exit("av_sync: ostre3-capture rendered too few pictures from %d ms" % start)
        os.replace(path + ".part", path)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


class Renders:
    def __init__(self, capture, size, cache):
        self.capture, self.size, self.cache = capture, size, cache
        self.chunks = {}
        self.small = {}

    def ensure(self, lo, hi):
        start = (max(lo, 0) // CHUNK_MS) * CHUNK_MS
        while start < hi:
            if start not in self.chunks:
                if not os.path.exists(chunk_path(self.cache, self.size, start)):
                    print("rendering scene times %d to %d ms" % (start, start + CHUNK_MS),
                          file=sys.stderr, flush=True)
                path = render_chunk(self.capture, self.size, start, self.cache)
                w, h = self.size
                self.chunks[start] = np.memmap(path, np.uint8, "r").reshape(-1, h * w)
                self.small[start] = shrink(self.chunks[start], self.size)
            start += CHUNK_MS

    def small_block(self, lo, hi):
        """Reduced pictures for scene times lo..hi-1, as rows."""
        self.ensure(lo, hi)
        rows = []
        t = lo
        while t < hi:
            start = (t // CHUNK_MS) * CHUNK_MS
            end = min(hi, start + CHUNK_MS)
            rows.append(self.small[start][t - start:end - start])
            t = end
        return np.concatenate(rows)

    def pictures(self, times):
        return np.stack([self.chunks[(t // CHUNK_MS) * CHUNK_MS][t % CHUNK_MS] for t in times])


# ---------------------------------------------------------------- recording

def probe_pts(rec, stream):
    out = run(["ffprobe", "-v", "error", "-select_streams", stream, "-show_entries",
               "packet=pts_time,duration_time", "-of", "csv=p=0", rec],
              capture_output=True, text=True).stdout
    rows = [line.split(",") for line in out.split() if line]
    return np.array([[float(r[0]), float(r[1]) if len(r) > 1 and r[1] not in ("", "N/A") else 0]
                     for r in rows])


def recorded_pictures(rec, size):
    w, h = size
    raw = run(["ffmpeg", "-v", "error", "-i", rec, "-map", "0:v", "-fps_mode", "passthrough",
               "-f", "rawvideo", "-pix_fmt", "gray", "-"], capture_output=True).stdout
    frames = np.frombuffer(raw, np.uint8).reshape(-1, h * w)
    pts = np.sort(probe_pts(rec, "v")[:, 0])
    n = min(len(frames), len(pts))
    return pts[:n], frames[:n]


def recorded_sound(rec, rate):
    raw = run(["ffmpeg", "-v", "error", "-i", rec, "-map", "0:a", "-ac", "1", "-ar", str(rate),
               "-f", "f32le", "-"], capture_output=True).stdout
    samples = np.frombuffer(raw, np.float32).astype(np.float64)
    packets = probe_pts(rec, "a")
    return samples, packets


def read_wav(path):
    """Mono float samples and rate of a 16-bit PCM WAV."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        sys.exit("av_sync: %s is not a WAV file" % path)
    pos, fmt, pcm = 12, None, None
    while pos + 8 <= len(data):
        cid, size = data[pos:pos + 4], int.from_bytes(data[pos + 4:pos + 8], "little")
        if cid == b"fmt ":
            fmt = data[pos + 8:pos + 8 + size]
        elif cid == b"data":
            pcm = data[pos + 8:pos + 8 + size]
        pos += 8 + size + (size & 1)
    channels = int.from_bytes(fmt[2:4], "little")
    rate = int.from_bytes(fmt[4:8], "little")
    if int.from_bytes(fmt[14:16], "little") != 16:
        sys.exit("av_sync: %s is not 16-bit PCM" % path)
    s = np.frombuffer(pcm, "<i2").astype(np.float64).reshape(-1, channels).mean(axis=1)
    return s / 32768.0, rate



# ---------------------------------------------------------------- sound

def correlate(a, b):
    """Cross-correlation of a with b at every lag: c[k] = sum a[i] b[i + k]."""
    n = 1 << int(np.ceil(np.log2(len(a) + len(b))))
    c = np.fft.irfft(np.conj(np.fft.rfft(a, n)) * np.fft.rfft(b, n), n)
    return c[:len(b) - len(a) + 1]


def peak(c):
    """Index of the largest value, refined by a parabola through its neighbours."""
    k = int(np.argmax(c))
    if 0 < k < len(c) - 1:
        y0, y1, y2 = c[k - 1], c[k], c[k + 1]
        den = y0 - 2 * y1 + y2
        if den < 0:
            return k + 0.5 * (y0 - y2) / den
    return float(k)


def locate(a, reference, near, reach):
    """Where in reference the sound a lies (a sample index), searched within
    reach samples of near or, without near, everywhere; and how well it
    matches there (1 at best)."""
    lo = 0 if near is None else max(0, int(round(near)) - reach)
    hi = len(reference) if near is None else min(len(reference), int(round(near)) + reach + len(a))
    if hi - lo < len(a):
        return 0.0, 0.0
    c = correlate(a, reference[lo:hi])
    k = peak(c)
    r = int(round(k))
    energy = np.sqrt(np.sum(a * a) * np.sum(reference[lo + r:lo + r + len(a)] ** 2))
    return lo + k, (c[r] / energy if energy > 0 else 0.0)


class Heard:
    """The track position (ms) heard at any moment of the recording's clock."""

    def __init__(self, samples, packets, reference, rate):
        # Each sample's time on the common clock. The sound arrives in
        # packets stamped with the moment their first sample was played.
        starts = np.concatenate([[0], np.cumsum(np.round(packets[:-1, 1] * rate))])
        self.t0 = float(np.median(packets[:, 0] - starts / rate))
        self.stamp_jitter_ms = 1000 * (packets[:, 0] - starts / rate - self.t0)
        self.rate = rate
        # The track position of each second of sound: near that of the
        # second before, or anywhere in the track when the sound jumped
        # there (a seek, a player that lost its place).
        n, step, reach = int(AUDIO_WINDOW_S * rate), int(AUDIO_STEP_S * rate), int(0.08 * rate)
        centres, shifts, quality = [], [], []
        shift = None
        for i in range(0, len(samples) - n, step):
            a = samples[i:i + n]
            if np.sqrt(np.mean(a * a)) < 1e-3:
                continue
            found = locate(a, reference, None if shift is None else i + shift, reach)
            if found[1] < MIN_SOUND_MATCH:
                found = locate(a, reference, None, reach)
                if found[1] < MIN_JUMP_MATCH:
                    continue
            shift = found[0] - i
            centres.append(i + n / 2)
            shifts.append(shift)
            quality.append(found[1])
        if len(centres) < 3:
            sys.exit("av_sync: the sound does not match the soundtrack")
        self.centres = np.array(centres)
        self.shifts = np.array(shifts)
        self.quality = np.array(quality)
        # Between two seconds of sound whose track positions disagree, the
        # moment of the jump is unknown: no picture there is measured.
        jump = np.flatnonzero(np.abs(np.diff(self.shifts)) > 0.005 * rate)
        self.jumps = [(self.centres[k], self.centres[k + 1]) for k in jump]

    def near_jump(self, t):
        i = (t - self.t0) * self.rate
        return any(lo <= i <= hi for lo, hi in self.jumps)

    def span(self):
        return (self.t0 + self.centres[0] / self.rate, self.t0 + self.centres[-1] / self.rate)

    def at(self, t):
        """Track ms heard at time t (s, common clock)."""
        i = (np.asarray(t) - self.t0) * self.rate
        return 1000 * (i + np.interp(i, self.centres, self.shifts)) / self.rate


# ---------------------------------------------------------------- pictures

def shrink(rows, size, f=4):
    """Pictures reduced f times each way, for a quick first comparison."""
    w, h = size
    x = np.asarray(rows, np.float32).reshape(len(rows), h // f, f, w // f, f)
    return x.mean(axis=(2, 4)).reshape(len(rows), -1)


def scores(frame, block):
    d = block.astype(np.int16) - frame.astype(np.int16)
    return np.abs(d).mean(axis=1)


def match(frame, estimate, renders, size):
    """The scene time a picture shows, searched around estimate (ms), and
    whether that is clear: no render far from it comes near as close."""
    lo = max(0, int(estimate) - SEARCH_MS)
    hi = int(estimate) + SEARCH_MS
    small = renders.small_block(lo, hi)
    coarse = np.abs(small - shrink(frame[None], size)).mean(axis=1)
    # The few best on the small pictures, then each of those and its
    # neighbours at full size.
    best = np.argsort(coarse)[:8]
    cand = np.unique(np.clip(np.concatenate([best + d for d in range(-3, 4)]), 0, len(small) - 1))
    full = scores(frame, renders.pictures(lo + cand))
    k = int(cand[np.argmin(full)])
    times = np.arange(len(small))
    far = coarse[np.abs(times - k) > FAR_MS]
    clear = len(far) > 0 and far.min() > MIN_MARGIN * coarse[k] + 0.05
    return lo + k, float(full.min()), bool(clear)


def stats(x):
    x = np.asarray(x, float)
    return {"n": int(len(x)), "mean": round(float(x.mean()), 1), "sd": round(float(x.std()), 1),
            "min": round(float(x.min()), 1), "p5": round(float(np.percentile(x, 5)), 1),
            "median": round(float(np.median(x)), 1), "p95": round(float(np.percentile(x, 95)), 1),
            "max": round(float(x.max()), 1)}


def analyse(rec, size, renders, reference, rate, skip_s):
    samples, packets = recorded_sound(rec, rate)
    heard = Heard(samples, packets, reference, rate)
    pts, frames = recorded_pictures(rec, size)
    # Distinct pictures: grabs that differ from the grab before.
    changed = np.concatenate([[True], np.any(frames[1:] != frames[:-1], axis=1)])
    keep = (pts >= pts[0] + skip_s)
    a_lo, a_hi = heard.span()
    keep &= (pts >= a_lo) & (pts <= a_hi)
    keep &= np.array([not heard.near_jump(t) for t in pts])
    rows = []
    for k in np.flatnonzero(keep):
        est = float(heard.at(pts[k]))
        scene, best, clear = match(frames[k], est, renders, size)
        rows.append((pts[k], est, scene, best, clear, bool(changed[k])))
    if not rows:
        sys.exit("av_sync: no picture overlaps the matched sound")
    g, est, scene, best, clear, ch = (np.array(c) for c in zip(*rows))
    if not clear.any():
        sys.exit("av_sync: no picture matches one scene time clearly")
    offset = (scene - est)[clear]
    duration = g[-1] - g[0] + (g[-1] - g[0]) / max(1, len(g) - 1)
    distinct_scene_times = len(np.unique(scene))
    result = {
        "recording": rec,
        "pictures": int(len(g)),
        "seconds": round(float(duration), 2),
        "grabs_per_s": round(len(g) / duration, 2),
        "distinct_pictures_per_s": round(float(ch.sum()) / duration, 2),
        "distinct_scene_times_per_s": round(distinct_scene_times / duration, 2),
        "scene_times": [int(scene.min()), int(scene.max())],
        "matched": int(clear.sum()),
        # The window draws edges a little differently from the capture
        # tool: the typical mean grey-level difference of a picture from
        # its best render (out of 255).
        "match_difference": round(float(np.median(best)), 3),
        "offset_ms": stats(offset),
        "sound": {
            "windows": int(len(heard.centres)),
            "jumps": len(heard.jumps),
            "shift_sd_ms": round(float(np.std(heard.shifts) * 1000 / rate), 2),
            "shift_range_ms": round(float(np.ptp(heard.shifts) * 1000 / rate), 2),
            # How far the sound's timestamps stray from its sample count,
            # typically and at worst; the track positions follow the count.
            "stamp_jitter_mad_ms": round(float(np.median(np.abs(heard.stamp_jitter_ms))), 2),
            "stamp_jitter_max_ms": round(float(np.max(np.abs(heard.stamp_jitter_ms))), 1),
            "match_quality": round(float(np.median(heard.quality)), 3),
        },
    }
    per_frame = [{"t": round(float(a - g[0]), 4), "heard": round(float(b), 1), "scene": int(c),
                  "difference": round(float(d), 3), "clear": bool(e),
                  "changed": bool(f)} for a, b, c, d, e, f in rows]
    return result, per_frame


def summary(runs):
    results = [json.load(open(r + ".json")) for r in runs]
    offsets = [f["scene"] - f["heard"] for r in runs for f in json.load(open(r + ".frames.json"))
               if f["clear"]]
    total = {
        "runs": len(runs),
        "distinct_pictures_per_s": [r["distinct_pictures_per_s"] for r in results],
        "offset_mean_per_run_ms": [r["offset_ms"]["mean"] for r in results],
        "offset_sd_per_run_ms": [r["offset_ms"]["sd"] for r in results],
        "offset_ms": stats(offsets),
        "load": [r.get("load") for r in results],
    }
    print(json.dumps({"summary": total}))


def main():
    p = argparse.ArgumentParser()
    sub = p.add_subparsers(dest="cmd", required=True)
    r = sub.add_parser("render")
    r.add_argument("--capture", required=True)
    r.add_argument("--size", type=parse_size, required=True)
    r.add_argument("--from", dest="lo", type=int, required=True)
    r.add_argument("--to", dest="hi", type=int, required=True)
    r.add_argument("--cache", required=True)
    z = sub.add_parser("analyse")
    z.add_argument("--capture", required=True)
    z.add_argument("--size", type=parse_size, required=True)
    z.add_argument("--cache", required=True)
    z.add_argument("--reference", required=True, help="the soundtrack as a WAV")
    z.add_argument("--skip", type=float, default=0, help="seconds left out at the start")
    z.add_argument("--frames", help="write each picture's figures here (JSON)")
    z.add_argument("recording")
    m = sub.add_parser("summary", help="figures over several analysed runs")
    m.add_argument("runs", nargs="+", help="RUN for each RUN.json and RUN.frames.json")
    a = p.parse_args()
    if a.cmd == "summary":
        summary(a.runs)
        return
    if a.cmd == "render":
        Renders(a.capture, a.size, a.cache).ensure(a.lo, a.hi)
        return
    reference, rate = read_wav(a.reference)
    renders = Renders(a.capture, a.size, a.cache)
    result, per_frame = analyse(a.recording, a.size, renders, reference, rate, a.skip)
    print(json.dumps(result))
    if a.frames:
        with open(a.frames, "w") as f:
            json.dump(per_frame, f)


if __name__ == "__main__":
    main()
