#include "decoration/decorationtags.h"

#include <QRegularExpression>

#include "core/colors.h"

namespace kirel::decoration {

int DecorationState::code() const {
    return (colorOn ? 1 : 0) + (sizeOn ? 2 : 0) + (styleOn ? 5 : 0) + (scrollOn ? 10 : 0) +
           (faceOn ? 100 : 0);
}

QString DecorationState::compose(const QString& body, const QString& face) const {
    QString font;
    if (faceOn) font += QStringLiteral(" face=\"%1\"").arg(face);
    if (colorOn) font += QStringLiteral(" color=\"%1\"").arg(colorText);
    if (sizeOn) font += QStringLiteral(" size=\"%1\"").arg(sizeText);
    const bool fontOn = faceOn || colorOn || sizeOn;

    QString out;
    if (scrollOn) out += scrollTag;
    if (styleOn) out += styleOpen;
    if (fontOn) out += QStringLiteral("<FONT") + font + QLatin1Char('>');
    out += body;
    if (fontOn) out += QStringLiteral("</FONT>");
    if (styleOn) out += styleClose;
    if (scrollOn) out += QStringLiteral("</MARQUEE>");
    return out;
}

QString colorText(int rgb) {
    return QLatin1Char('#') + colorIntToString(rgb);
}

QStringList sizeItems() {
    return {QStringLiteral("１"), QStringLiteral("２"),   QStringLiteral("３"),
            QStringLiteral("４"), QStringLiteral("５"),   QStringLiteral("６"),
            QStringLiteral("７"), QStringLiteral("＋１"), QStringLiteral("＋２"),
            kNotSpecified};
}

QString sizeText(int index) {
    if (index >= 0 && index <= 6) return QString::number(index + 1);
    if (index == 7) return QStringLiteral("+1");
    if (index == 8) return QStringLiteral("+2");
    return {};
}

bool sizeNeedsWarning(int index) {
    return index >= 4 && index <= 6;
}

QStringList scrollItems() {
    return {QStringLiteral("右から左へ"),    QStringLiteral("左から右へ"),
            QStringLiteral("左でストップ "), QStringLiteral("右でストップ"),
            QStringLiteral("下から上へ "),   QStringLiteral("上から下へ "),
            QStringLiteral("左右に往復"),    kNotSpecified};
}

QString scrollOpeningTag(int index, const QString& width) {
    static const char* const suffixes[] = {
        "%>",
        "% direction=\"right\">",
        "% behavior=\"slide\">",
        "% direction=\"right\" behavior=\"slide\">",
        "% direction=\"up\" height=\"30\" scrolldelay=\"150\">",
        "% direction=\"down\" height=\"30\" scrolldelay=\"150\">",
        "% behavior=\"alternate\">",
    };
    if (index < 0 || index >= kScrollOff) return {};
    return QStringLiteral("<MARQUEE width=") + width + QLatin1String(suffixes[index]);
}

QStringList styleCaptions() {
    return {QStringLiteral("斜体"), QStringLiteral("強調"), QStringLiteral("下線"),
            QStringLiteral("取消線"), kNotSpecified};
}

namespace {
const char* styleLetter(Style style) {
    switch (style) {
        case Style::Italic:
            return "I";
        case Style::Bold:
            return "B";
        case Style::Underline:
            return "U";
        case Style::StrikeOut:
            return "S";
    }
    return "";
}
}  // namespace

QString styleOpeningTag(Style style) {
    return QStringLiteral("<%1>").arg(QLatin1String(styleLetter(style)));
}

QString styleClosingTag(Style style) {
    return QStringLiteral("</%1>").arg(QLatin1String(styleLetter(style)));
}

int sampleColor(const QString& setting, int fallback) {
    int value = 0;
    return colorStringToInt(setting, &value) ? value : fallback;
}

QString samplePicture(const QString& cellColor, const QString& background,
                      const std::function<bool(const QString&)>& fileExists) {
    if (!cellColor.isEmpty() || background.isEmpty() || !fileExists(background)) return {};
    // The extension as the file name ends: from the last "." after the last
    // folder separator.
    const qsizetype slash = std::max(background.lastIndexOf(QLatin1Char('/')),
                                     background.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = background.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot > slash ? background.mid(dot) : QString();
    if (ext == QLatin1String(".gif") || ext == QLatin1String(".png")) return {};
    return background;
}

QStringList windowsJapaneseFaces() {
    return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("ＭＳ ゴシック"),
            QStringLiteral("ＭＳ Ｐ明朝"),     QStringLiteral("ＭＳ 明朝"),
            QStringLiteral("MS UI Gothic"),    QStringLiteral("メイリオ")};
}

QStringList fontBoxItems(const QStringList& systemFamilies,
                         const std::function<bool(const QString&)>& resolves) {
    static const QRegularExpression foundry(QStringLiteral(" \\[[^\\]]*\\]$"));
    QStringList items;
    for (QString family : systemFamilies) {
        family.remove(foundry);
        if (!family.isEmpty() && !items.contains(family)) items << family;
    }
    for (const QString& face : windowsJapaneseFaces())
        if (!items.contains(face) && resolves(face)) items << face;
    items << kNotSpecified;
    return items;
}

}  // namespace kirel::decoration
