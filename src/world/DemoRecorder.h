#pragma once

#include "world/Demo.h"

#include <cstdio>
#include <string>

// Writes a demo as the game goes: the header when play begins, then each frame as it is
// played, flushed at once, so that a game that ends badly leaves a demo that plays up to
// that point.
class DemoRecorder {
  public:
    DemoRecorder() = default;
    ~DemoRecorder();
    DemoRecorder(const DemoRecorder&) = delete;
    DemoRecorder& operator=(const DemoRecorder&) = delete;

    // Creates the file afresh (a FIFO, a folder or a device there is refused, a link is
    // replaced, not written through) and writes the header. False with the reason.
    bool start(const std::string& path, const Demo& header, std::string& reason);
    bool recording() const { return file != nullptr; }
    void frame(const Demo::Frame& frame);
    // The end line, and the file closed.
    void finish();

  private:
    std::FILE* file = nullptr;
    std::size_t frames = 0;
};
