// SPDX-License-Identifier: GPL-3.0-or-later
// Ends a benchmark's process as soon as its window's first frame is painted, and tells the
// launcher when that was.
#pragma once

#include <unistd.h>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <cstdio>
#include <ctime>

namespace hengtiebao {

// Install on the top-level window before show(). The window paints itself, then its children,
// then the frame is flushed, all in one pass; the queued call runs right after that pass. It
// prints CLOCK_MONOTONIC in nanoseconds, a clock the launcher shares, and leaves without
// tearing anything down, so only the start is measured.
class ExitAfterFirstPaint final : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QMetaObject::invokeMethod(this, &ExitAfterFirstPaint::leave, Qt::QueuedConnection);
        }
        return false;
    }

  private:
    static void leave() {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("painted %lld\n",
                    static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        _exit(0);
    }

    bool m_painted = false;
};

}  // namespace hengtiebao
