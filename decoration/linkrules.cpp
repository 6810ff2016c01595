#include "decoration/linkrules.h"

#include <QFileInfo>

#include "core/address.h"
#include "platform/failure.h"
#include "platform/fieldrule.h"
#include "platform/prompter.h"
#include "platform/textfile.h"

namespace kirel::link {
namespace {

const QString kLinkStart = QStringLiteral("<A href=\"");

bool startsWithAny(const QString& text, std::initializer_list<const char*> heads) {
    for (const char* head : heads)
        if (text.startsWith(QLatin1String(head))) return true;
    return false;
}

bool containsAny(const QString& text, std::initializer_list<const char*> parts, qsizetype from) {
    for (const char* part : parts)
        if (text.indexOf(QLatin1String(part), from) >= 0) return true;
    return false;
}

// An existing link: the address between `<A href="` and the first `">`, the
// comment from there up to the closing tag. Both empty when the `">` comes
// within the first nine characters.
Prefill takeLinkApart(const QString& s) {
    Prefill p;
    const qsizetype close = s.indexOf(QLatin1String("\">"));
    if (close < kLinkStart.size()) return p;
    p.address = s.mid(kLinkStart.size(), close - kLinkStart.size());
    const qsizetype from = close + 2;
    qsizetype end = s.indexOf(QLatin1String("</A>"), from);
    if (end < 0) end = s.indexOf(QLatin1String("</a>"), from);
    p.comment = end < 0 ? s.mid(from) : s.mid(from, end - from);
    return p;
}

// Writes both files. The titles go first; when the addresses cannot be written
// after them, the title file is put back as it was, so the two files on disk
// never disagree line by line.
void save(const Lists& lists, const QStringList& oldTitles, const QString& appDir,
          const QString& doneMessage) {
    try {
        writeItemList(appDir + kTitleListFile, lists.titles);
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return;
    }
    try {
        writeItemList(appDir + kAddressListFile, lists.addresses);
    } catch (const Failure& failure) {
        try {
            writeItemList(appDir + kTitleListFile, oldTitles);
        } catch (const Failure&) {
            // The first message says what went wrong; the title file keeps the new list.
        }
        showPlain(failure.message());
        return;
    }
    if (!doneMessage.isEmpty()) showMessage(doneMessage, Icon::None);
}

}  // namespace

bool isImageAddress(const QString& address) {
    return containsAny(address, {".jpg", ".gif", ".bmp", ".png"}, 1);
}

QString linkTag(const QString& address, const QString& comment, bool newWindow) {
    return kLinkStart + address +
           (newWindow ? QStringLiteral("\" target=\"_blank\">") : QStringLiteral("\">")) + comment +
           QStringLiteral("</A>");
}

QString imageTag(const QString& address, const QString& comment, Align align) {
    QString tag = QStringLiteral("<IMG src=\"") + address + QLatin1Char('"');
    if (align == Align::Left) tag += QStringLiteral(" align=\"left\"");
    if (align == Align::Right) tag += QStringLiteral(" align=\"right\"");
    return tag + QStringLiteral(" alt=\"") + comment + QStringLiteral("\">");
}

TagResult generateTag(const TagChoice& c) {
    TagResult r;
    r.imageAddress = isImageAddress(c.address);
    r.imageEnabled = r.imageAddress && !c.newWindow;
    r.tag = r.imageAddress && c.image ? imageTag(c.address, c.comment, c.align)
                                      : linkTag(c.address, c.comment, c.newWindow);
    return r;
}

QString oneLine(const QString& text) {
    return firstLine(text);
}

Prefill prefill(const QString& selection, const QString& clipboardText,
                const QString& copiedAddress) {
    Prefill p;
    const QString& s = selection;
    if (startsWithAny(s, {"<a href", "<A href"})) {
        p = takeLinkApart(s);
        p.focus = Prefill::Focus::Address;
    } else if (!s.isEmpty()) {
        if (containsAny(s, {"http", "ftp", "file", "www"}, 0)) {
            p.address = s.startsWith(QLatin1String("www")) ? QStringLiteral("http://") + s : s;
            p.focus = Prefill::Focus::Comment;
        } else {
            p.comment = s;
            p.address = QStringLiteral("http");
            p.focus = Prefill::Focus::Address;
        }
    } else if (isAddress(clipboardText)) {
        p.address = clipboardText;
        p.focus = Prefill::Focus::Comment;
    }
    if (!copiedAddress.isEmpty()) {
        p.address = copiedAddress;
        p.focus = Prefill::Focus::Comment;
    }
    p.address = oneLine(p.address);
    return p;
}

QString addressFromReply(const QString& reply) {
    // Counted in characters, not UTF-16 units, so no character is ever cut in half.
    const QList<uint> chars = reply.toUcs4();
    const qsizetype comma = chars.indexOf(uint(','));
    // From the second character (index 1) up to two places before the comma.
    if (comma < 3) return QString();
    const QList<uint> address = chars.mid(1, comma - 2);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(address.constData()),
                             address.size());
}

Lists loadLists(const QString& appDir) {
    Lists lists;
    try {
        for (const QString& name : {kTitleListFile, kAddressListFile}) {
            if (!QFileInfo::exists(appDir + name)) writeBytesFile(appDir + name, QByteArray());
        }
        lists.titles = readItemList(appDir + kTitleListFile);
        lists.addresses = readItemList(appDir + kAddressListFile);
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return Lists();
    }
    return lists;
}

bool addEntry(Lists& lists, const QString& title, const QString& address, const QString& appDir) {
    if (title.isEmpty() || address.isEmpty()) {
        showMessage(kAddIncomplete, Icon::Warning);
        return false;
    }
    const QStringList oldTitles = lists.titles;
    lists.titles.append(oneLine(title));
    lists.addresses.append(oneLine(address));
    save(lists, oldTitles, appDir, kAdded);
    return true;
}

bool deleteEntry(Lists& lists, int titleIndex, int addressIndex, const QString& appDir) {
    if (!ask(kDeleteQuestion, Icon::Warning)) return false;
    const QStringList oldTitles = lists.titles;
    if (titleIndex >= 0 && titleIndex < lists.titles.size()) lists.titles.removeAt(titleIndex);
    if (addressIndex >= 0 && addressIndex < lists.addresses.size())
        lists.addresses.removeAt(addressIndex);
    save(lists, oldTitles, appDir, QString());
    return true;
}

}  // namespace kirel::link
