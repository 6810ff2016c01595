#include "decoration/linkrules.h"

#include <QFileInfo>
#include <algorithm>

#include "core/address.h"
#include "platform/failure.h"
#include "platform/fieldrule.h"
#include "platform/prompter.h"
#include "platform/textfile.h"

namespace kirel::link {
namespace {

const QString kLinkStart = QStringLiteral("<A href=\"");
const QString kNewWindowAttribute = QStringLiteral("\" target=\"_blank");

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
    // Made again, the address's quotes would be written %22: the attribute of a
    // link that opens a new window goes to its check box instead, so the link
    // comes back as it was.
    if (p.address.endsWith(kNewWindowAttribute)) {
        p.address.chop(kNewWindowAttribute.size());
        p.newWindow = true;
    }
    const qsizetype from = close + 2;
    qsizetype end = s.indexOf(QLatin1String("</A>"), from);
    if (end < 0) end = s.indexOf(QLatin1String("</a>"), from);
    p.comment = end < 0 ? s.mid(from) : s.mid(from, end - from);
    return p;
}

// Writes both files as one change: after any interruption both hold the old
// lists or both the new ones, never a title without its address.
bool save(const Lists& lists, const QString& appDir) {
    try {
        writeFilesTogether({{appDir + kTitleListFile, itemListBytes(lists.titles)},
                            {appDir + kAddressListFile, itemListBytes(lists.addresses)}});
        return true;
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return false;
    }
}

// Neither file is written while either could not be read: what they held is
// unknown, and the pair must stay in step.
bool refuseUnread(const QString& appDir) {
    return refuseUnreadList(appDir + kTitleListFile) || refuseUnreadList(appDir + kAddressListFile);
}

}  // namespace

bool isImageAddress(const QString& address) {
    return containsAny(address, {".jpg", ".gif", ".bmp", ".png"}, 1);
}

QString tagAddress(const QString& address) {
    QString out;
    out.reserve(address.size());
    for (const QChar c : address) {
        if (c == QLatin1Char('"'))
            out += QLatin1String("%22");
        else if (c == QLatin1Char('<'))
            out += QLatin1String("%3C");
        else if (c == QLatin1Char('>'))
            out += QLatin1String("%3E");
        else
            out += c;
    }
    return out;
}

QString linkTag(const QString& address, const QString& comment, bool newWindow) {
    return kLinkStart + tagAddress(address) +
           (newWindow ? QStringLiteral("\" target=\"_blank\">") : QStringLiteral("\">")) + comment +
           QStringLiteral("</A>");
}

QString imageTag(const QString& address, const QString& comment, Align align) {
    QString tag = QStringLiteral("<IMG src=\"") + tagAddress(address) + QLatin1Char('"');
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

QString unevenListsMessage(qsizetype titles, qsizetype addresses) {
    return QStringLiteral(
               "リンクのリストのタイトル (url-t.txt) が %1 行、アドレス (url.txt) が %2 行で、"
               "数が合いません。\r\n"
               "先頭から %3 組だけを使います。対になっていない残りの行は、次に追加・削除したときに"
               "保存されません。")
        .arg(titles)
        .arg(addresses)
        .arg(std::min(titles, addresses));
}

Lists loadLists(const QString& appDir) {
    Lists lists;
    try {
        // A save of the pair that a kill interrupted is finished before the
        // files are read.
        const QStringList completed = completeInterruptedSaves(appDir + QStringLiteral("user"));
        if (!completed.isEmpty()) showMessage(completedSavesMessage(completed), Icon::Information);
        for (const QString& name : {kTitleListFile, kAddressListFile}) {
            const QFileInfo info(appDir + name);
            if (!info.exists() && !info.isSymLink()) writeBytesFile(appDir + name, QByteArray());
        }
        lists.titles = readItemList(appDir + kTitleListFile);
        lists.addresses = readItemList(appDir + kAddressListFile);
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return Lists();
    }
    if (lists.titles.size() != lists.addresses.size()) {
        // Pairing them past the shorter list would give every title the next
        // one's address.
        showMessage(unevenListsMessage(lists.titles.size(), lists.addresses.size()), Icon::Warning);
        const qsizetype pairs = std::min(lists.titles.size(), lists.addresses.size());
        lists.titles.resize(pairs);
        lists.addresses.resize(pairs);
    }
    return lists;
}

bool addEntry(Lists& lists, const QString& title, const QString& address, const QString& appDir) {
    if (title.isEmpty() || address.isEmpty()) {
        showMessage(kAddIncomplete, Icon::Warning);
        return false;
    }
    if (refuseUnread(appDir)) return false;
    lists.titles.append(oneLine(title));
    lists.addresses.append(oneLine(address));
    if (save(lists, appDir)) showMessage(kAdded, Icon::None);
    return true;
}

bool deleteEntry(Lists& lists, int titleIndex, int addressIndex, const QString& appDir) {
    if (refuseUnread(appDir)) return false;
    if (!ask(kDeleteQuestion, Icon::Warning)) return false;
    if (titleIndex >= 0 && titleIndex < lists.titles.size()) lists.titles.removeAt(titleIndex);
    if (addressIndex >= 0 && addressIndex < lists.addresses.size())
        lists.addresses.removeAt(addressIndex);
    save(lists, appDir);
    return true;
}

}  // namespace kirel::link
