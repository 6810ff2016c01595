#include "splitpost/splitcounts.h"

#include <array>
#include <limits>

namespace kirel::splitpost {
namespace {

struct RankRow {
    qint64 upTo;  // the highest line count of the rank
    const char16_t* title;
};

constexpr std::array<RankRow, 12> kRanks{{
    {0, u"（謎"},
    {1, u"足跡級"},
    {4, u"ぷちぷち級"},
    {10, u"ぷちカキコ級"},
    {25, u"一般"},
    {50, u"強者"},
    {75, u"免許皆伝"},
    {100, u"師範級"},
    {150, u"掲示板マスター"},
    {200, u"掲示板大臣"},
    {300, u"掲示板王"},
    {std::numeric_limits<qint64>::max(), u"伝説のカキコ帝王"},
}};

}  // namespace

int rankOf(qint64 lines) {
    for (size_t i = 0; i < kRanks.size(); ++i)
        if (lines <= kRanks[i].upTo) return int(i) + 1;
    return int(kRanks.size());
}

QString rankTitle(int rank) {
    if (rank < 1 || rank > int(kRanks.size())) return {};
    return QString::fromUtf16(kRanks[size_t(rank - 1)].title);
}

CountBoxes::Texts CountBoxes::update(qint64 lines, qint64 bytes) {
    Texts t{QString::number(lines), QString::number(bytes), QString::number(fullWidthOf(bytes)),
            std::nullopt};
    const int rank = rankOf(lines);
    if (rank != shownRank_) {
        t.title = rankTitle(rank);
        shownRank_ = rank;
    }
    return t;
}

QString withTextExtension(const QString& name) {
    static const QString kTxt = QStringLiteral(".txt");
    return name.endsWith(kTxt, Qt::CaseSensitive) ? name : name + kTxt;
}

}  // namespace kirel::splitpost
