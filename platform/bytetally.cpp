#include "platform/bytetally.h"

#include <QTextBlock>
#include <QTextDocument>

#include "core/textpane.h"
#include "platform/qttextpane.h"
#include "platform/sjis.h"

namespace kirel {
namespace {

// The byte count of one block. Destroyed with its block, it takes its count out
// of the running sum.
class BlockBytes final : public QTextBlockUserData {
  public:
    BlockBytes(std::shared_ptr<qint64> sum, qint64 bytes) : sum_(std::move(sum)), bytes_(bytes) {
        *sum_ += bytes_;
    }
    ~BlockBytes() override { *sum_ -= bytes_; }
    void set(qint64 bytes) {
        *sum_ += bytes - bytes_;
        bytes_ = bytes;
    }

  private:
    std::shared_ptr<qint64> sum_;
    qint64 bytes_;
};

}  // namespace

ByteTally::ByteTally(QTextDocument* document)
    : QObject(document), document_(document), lineBytes_(std::make_shared<qint64>(0)) {
    contentsChange(0, 0, document->characterCount());
    connect(document, &QTextDocument::contentsChange, this, &ByteTally::contentsChange);
}

ByteTally::~ByteTally() = default;

void ByteTally::contentsChange(int position, int, int charsAdded) {
    QTextBlock block = document_->findBlock(position);
    const QTextBlock last = document_->findBlock(position + charsAdded);
    for (; block.isValid(); block = block.next()) {
        const qint64 n = sjis::byteLength(plainText(block.text()));
        if (auto* data = static_cast<BlockBytes*>(block.userData()))
            data->set(n);
        else
            block.setUserData(new BlockBytes(lineBytes_, n));
        if (block == last) break;
    }
}

qint64 ByteTally::bytes() const {
    return *lineBytes_ + 2 * qint64(document_->blockCount() - 1);
}

qint64 ByteTally::recount() const {
    return sjis::byteLength(paneText(*document_));
}

}  // namespace kirel
