"""Figures from other tools through the ツール menu: each glTF fixture made
into a figure folder beside it (the folder chooser opens on the file's
folder) and opened as the current document, after the question about the
edited one; an existing folder replaced only on yes; the open document
exported as .glb and read back by mvltool's import."""

import shutil
import subprocess
import time

from morvel_e2e import run
from morvel_e2e.morvel import IDNO, IDOK, IDYES, choose_file, dump, ids, start_editor, title_for

CAPTION = "glTF / OBJ から作成"
# name: (parts, motions, frames in all) at the editor's 10 frames a second
FIXTURES = {"AnimatedTriangle": (1, 1, 11), "BoxVertexColors": (1, 1, 1), "SimpleMeshes": (2, 1, 1)}


def answer(s, main, caption, text_start, button):
    box = s.wait_message_box(pid=main.pid)
    s.check(box.caption == caption and box.message.startswith(text_start),
            f"message box {caption}: {text_start}", text_start, box.message)
    box.press(button_id=button)


def import_figure(s, main, ID, source, question=True):
    main.click_menu(ID.CMD_TOOL_IMPORT_FIGURE)
    if question:
        answer(s, main, CAPTION, "現在編集されていますが、破棄しますか？", IDYES)
    choose_file(s, main, source).wait_gone()
    folders = s.wait_window(cls="#32770", pid=main.pid)
    s.screenshot("morvel-import-folder-chooser")
    folders.click(IDOK)
    folders.wait_gone()


def wait_figure_drawn(s, main, name):
    """Every fixture's white faces cover the point just right of and above
    the origin, at the view's centre. The one selected part blinks, so the
    view is watched until it shows it."""
    client = main.client
    x, y = main.to_screen((client["width"] // 2 + 20, client["height"] // 2 - 20))
    s.wait_until(lambda: s.pixels({"left": x, "top": y, "right": x + 1, "bottom": y + 1})[0][0],
                 lambda colour: min(colour) > 200, f"{name}: the figure drawn in the view")


def scenario(s):
    ID = ids(s)
    app, main = start_editor(s)
    for number, (name, (parts, motions, frames)) in enumerate(FIXTURES.items()):
        work = s.folder / name
        shutil.copytree(s.paths.fixtures / "gltf" / name, work)
        import_figure(s, main, ID, work / f"{name}.gltf", question=number > 0)
        motion_file = work / name / f"{name}.mvl"
        main.wait_title(title_for(s, motion_file))
        document = dump(s, motion_file)
        s.expect_equal((len(document["parts"]), len(document["motions"]),
                        sum(len(m["frames"]) for m in document["motions"])),
                       (parts, motions, frames), f"{name}: parts, motions and frames")
        time.sleep(2)  # the choosers' places repainted
        wait_figure_drawn(s, main, name)
        main.screenshot(f"morvel-imported-{name}")

    # Again into the same folder: kept on no, replaced on yes.
    source = s.folder / "SimpleMeshes" / "SimpleMeshes.gltf"
    for button in (IDNO, IDYES):
        import_figure(s, main, ID, source)
        answer(s, main, CAPTION, "フォルダ ", button)
    main.wait_title(title_for(s, source.parent / "SimpleMeshes" / "SimpleMeshes.mvl"))

    main.click_menu(ID.CMD_TOOL_EXPORT_GLTF)
    exported = s.folder / "simple.glb"
    choose_file(s, main, exported).wait_gone()
    answer(s, main, "glTF に書き出し", "書き出しました。", IDOK)
    back = subprocess.run([str(s.paths.mvltool), "gltf-import", str(exported), "-o", str(s.folder / "back")],
                          capture_output=True, text=True)
    s.expect_equal(back.returncode, 0, f"mvltool reads the export back: {back.stderr}")
    s.expect_equal(len(dump(s, s.folder / "back" / "simple.mvl")["parts"]), 2, "parts exported")
    main.close()
    answer(s, main, "閉じる", "現在編集されていますが、終了しますか？", IDYES)
    s.expect_equal(app.wait_exit(), 0, "exit code")


run(scenario)
