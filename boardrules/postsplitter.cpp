#include "boardrules/postsplitter.h"

#include <limits>

#include "platform/sjis.h"

namespace kirel::boardrules {
namespace {

constexpr qint64 kNoLimit = std::numeric_limits<qint64>::max() / 4;
// The longest tag and reference kept whole; a longer "<..." is plain text.
constexpr qsizetype kMaxTag = 512;
constexpr qsizetype kMaxReference = 12;

bool isAsciiAlnum(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Length in UTF-16 units of the unit that starts at i of line: a reference, a
// tag, a surrogate pair or one character.
qsizetype unitAt(QStringView line, qsizetype i) {
    const qsizetype n = line.size();
    const QChar c = line[i];
    if (c == u'&') {
        const qsizetype end = std::min(n, i + kMaxReference);
        qsizetype j = i + 1;
        if (j < end && line[j] == u'#') ++j;
        const qsizetype start = j;
        while (j < end && isAsciiAlnum(line[j])) ++j;
        if (j > start && j < end && line[j] == u';') return j + 1 - i;
    } else if (c == u'<' && i + 1 < n &&
               (line[i + 1].isLetter() || line[i + 1] == u'/' || line[i + 1] == u'!')) {
        const qsizetype end = std::min(n, i + kMaxTag);
        for (qsizetype j = i + 1; j < end; ++j) {
            if (line[j] == u'<') break;
            if (line[j] == u'>') return j + 1 - i;
        }
    } else if (c.isHighSurrogate() && i + 1 < n && line[i + 1].isLowSurrogate()) {
        return 2;
    }
    return 1;
}

class Splitter {
  public:
    Splitter(qint64 bytes, qint64 lines) : bytes_(bytes), lines_(lines) {}

    bool run(const QString& text) {
        qsizetype from = 0;
        while (true) {
            qsizetype to = text.indexOf(QLatin1Char('\n'), from);
            const bool last = to < 0;
            if (last) to = text.size();
            if (!addLine(QStringView(text).mid(from, to - from))) return false;
            if (last) break;
            from = to + 1;
        }
        close(false);
        return true;
    }

    QList<PostPart> parts;

  private:
    bool addLine(QStringView line) {
        const qint64 cost = sjis::byteLength(line);
        if (open_) {
            if (usedLines_ + 1 <= lines_ && usedBytes_ + 2 + cost <= bytes_) {
                current_ += QLatin1Char('\n');
                current_ += line;
                usedBytes_ += 2 + cost;
                ++usedLines_;
                return true;
            }
            close(true);
        }
        if (cost <= bytes_) {
            start(line.toString(), cost);
            return true;
        }
        // A line longer than a part: whole parts of it, the rest opens the next.
        qsizetype i = 0;
        QString piece;
        qint64 pieceBytes = 0;
        while (i < line.size()) {
            const qsizetype len = unitAt(line, i);
            qint64 unitBytes = sjis::byteLength(line.mid(i, len));
            qsizetype take = len;
            if (unitBytes > bytes_ && len > 1 && !line[i].isHighSurrogate()) {
                // A tag or reference bigger than a part is cut like plain text.
                take = 1;
                unitBytes = sjis::byteLength(line.mid(i, 1));
            }
            if (unitBytes > bytes_) return false;
            if (pieceBytes + unitBytes > bytes_) {
                start(piece, pieceBytes);
                close(false);
                piece.clear();
                pieceBytes = 0;
            }
            piece += line.mid(i, take);
            pieceBytes += unitBytes;
            i += take;
        }
        start(piece, pieceBytes);
        return true;
    }

    void start(const QString& body, qint64 bytes) {
        current_ = body;
        usedBytes_ = bytes;
        usedLines_ = 1;
        open_ = true;
    }

    void close(bool lineBreakAfter) {
        if (!open_) return;
        parts.append({current_, lineBreakAfter});
        current_.clear();
        open_ = false;
    }

    qint64 bytes_;
    qint64 lines_;
    QString current_;
    qint64 usedBytes_ = 0;
    qint64 usedLines_ = 0;
    bool open_ = false;
};

int digits(qsizetype n) {
    int d = 1;
    while (n >= 10) {
        n /= 10;
        ++d;
    }
    return d;
}

}  // namespace

qint64 lineCount(QStringView text) {
    return text.count(u'\n') + 1;
}

QString partNumber(int i, int n) {
    return QStringLiteral("(%1/%2)").arg(i).arg(n);
}

QString postedText(const QList<PostPart>& parts, int i, bool numbered) {
    if (!numbered) return parts.at(i).body;
    return parts.at(i).body + QLatin1Char('\n') + partNumber(i + 1, int(parts.size()));
}

QString joinParts(const QList<PostPart>& parts) {
    QString out;
    for (const PostPart& p : parts) {
        out += p.body;
        if (p.lineBreakAfter) out += QLatin1Char('\n');
    }
    return out;
}

SplitResult splitPost(const QString& text, const SplitLimits& limits) {
    const qint64 bytes = limits.bytes > 0 ? limits.bytes : kNoLimit;
    const qint64 lines = limits.lines > 0 ? limits.lines : kNoLimit;
    if (!limits.numbered) {
        Splitter s(bytes, lines);
        if (!s.run(text)) return {{}, false};
        return {s.parts, true};
    }
    // The number line takes a line and "\n(" + i + "/" + n + ")" bytes. Room is
    // kept for the widest number of the count guessed; when the parts come out
    // more than that allows for, the guess grows and the split runs again.
    for (int d = 1; d <= 9; ++d) {
        const qint64 reserve = 2 + 3 + 2 * qint64(d);
        if (bytes <= reserve || lines <= 1) return {{}, false};
        Splitter s(bytes - reserve, lines - 1);
        if (!s.run(text)) return {{}, false};
        if (digits(s.parts.size()) <= d) return {s.parts, true};
    }
    return {{}, false};
}

}  // namespace kirel::boardrules
