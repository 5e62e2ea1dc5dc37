#include "app/pose_clipboard_commands.h"

#include <string>
#include <vector>

#include "app/history.h"
#include "app/redraw.h"
#include "document/pose_json.h"
#include "document/pose_mirror.h"
#include "document/selection.h"
#include "document/table_ops.h"

namespace morvel::app {
namespace {

constexpr const char *kCaption = "ポーズ";

void Tell(Editor &editor, const std::string &text) {
    editor.shell.ShowMessage({editor.shell.MainWindow(), text, kCaption,
                              document::MessageIcon::Warning, document::MessageButtons::Ok});
}

}  // namespace

void CopyPoseCommand(Editor &editor) {
    const FrameEntry *frame = document::SelectedFrame(editor.state.currentDocument);
    if (frame == nullptr) {
        Tell(editor, "コピーするフレームがありません。");
        return;
    }
    if (!editor.shell.SetClipboardPose(document::PoseToJson(frame->positions, frame->positionCount))) {
        Tell(editor, "クリップボードを使えませんでした。");
    }
}

void PastePoseCommand(Editor &editor, bool mirrored) {
    document::EditorDocument &doc = editor.state.currentDocument;
    if (document::SelectedFrame(doc) == nullptr) {
        Tell(editor, "貼り付け先のフレームがありません。");
        return;
    }
    std::vector<PositionEntry> pose;
    if (!document::PoseFromJson(editor.shell.ClipboardPose(), pose)) {
        Tell(editor, "クリップボードにポーズがありません。");
        return;
    }
    for (const PositionEntry &position : pose) {
        if (position.partNumber < 0 || position.partNumber >= doc.document.header.partCount) {
            Tell(editor, "ポーズのパーツ番号 " + std::to_string(position.partNumber) +
                             " がこの文書にないため、貼り付けられません。");
            return;
        }
    }
    if (mirrored) pose = document::MirrorPose(pose, document::MirrorPartners(doc.document));
    if (!document::ReplacePositions(doc.document, doc.selectedMotion, doc.selectedFrame, pose.data(),
                                    pose.size())) {
        Tell(editor, "メモリが足りないため、貼り付けられません。");
        return;
    }
    if (doc.selectedPosition >= static_cast<int32_t>(pose.size())) doc.selectedPosition = 0;
    document::MarkEditedIfNew(editor.state.filePath);
    PushUndoSnapshot(editor.state, mirrored ? "左右反転して貼り付け" : "ポーズを貼り付け");
    RequestRedraw(editor);
}

}  // namespace morvel::app
