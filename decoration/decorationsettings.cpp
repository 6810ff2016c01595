#include "decoration/decorationsettings.h"

#include "core/settingskeys.h"

namespace kirel::decoration {

DecorationSettings readDecorationSettings(const Profile& ini) {
    DecorationSettings s;
    s.formColor = ini.readInteger(keys::kShared, keys::kFormColor, keys::kFormColorDefault);
    s.textColor = ini.readString(keys::kShared, keys::kTextColor, QStringLiteral("#000000"));
    s.cellColor = ini.readString(keys::kShared, keys::kCellColor, QStringLiteral("#FFFFFF"));
    s.background = ini.readString(keys::kShared, keys::kImage, QString());
    for (int i = 0; i < 8; ++i)
        s.swatches[i] = ini.readInteger(
            keys::kDecoration, keys::numbered(keys::kPresetColor, i + 1), kSwatchDefaults[i]);
    s.makeColor = ini.readInteger(keys::kDecoration, keys::kMakeColor, s.formColor);
    return s;
}

void writeMakeColor(const Profile& ini, int color) {
    ini.writeInteger(keys::kDecoration, keys::kMakeColor, color);
}

}  // namespace kirel::decoration
