#include "boardrules/published.h"

#include "core/settingskeys.h"
#include "platform/profile.h"

namespace kirel::boardrules {

QString boardName(const Profile& ini, int board) {
    return ini.readString(keys::kShared, keys::numbered(keys::kBoardName, board), QString())
        .trimmed();
}

int lineLimit(const Profile& ini, int board) {
    const int n = ini.readInteger(keys::kShared, keys::numbered(keys::kBoardLineLimit, board), 0);
    return n > 0 ? n : 0;
}

int currentLineLimit(const Profile& ini) {
    const int current = ini.readInteger(keys::kShared, keys::kCurrentBoard, 0);
    if (current < 0 || current > 2) return 0;
    return lineLimit(ini, current + 1);
}

QString withBoardName(const QString& caption, const QString& name) {
    if (name.isEmpty()) return caption;
    return caption + QStringLiteral(": ") + name;
}

}  // namespace kirel::boardrules
