#!/usr/bin/env python3
"""Writes the seed corpus of the glTF reader and import fuzzers (run from this folder):
small files of our own that reach the reader's and the importer's paths."""
import base64
import json
import math
import os
import struct


def buffer_of(chunks):
    data = b""
    views = []
    for chunk in chunks:
        data += b"\0" * (-len(data) % 4)
        views.append({"buffer": 0, "byteOffset": len(data), "byteLength": len(chunk)})
        data += chunk
    return data, views


def floats(values):
    return struct.pack("<%df" % len(values), *values)


def model(interpolation="LINEAR", strip=False, sparse=False):
    h = math.sqrt(0.5)
    positions = floats([0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0])
    indices = struct.pack("<6H", 0, 1, 2, 2, 1, 3)
    colours = bytes([255, 0, 0, 255] * 4)
    times = floats([0, 0.5, 1])
    per_key = 3 if interpolation == "CUBICSPLINE" else 1
    rotations = floats([0, 0, 0, 1] * per_key + [0, h, 0, h] * per_key + [0, 1, 0, 0] * per_key)
    moves = floats([0, 0, 0] * per_key + [1, 2, 3] * per_key + [0, 5, 0] * per_key)
    sparse_index = struct.pack("<H", 1)
    sparse_value = floats([0, 0, 2])
    data, views = buffer_of([positions, indices, colours, times, rotations, moves, sparse_index, sparse_value])
    position = {"bufferView": 0, "componentType": 5126, "count": 4, "type": "VEC3",
                "min": [0, 0, 0], "max": [1, 1, 0]}
    if sparse:
        position["sparse"] = {"count": 1, "indices": {"bufferView": 6, "componentType": 5123},
                              "values": {"bufferView": 7}}
    gltf = {
        "asset": {"version": "2.0"},
        "buffers": [{"byteLength": len(data),
                     "uri": "data:application/octet-stream;base64," + base64.b64encode(data).decode()}],
        "bufferViews": views,
        "accessors": [position,
                      {"bufferView": 1, "componentType": 5123, "count": 6, "type": "SCALAR"},
                      {"bufferView": 2, "componentType": 5121, "normalized": True, "count": 4, "type": "VEC4"},
                      {"bufferView": 3, "componentType": 5126, "count": 3, "type": "SCALAR", "min": [0], "max": [1]},
                      {"bufferView": 4, "componentType": 5126, "count": 3 * per_key, "type": "VEC4"},
                      {"bufferView": 5, "componentType": 5126, "count": 3 * per_key, "type": "VEC3"}],
        "materials": [{"name": "red", "pbrMetallicRoughness": {"baseColorFactor": [1, 0, 0, 1]},
                       "emissiveFactor": [0.1, 0, 0]}],
        "meshes": [{"name": "quad", "primitives": [{
            "attributes": {"POSITION": 0, "COLOR_0": 2}, "indices": 1, "material": 0,
            "mode": 5 if strip else 4}]}],
        "nodes": [{"name": "root", "children": [1], "translation": [0, 1, 0]},
                  {"name": "腕", "mesh": 0, "scale": [1, 2, 1]},
                  {"name": "matrix", "mesh": 0, "matrix": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 3, 0, 0, 1]}],
        "scenes": [{"nodes": [0, 2]}],
        "scene": 0,
        "animations": [{"name": "turn", "samplers": [
            {"input": 3, "output": 4, "interpolation": interpolation},
            {"input": 3, "output": 5, "interpolation": interpolation}],
            "channels": [{"sampler": 0, "target": {"node": 0, "path": "rotation"}},
                         {"sampler": 1, "target": {"node": 1, "path": "translation"}}]}],
    }
    return gltf, data


def glb(gltf, data):
    del gltf["buffers"][0]["uri"]
    text = json.dumps(gltf, separators=(",", ":")).encode()
    text += b" " * (-len(text) % 4)
    data += b"\0" * (-len(data) % 4)
    body = struct.pack("<I4s", len(text), b"JSON") + text + struct.pack("<I4s", len(data), b"BIN\0") + data
    return struct.pack("<4sII", b"glTF", 2, 12 + len(body)) + body


def main():
    os.makedirs("corpus", exist_ok=True)
    seeds = {
        "linear.gltf": model(),
        "step_strip.gltf": model("STEP", strip=True),
        "cubic_sparse.gltf": model("CUBICSPLINE", sparse=True),
    }
    for name, (gltf, _) in seeds.items():
        with open(os.path.join("corpus", name), "w", encoding="utf-8") as f:
            json.dump(gltf, f, ensure_ascii=False, separators=(",", ":"))
    with open(os.path.join("corpus", "binary.glb"), "wb") as f:
        f.write(glb(*model()))


if __name__ == "__main__":
    main()
