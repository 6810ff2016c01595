#pragma once

// The board items of the settings menu ("掲示板１" to "掲示板３"): choosing one
// applies that board's profile through the board selection.

#include <QObject>

#include "preview/boardselection.h"

class MainWindow;

namespace kirel {

class PreviewTabs;

class BoardMenu : public QObject, private preview::BoardHost {
    Q_OBJECT
  public:
    BoardMenu(MainWindow* window, PreviewTabs* previewTabs);

    // Board 1..3 chosen from the menu.
    void choose(int board);
    // The board items' captions with the boards' names, read from the settings.
    void showBoardNames();

  private:
    int editPaneWidth() const override;
    void setEditPaneWidth(int width) override;
    void checkBoard(int board) override;
    bool previewShowing() const override;
    void showPreview(const QString& path) override;
    void setCharLimit(int limit) override;

    MainWindow* window_;
    PreviewTabs* previewTabs_;
    // The board whose item was checked before the current click (1..3, 0 none).
    int checkedBefore_ = 0;
};

}  // namespace kirel
