#pragma once

// Fontconfig reads its configuration (some fifty XML files) and opens its caches
// the first time any font is asked for: several milliseconds at start, which
// the first window with Japanese text would otherwise wait for. FontPreload does
// that work on a thread of its own while the application object connects to the
// display, and the start-up waits for it before the first window is built, so
// that the two never load the configuration at the same time (fontconfig would
// then load it twice and keep one).

#include <thread>

namespace kirel {

class FontPreload {
  public:
    // Starts the thread. FONTCONFIG_FILE, if the program sets it, must be set
    // before: the configuration is read once, with what the environment says then.
    FontPreload();
    ~FontPreload();  // waits for the thread
    FontPreload(const FontPreload&) = delete;
    FontPreload& operator=(const FontPreload&) = delete;

    // Waits until the configuration is loaded; then fonts may be used. Harmless
    // when called again.
    void wait();

  private:
    std::thread thread_;
};

}  // namespace kirel
