#pragma once

#include <thread>

// Reads the font configuration (every fontconfig file and font cache: the largest part of the
// first text a program shows) on a thread of its own while QApplication connects to the display,
// which needs no fonts. Made before QApplication, finished right after it.
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    // Waits until the configuration is read, so that Qt's font database finds it ready.
    void finish();

private:
    std::thread m_thread;
};
