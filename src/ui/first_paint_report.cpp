// Reporting the time of the window's first paint for the start-up benchmark.
#include "ui/first_paint_report.h"

#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <ctime>
#include <unistd.h>

namespace quillmar {

namespace {

class FirstPaintReporter : public QObject {
public:
    FirstPaintReporter(QWidget* window, QString path) : QObject(window), path_(std::move(path)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        // The frame reaches the screen once the paint event has been handled,
        // so the time is taken right after it, from the event loop.
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, [this] { Report(); });
        }
        return false;
    }

private:
    void Report() const {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        QFile out(path_);
        const qint64 ns = qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
        const bool written =
            out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(QByteArray::number(ns)) > 0;
        out.close();
        // Leave without tearing the window down: only the start is measured.
        ::_exit(written ? 0 : 1);
    }

    QString path_;
    bool seen_ = false;
};

}  // namespace

void ReportFirstPaintIfAsked(QWidget* window) {
    const QString path = qEnvironmentVariable("QUILLMAR_FIRST_PAINT_REPORT");
    if (path.isEmpty()) return;
    window->installEventFilter(new FirstPaintReporter(window, path));
}

}  // namespace quillmar
