#include "record/recorded_runs.h"
#include "record/recording_reader.h"

#include <cstdint>
#include <cstdlib>

// Any bytes as a recording: the reader returns, its runs within their bounds, its link
// notes within their runs, and an error with no runs or runs with no error.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const RecordingFile file =
        parseRecording(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (file.error.isEmpty() == file.runs.empty())
        std::abort();
    for (const RecordedRun &run : file.runs) {
        if (!run.start.isValid() || run.samples.size() > RecordedRuns::KeptPerRun)
            std::abort();
        for (const LinkNote &note : run.linkNotes) {
            if (note.samplesBefore > run.samples.size())
                std::abort();
        }
    }
    return 0;
}
