#include "preview/boardselection.h"

#include "platform/profile.h"
#include "preview/boards.h"
#include "preview/previewpage.h"

namespace kirel::preview {

void selectBoard(int board, int previous, const BoardContext& context, BoardHost& host) {
    const Profile ini(context.appDir + QStringLiteral("Kirel.ini"));

    // Only one item can be checked; when it is another board, its width is kept.
    if (previous != board && previous >= 1 && previous <= 3) {
        savePaneWidth(ini, previous, host.editPaneWidth());
    }
    if (previous == board) return;

    host.checkBoard(board);
    const BoardProfile profile = readBoardProfile(ini, board, context.appDir);
    host.setEditPaneWidth(profile.paneWidth);
    writeCurrentBoard(ini, board, profile);

    if (host.previewShowing()) {
        const QString path = context.appDir + kPageFileName;
        writePage(path, assemblePage(normalized(pageSettingsOf(profile)), context.previewBody));
        host.showPreview(path);
    }
    host.setCharLimit(profile.limit);
}

}  // namespace kirel::preview
