#include "app/selection_commands.h"

#include <string>

#include "app/command_ids.h"
#include "app/history.h"
#include "app/redraw.h"
#include "document/selection.h"

namespace morvel::app {

namespace {

int32_t Wrapped(int32_t index, int step, int count) {
    // An index outside its table (it should not be) starts again from the end.
    if (index < 0 || index >= count) index = step > 0 ? count - 1 : 0;
    return (index + step + count) % count;
}

}  // namespace

void ShiftSelectionCommand(Editor &editor, int command) {
    document::EditorDocument &doc = editor.state.currentDocument;
    const MotionDocument &d = doc.document;
    const int motions = d.header.motionCount;
    if (motions == 0) return;

    const bool previous = command == CMD_SHIFT_MOTION_PREVIOUS || command == CMD_SHIFT_FRAME_PREVIOUS ||
                          command == CMD_SHIFT_POSITION_PREVIOUS;
    const int step = previous ? -1 : 1;
    if (command == CMD_SHIFT_MOTION_PREVIOUS || command == CMD_SHIFT_MOTION_NEXT) {
        doc.selectedMotion = Wrapped(doc.selectedMotion, step, motions);
        doc.selectedFrame = 0;
        doc.selectedPosition = 0;
    } else {
        const MotionEntry *selected = document::SelectedMotion(doc);
        if (selected == nullptr || selected->frameCount == 0) return;
        const MotionEntry &motion = *selected;
        if (command == CMD_SHIFT_FRAME_PREVIOUS || command == CMD_SHIFT_FRAME_NEXT) {
            doc.selectedFrame = Wrapped(doc.selectedFrame, step, motion.frameCount);
            doc.selectedPosition = 0;
        } else if (command == CMD_SHIFT_POSITION_PREVIOUS || command == CMD_SHIFT_POSITION_NEXT) {
            const FrameEntry *frame = document::SelectedFrame(doc);
            if (frame == nullptr || frame->positionCount == 0) return;
            doc.selectedPosition = Wrapped(doc.selectedPosition, step, frame->positionCount);
        } else {
            return;
        }
    }
    const char *const table = command == CMD_SHIFT_MOTION_PREVIOUS || command == CMD_SHIFT_MOTION_NEXT
                                  ? "モーション"
                              : command == CMD_SHIFT_FRAME_PREVIOUS || command == CMD_SHIFT_FRAME_NEXT
                                  ? "フレーム"
                                  : "ポジション";
    PushUndoSnapshot(editor.state, std::string("シフト: ") + table + (previous ? " 戻る" : " 次へ"));
    ViewAndRedraw(editor);
}

}  // namespace morvel::app
