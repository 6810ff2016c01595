#pragma once

// A Prompter for tests: records every message and question, answers questions
// and dialogs from queues the test fills in.

#include <QQueue>
#include <QStringList>

#include "platform/prompter.h"

namespace kirel::test {

struct Shown {
    QString text;
    Icon icon;
    QString caption;
    bool isQuestion;
};

class ScriptedPrompter final : public Prompter {
  public:
    ScriptedPrompter() { Prompter::setCurrent(this); }
    ~ScriptedPrompter() override { Prompter::setCurrent(nullptr); }

    QList<Shown> shown;         // every box, in order
    QQueue<bool> answers;       // answers to questions; No when empty
    QQueue<QString> fileNames;  // answers to file dialogs; cancel when empty
    QQueue<std::optional<unsigned>> colors;
    QList<FileRequest> fileRequests;

    QStringList texts() const {
        QStringList out;
        for (const Shown& s : shown) out << s.text;
        return out;
    }
    QString last() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void clear() { shown.clear(); }

    void message(const QString& text, Icon icon, const QString& caption) override {
        shown.append({text, icon, caption, false});
    }
    bool question(const QString& text, Icon icon, const QString& caption) override {
        shown.append({text, icon, caption, true});
        return answers.isEmpty() ? false : answers.dequeue();
    }
    QString openFileName(const FileRequest& r) override { return nextFile(r); }
    QString saveFileName(const FileRequest& r) override { return nextFile(r); }
    QString openPictureName(const FileRequest& r) override { return nextFile(r); }
    std::optional<unsigned> chooseColor(unsigned) override {
        return colors.isEmpty() ? std::nullopt : colors.dequeue();
    }

  private:
    QString nextFile(const FileRequest& r) {
        fileRequests.append(r);
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
};

}  // namespace kirel::test
