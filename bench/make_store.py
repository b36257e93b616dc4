#!/usr/bin/python3
"""Writes a synthetic Wareloom data directory for the benchmarks.

    make_store.py DIR CATEGORIES ITEMS [--vary]

DIR is emptied of category files and pages first. Category names hold spaces
and accents; file names are UTF-8 on disk, texts inside records windows-1252.
Each record is 90 bytes: name 60, code 10, price 10, qty 10, each followed by
a NUL when shorter than its field. With --vary a category holds
(index % (ITEMS + 1)) items instead of ITEMS, so counts differ between lines.
"""

import argparse
import os
import sys

CODE_PAGE = "cp1252"
FIELDS = (("name", 60), ("code", 10), ("price", 10), ("qty", 10))

# Category names: words with accents and spaces, made unique by a number.
CATEGORY_WORDS = ["Café crème", "Thé à la menthe", "Épicerie fine", "Pâtisserie",
                  "Outils & pièces", "Jardin d'été", "Boîtes, sacs", "Crêpes"]
ITEM_WORDS = ["Théière émaillée", "Moulin à café", "Bol en grès", "Cuillère n°",
              "Plateau – chêne", "Pinceau fin", "Sécateur", "Tasse «déco»"]


def field(text, width):
    data = text.encode(CODE_PAGE)
    if len(data) > width:
        raise ValueError(f"{text!r} does not fit {width} bytes")
    return data + b"\0" * (width - len(data))


def record(category, item):
    texts = {
        "name": f"{ITEM_WORDS[item % len(ITEM_WORDS)]} {category}-{item} ({item % 7} pièces)",
        "code": f"C{category % 1000:03d}-{item:03d}" if item % 10 else "",
        "price": f"{(item * 37 % 10000) / 100:.2f} €",
        "qty": str(item * 13 % 500),
    }
    data = b"".join(field(texts[name], width) for name, width in FIELDS)
    assert len(data) == 90
    return data


def category_name(index):
    return f"{CATEGORY_WORDS[index % len(CATEGORY_WORDS)]} {index:05d}"


def clear(directory):
    for entry in os.scandir(directory):
        if entry.is_file() and entry.name.lower().endswith((".dat", ".htm")):
            os.unlink(entry.path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("directory")
    parser.add_argument("categories", type=int)
    parser.add_argument("items", type=int)
    parser.add_argument("--vary", action="store_true")
    args = parser.parse_args()

    os.makedirs(args.directory, exist_ok=True)
    clear(args.directory)
    for index in range(args.categories):
        count = index % (args.items + 1) if args.vary else args.items
        body = b"".join(record(index, item) for item in range(1, count + 1))
        path = os.path.join(args.directory, category_name(index) + ".dat")
        with open(path.encode("utf-8"), "wb") as out:
            out.write(body)
    return 0


if __name__ == "__main__":
    sys.exit(main())
