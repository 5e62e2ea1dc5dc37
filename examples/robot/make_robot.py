#!/usr/bin/env python3
"""Writes the robot figure: six part X files (torso and head as text files
with textures, arms and legs as binary files), the two textures, and
robot.json, the motion source in mvltool's JSON layout. Run from this
folder, then `mvltool build robot.json -o robot.mvl`; the outputs are
committed."""
import json
import struct

# ---- geometry -------------------------------------------------------------

# Faces of a box as (outward normal, four corners in the order that makes
# them clockwise seen from outside: Direct3D's front faces).
def box_faces(x0, x1, y0, y1, z0, z1):
    return [
        ((0, 0, -1), [(x0, y1, z0), (x1, y1, z0), (x1, y0, z0), (x0, y0, z0)]),
        ((0, 0, 1), [(x1, y1, z1), (x0, y1, z1), (x0, y0, z1), (x1, y0, z1)]),
        ((-1, 0, 0), [(x0, y1, z1), (x0, y1, z0), (x0, y0, z0), (x0, y0, z1)]),
        ((1, 0, 0), [(x1, y1, z0), (x1, y1, z1), (x1, y0, z1), (x1, y0, z0)]),
        ((0, 1, 0), [(x0, y1, z1), (x1, y1, z1), (x1, y1, z0), (x0, y1, z0)]),
        ((0, -1, 0), [(x0, y0, z0), (x1, y0, z0), (x1, y0, z1), (x0, y0, z1)]),
    ]


def check_winding(faces):
    for normal, c in faces:
        a = [c[1][i] - c[0][i] for i in range(3)]
        b = [c[2][i] - c[0][i] for i in range(3)]
        cross = (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])
        assert sum(cross[i] * normal[i] for i in range(3)) > 0, (normal, c)


UV = [(0, 0), (1, 0), (1, 1), (0, 1)]


def mesh_arrays(faces):
    vertices, normals, uvs, quads = [], [], [], []
    for normal, corners in faces:
        base = len(vertices)
        vertices += corners
        normals += [normal] * 4
        uvs += UV
        quads.append((base, base + 1, base + 2, base + 3))
    return vertices, normals, uvs, quads


# ---- text X files -----------------------------------------------------------

def f(v):
    return f"{v:.6f}"


def text_x(faces, materials, face_material):
    """materials: list of (rgba, texture or None)."""
    vertices, normals, uvs, quads = mesh_arrays(faces)
    lines = ["xof 0303txt 0032", "", "Mesh {"]
    lines.append(f"  {len(vertices)};")
    lines.append(",\n".join(f"  {f(x)};{f(y)};{f(z)};" for x, y, z in vertices) + ";")
    lines.append(f"  {len(quads)};")
    lines.append(",\n".join(f"  4;{a},{b},{c},{d};" for a, b, c, d in quads) + ";")
    lines.append("  MeshMaterialList {")
    lines.append(f"    {len(materials)};")
    lines.append(f"    {len(quads)};")
    lines.append(",\n".join(f"    {m}" for m in face_material) + ";")
    for rgba, texture in materials:
        lines.append("    Material {")
        lines.append("      " + ";".join(f(c) for c in rgba) + ";;")
        lines.append("      20.000000;")
        lines.append("      0.200000;0.200000;0.200000;;")
        lines.append("      0.000000;0.000000;0.000000;;")
        if texture:
            lines.append(f'      TextureFilename {{ "{texture}"; }}')
        lines.append("    }")
    lines.append("  }")
    lines.append("  MeshNormals {")
    lines.append(f"    {len(normals)};")
    lines.append(",\n".join(f"    {f(x)};{f(y)};{f(z)};" for x, y, z in normals) + ";")
    lines.append(f"    {len(quads)};")
    lines.append(",\n".join(f"    4;{a},{b},{c},{d};" for a, b, c, d in quads) + ";")
    lines.append("  }")
    lines.append("  MeshTextureCoords {")
    lines.append(f"    {len(uvs)};")
    lines.append(",\n".join(f"    {f(u)};{f(v)};" for u, v in uvs) + ";")
    lines.append("  }")
    lines.append("}")
    return "\n".join(lines) + "\n"


# ---- binary X files ---------------------------------------------------------

TOKEN_NAME, TOKEN_INTEGER_LIST, TOKEN_FLOAT_LIST = 1, 6, 7
TOKEN_OBRACE, TOKEN_CBRACE = 10, 11


def name(text):
    return struct.pack("<HI", TOKEN_NAME, len(text)) + text.encode()


def ints(values):
    return struct.pack("<HI", TOKEN_INTEGER_LIST, len(values)) + struct.pack(f"<{len(values)}I", *values)


def floats(values):
    return struct.pack("<HI", TOKEN_FLOAT_LIST, len(values)) + struct.pack(f"<{len(values)}f", *values)


def block(template, *body):
    return name(template) + struct.pack("<H", TOKEN_OBRACE) + b"".join(body) + struct.pack("<H", TOKEN_CBRACE)


def binary_x(faces, rgba):
    """No normals or texture coordinates: the editor converts and computes them."""
    vertices, _, _, quads = mesh_arrays(faces)
    face_list = [len(quads)]
    for q in quads:
        face_list += [4, *q]
    material = block("Material", floats([*rgba, 20.0, 0.2, 0.2, 0.2, 0.0, 0.0, 0.0]))
    material_list = block("MeshMaterialList", ints([1, len(quads)] + [0] * len(quads)), material)
    mesh = block("Mesh", ints([len(vertices)]), floats([c for v in vertices for c in v]),
                 ints(face_list), material_list)
    return b"xof 0303bin 0032" + mesh


# ---- textures (24-bit BMP) ----------------------------------------------------

def bmp(width, height, pixel):
    stride = (width * 3 + 3) & ~3
    rows = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        rows += row + bytes(stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    return header + info + bytes(rows)


def chest(x, y):
    if 4 <= x < 60 and 4 <= y < 60 and (x // 8 + y // 8) % 2 == 0:
        return (200, 150, 40)   # gold plates
    if 24 <= x < 40 and 20 <= y < 36:
        return (40, 200, 230)   # the core light
    return (150, 150, 160)


def face(x, y):
    if 14 <= y < 26 and (12 <= x < 24 or 40 <= x < 52):
        return (255, 40, 40)    # eyes
    if 42 <= y < 48 and 18 <= x < 46:
        return (30, 30, 30)     # mouth
    return (220, 220, 230)


# ---- the figure -------------------------------------------------------------

TORSO = box_faces(-20, 20, -30, 30, -10, 10)
HEAD = box_faces(-12, 12, -12, 12, -12, 12)
ARM = box_faces(-6, 6, -50, 0, -6, 6)   # hangs from the shoulder
LEG = box_faces(-7, 7, -60, 0, -7, 7)   # hangs from the hip
for faces in (TORSO, HEAD, ARM, LEG):
    check_winding(faces)

PARTS = [".\\torso.x", ".\\head.x", ".\\arm_left.x", ".\\arm_right.x", ".\\leg_left.x", ".\\leg_right.x"]
PLACES = [(0, 20, 0), (0, 63, 0), (27, 48, 0), (-27, 48, 0), (10, -10, 0), (-10, -10, 0)]


def write_files():
    with open("torso.x", "w", newline="\r\n") as out:
        out.write(text_x(TORSO, [((1, 1, 1, 1), "torso.bmp")], [0] * 6))
    # The face texture only on the side that looks at the default camera (+z).
    with open("head.x", "w", newline="\r\n") as out:
        out.write(text_x(HEAD, [((0.8, 0.8, 0.85, 1), None), ((1, 1, 1, 1), "face.bmp")],
                         [0, 1, 0, 0, 0, 0]))
    for file, rgba in (("arm_left.x", (0.2, 0.4, 0.9, 1)), ("arm_right.x", (0.9, 0.3, 0.2, 1)),
                       ("leg_left.x", (0.3, 0.3, 0.35, 1)), ("leg_right.x", (0.3, 0.3, 0.35, 1))):
        with open(file, "wb") as out:
            out.write(binary_x(ARM if file.startswith("arm") else LEG, rgba))
    with open("torso.bmp", "wb") as out:
        out.write(bmp(64, 64, chest))
    with open("face.bmp", "wb") as out:
        out.write(bmp(64, 64, face))


def position(part, rotation=(0, 0, 0)):
    x, y, z = PLACES[part]
    return {
        "partNumber": part,
        "ambient": [0.0, 0.0, 0.0, 0.0],
        "diffuse": [0.0, 0.0, 0.0, 0.0],
        "scale": [1.0, 1.0, 1.0],
        "translation": [float(x), float(y), float(z)],
        "rotation": list(rotation),
    }


def frame(comment, arm_left=(0, 0, 0), arm_right=(0, 0, 0), leg_left=(0, 0, 0), leg_right=(0, 0, 0)):
    return {"comment": comment, "positions": [
        position(0), position(1), position(2, arm_left), position(3, arm_right),
        position(4, leg_left), position(5, leg_right)]}


def motions():
    walk = [frame(f"step {i}", (s, 0, 0), (-s, 0, 0), (-l, 0, 0), (l, 0, 0))
            for i, (s, l) in enumerate([(30, 25), (0, 0), (-30, -25), (0, 0)])]
    wave = [frame(f"wave {i}", arm_right=(0, 0, -z)) for i, z in enumerate([150, 130, 150, 170])]
    return [
        {"name": "walk", "soundFileName": "", "frames": walk},
        {"name": "wave", "soundFileName": "", "frames": wave},
    ]


def document():
    return {
        "header": {
            "userCode": "",
            "backgroundColour": [40, 48, 72, 255],
            "axisVisible": 1,
            "axisColour": [200, 200, 200, 255],
            "statusTextVisible": 1,
            "statusTextColour": [200, 200, 200, 255],
            "cameraElevation": 15,
            "cameraAzimuth": -30,
            "cameraDistance": 300,
            "cullingMode": 2,
            "initialScale": [1.0, 1.0, 1.0],
            "rightHanded": 0,
            "axisDirection": 7,
            "initialAmbient": [0.0, 0.0, 0.0, 0.0],
            "initialDiffuse": [0.0, 0.0, 0.0, 0.0],
        },
        "parts": [{"fileName": p} for p in PARTS],
        "motions": motions(),
    }


if __name__ == "__main__":
    write_files()
    with open("robot.json", "w") as out:
        json.dump(document(), out, indent=2, ensure_ascii=False)
        out.write("\n")
