// SPDX-License-Identifier: MIT
// The player's cards as pictures from Debian's deck, copied beside the page at build time. The
// deck lays its cards out in 13 columns (ace, 2 … 10, jack, queen, king) and 5 rows (clubs,
// diamonds, hearts, spades, then the jokers and the back); each card is drawn as its cell of the
// whole image. A deck that is missing, unreadable or lacks one of the 36 leaves the hand as text.
'use strict';

const kDeckColumns = 13;
const kDeckRows = 5;
const kDeckSuitRows = { club: 0, diamond: 1, heart: 2, spade: 3 };
const kDeckCourtColumns = { jack: 10, queen: 11, king: 12 };

class ZuvikDeck {
    constructor(cardIds) {
        this.aspect = 0; // a card's width over its height; 0: no deck
        this.ready = this.load(cardIds);
    }

    async load(cardIds) {
        try {
            const response = await fetch('deck.svg');
            if (!response.ok) return;
            // Read as text, not parsed into a document of the page's: a deck styled by
            // attributes would have every one of them refused by the page's own policy.
            const text = await response.text();
            const ids = new Set(Array.from(text.matchAll(/\sid="([^"]+)"/g), (found) => found[1]));
            if (!cardIds.every((id) => ids.has(id))) return;
            const root = /<svg\b[^>]*>/.exec(text);
            const viewBox = root ? /\sviewBox="([^"]+)"/.exec(root[0]) : null;
            const box = viewBox ? viewBox[1].trim().split(/[\s,]+/).map(Number) : [];
            if (box.length !== 4 || !(box[2] > 0) || !(box[3] > 0)) return;
            // A deck the browser cannot draw (cut short, say) is no deck.
            const image = new Image();
            image.src = 'deck.svg';
            await image.decode();
            this.aspect = (box[2] / kDeckColumns) / (box[3] / kDeckRows);
        } catch (error) {
            this.aspect = 0;
        }
    }

    // "heart_queen" → its column and row in the deck.
    static cell(id) {
        const [suit, rank] = id.split('_');
        const column = kDeckCourtColumns[rank] ?? Number(rank) - 1;
        return { column, row: kDeckSuitRows[suit] };
    }

    // Lays the cards into box, overlapping so that the longest hand fits its width.
    draw(box, ids) {
        box.replaceChildren();
        if (this.aspect === 0 || ids.length === 0) return;
        const height = box.clientHeight;
        const width = height * this.aspect;
        const step = ids.length > 1 ? Math.min(width * 0.55, (box.clientWidth - width) / (ids.length - 1))
                                    : 0;
        ids.forEach((id, index) => {
            const { column, row } = ZuvikDeck.cell(id);
            const card = document.createElement('div');
            card.className = 'card';
            card.style.width = `${width}px`;
            card.style.left = `${index * step}px`;
            card.style.backgroundImage = 'url("deck.svg")';
            card.style.backgroundPosition =
                `${(column * 100) / (kDeckColumns - 1)}% ${(row * 100) / (kDeckRows - 1)}%`;
            box.append(card);
        });
    }
}
