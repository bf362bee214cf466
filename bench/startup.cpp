#include "budget.h"
#include "process_figures.h"
#include "window/main_window.h"

#include <QApplication>
#include <QProcess>
#include <cstdio>

// From the start of a process to the first frame of its window, off screen. The program
// starts itself as a child for each measurement, handing over the moment it did so; the
// child builds the window as the program's start-up does and reports when the first
// frame has been painted.

namespace {

const QString ChildMode = QStringLiteral("--child");
constexpr int Repetitions = 11;

// Notes the first frame: the first event, painting the window included, that returns to
// the event loop after the window has been painted.
class FirstFrameApplication : public QApplication {
public:
    FirstFrameApplication(int &argc, char **argv, double start)
        : QApplication(argc, argv), start_(start)
    {
    }

    void watch(QWidget *window) { window_ = window; }

    bool notify(QObject *receiver, QEvent *event) override
    {
        const bool paint = event->type() == QEvent::Paint && receiver == window_;
        ++depth_;
        const bool handled = QApplication::notify(receiver, event);
        --depth_;
        painted_ = painted_ || paint;
        if (painted_ && depth_ == 0 && !reported_) {
            reported_ = true;
            std::printf("%.3f\n", (monotonicSeconds() - start_) * 1e3);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }
        return handled;
    }

private:
    double start_;
    QWidget *window_ = nullptr;
    int depth_ = 0;
    bool painted_ = false;
    bool reported_ = false;
};

int child(int argc, char *argv[], double start)
{
    FirstFrameApplication app(argc, argv, start);
    Form1 window;
    app.watch(&window);
    window.show();
    return FirstFrameApplication::exec();
}

// Milliseconds from starting a child to its first frame; negative when it failed.
double startupMs()
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const double start = monotonicSeconds();
    process.start(QCoreApplication::applicationFilePath(),
                  {ChildMode, QString::number(start, 'f', 9)});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return -1;
    bool ok = false;
    const double ms = process.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? ms : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == ChildMode)
        return child(argc, argv, QString::fromLocal8Bit(argv[2]).toDouble());

    QCoreApplication app(argc, argv);
    std::vector<double> times;
    for (int i = 0; i < Repetitions; ++i) {
        const double ms = startupMs();
        if (ms < 0) {
            std::fprintf(stderr, "the window did not come up\n");
            return 1;
        }
        times.push_back(ms);
    }
    std::printf("first frames after %.1f to %.1f ms\n",
                *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()));
    reportBudget({"process start to the first frame", Budget::Bound::AtMost, 300, "ms"},
                 median(times));
    return 0;
}
