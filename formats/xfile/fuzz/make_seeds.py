#!/usr/bin/env python3
"""Writes the small seed corpora of the X-file fuzzers (run from this folder)."""
import os
import struct
import zlib

TEXT = b"""
template Vector { <3d82ab5e-62da-11cf-ab39-0020af71e433> FLOAT x; FLOAT y; FLOAT z; }
Material Red { 1;0;0;1;; 5; 0;0;0;; 0;0;0;; TextureFilename { "red.png"; } }
Frame f { FrameTransformMatrix { 1,0,0,0,0,1,0,0,0,0,1,0,2,0,0,1;; }
Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 2; 4;0,1,2,3;, 3;0,2,3;;
 MeshNormals { 2; 0;0;1;, 0;1;0;; 2; 4;0,0,0,0;, 3;1,1,1;; }
 MeshTextureCoords { 4; 0;0;, 1;0;, 1;1;, 0;1;; }
 MeshVertexColors { 1; 0;1;1;1;1;;; }
 MeshMaterialList { 2; 2; 0,1;; { Red } Material { 0;1;0;1;; 1; 0;0;0;; 0;0;0;; } }
 SkinWeights { "bone"; 1; 9; 1; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; } } }
# comment
AnimationSet a { Animation { { f } AnimationKey { 0; 1; 0; 4; 1,0,0,0;;; } } }
"""


def name(text):
    return struct.pack("<HI", 1, len(text)) + text


def ints(values):
    return struct.pack("<HI", 6, len(values)) + b"".join(struct.pack("<I", v) for v in values)


def floats(values, size):
    fmt = "<f" if size == 4 else "<d"
    return struct.pack("<HI", 7, len(values)) + b"".join(struct.pack(fmt, v) for v in values)


def binary(size):
    o, c = struct.pack("<H", 10), struct.pack("<H", 11)
    guid = struct.pack("<H", 5) + bytes(range(16))
    out = struct.pack("<H", 31) + name(b"Thing") + o + guid + struct.pack("<H", 41) + name(b"n") + struct.pack("<HH", 20, 11)
    out += name(b"Material") + name(b"Red") + o + floats([1, 0, 0, 1, 5, 0, 0, 0, 0, 0, 0], size)
    out += name(b"TextureFilename") + o + struct.pack("<HI", 2, 7) + b"red.png" + struct.pack("<H", 20) + c + c
    out += name(b"Frame") + o + name(b"FrameTransformMatrix") + o
    out += floats([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1], size) + c
    out += name(b"Mesh") + o + ints([4]) + floats([0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0], size)
    out += ints([1, 4, 0, 1, 2, 3])
    out += name(b"MeshNormals") + o + ints([1]) + floats([0, 0, 1], size) + ints([1, 4, 0, 0, 0, 0]) + c
    out += name(b"MeshMaterialList") + o + ints([1, 1, 0]) + o + name(b"Red") + c + c
    out += c + c
    return out


def mszip(body, block=64):
    out = struct.pack("<I", len(body) + 16)
    for start in range(0, len(body), block):
        chunk = body[start:start + block]
        dictionary = body[max(0, start - 32768):start]
        z = zlib.compressobj(9, zlib.DEFLATED, -15, 8, zlib.Z_DEFAULT_STRATEGY, dictionary) if dictionary else \
            zlib.compressobj(9, zlib.DEFLATED, -15)
        packed = z.compress(chunk) + z.flush()
        out += struct.pack("<HH", len(chunk), len(packed) + 2) + b"CK" + packed
    return out


def write(folder, file, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, file), "wb") as f:
        f.write(data)


write("corpus_text", "mesh_frames_materials.txt", TEXT)
write("corpus_binary", "mesh_float32.bin", b"\0" + binary(4))
write("corpus_binary", "mesh_float64.bin", b"\1" + binary(8))
write("corpus_compressed", "binary_blocks.bzip", b"\0" + mszip(binary(4)))
write("corpus_compressed", "text_blocks.tzip", b"\1" + mszip(TEXT))
