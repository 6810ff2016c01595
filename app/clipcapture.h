#pragma once

// Clipboard capture when the program comes back to the foreground, the snapshot
// taken when it leaves, and the transfer of the post to the clipboard.

class MainWindow;

namespace kirel {

// Snapshot of the clipboard into the process-wide values.
void takeSnapshot(MainWindow& form);
// The capture routine run on activation.
void runCapture(MainWindow& form);
// The program lost the foreground: snapshot, then the quote pane becomes writable.
void deactivated(MainWindow& form);
// Transfer the post to the clipboard (toolbar button 1, Ctrl+E).
void transferToClipboard(MainWindow& form);

}  // namespace kirel
