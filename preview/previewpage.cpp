#include "preview/previewpage.h"

#include "platform/failure.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/sjis.h"
#include "platform/textfile.h"

namespace kirel::preview {
namespace {

bool meansNoColor(const QString& color, NoColor noColor) {
    return noColor == NoColor::Empty ? color.isEmpty() : color == QLatin1String("#");
}

}  // namespace

QString normalizeColor(const QString& color) {
    return color.startsWith(QLatin1Char('#')) ? color : QLatin1Char('#') + color;
}

PageSettings normalized(PageSettings s) {
    s.textColor = normalizeColor(s.textColor);
    s.cellColor = normalizeColor(s.cellColor);
    s.frameColor = normalizeColor(s.frameColor);
    s.backColor = normalizeColor(s.backColor);
    return s;
}

QString frameAttribute(const QString& frameColor, NoColor noColor) {
    if (meansNoColor(frameColor, noColor)) return {};
    return QStringLiteral(" bgcolor=\"") + frameColor;
}

QString assemblePage(const PageSettings& s, const QString& body, NoColor noColor) {
    const QString frame = frameAttribute(s.frameColor, noColor);
    QString page;
    page += QStringLiteral("<BODY bgcolor=\"");
    page += s.backColor;
    if (!s.image.isEmpty()) {
        page += QStringLiteral("\" background=\"");
        page += s.image;
    }
    page += QStringLiteral("\">");
    page += QStringLiteral("<DIV ALIGN=\"Center\">");
    page += QStringLiteral("<Table border=\"0\" cellspacing=\"0\" cellpadding=\"0\" width=\"");
    page += QString::number(s.cellWidth);
    page += frame;
    page += QStringLiteral("\">");
    page += QStringLiteral("<TR Align=\"Left\">");
    page += QStringLiteral("<TD><FONT size=\"1\"><BR></FONT>");
    page += QStringLiteral("<Table width=\"95%\" border=\"0\" cellspacing=\"2\" cellpadding=\"0\"");
    page += frame;
    page += QStringLiteral("\" bordercolorlight=\"");
    page += frame;
    page += QStringLiteral(">");
    if (!meansNoColor(s.cellColor, noColor)) {
        page += QStringLiteral("<TR bgcolor=\"");
        page += s.cellColor;
        page += QStringLiteral("\">");
    } else {
        page += QStringLiteral("<TR >");
    }
    page += QStringLiteral("<TD>");
    page += QStringLiteral("<Table width=100% border=0 vspace=\"0\" hspace=\"0\">");
    page += QStringLiteral("<TR bgcolor=\"#8080FF\">");
    page += QStringLiteral(
        "<TD><FONT color=\"#FFFFFF\" size=\"+1\"><B>投稿内容の確認表示</B></FONT></TD>");
    page += QStringLiteral("</TR></Table>");
    page += QStringLiteral("<Blockquote><BR><FONT color=\"");
    page += s.textColor;
    page += QStringLiteral("\">");
    page += body;
    page += QStringLiteral("</FONT></Blockquote>");
    page += QStringLiteral(
        "<BR></TD></TR></Table><FONT size=\"1\"><BR></FONT></TD></TR></Table></DIV></BODY>");
    return page;
}

QString previewBodyFrom(const QString& paneText) {
    QString body = paneText;
    body.replace(QLatin1Char('\n'), QStringLiteral("<BR>"));
    return body;
}

QByteArray pageBytes(const QString& page) {
    return sjis::toFile(page);
}

QByteArray browserPageBytes(const QString& page) {
    return QByteArrayLiteral(
               "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\r\n") +
           pageBytes(page);
}

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes) {
    try {
        writeBytesFile(path, bytes);
        return true;
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return false;
    }
}

QString currentPage(const QString& appDir, const QString& body) {
    const Profile ini(appDir + QStringLiteral("Kirel.ini"));
    return assemblePage(normalized(readCurrentBoard(ini)), body);
}

}  // namespace

bool writePage(const QString& path, const QString& page) {
    return writeBytes(path, pageBytes(page));
}

QString generatePreview(const QString& appDir, const QString& body, QByteArray* written) {
    const QString path = appDir + kPageFileName;
    QByteArray bytes = pageBytes(currentPage(appDir, body));
    const bool ok = writeBytes(path, bytes);
    if (written) *written = ok ? std::move(bytes) : QByteArray();
    return path;
}

bool pageNamesOtherFiles(const QByteArray& bytes) {
    // Every way an HTML page without scripts pulls in another file: src= (img,
    // frames, embed, input type=image), background=, data= (object), link and
    // meta (style sheets, refresh), CSS url() and @import, and the style attribute
    // or element that may hold them.
    static const char* const kNames[] = {"src",    "background", "data",   "link",
                                         "meta",   "url",        "import", "style",
                                         "object", "embed",      "applet", "base"};
    const QLatin1StringView text(bytes.constData(), bytes.size());
    for (const char* name : kNames) {
        if (text.contains(QLatin1StringView(name), Qt::CaseInsensitive)) return true;
    }
    return false;
}

QString generateBrowserPreview(const QString& appDir, const QString& body) {
    const QString page = currentPage(appDir, body);
    const QString path = appDir + kPageFileName;
    if (!writePage(path, page)) return path;
    const QString copy = appDir + kBrowserPageFileName;
    return writeBytes(copy, browserPageBytes(page)) ? copy : path;
}

}  // namespace kirel::preview
