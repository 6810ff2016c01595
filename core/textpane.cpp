#include "core/textpane.h"

#include <algorithm>

namespace kirel {

QString plainText(QStringView paneText) {
    QString text = paneText.toString();
    for (QChar& c : text) {
        switch (c.unicode()) {
            case QChar::Nbsp:
                c = QLatin1Char(' ');
                break;
            case QChar::LineSeparator:
            case QChar::ParagraphSeparator:
                c = QLatin1Char('\n');
                break;
            default:
                break;
        }
    }
    return text;
}

void MemoryPane::setText(const QString& text) {
    text_ = text;
    start_ = 0;
    length_ = 0;
}

void MemoryPane::select(qsizetype start, qsizetype length) {
    start_ = std::clamp<qsizetype>(start, 0, text_.size());
    length_ = std::clamp<qsizetype>(length, 0, text_.size() - start_);
}

void MemoryPane::replaceSelection(const QString& text) {
    text_.replace(start_, length_, text);
    start_ += text.size();
    length_ = 0;
}

}  // namespace kirel
