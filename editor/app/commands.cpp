#include "app/commands.h"

#include "app/command_ids.h"
#include "app/pose_editing.h"

namespace morvel::app {

namespace {

struct TooltipEntry {
    int command;
    const char *text;
};

// In the toolbar's order.
const TooltipEntry kTooltips[] = {
    {CMD_FILE_NEW, "新規"},
    {CMD_FILE_OPEN, "ファイルを開く"},
    {CMD_FILE_SAVE, "ファイルを保存"},
    {CMD_FILE_EXIT, "閉じる"},
    {CMD_EDIT_HEADER, "編集：ヘッダ (F5)"},
    {CMD_EDIT_PARTS, "編集：パーツ (F6)"},
    {CMD_EDIT_MOTION, "編集：モーション (F7)"},
    {CMD_EDIT_FRAME, "編集：フレーム (F8)"},
    {CMD_EDIT_POSITION, "編集：ポジション (F9)"},
    {CMD_SHIFT_MOTION_PREVIOUS, "シフト：モーション（戻る:Ctrl＋Shift＋M）"},
    {CMD_SHIFT_MOTION_NEXT, "シフト：モーション（次へ:Shift＋M）"},
    {CMD_SHIFT_FRAME_PREVIOUS, "シフト：フレーム（戻る:Ctrl＋Shift＋F）"},
    {CMD_SHIFT_FRAME_NEXT, "シフト：フレーム（次へ:Shift＋F）"},
    {CMD_SHIFT_POSITION_PREVIOUS, "シフト：ポジション（戻る:Ctrl＋Shift＋P）"},
    {CMD_SHIFT_POSITION_NEXT, "シフト：ポジション（次へ:Shift＋P）"},
    {CMD_MODE_VIEW, "ポジション：フォーカス (F)"},
    {CMD_MODE_TRANSLATE, "ポジション：座標 (P)"},
    {CMD_MODE_ROTATE, "ポジション：回転 (R)"},
    {CMD_MODE_SCALE, "ポジション：拡大 (S)"},
    {CMD_MOUSE_FREE, "マウス：フリー"},
    {CMD_MOUSE_HORIZONTAL, "マウス：横移動のみ"},
    {CMD_MOUSE_VERTICAL, "マウス：縦移動のみ"},
    {CMD_EDIT_UNDO, "編集：元に戻す (Ctrl＋Z)"},
    {CMD_EDIT_REDO, "編集：やり直し (Ctrl＋Y)"},
};

// Image number = the command's index in kTooltips; separators between the groups.
std::vector<ToolbarButton> BuildToolbar() {
    // Entries of kTooltips after which a separator follows.
    const int groupEnds[] = {3, 8, 10, 12, 14, 18, 21};
    std::vector<ToolbarButton> buttons;
    int image = 0;
    size_t nextGroup = 0;
    for (const TooltipEntry &entry : kTooltips) {
        buttons.push_back({image, entry.command});
        if (nextGroup < std::size(groupEnds) && groupEnds[nextGroup] == image) {
            buttons.push_back({-1, 0});
            ++nextGroup;
        }
        ++image;
    }
    return buttons;
}

KeyAction Post(int command) { return {KeyAction::PostCommand, command}; }

}  // namespace

const std::vector<ToolbarButton> &ToolbarButtons() {
    static const std::vector<ToolbarButton> buttons = BuildToolbar();
    return buttons;
}

const char *ToolbarTooltip(int command) {
    for (const TooltipEntry &entry : kTooltips) {
        if (entry.command == command) return entry.text;
    }
    return nullptr;
}

KeyAction KeyActionFor(int virtualKey, bool shift, bool ctrl) {
    if (IsStepKey(virtualKey)) return {KeyAction::EditStep, 0};
    switch (virtualKey) {
        case kKeyF:
            if (shift) return Post(ctrl ? CMD_SHIFT_FRAME_PREVIOUS : CMD_SHIFT_FRAME_NEXT);
            return ctrl ? KeyAction{} : Post(CMD_MODE_VIEW);
        case kKeyM:
            if (shift) return Post(ctrl ? CMD_SHIFT_MOTION_PREVIOUS : CMD_SHIFT_MOTION_NEXT);
            return {};
        case kKeyP:
            if (shift) return Post(ctrl ? CMD_SHIFT_POSITION_PREVIOUS : CMD_SHIFT_POSITION_NEXT);
            return ctrl ? KeyAction{} : Post(CMD_MODE_TRANSLATE);
        case kKeyR: return ctrl ? KeyAction{} : Post(CMD_MODE_ROTATE);
        case kKeyS: return ctrl ? KeyAction{} : Post(CMD_MODE_SCALE);
        case kKeyZ: return ctrl ? Post(CMD_EDIT_UNDO) : KeyAction{};
        case kKeyY: return ctrl ? Post(CMD_EDIT_REDO) : KeyAction{};
        case kKeyF5: return Post(CMD_EDIT_HEADER);
        case kKeyF6: return Post(CMD_EDIT_PARTS);
        case kKeyF7: return Post(CMD_EDIT_MOTION);
        case kKeyF8: return Post(CMD_EDIT_FRAME);
        case kKeyF9: return Post(CMD_EDIT_POSITION);
        case kKeyF12: return {KeyAction::PostClose, 0};
        case kKeySpace: return Post(CMD_PLAY_TOGGLE);
        // The pose clipboard, on combinations the keys above leave free.
        case kKeyC: return ctrl && !shift ? Post(CMD_TOOL_COPY_POSE) : KeyAction{};
        case kKeyV:
            if (!ctrl) return {};
            return Post(shift ? CMD_TOOL_PASTE_POSE_MIRRORED : CMD_TOOL_PASTE_POSE);
        default: return {};
    }
}

}  // namespace morvel::app
