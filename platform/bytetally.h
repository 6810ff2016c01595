#pragma once

// Running Shift-JIS byte count of a text document, kept up to date from each
// change, so that the counter's cost per keystroke depends on the lines touched,
// not on the length of the post. Each block (line) carries its own byte count;
// a block that disappears takes its count with it.

#include <QObject>
#include <memory>

class QTextDocument;

namespace kirel {

class ByteTally : public QObject {
    Q_OBJECT
  public:
    explicit ByteTally(QTextDocument* document);
    ~ByteTally() override;

    // Bytes of the whole text as it leaves the pane (paneText), each line break
    // counting as CR LF.
    qint64 bytes() const;
    // The same, counted from scratch (for checks).
    qint64 recount() const;

  private:
    void contentsChange(int position, int charsRemoved, int charsAdded);

    QTextDocument* document_;
    std::shared_ptr<qint64> lineBytes_;  // sum over the blocks' own counts
};

}  // namespace kirel
