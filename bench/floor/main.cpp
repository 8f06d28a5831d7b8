// The floor of the performance benchmark: a stay-on-top label and nothing else. Whatever Temura
// costs beyond this program is Temura's own; what this costs is Qt's and the display's.
// It takes the two measuring options of temura, with the same meaning, so both are timed alike.
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QString>
#include <QTime>
#include <QTimer>
#include <cstdio>
#include <string>

namespace {

struct FloorArgs {
    QString screenshot;     // --screenshot=FILE: show once, save a PNG, exit
    int closeAfterMs = -1;  // --close-after=MS: close the window after MS
    bool version = false;   // --version: the Qt it runs with, for the benchmark's report
    bool tick = false;      // --tick: set the text to the time once a second, for reference
    bool ok = true;
};

FloorArgs parseArgs(int argc, char** argv) {
    FloorArgs out;
    const std::string shot = "--screenshot=";
    const std::string closeAfter = "--close-after=";
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--version") {
            out.version = true;
        } else if (a == "--tick") {
            out.tick = true;
        } else if (a.rfind(shot, 0) == 0 && a.size() > shot.size()) {
            out.screenshot = QString::fromStdString(a.substr(shot.size()));
        } else if (a.rfind(closeAfter, 0) == 0 && a.size() > closeAfter.size() &&
                   a.size() - closeAfter.size() <= 9 &&
                   a.find_first_not_of("0123456789", closeAfter.size()) == std::string::npos) {
            out.closeAfterMs = std::stoi(a.substr(closeAfter.size()));
        } else {
            std::fprintf(stderr, "bench_floor: unknown option %s\n", a.c_str());
            out.ok = false;
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    const FloorArgs args = parseArgs(argc, argv);
    if (!args.ok) {
        std::fputs(
            "Usage: bench_floor [--screenshot=FILE] [--close-after=MS] [--tick] [--version]\n",
            stderr);
        return 2;
    }
    if (args.version) {
        std::printf("bench_floor with Qt %s\n", qVersion());
        return 0;
    }

    QApplication app(argc, argv);
    // The same kind of window as the clock's, so the window manager treats both alike.
    QLabel label(QStringLiteral("12:34:56"), nullptr,
                 Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    label.setAlignment(Qt::AlignCenter);
    label.setMargin(4);
    label.adjustSize();

    if (!args.screenshot.isEmpty()) {
        label.show();
        QCoreApplication::processEvents();
        if (!label.grab().save(args.screenshot, "PNG")) {
            std::fprintf(stderr, "bench_floor: cannot write %s\n", qPrintable(args.screenshot));
            return 1;
        }
        std::printf("Saved %s\n", qPrintable(args.screenshot));
        return 0;
    }

    // The least a seconds clock must do: wake just after each second and set the text.
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setSingleShot(true);
    QObject::connect(&tick, &QTimer::timeout, &label, [&label, &tick] {
        const QTime now = QTime::currentTime();
        label.setText(now.toString(QStringLiteral("HH:mm:ss")));
        tick.start(1000 - now.msec() + 2);
    });
    if (args.tick) tick.start(0);

    label.show();
    if (args.closeAfterMs >= 0) {
        // A Qt::Tool window does not count as the last window, so closing it does not quit.
        QTimer::singleShot(args.closeAfterMs, &label, [&label] {
            label.close();
            QCoreApplication::quit();
        });
    }
    return QApplication::exec();
}
