// Drawing one 500 × 500 matrix in the display widget as the program does: an 800 × 537 view
// with the grid border, a new colour image per call. Three figures per draw, wall time:
//   new frame       SetFrameGridMode_Frames with new data (copy, texture upload, draw, finish)
//   same frame      DrawLoop without new data (draw and finish only)
//   with composing  new frame plus the event processing that puts the picture on the window
// Usage: display_draw_bench [--draws N]     (needs an X display, e.g. xvfb-run -a)
#include <QApplication>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QtTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "libTavloWidget.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSide = 500;
constexpr int kFrames = 8;  // distinct images cycled through, so every call carries new data

struct Figures {
    double mean = 0, median = 0, p95 = 0, max = 0;
};

Figures measure(int draws, const std::function<void(int)>& draw) {
    for (int i = 0; i < 5; ++i) draw(i);  // warm-up: first upload, caches
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(draws));
    for (int i = 0; i < draws; ++i) {
        const auto start = Clock::now();
        draw(i);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    Figures f;
    for (double m : ms) f.mean += m;
    f.mean /= static_cast<double>(ms.size());
    f.median = ms[ms.size() / 2];
    f.p95 = ms[ms.size() * 95 / 100];
    f.max = ms.back();
    return f;
}

void print(const char* name, const Figures& f) {
    std::printf("%-16s mean %7.3f ms  median %7.3f ms  p95 %7.3f ms  max %7.3f ms\n", name, f.mean,
                f.median, f.p95, f.max);
}

// A pressure-like picture that moves from frame to frame.
std::vector<int> frame(int n) {
    std::vector<int> colours(std::size_t{kSide} * kSide * 3);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            int* c = &colours[(std::size_t{static_cast<unsigned>(y)} * kSide + x) * 3];
            const int v = ((x + 7 * n) * (y + 3 * n)) % 256;
            c[0] = v;
            c[1] = 255 - v;
            c[2] = (x ^ y) & 255;
        }
    }
    return colours;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int draws = 200;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--draws") == 0) draws = std::max(1, std::atoi(argv[i + 1]));

    libTavloWidget widget;
    widget.setCenterCrossDraw(false);
    widget.setIsGridBorderDraw(true);
    widget.resize(800, 537);
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget)) {
        std::fprintf(stderr, "the widget was not shown\n");
        return 1;
    }
    widget.AddSensorMatrix(1, kSide, kSide);
    std::vector<std::vector<int>> frames;
    for (int n = 0; n < kFrames; ++n) frames.push_back(frame(n));
    const auto push = [&](int i) {
        const std::vector<int>& f = frames[static_cast<std::size_t>(i % kFrames)];
        widget.SetFrameGridMode_Frames(1, f.data(), static_cast<int>(f.size()));
    };

    widget.makeCurrent();
    std::printf(
        "one %d x %d matrix in an 800 x 537 view, %d draws, %s\n", kSide, kSide, draws,
        reinterpret_cast<const char*>(widget.context()->functions()->glGetString(GL_RENDERER)));
    widget.doneCurrent();

    const Figures fresh = measure(draws, push);
    print("new frame", fresh);
    print("same frame", measure(draws, [&](int) { widget.DrawLoop(); }));
    print("with composing", measure(draws, [&](int i) {
              push(i);
              QCoreApplication::processEvents();
          }));
    std::printf("target: at most 5 ms per new frame, %s (median %.3f ms)\n",
                fresh.median <= 5 ? "met" : "MISSED", fresh.median);
    return 0;
}
