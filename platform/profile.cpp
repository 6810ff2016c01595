// Temporary stand-in until the profile layer lands.
#include "platform/profile.h"

namespace kirel {
QString Profile::readString(const QString&, const QString&, const QString& def) const { return def; }
int Profile::readInteger(const QString&, const QString&, int def) const { return def; }
bool Profile::readBool(const QString&, const QString&, bool def) const { return def; }
void Profile::writeString(const QString&, const QString&, const QString&) const {}
void Profile::writeInteger(const QString&, const QString&, int) const {}
void Profile::writeBool(const QString&, const QString&, bool) const {}
bool colorStringToInt(const QString&, int*) { return false; }
QString colorIntToString(int) { return {}; }
}  // namespace kirel
