#include "app/recovery_offer.h"

#include "app/command_dispatch.h"
#include "app/file_commands.h"
#include "app/recovery_platform.h"
#include "app/redraw.h"

namespace morvel::app {

void OfferRecovery(Editor &editor) {
    if (editor.autosave == nullptr) return;
    RecoveryPlatform &platform = editor.autosave->platform;
    const std::vector<RecoveryCandidate> copies = EndedCopies(platform.RecoveryFolder(), platform);
    if (copies.empty()) return;

    EditorState &state = editor.state;
    state.timerHoldoff = kTimerHoldoffTicks;
    state.recoveryOffer = {copies.front(), RecoveryAnswer::Keep};
    // A question that cannot be shown keeps the copy for the next start.
    if (!ShowDialog(editor, "IDD_RECOVERY")) return;
    const RecoveryCandidate &copy = state.recoveryOffer.candidate;
    switch (state.recoveryOffer.answer) {
        case RecoveryAnswer::Restore: RestoreRecoveredDocument(editor, copy.path, copy.record); break;
        case RecoveryAnswer::Discard: {
            const document::MessageAnswer sure = editor.shell.ShowMessage(
                {editor.shell.MainWindow(),
                 "自動保存された編集内容を破棄します。元に戻すことはできません。よろしいですか？",
                 "自動保存の回復", document::MessageIcon::Warning,
                 document::MessageButtons::YesNo});
            if (sure == document::MessageAnswer::Yes) RemoveRecoveryCopy(copy.path);
            break;
        }
        case RecoveryAnswer::Keep: break;
    }
}

}  // namespace morvel::app
