'use strict';
// Plays the demo in the page. The music's playback position, in ms, is the
// scene time of every animation frame, so the picture follows the music when
// it stalls or is sought. Without music a silent clock takes its place.
// index.html?t=MS opens paused at that scene time. ?gentle=1 draws the
// gentle picture, which does not flash and turns and pulses more slowly;
// for that slower motion it is also the default where the browser asks for
// reduced motion, and ?gentle=0 turns it off there.

const kJump = 5000;  // ms, Left and Right
// The scene time, in ms, at which the timeline ends, as the module says once
// it runs; the last frame stays on screen.
let timelineEnd = Infinity;
const canvas = document.getElementById('canvas');
const startScreen = document.getElementById('start');
const note = document.getElementById('note');

const query = new URLSearchParams(location.search);
const gentle = query.has('gentle') ? query.get('gentle') === '1'
  : matchMedia('(prefers-reduced-motion: reduce)').matches;

// The start screen offers the other picture, keeping ?t.
function offerOtherPicture() {
  const other = new URLSearchParams(query);
  other.set('gentle', gentle ? '0' : '1');
  const link = document.createElement('a');
  link.href = '?' + other;
  link.textContent = gentle ? 'the full picture' : 'a gentler picture';
  link.addEventListener('click', event => event.stopPropagation());
  const line = document.getElementById('gentleness');
  line.append(gentle ? 'Gentle picture: no flashes, slower turns, softer beats. Switch to '
                     : 'Sensitive to flashes? Switch to ', link, '.');
}

function say(line) {
  note.textContent = line;
  note.hidden = false;
}

// Runs on performance.now() from any time on.
class SilentClock {
  constructor(ms) { this.base = ms; this.since = null; }
  get time() { return this.since === null ? this.base : this.base + performance.now() - this.since; }
  get paused() { return this.since === null; }
  play() { if (this.since === null) this.since = performance.now(); }
  pause() { this.base = this.time; this.since = null; }
  seek(ms) { this.base = ms; if (this.since !== null) this.since = performance.now(); }
}

class MusicClock {
  constructor(audio) { this.audio = audio; }
  get time() { return this.audio.currentTime * 1000; }
  get paused() { return this.audio.paused; }
  play() {
    // A pause before playback began rejects with AbortError: no failure.
    this.audio.play().catch(error => { if (error.name !== 'AbortError') musicFailed(error.message); });
  }
  pause() { this.audio.pause(); }
  seek(ms) { this.audio.currentTime = ms / 1000; }
}

// The music is fetched whole and played from memory: seeking then works
// whatever the server (python3 -m http.server ignores range requests). Until
// it is ready, and for good if it fails, a silent clock keeps the time.
const music = new Audio();
let clock = new SilentClock(0);

// Sound is heard later than the music's position says: by the output
// latency the browser reports, where it reports one, and by
// ?audio-delay=MS (from -1000 to 10000) for outputs it knows nothing of, a
// Bluetooth headset say. The playing picture waits that long; paused, it
// shows the position itself. Routed through an AudioContext, the music's
// way to the speakers is the one whose latency the context reports.
const audioDelay = (() => {
  const text = new URLSearchParams(location.search).get('audio-delay') || '';
  const ms = /^-?\d+$/.test(text) ? Number(text) : 0;
  return Math.max(-1000, Math.min(10000, ms));
})();
const audioContext = window.AudioContext ? new AudioContext() : null;
if (audioContext)
  audioContext.createMediaElementSource(music).connect(audioContext.destination);
let pictureFloor = 0;  // where a start, resume or seek put the picture

function soundLag() {
  if (!(clock instanceof MusicClock))
    return 0;
  const latency = audioContext ? (audioContext.outputLatency || audioContext.baseLatency || 0) : 0;
  return latency * 1000 + audioDelay;
}

// The scene time to draw: the clock's, less the sound's lag while playing,
// never before where the picture was last put.
function pictureTime() {
  if (clock.paused)
    return clock.time;
  return Math.max(pictureFloor, clock.time - soundLag());
}
let started = false;  // played at least once
let ended = false;

function useMusic() {
  const playing = !clock.paused;
  const musicClock = new MusicClock(music);
  musicClock.seek(clock.time);
  clock = musicClock;
  if (playing)
    clock.play();
  wake();
}

function musicFailed(why) {
  say('The music (1991.mp3) cannot be played (' + why + '): the demo runs silently.');
  if (!(clock instanceof MusicClock))
    return;
  const silent = new SilentClock(Math.min(pictureTime(), timelineEnd - 1));
  const playing = !clock.paused;
  music.pause();
  clock = silent;
  if (playing)
    clock.play();
  wake();
}

music.addEventListener('error', () => {
  const error = music.error;
  musicFailed(error && error.message ? error.message : 'it cannot be decoded');
});
music.addEventListener('loadedmetadata', useMusic, { once: true });
fetch('1991.mp3')
  .then(response => {
    if (!response.ok)
      throw new Error('HTTP ' + response.status);
    return response.blob();
  })
  .then(blob => { music.src = URL.createObjectURL(blob); })
  .catch(error => musicFailed(error.message));

function play() {
  startScreen.hidden = true;
  if (ended) {
    ended = false;
    clock.seek(0);
  }
  started = true;
  if (audioContext)
    audioContext.resume().catch(() => {});
  pictureFloor = clock.time;
  clock.play();
  wake();
}

function pauseOrPlay() {
  if (started && !ended && !clock.paused) {
    clock.pause();
    wake();
  } else {
    play();
  }
}

function jump(ms) {
  ended = false;
  pictureFloor = Math.max(0, Math.min(timelineEnd - 1, clock.time + ms));
  clock.seek(pictureFloor);
  wake();
}

function toggleFullScreen() {
  if (document.fullscreenElement)
    document.exitFullscreen();
  else if (document.documentElement.requestFullscreen)
    document.documentElement.requestFullscreen().catch(() => {});
}

function startFromScreen() {
  if (!document.fullscreenElement)
    toggleFullScreen();
  play();
}

document.addEventListener('keydown', event => {
  switch (event.key) {
  case ' ': pauseOrPlay(); break;
  case 'ArrowLeft': jump(-kJump); break;
  case 'ArrowRight': jump(kJump); break;
  case 'f': case 'F': toggleFullScreen(); break;
  case 'Escape': if (document.fullscreenElement) document.exitFullscreen(); break;
  default: return;
  }
  event.preventDefault();
});
startScreen.addEventListener('click', startFromScreen);
canvas.addEventListener('click', () => { if (!started || ended) startFromScreen(); });

// The animation loop runs while the clock does, and once after anything
// else that may change the picture: a pause, a seek, the music ready or
// failed, a new size, a context restored. Each frame draws only when the
// scene time or the canvas size changed, and rewrites the title only when
// the scene time shown did.
let running = false;        // the module has a WebGL context
let frameRequested = false;
let contextLost = false;
let drawn = '';

function wake() {
  if (running && !frameRequested) {
    frameRequested = true;
    requestAnimationFrame(animate);
  }
}

function animate() {
  frameRequested = false;
  const w = Math.max(1, Math.round(canvas.clientWidth * devicePixelRatio));
  const h = Math.max(1, Math.round(canvas.clientHeight * devicePixelRatio));
  // currentTime counts seconds in a double: a whole millisecond sought
  // there may read back a hair below it.
  let t = Math.floor(pictureTime() + 1e-6);
  if (t >= timelineEnd && !ended) {
    ended = true;
    clock.pause();
    if (document.fullscreenElement)
      document.exitFullscreen();
  }
  if (ended)
    t = timelineEnd - 1;
  if (canvas.width !== w || canvas.height !== h) {
    canvas.width = w;
    canvas.height = h;
  }
  const key = t + ' ' + w + ' ' + h;
  if (key !== drawn && !contextLost) {
    Module._ostre3_frame(t, w, h, gentle ? 1 : 0);
    drawn = key;
    const title = 'Ostre3 ' + t;  // the scene time, for tests and the curious
    if (document.title !== title)
      document.title = title;
  }
  if (!clock.paused && !ended)
    wake();
}

addEventListener('resize', wake);
for (const change of ['play', 'pause', 'seeked', 'ended'])
  music.addEventListener(change, wake);

// Browsers take WebGL contexts away on a GPU reset, and on phones from a
// tab in the background. The clock runs on meanwhile; once the context is
// back, the scenes are set up in it again and draw the clock's time.
let noteBeforeLoss = null;
canvas.addEventListener('webglcontextlost', event => {
  event.preventDefault();  // without it, the browser never gives it back
  contextLost = true;
  noteBeforeLoss = note.hidden ? null : note.textContent;
  say('The browser took the WebGL context away (a GPU reset, or the tab in the background): '
      + 'the picture comes back when it gives it back.');
});
canvas.addEventListener('webglcontextrestored', () => {
  contextLost = false;
  if (!Module._ostre3_restore()) {
    say('The browser gave the WebGL context back, but the demo cannot draw in it: reload the page.');
    return;
  }
  if (noteBeforeLoss === null)
    note.hidden = true;
  else
    say(noteBeforeLoss);
  drawn = '';
  wake();
});

function begin() {
  timelineEnd = Module._ostre3_timeline_end();
  if (!Module._ostre3_start()) {
    say('This browser cannot draw WebGL, which the demo needs.');
    return;
  }
  running = true;
  // ?t=MS: a moment of the timeline, shown paused; anything else is ignored.
  offerOtherPicture();
  const moment = query.get('t') || '';
  if (/^-?\d+$/.test(moment))
    clock.seek(Math.max(0, Math.min(timelineEnd - 1, Number(moment))));
  else
    startScreen.hidden = false;
  wake();
}

var Module = {
  canvas: canvas,
  onRuntimeInitialized: begin,
  onAbort: what => say('The demo could not start: ' + what),
};
