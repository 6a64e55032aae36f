#!/usr/bin/env python3
"""Independent writer and reader of the label file layout (.ett), for cross-checks.

    ettfile.py dump FILE          prints the file's content as JSON
    ettfile.py write FILE         writes a sample label and prints what it wrote as JSON
    ettfile.py corpus FOLDER      writes small sample files (fuzzing seeds)

The JSON lists the records in file order; a later record for the same slot wins,
records with a slot number below 1 are dropped by readers.
"""
import json
import math
import struct
import sys

IDENT = b"NOR-VEX Aufkleber-Werkbank 2.0\x00"
END_MARKER = 10001

# Windows-1252 leaves five byte values unassigned; they stand for the C1 control
# characters of the same number.
UNASSIGNED = {0x81, 0x8D, 0x8F, 0x90, 0x9D}


def encode_1252(text):
    out = bytearray()
    for ch in text:
        if ord(ch) in UNASSIGNED:
            out.append(ord(ch))
        else:
            out += ch.encode("cp1252", errors="replace")
    return bytes(out)


def decode_1252(data):
    return "".join(chr(b) if b in UNASSIGNED else bytes([b]).decode("cp1252") for b in data)


# Record fields after the slot number: (name, struct code); "s" is a 0-ended string.
RECORD_FIELDS = [
    ("X", "i"), ("Y", "i"), ("Width", "i"), ("Height", "i"), ("KeepAspect", "?"),
    ("Kind", "i"), ("Color", "i"), ("Shape", "i"), ("TextAlign", "i"),
    ("OutlineColor", "i"), ("ShadowColor", "i"), ("Shadow", "?"), ("Outline", "?"),
    ("ShadowDX", "i"), ("ShadowDY", "i"), ("Transparent", "?"), ("TransAuto", "?"),
    ("TransColor", "i"), ("Rotation", "i"), ("Text", "s"), ("FontColor", "i"),
    ("FontHeight", "i"), ("FontName", "s"), ("FontPitch", "B"), ("FontSize", "i"),
    ("FontStyle", "B"),
]
FORMAT_DOUBLES = ["MarginLeft", "MarginTop", "PitchX", "PitchY", "LabelWidth", "LabelHeight"]


def pack_format(fmt):
    name = encode_1252(fmt["TypeName"])[:50]
    data = struct.pack("<6d2i", *[fmt[k] for k in FORMAT_DOUBLES], fmt["Across"], fmt["Down"])
    data += bytes([len(name)]) + name.ljust(50, b"\x00") + b"\x00" * 5
    assert len(data) == 112
    return data


def pack_string(text):
    return encode_1252(text) + b"\x00"


def pack_label(doc):
    out = bytearray(IDENT)
    out += pack_format(doc["Format"])
    out += struct.pack("<3i", doc["WorkWidth"], doc["WorkHeight"], doc["BkgndMode"])
    out += pack_string(doc["BkgndFile"])
    out += struct.pack("<2d", doc["Zoom"], doc["UnitsPerPixel"])
    for rec in doc["Records"]:
        out += struct.pack("<i", rec["Slot"])
        for name, code in RECORD_FIELDS:
            out += pack_string(rec[name]) if code == "s" else struct.pack("<" + code, rec[name])
    out += struct.pack("<i", doc.get("EndMarker", END_MARKER))
    return bytes(out)


class Reader:
    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, code):
        size = struct.calcsize("<" + code)
        if self.pos + size > len(self.data):
            raise EOFError("file ends at byte %d" % self.pos)
        value = struct.unpack_from("<" + code, self.data, self.pos)[0]
        self.pos += size
        return value

    def string(self):
        end = self.data.find(b"\x00", self.pos)
        if end < 0:
            raise EOFError("string without its byte 0 at byte %d" % self.pos)
        text = decode_1252(self.data[self.pos:end])
        self.pos = end + 1
        return text


def unpack_label(data):
    if data[:31] != IDENT:
        raise ValueError("wrong identification")
    r = Reader(data)
    r.pos = 31
    fmt = {k: r.take("d") for k in FORMAT_DOUBLES}
    fmt["Across"], fmt["Down"] = r.take("i"), r.take("i")
    name_len = min(r.take("B"), 50)
    fmt["TypeName"] = decode_1252(data[r.pos:r.pos + name_len])
    r.pos = 31 + 112
    doc = {"Format": fmt, "WorkWidth": r.take("i"), "WorkHeight": r.take("i"),
           "BkgndMode": r.take("i"), "BkgndFile": r.string(), "Zoom": r.take("d"),
           "UnitsPerPixel": r.take("d"), "Records": []}
    while True:
        slot = r.take("i")
        if slot > 10000:
            doc["EndMarker"] = slot
            break
        rec = {"Slot": slot}
        for name, code in RECORD_FIELDS:
            rec[name] = r.string() if code == "s" else r.take(code)
        doc["Records"].append(rec)
    doc["Size"] = r.pos
    return doc


def record(slot, **fields):
    rec = {"Slot": slot, "X": 0, "Y": 0, "Width": 0, "Height": 0, "KeepAspect": False,
           "Kind": 1, "Color": 0, "Shape": 3, "TextAlign": 0, "OutlineColor": 0,
           "ShadowColor": 0, "Shadow": False, "Outline": False, "ShadowDX": 5, "ShadowDY": 5,
           "Transparent": False, "TransAuto": False, "TransColor": 0, "Rotation": 0, "Text": "",
           "FontColor": 0, "FontHeight": 0, "FontName": "", "FontPitch": 0, "FontSize": 0,
           "FontStyle": 0}
    rec.update(fields)
    return rec


def start_format():
    return {"MarginLeft": 10.0, "MarginTop": 1.0, "PitchX": 90.0, "PitchY": 38.0,
            "LabelWidth": 88.9, "LabelHeight": 35.7, "Across": 1, "Down": 12,
            "TypeName": "Kein Etikettentyp"}


def work_area(mm):
    return math.trunc(3 * mm * 20000 / 25.39995)


def sample_label():
    fmt = {"MarginLeft": 7.25, "MarginTop": 12.5, "PitchX": 70.0, "PitchY": 42.3,
           "LabelWidth": 66.5, "LabelHeight": 40.1, "Across": 3, "Down": 7,
           "TypeName": "Büro-Etikett 70 × 42,3 – €"}
    recs = [
        record(12, Kind=2, X=70100, Y=64000, Width=40000, Height=9000, Color=0x0000FF,
               TextAlign=1, OutlineColor=0x123456, ShadowColor=0x808080, Shadow=True,
               Outline=True, ShadowDX=-7, ShadowDY=12, Rotation=1,
               Text="Grüße aus Köln\rZweite Zeile: 5 € %%NUMMER%%", FontColor=0x010203,
               FontHeight=-27, FontName="Times New Roman", FontPitch=2, FontSize=20,
               FontStyle=0b1011),
        record(3, Kind=1, X=-500, Y=2147483647, Width=123456, Height=7, Color=0x00FF00,
               Shape=9, OutlineColor=0xABCDEF, ShadowColor=2, TransColor=4),
        record(0, Kind=2, Text="verworfen (Platz 0)"),
        record(7, Kind=1, Shape=0, Color=0xFF0000),
        record(9, Kind=3, X=70000, Y=31000, Width=20000, Height=30000, KeepAspect=True,
               Transparent=True, TransAuto=True, TransColor=0xFFFFFF, Rotation=3,
               Text="C:\\Programme\\Etiketten\\logo.jpg"),
        record(-4, Kind=1, Shape=3),
        record(7, Kind=2, Text="überschreibt Platz 7", FontName="Arial", FontSize=12,
               FontPitch=1),
        record(10000, Kind=1, Shape=7, Width=1, Height=84330, Color=0x00FFFFFF),
    ]
    return {"Format": fmt, "WorkWidth": work_area(66.5), "WorkHeight": work_area(40.1),
            "BkgndMode": 2, "BkgndFile": "D:\\Bilder\\hintergrund.jpg", "Zoom": 1.5,
            "UnitsPerPixel": 208.0 / 1.5, "Records": recs, "EndMarker": 10001}


def corpus_labels():
    base = {"Format": start_format(), "WorkWidth": 210000, "WorkHeight": 84330,
            "BkgndMode": -1, "BkgndFile": "", "Zoom": 1.0, "UnitsPerPixel": 208.0,
            "Records": []}
    yield "empty.ett", base
    yield "text.ett", dict(base, Records=[record(1, Kind=2, X=70000, Y=28110, Width=30000,
                                                 Height=8000, Text="Hallo\rWelt",
                                                 FontName="Arial", FontSize=14)])
    yield "figures.ett", dict(base, Records=[record(i + 1, Kind=1, Shape=i, X=70000 + 3000 * i,
                                                    Y=30000, Width=9000, Height=6000,
                                                    Color=0x3366CC, ShadowColor=i % 3,
                                                    TransColor=i % 4) for i in range(10)])
    yield "picture.ett", dict(base, BkgndMode=3, BkgndFile="hintergrund.jpg",
                              Records=[record(5, Kind=3, Text="logo.jpg", Rotation=3,
                                              Width=20000, Height=20000, KeepAspect=True)])
    yield "sample.ett", sample_label()
    yield "noend.ett", dict(base, Records=[record(2, Kind=1)], EndMarker=None)
    # Codes (kind 4): every symbology, then bad data, odd boxes and rotations.
    samples = ["%%NUMMER%%", "Matrix 1", "ABC-123", "400638133393", "9638507", "03600029145",
               "0123456+12", "CODE39", "15400141288763", "123456", "[01]04012345678901",
               "PDF417", "Aztec", "[01]04012345678901[10]A1"]
    yield "codes.ett", dict(base, Records=[record(i + 1, Kind=4, Shape=i, X=70000 + 1500 * i,
                                                  Y=28110 + 900 * i, Width=20000, Height=12000,
                                                  Text=samples[i], TextAlign=i % 2,
                                                  ShadowColor=i % 5, Transparent=i % 2 == 0,
                                                  Rotation=i % 4, FontName="Arial")
                                           for i in range(len(samples))])
    yield "badcodes.ett", dict(base, Records=[
        record(1, Kind=4, Shape=3, Text="4006381333932", Width=20000, Height=10000),
        record(2, Kind=4, Shape=14, Text="1", Width=20000, Height=10000),
        record(3, Kind=4, Shape=-1, Text="1", Width=20000, Height=10000),
        record(4, Kind=4, Shape=0, Text="x" * 3000, Width=2147483647, Height=2147483647),
        record(5, Kind=4, Shape=2, Text="\x01\x02\x7f\xff", Width=-5, Height=0),
        record(6, Kind=4, Shape=11, Text="9" * 2000, Width=1, Height=1, Rotation=7),
        record(7, Kind=4, Shape=4, Text="%%nummer%%", X=-2147483648, Y=2147483647,
               Width=30000, Height=30000, ShadowColor=99, TextAlign=1),
    ])


def main(argv):
    if len(argv) == 3 and argv[1] == "dump":
        with open(argv[2], "rb") as f:
            print(json.dumps(unpack_label(f.read()), ensure_ascii=False))
    elif len(argv) == 3 and argv[1] == "write":
        doc = sample_label()
        with open(argv[2], "wb") as f:
            f.write(pack_label(doc))
        print(json.dumps(doc, ensure_ascii=False))
    elif len(argv) == 3 and argv[1] == "corpus":
        for name, doc in corpus_labels():
            truncated = "EndMarker" in doc and doc["EndMarker"] is None
            data = pack_label(dict(doc, EndMarker=END_MARKER))
            if truncated:
                data = data[:-4]
            with open(argv[2] + "/" + name, "wb") as f:
                f.write(data)
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
