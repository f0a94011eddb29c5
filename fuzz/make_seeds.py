#!/usr/bin/env python3
"""Writes the fuzzing seed corpus into fuzz/corpus/NAME/: small files of every
kind the game reads, valid and slightly damaged. Run from the source folder:
python3 fuzz/make_seeds.py (needs the shipped data/ and ImageMagick's convert
for the pictures; the files it writes are committed)."""

import os
import struct
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, "fuzz", "corpus")
DATA = os.path.join(ROOT, "data")


def put(kind, name, content):
    folder = os.path.join(CORPUS, kind)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(content)


def read(path):
    with open(os.path.join(DATA, path), "rb") as f:
        return f.read()


def layouts():
    for name in ("Traditional", "Pyramid"):
        put("lay", name + ".lay", read("Layouts/%s.lay" % name))
    traditional = read("Layouts/Traditional.lay")
    put("lay", "lf-only.lay", traditional.replace(b"\r\n", b"\n"))
    put("lay", "other-header.lay", b"Sorami 2.0\r\nOld board\r\n" + b"0" * 40 + b"\r\n")
    put("lay", "short-flags.lay", b"Sorami 3.0\r\nShort\r\n" + b"01" * 30 + b"\r\n")
    put("lay", "empty.lay", b"Sorami 3.0\r\nEmpty\r\n" + b"0" * 3400)

    shp = read("Layouts/Lantern.shp")
    put("shp", "Lantern.shp", shp)
    lines = shp.split(b"\r\n")
    put("shp", "lf-only.shp", b"\n".join(lines))
    put("shp", "cut.shp", b"\r\n".join(lines[:10]) + b"\r\n")
    put("shp", "lower-case.shp", b"\r\n".join(line.lower() for line in lines))


def ini_files():
    settings = [
        "[Sorami]", "Highlight=3", "Invert=0", "ShowMoves=1", "PlayMusic=0", "PlaySounds=1",
        "CurrentPlayer1=Player1", "Background=4", "BoardNumber=-1", "MidiNumber=-1", "Tileset=3",
        "SetRes800=0", "LastLoadedTileset=", "LastLoadedBackground=", "StartDirectly=1",
        "StartMusic=0", "ShowHallOfFame=1", "ShowToolbar=1", "ShowStatus=1", "Shadows=1",
        "Vertical=0", "Winnable=1", "RandomSeed=0x1F", "XPos=10", "YPos=20", "WPos=800",
        "HPos=600", "PreviousRes=1920",
    ]
    put("settings_ini", "Sorami.ini", ("\r\n".join(settings) + "\r\n").encode())
    put("settings_ini", "bom-lf.ini", b"\xef\xbb\xbf; comment\n[sorami]\n  currentplayer1 =  J\xc3\xa9r\xc3\xb4me \nXPos=+12\n")
    put("settings_ini", "two-sections.ini",
        b"top=1\r\n[Other]\r\nKey=Value\r\n[Sorami]\r\nTileset=0x7\r\n[Sorami]\r\nTileset=2\r\nCoolMenu")

    def entry(name, time, penalty):
        return "%-8s %4d %4d" % (name, time, penalty)

    hall = ["[Traditional]"]
    for rank in range(1, 11):
        hall.append("Rank%d=%s" % (rank, entry("Anna" if rank < 3 else "---", 200 + rank * 60, 0)))
    hall += ["", "[TwinPeaks]", "Rank1=" + entry("Bo", 95, 30), "Rank2=short", "", "[Rivers]"]
    for rank in range(1, 11):
        hall.append("Rank%d=%s" % (rank, entry("---", (rank + 4) * 60, 0)))
    put("hall_of_fame", "Hallfame.ini", ("\r\n".join(hall) + "\r\n").encode())
    put("hall_of_fame", "accents.ini",
        "[MyBoard]\nRank1=Zoë Çà    123   10\nRank2=\n[Memory2]\nRank1=X 1 1\n".encode("utf-8"))


def var_length(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.insert(0, 0x80 | (n & 0x7F))
        n >>= 7
    return bytes(out)


def midi():
    put("midi", "Temple.mid", read("Musics/Temple.mid"))
    events = b"".join([
        var_length(0) + b"\xff\x51\x03\x07\xa1\x20",           # tempo
        var_length(0) + b"\xc0\x05",                          # program 5
        var_length(0) + b"\xb0\x00\x01",                      # bank select
        var_length(0) + b"\x90\x3c\x40",                      # note on
        var_length(96) + b"\x3c\x00",                         # running status, note off
        var_length(0) + b"\xf0\x05\x7e\x7f\x09\x01\xf7",      # system exclusive
        var_length(0) + b"\x99\x24\x50",                      # drum
        var_length(200) + b"\x89\x24\x00",
        var_length(0) + b"\xff\x2f\x00",                      # end of track
    ])
    track = b"MTrk" + struct.pack(">I", len(events)) + events
    put("midi", "small.mid", b"MThd" + struct.pack(">IHHH", 6, 0, 1, 96) + track)
    put("midi", "two-tracks.mid", b"MThd" + struct.pack(">IHHH", 6, 1, 2, 480) + track + track)
    put("midi", "cut.mid", (b"MThd" + struct.pack(">IHHH", 6, 0, 1, 96) + track)[:30])


def sound_font():
    def chunk(tag, body):
        return tag + struct.pack("<I", len(body)) + body + (b"\0" if len(body) % 2 else b"")

    def lst(tag, body):
        return chunk(b"LIST", tag + body)

    def name(text):
        return text.encode().ljust(20, b"\0")

    presets = [("Piano", 0, 0, 0), ("Organ", 1, 0, 1), ("Drums", 0, 128, 0)]
    phdr = b"".join(name(n) + struct.pack("<HHHIII", p, b, i, 0, 0, 0) for i, (n, p, b, _) in enumerate(presets))
    phdr += name("EOP") + struct.pack("<HHHIII", 0, 0, len(presets), 0, 0, 0)
    pbag = b"".join(struct.pack("<HH", i, 0) for i in range(len(presets) + 1))
    pmod = b"\0" * 10
    pgen = b"".join(struct.pack("<HH", 41, inst) for (_, _, _, inst) in presets) + struct.pack("<HH", 0, 0)
    inst = name("Sine") + struct.pack("<H", 0) + name("Square") + struct.pack("<H", 1) + name("EOI") + struct.pack("<H", 2)
    ibag = b"".join(struct.pack("<HH", i, 0) for i in range(3))
    imod = b"\0" * 10
    igen = struct.pack("<HH", 53, 0) + struct.pack("<HH", 53, 0) + struct.pack("<HH", 0, 0)
    samples = 64
    shdr = name("Wave") + struct.pack("<IIIIIBbHH", 0, samples, 8, samples - 8, 22050, 60, 0, 0, 1)
    shdr += name("EOS") + struct.pack("<IIIIIBbHH", 0, 0, 0, 0, 0, 0, 0, 0, 0)
    smpl = b"".join(struct.pack("<h", (i % 16 - 8) * 2000) for i in range(samples + 46))
    info = lst(b"INFO", chunk(b"ifil", struct.pack("<HH", 2, 1)) + chunk(b"isng", b"EMU8000\0") +
               chunk(b"INAM", b"Seed\0\0"))
    sdta = lst(b"sdta", chunk(b"smpl", smpl))
    pdta = lst(b"pdta", chunk(b"phdr", phdr) + chunk(b"pbag", pbag) + chunk(b"pmod", pmod) +
               chunk(b"pgen", pgen) + chunk(b"inst", inst) + chunk(b"ibag", ibag) + chunk(b"imod", imod) +
               chunk(b"igen", igen) + chunk(b"shdr", shdr))
    body = b"sfbk" + info + sdta + pdta
    font = b"RIFF" + struct.pack("<I", len(body)) + body
    put("sound_font", "small.sf2", font)
    put("sound_font", "tables-first.sf2", b"RIFF" + struct.pack("<I", len(body)) + b"sfbk" + info + pdta + sdta)


def wave(rate, channels, bits, frames, fmt=1):
    block = channels * bits // 8
    data = bytes((i * 37) % 256 for i in range(frames * block))
    fmt_chunk = struct.pack("<HHIIHH", fmt, channels, rate, rate * block, block, bits)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt_chunk)) + fmt_chunk + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def waves():
    put("wav", "u8-mono-8000.wav", wave(8000, 1, 8, 200))
    put("wav", "s16-stereo-44100.wav", wave(44100, 2, 16, 300))
    put("wav", "s16-mono-22050.wav", wave(22050, 1, 16, 100))
    put("wav", "cut.wav", wave(11025, 1, 16, 100)[:60])


def rtf():
    put("rtf", "whatsnew.rtf", read("whatsnew.rtf"))
    put("rtf", "features.rtf",
        rb"{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\froman Times;}{\f1\fswiss Arial;}}"
        rb"{\colortbl;\red255\green0\blue0;}{\stylesheet{\s1 Heading;}}{\info{\title Help}}"
        rb"\pard\qc\sb120\sa60\li360\ri360\fi-180\plain\f1\fs32\b Title\b0\par"
        rb"\pard\qj Text with \i italic\i0 , \ul underline\ulnone , \cf1 colour\cf0 , \'e9t\'e9, "
        rb"\u8364?\uc2\u8212\'97\'97 and \emdash\bullet\lquote\rquote\ldblquote\rdblquote\tab tab\line"
        rb"{\v hidden}{\*\unknown skipped}{\pict\pngblip 89504e47}\page\par}")


def pictures():
    folder = os.path.join(CORPUS, "bmp")
    os.makedirs(folder, exist_ok=True)
    jpeg_folder = os.path.join(CORPUS, "jpeg")
    os.makedirs(jpeg_folder, exist_ok=True)
    gradient = ["-size", "12x7", "gradient:red-blue"]
    run = lambda *args: subprocess.run(["convert", *args], check=True)
    run(*gradient, "-type", "TrueColor", "BMP3:" + os.path.join(folder, "rgb24.bmp"))
    run(*gradient, "-colors", "16", "-type", "Palette", "BMP3:" + os.path.join(folder, "palette.bmp"))
    run(*gradient, "-alpha", "on", "-define", "bmp:format=bmp4", os.path.join(folder, "argb.bmp"))
    run(*gradient, "-compress", "RLE", "-colors", "16", "-type", "Palette", "BMP3:" + os.path.join(folder, "rle.bmp"))
    run(*gradient, "-quality", "80", os.path.join(jpeg_folder, "baseline.jpg"))
    run(*gradient, "-interlace", "Plane", os.path.join(jpeg_folder, "progressive.jpg"))
    run(*gradient, "-colorspace", "Gray", os.path.join(jpeg_folder, "gray.jpg"))
    run(*gradient, "-colorspace", "CMYK", os.path.join(jpeg_folder, "cmyk.jpg"))


def saved_game(kind, board_number, places, removed, tile_count=None, phase="running", rule="normal",
               name="Turtle", extra=None):
    """A consistent saved game: tile t on places[t - 1], the tiles of
    `removed` (pairs of one group) taken off in that order."""
    tile_count = tile_count or len(places)
    lines = {
        "layout-file": "Small.lay", "layout-name": name, "layout-number": str(board_number),
        "solitaire-layout-number": "1", "game-number": "0", "kind": kind, "phase": phase,
        "phase-before-pause": "running" if phase == "paused" else "stopped", "free-rule": rule,
        "generator": "2882400001", "clock": "61500 61 40", "selection": "0 0", "hint": "0 0 0",
        "no-moves-told": "0", "slide": "0 0 0 0", "reveal": "0", "turns": "0 0 0",
    }
    lines.update(extra or {})
    out = ["Sorami saved game 1"] + ["%s %s" % item for item in lines.items()]
    layout = places if kind in ("solitaire", "two-player") else [(1, 1, 1), (3, 1, 1)]
    out.append("layout-places %d" % len(layout))
    out += ["%d %d %d" % p for p in sorted(layout, key=lambda p: (p[2], p[1], p[0]))]
    out.append("tiles %d" % tile_count)
    out += ["0 0 0" if t in removed else "%d %d %d" % places[t - 1] for t in range(1, tile_count + 1)]
    out.append("removed %d" % len(removed))
    out += ["%d %d %d %d" % ((t,) + places[t - 1]) for t in removed]
    out.append("end")
    return ("\n".join(out) + "\n").encode()


def saved_games():
    row = [(2 * i + 2, 3, 1) for i in range(8)]
    put("saved_game", "solitaire.sorami-game", saved_game("solitaire", 1, row, [1, 2]))
    put("saved_game", "vertical-paused.sorami-game",
        saved_game("solitaire", 1, row, [5, 6, 1, 4], phase="paused", rule="vertical",
                   name="Caf\xc3\xa9 \\n \\x7F"))
    put("saved_game", "two-player.sorami-game",
        saved_game("two-player", 2, row, [], extra={"turns": "1 4000 2500", "selection": "3 0"}))
    block = [(x, y, 1) for y in range(7, 14, 2) for x in range(10, 25, 2)]
    put("saved_game", "memory.sorami-game",
        saved_game("memory", 110, block, [1, 2], extra={"selection": "5 9", "reveal": "4"}))
    rivers = [(x, y, z) for z in (1, 2) for y in range(5, 16, 2) for x in range(6, 29, 2)]
    put("saved_game", "rivers-hard.sorami-game", saved_game("rivers", 101, rivers, [1, 2, 7, 8]))
    whole = saved_game("solitaire", 1, row, [1, 2])
    put("saved_game", "cut.sorami-game", whole[: len(whole) // 2])
    put("saved_game", "newer.sorami-game", whole.replace(b"game 1", b"game 2", 1))
    put("saved_game", "crlf.sorami-game", whole.replace(b"\n", b"\r\n"))


if __name__ == "__main__":
    layouts()
    ini_files()
    midi()
    sound_font()
    waves()
    rtf()
    pictures()
    saved_games()
