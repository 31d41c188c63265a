// SPDX-License-Identifier: MIT
// The page's shell: the table, its menus and boxes as elements named after the game's controls,
// built from the game's own tables (zuvik_tables), and the four interfaces the rules call
// (web/*.cpp). Every command goes to the one gate, zuvik_run; the shell decides nothing of the
// rules. Texts are set as textContent or value only, never as markup.
'use strict';

(() => {
    const byId = (id) => document.getElementById(id);
    const events = []; // what the page did, in order: the browser test reads it
    const log = (line) => events.push(line);
    const quoted = (text) => `"${text}"`;

    const shell = {
        outbox: '',
        fetched: null,
        tables: null,
        cues: null,
        deck: null,
        controls: [], // by the game's Control, in the order of its table
        phase: -1,
        module: null,
        session: 0,
        ended: false,
    };

    // ---- the table -------------------------------------------------------------------------

    function buildTable() {
        const { tables } = shell;
        document.title = tables.windowTitle;
        const area = byId('clientArea');
        const rows = tables.controls.map((row, index) => ({ row, index }));
        // In tab order, so that Tab and a screen reader's reading follow the desktop's order.
        rows.sort((a, b) => a.row.tabIndex - b.row.tabIndex);
        for (const { row, index } of rows) {
            let element;
            if (row.kind === 'button') {
                element = document.createElement('button');
                element.type = 'button';
                element.textContent = row.caption;
                element.addEventListener('click', () => run(row.command));
            } else if (row.kind === 'text') {
                element = document.createElement('textarea');
                element.readOnly = true;
                element.value = row.caption;
            } else {
                element = document.createElement('div');
                element.className = 'label';
                element.textContent = row.caption;
                if (row.showsMoney) element.setAttribute('aria-live', 'polite');
            }
            element.id = row.name;
            if (row.spokenName) element.setAttribute('aria-label', row.spokenName);
            if (row.description) element.setAttribute('aria-description', row.description);
            area.append(element);
            shell.controls[index] = element;
        }
        const colour = (rgb) => `rgb(${rgb.join(',')})`;
        area.style.background =
            `linear-gradient(${colour(tables.colours.felt)}, ${colour(tables.colours.feltBottom)})`;
        area.style.color = colour(tables.colours.captionInk);
        document.body.style.background = colour(tables.colours.feltBottom);
        showPhase(tables.phaseAtCreation, false);
        buildMenus();
        window.addEventListener('resize', layout);
        new ResizeObserver(layout).observe(document.documentElement);
        layout();
    }

    function place(element, twips, factor) {
        element.style.left = `${twips.left * factor}px`;
        element.style.top = `${twips.top * factor}px`;
        element.style.width = `${twips.width * factor}px`;
        element.style.height = `${twips.height * factor}px`;
    }

    // The table grows and shrinks with the window, text and all, as the desktop's does.
    function layout() {
        const { tables } = shell;
        const width = document.documentElement.clientWidth;
        const height = window.innerHeight - byId('menuBar').offsetHeight;
        const client = tables.clientTwips;
        const factor = Math.max(0.01, Math.min(width / client.width, height / client.height));
        const area = byId('clientArea');
        area.style.width = `${client.width * factor}px`;
        area.style.height = `${client.height * factor}px`;
        area.style.fontSize = `${7.5 * tables.twipsPerPixel * factor}px`;
        tables.controls.forEach((row, index) => place(shell.controls[index], row.twips, factor));
        place(byId('handCards'), tables.handCardsTwips, factor);
        drawHand();
    }

    function isShown(index) {
        return !shell.controls[index].hidden;
    }

    function firstOfPhase() {
        const shown = shell.tables.controls
            .map((row, index) => ({ row, index }))
            .filter(({ row, index }) => row.kind !== 'label' && isShown(index))
            .sort((a, b) => a.row.tabIndex - b.row.tabIndex);
        return shown.length > 0 ? shell.controls[shown[0].index] : null;
    }

    function focusTable() {
        const active = document.activeElement;
        if (shell.controls.includes(active) && !active.hidden) return;
        const first = firstOfPhase();
        if (first) first.focus();
    }

    function showPhase(phase, logged = true) {
        shell.phase = phase;
        shell.tables.controls.forEach((row, index) => {
            shell.controls[index].hidden = !row.shownIn.includes(phase);
        });
        byId('handCards').hidden = !shell.tables.controls.some(
            (row, index) => row.kind === 'text' && isShown(index));
        document.body.dataset.phase = shell.tables.phases[phase];
        if (logged) log(`phase ${shell.tables.phases[phase]}`);
        if (!byId('box').open && !byId('Form1').hidden) focusTable();
    }

    function setCaption(control, text) {
        const row = shell.tables.controls[control];
        const element = shell.controls[control];
        element.textContent = text;
        if (row.showsMoney) element.setAttribute('aria-label', `${row.spokenName}: ${text.trim()}`);
        log(`caption ${row.name} ${quoted(text)}`);
    }

    function handBox() {
        return shell.controls[shell.tables.controls.findIndex((row) => row.kind === 'text')];
    }

    let handIds = [];
    function drawHand() {
        if (shell.deck) shell.deck.draw(byId('handCards'), handIds);
    }

    function setHandText(text, ids) {
        const box = handBox();
        box.value = text;
        box.scrollTop = box.scrollHeight; // the newest card in sight
        handIds = ids === '' ? [] : ids.split(' ');
        drawHand();
        log(`hand ${quoted(text)}`);
    }

    // ---- the menus -------------------------------------------------------------------------

    let openPopup = null;
    function closeMenus() {
        if (!openPopup) return;
        openPopup.popup.hidden = true;
        openPopup.title.setAttribute('aria-expanded', 'false');
        openPopup = null;
    }

    function buildMenus() {
        const bar = byId('menuBar');
        const menus = new Map();
        for (const item of shell.tables.menuItems) {
            if (!menus.has(item.menuName)) {
                const holder = document.createElement('div');
                const title = document.createElement('button');
                title.type = 'button';
                title.className = 'menuTitle';
                title.id = item.menuName;
                title.textContent = item.menuCaption;
                title.setAttribute('aria-haspopup', 'menu');
                title.setAttribute('aria-expanded', 'false');
                const popup = document.createElement('div');
                popup.className = 'menuPopup';
                popup.setAttribute('role', 'menu');
                popup.hidden = true;
                title.addEventListener('click', (event) => {
                    event.stopPropagation();
                    const wasOpen = openPopup && openPopup.popup === popup;
                    closeMenus();
                    if (wasOpen) return;
                    popup.hidden = false;
                    title.setAttribute('aria-expanded', 'true');
                    openPopup = { popup, title };
                    popup.querySelector('button').focus();
                });
                holder.append(title, popup);
                bar.append(holder);
                menus.set(item.menuName, popup);
            }
            const entry = document.createElement('button');
            entry.type = 'button';
            entry.id = item.name;
            const check = document.createElement('span');
            check.className = 'check';
            const caption = document.createElement('span');
            caption.textContent = item.caption;
            const left = document.createElement('span');
            left.append(check, caption);
            const keys = document.createElement('span');
            keys.textContent = item.shortcut;
            entry.append(left, keys);
            if (item.shortcut) entry.setAttribute('aria-keyshortcuts', item.shortcut.replace('Ctrl', 'Control'));
            if (item.command === null) {
                // The sound switch: no rule runs, and it does not pass the gate.
                entry.setAttribute('role', 'menuitemcheckbox');
                const show = () => {
                    entry.setAttribute('aria-checked', String(shell.cues.enabled));
                    check.textContent = shell.cues.enabled ? '✓' : '';
                };
                entry.toggleSound = () => {
                    shell.cues.setEnabled(!shell.cues.enabled);
                    show();
                    log(`sound ${shell.cues.enabled ? 'on' : 'off'}`);
                };
                entry.addEventListener('click', () => { closeMenus(); entry.toggleSound(); });
                show();
            } else {
                entry.setAttribute('role', 'menuitem');
                entry.addEventListener('click', () => { closeMenus(); focusTable(); run(item.command); });
            }
            menus.get(item.menuName).append(entry);
        }
        document.addEventListener('click', closeMenus);
        document.addEventListener('keydown', onKey);
    }

    function shortcutOf(event) {
        let key = event.code;
        if (key.startsWith('Key')) key = key.slice(3);
        else if (!/^F\d+$/.test(key)) return '';
        return (event.ctrlKey ? 'Ctrl+' : '') + (event.shiftKey ? 'Shift+' : '') +
            (event.altKey ? 'Alt+' : '') + key;
    }

    function onKey(event) {
        if (byId('Form1').hidden) return;
        if (event.key === 'Escape' && openPopup) {
            const { title } = openPopup;
            closeMenus();
            title.focus();
            return;
        }
        const pressed = shortcutOf(event);
        if (!pressed) return;
        const item = shell.tables.menuItems.find((row) => row.shortcut === pressed);
        if (!item) return;
        event.preventDefault();
        closeMenus();
        if (item.command === null) byId(item.name).toggleSound();
        else run(item.command);
    }

    // ---- the boxes -------------------------------------------------------------------------

    // One modal dialog serves every box: the rules never open two at once.
    function openBox(title, prompt, buttons, withInput, onCancel) {
        const box = byId('box');
        const input = byId('boxInput');
        const before = document.activeElement;
        byId('boxTitle').textContent = title;
        byId('boxPrompt').textContent = prompt;
        input.hidden = !withInput;
        input.value = '';
        const row = byId('boxButtons');
        row.replaceChildren();
        return new Promise((resolve) => {
            const answer = (value) => {
                box.oncancel = null;
                input.onkeydown = null;
                box.close();
                if (!byId('Form1').hidden) {
                    if (shell.controls.includes(before) && !before.hidden) before.focus();
                    else focusTable();
                }
                resolve(value);
            };
            for (const [caption, value] of buttons) {
                const button = document.createElement('button');
                button.type = 'button';
                button.textContent = caption;
                button.addEventListener('click', () => answer(value()));
                row.append(button);
            }
            box.oncancel = (event) => { event.preventDefault(); answer(onCancel()); };
            input.onkeydown = (event) => {
                if (event.key === 'Enter') { event.preventDefault(); answer(input.value); }
            };
            box.showModal();
            (withInput ? input : row.firstChild).focus();
        });
    }

    shell.messageBox = (prompt, yesNo, title) => {
        log(`box ${yesNo ? 'YesNo' : 'OK'} ${quoted(prompt)}`);
        const buttons = yesNo ? [['Да', () => 6], ['Нет', () => 7]] : [['OK', () => 1]];
        return openBox(title, prompt, buttons, false, () => (yesNo ? 7 : 1));
    };

    shell.inputBox = (prompt, title) => {
        log(`input ${quoted(prompt)}`);
        const input = byId('boxInput');
        return openBox(title, prompt, [['OK', () => input.value], ['Отмена', () => '']], true,
                       () => '');
    };

    // ---- the rest of the view, the rules file, the ending -----------------------------------

    shell.setCaption = setCaption;
    shell.showPhase = showPhase;
    shell.handText = () => handBox().value;
    shell.setHandText = setHandText;
    shell.focusHand = () => handBox().focus();

    shell.fetchBytes = async (name, limit) => {
        try {
            const response = await fetch(name, { cache: 'no-store' });
            if (response.status === 404) return -1;
            if (!response.ok) return -2;
            const bytes = new Uint8Array(await response.arrayBuffer());
            if (bytes.length > limit) return -3;
            shell.fetched = bytes;
            return bytes.length;
        } catch (error) {
            return -2;
        }
    };

    shell.loaded = () => {
        byId('Form1').hidden = false;
        layout();
        focusTable();
        log('shown');
        shell.deck = new ZuvikDeck(shell.tables.cardIds);
        shell.deck.ready.then(drawHand);
    };

    // A page cannot close itself: everything goes, one line says so, one button starts anew.
    shell.terminate = () => {
        shell.ended = true;
        log('terminate');
        const box = byId('box');
        if (box.open) box.close();
        byId('Form1').hidden = true;
        byId('entry').hidden = true;
        byId('ending').hidden = false;
        byId('newGame').focus();
    };

    function run(command) {
        if (shell.ended || !shell.module) return;
        log(`run ${command}`);
        shell.module._zuvik_run(shell.session, command);
    }

    // ---- start -----------------------------------------------------------------------------

    const moduleReady = createZuvik({ shell }).then((module) => {
        shell.module = module;
        shell.tables = JSON.parse(module.UTF8ToString(module._zuvik_tables()));
        const cues = new ZuvikCues(shell.tables.cues);
        shell.cues = cues;
        const logged = (mode, play) => (cue) => {
            log(`cue ${shell.tables.cues[cue]} ${mode}`);
            return play(cue);
        };
        cues.preload();
        shell.cues = Object.assign(cues, {
            playSync: logged('sync', cues.playSync.bind(cues)),
            playAsync: logged('async', cues.playAsync.bind(cues)),
        });
        buildTable();
        shell.session = module._zuvik_session();
        return module;
    });

    // Sound needs a gesture: the press that comes in starts the greeting, as the desktop's start.
    byId('enter').addEventListener('click', async () => {
        byId('enter').disabled = true;
        const module = await moduleReady;
        shell.cues.unlock();
        byId('entry').hidden = true;
        module._zuvik_start(shell.session);
    });
    byId('newGame').addEventListener('click', () => window.location.reload());

    // For the browser test and the benchmark alone; the player never calls these.
    window.zuvikPage = {
        events,
        lastSync: () => shell.cues && shell.cues.lastSync,
        stackShuffle: (names) => {
            shell.outbox = names.join('|');
            shell.module._zuvik_test_stack_shuffle(shell.session);
        },
        fraction: (value) => shell.module._zuvik_test_fraction(shell.session, value),
    };
})();
