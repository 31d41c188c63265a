// SPDX-License-Identifier: MIT
// The cues through Web Audio. A browser plays nothing before the player's first press, so the
// context is made in it (unlock). A synchronous cue resolves when its source has played its
// last sample, by the context's own clock; no cue holds the game past its length and a second.
'use strict';

class ZuvikCues {
    constructor(files) {
        this.files = files;
        this.context = null;
        this.buffers = new Map();
        this.playing = null; // {source, finish}
        this.ticket = 0;
        this.enabled = true;
        this.lastSync = null; // the latest synchronous cue's timing, for the benchmark
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
        this.context.resume().catch(() => {});
        this.files.forEach((file) => this.buffer(file));
    }

    // The decoded cue, or null when it cannot be fetched or decoded.
    buffer(file) {
        if (!this.buffers.has(file)) {
            const pending = fetch(file)
                .then((response) => (response.ok ? response.arrayBuffer() : null))
                .then((bytes) => bytes && new Promise((resolve) =>
                    this.context.decodeAudioData(bytes, resolve, () => resolve(null))))
                .catch(() => null);
            this.buffers.set(file, pending);
        }
        return this.buffers.get(file);
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
        const buffer = await Promise.race([this.buffer(file), new Promise((resolve) =>
            setTimeout(() => resolve(null), 1000))]);
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
        this.buffer(file).then((buffer) => {
            if (buffer && ticket === this.ticket && this.enabled) this.start(buffer, () => {});
        });
    }
}
