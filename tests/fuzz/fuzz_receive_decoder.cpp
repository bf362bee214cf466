#include "chart/picture_box.h"
#include "fuzz_input.h"
#include "fuzz_window.h"

#include <QApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

PictureBox *picture = nullptr;

// Any warning from Qt while decoding or drawing, such as a pixel out of range, is a finding.
void failOnWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    std::fprintf(stderr, "Qt: %s\n", qPrintable(message));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static int argc = 1;
    static char name[] = "fuzz_receive_decoder";
    static char *argv[] = {name, nullptr};
    // Kept for the whole process: the picture needs an application, and neither is torn
    // down before exit.
    new QApplication(argc, argv);
    picture = new PictureBox;
    qInstallMessageHandler(failOnWarnings);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FuzzRun run =
        readFuzzRun(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    picture->Cls(); // each run on a fresh chart, as Measure gives it
    FuzzWindow window(run, *picture);
    window.play();
    return 0;
}
