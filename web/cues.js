// SPDX-License-Identifier: MIT
// The cues through Web Audio. A browser plays nothing before the player's first press, so the
// context is made in it (unlock); the cues are decoded ahead (preload). A synchronous cue resolves
// when its source has played its last sample, by the context's own clock; no cue holds the game
// past its length and a second.
'use strict';

class ZuvikCues {
    constructor(files) {
        this.files = files;
        this.context = null;
        this.buffers = new Map();
        this.playing = null; // {source, finish}
        this.running = Promise.resolve();
        this.ticket = 0;
        this.enabled = true;
        this.lastSync = null; // the latest synchronous cue's timing, for the benchmark
    }

    // Fetches and decodes every cue ahead, before the press: decoding needs no gesture, and a
    // decoded cue plays in any context.
    preload() {
        const Offline = window.OfflineAudioContext || window.webkitOfflineAudioContext;
        if (!Offline) return;
        const decoder = new Offline(1, 1, 44100);
        for (const file of this.files) {
            const pending = fetch(file)
                .then((response) => (response.ok ? response.arrayBuffer() : null))
                .then((bytes) => bytes && new Promise((resolve) =>
                    decoder.decodeAudioData(bytes, resolve, () => resolve(null))))
                .catch(() => null);
            this.buffers.set(file, pending);
        }
    }

    unlock() {
        const Context = window.AudioContext || window.webkitAudioContext;
        if (!Context) return;
        try {
            this.context = new Context();
        } catch (error) {
            this.context = null;
            return;
        }
        this.running = this.context.resume().catch(() => {});
    }

    // The decoded cue, or null when it cannot be fetched or decoded.
    buffer(file) {
        return this.buffers.get(file) || Promise.resolve(null);
    }

    // Cuts off whatever plays; a synchronous cue that is waited for returns at once.
    stop() {
        this.ticket += 1;
        const playing = this.playing;
        this.playing = null;
        if (playing) {
            playing.source.onended = null;
            try { playing.source.stop(); } catch (error) { /* never started */ }
            playing.finish();
        }
    }

    setEnabled(on) {
        this.enabled = on;
        if (!on) this.stop();
    }

    start(buffer, finish) {
        const source = this.context.createBufferSource();
        source.buffer = buffer;
        source.connect(this.context.destination);
        const startedAt = this.context.currentTime;
        source.start(startedAt);
        this.playing = { source, finish };
        source.onended = () => {
            if (this.playing && this.playing.source === source) this.playing = null;
            finish();
        };
        return startedAt;
    }

    async playSync(cue) {
        this.stop();
        const file = this.files[cue];
        if (!this.enabled || !this.context || !file) return;
        const deadline = performance.now() + 1000;
        const ticket = this.ticket;
        const inTime = (promise) => Promise.race([promise, new Promise((resolve) =>
            setTimeout(() => resolve(null), Math.max(0, deadline - performance.now())))]);
        const buffer = await inTime(this.buffer(file));
        // The context starts with the press; a cue begun before it runs would be timed too soon.
        if (buffer && this.context.state !== 'running') await inTime(this.running);
        if (!buffer || ticket !== this.ticket || !this.enabled) return;
        await new Promise((resolve) => {
            let timer = 0;
            let startedAt = 0;
            const finish = () => {
                clearTimeout(timer);
                this.lastSync = { file, length: buffer.duration, end: startedAt + buffer.duration,
                                  returned: this.context.currentTime };
                resolve();
            };
            startedAt = this.start(buffer, finish);
            timer = setTimeout(() => {
                if (this.playing && this.playing.finish === finish) this.stop(); else finish();
            }, Math.max(0, deadline - performance.now()) + buffer.duration * 1000);
        });
    }

    playAsync(cue) {
        this.stop();
        const file = this.files[cue];
        if (!this.enabled || !this.context || !file) return;
        const ticket = this.ticket;
        Promise.all([this.buffer(file), this.running]).then(([buffer]) => {
            if (buffer && ticket === this.ticket && this.enabled) this.start(buffer, () => {});
        });
    }
}
