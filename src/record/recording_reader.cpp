#include "record/recording_reader.h"

#include "record/assumed_settings.h"
#include "record/csv_records.h"
#include "record/recorded_fields.h"
#include "record/recorded_runs.h"
#include "record/recorded_time.h"
#include "record/recording_layout.h"

#include <QBuffer>
#include <QFile>

using namespace recording;

namespace {

using Fields = std::vector<QByteArrayView>;

// The first problems in full, then only how many more.
class Problems {
public:
    static constexpr int Told = 20;

    void add(qint64 line, const QString &what)
    {
        if (list_.size() < Told)
            list_ << QStringLiteral("line %1: %2").arg(line).arg(what);
        else
            ++untold_;
    }
    QStringList take(QStringList later)
    {
        if (untold_ > 0)
            list_ << QStringLiteral("%1 more rows not read").arg(untold_);
        return list_ + later;
    }

private:
    QStringList list_;
    qint64 untold_ = 0;
};

struct RowError {
    QString what;
};

template <typename T> T need(const std::optional<T> &value, const char *what)
{
    if (!value)
        throw RowError{QString::fromLatin1(what)};
    return *value;
}

QDateTime needTime(QByteArrayView text, const char *what)
{
    const QDateTime time = parseRecordedTime(text);
    if (!time.isValid())
        throw RowError{QString::fromLatin1(what)};
    return time;
}

std::optional<float> optionalReading(QByteArrayView text, const char *what)
{
    if (text.isEmpty())
        return std::nullopt;
    return need(recorded::parseReading(text), what);
}

class Reader {
public:
    explicit Reader(QIODevice &device) : records_(device) {}

    RecordingFile read();

private:
    bool readHeader(RecordingFile &file);
    bool readNext();
    void readRow(const Fields &fields);
    void readSampleRow(const Fields &fields);
    void readReadingRow(const Fields &fields);
    void beginRunIfNew(QByteArrayView start, std::int32_t index);
    void finishRun();

    CsvRecords records_;
    Layout layout_ = Layout::Samples;
    RecordedRuns runs_;
    Problems problems_;
    QByteArray runStart_; // the run_start text of the run being read
    std::int32_t lastIndex_ = 0;
};

RecordingFile Reader::read()
{
    RecordingFile file;
    if (!readHeader(file))
        return file;
    while (readNext()) {
    }
    finishRun();
    file.runs = runs_.take(file.problems);
    file.problems = problems_.take(file.problems);
    if (file.runs.empty())
        file.error = QStringLiteral("the recording holds no readings");
    return file;
}

// False at the end of the file, or of what of it is finished.
bool Reader::readNext()
{
    switch (records_.next()) {
    case CsvRecords::Status::End:
        return false;
    case CsvRecords::Status::Unfinished:
        problems_.add(records_.line(), QStringLiteral("unfinished, perhaps still being "
                                                      "recorded: read up to the line before"));
        return false;
    case CsvRecords::Status::TooLong:
        problems_.add(records_.line(), QStringLiteral("too long for a row"));
        return true;
    case CsvRecords::Status::Record:
        break;
    }
    const Fields &fields = records_.fields();
    if (fields.size() == 1 && fields[0].isEmpty())
        return true;
    if (const auto layout = layoutOfHeader(records_.record())) {
        // Another recording appended whole: its rows go on in its layout.
        finishRun();
        layout_ = *layout;
        runStart_.clear();
        return true;
    }
    try {
        readRow(fields);
    } catch (const RowError &error) {
        problems_.add(records_.line(), error.what);
    }
    return true;
}

bool Reader::readHeader(RecordingFile &file)
{
    const CsvRecords::Status status = records_.next();
    if (status == CsvRecords::Status::End) {
        file.error = QStringLiteral("the file is empty");
        return false;
    }
    const auto layout =
        status == CsvRecords::Status::Record ? layoutOfHeader(records_.record()) : std::nullopt;
    if (!layout) {
        file.error = QStringLiteral("not a recording: its first line is no recording's header");
        return false;
    }
    layout_ = *layout;
    return true;
}

void Reader::readRow(const Fields &fields)
{
    if (layout_ == Layout::Samples)
        readSampleRow(fields);
    else
        readReadingRow(fields);
}

// A run starts where run_start changes, or where the sample number goes back, as only a
// new run's can.
void Reader::beginRunIfNew(QByteArrayView start, std::int32_t index)
{
    if (!runs_.empty() && start == runStart_ && index >= lastIndex_)
        return;
    const QDateTime time = needTime(start, "unreadable run_start");
    finishRun();
    runs_.begin(time);
    runStart_ = start.toByteArray();
    lastIndex_ = 0;
}

void Reader::readSampleRow(const Fields &fields)
{
    if (fields.size() != SampleField::Count)
        throw RowError{
            QStringLiteral("%1 fields, not %2").arg(fields.size()).arg(SampleField::Count)};
    const QDateTime time = needTime(fields[SampleField::Time], "unreadable time");
    const RunSettings settings{
        .mode = need(recorded::parseMode(fields[SampleField::Mode]), "unknown mode"),
        .interval = 0,
        .unit = {},
        .span = QString::fromUtf8(fields[SampleField::Span]),
    };
    const auto interval =
        need(recorded::parseDuration(fields[SampleField::Interval]), "unreadable interval");
    if (fields[SampleField::Link].isEmpty()) {
        Sample sample{
            .index = need(recorded::parseSampleIndex(fields[SampleField::Sample]),
                          "unreadable sample number"),
            .time = time,
            .temperature =
                optionalReading(fields[SampleField::Temperature], "unreadable temperature"),
            .humidity = optionalReading(fields[SampleField::Humidity], "unreadable humidity"),
            .origin = need(recorded::parseOrigin(fields[SampleField::Origin],
                                                 fields[SampleField::LogInterval]),
                           "unknown origin or log interval")};
        if (!sample.temperature && !sample.humidity)
            throw RowError{QStringLiteral("neither temperature nor humidity")};
        beginRunIfNew(fields[SampleField::RunStart], sample.index);
        lastIndex_ = sample.index;
        runs_.add(std::move(sample));
    } else {
        LinkNote note = need(recorded::parseLink(fields[SampleField::Link]), "unknown link note");
        note.time = time;
        beginRunIfNew(fields[SampleField::RunStart], lastIndex_);
        runs_.add(std::move(note));
    }
    RunSettings &kept = runs_.last().settings;
    kept = settings;
    kept.interval = interval.count;
    kept.unit = interval.unit;
}

// One reading: it completes the last sample when that stands at its sample number and lacks
// it, as the window's run does; else it starts a sample.
void Reader::readReadingRow(const Fields &fields)
{
    const auto columns = layout_ == Layout::Readings ? ReadingField::Count : ReadingField::Origin;
    if (qsizetype(fields.size()) != columns)
        throw RowError{QStringLiteral("%1 fields, not %2").arg(fields.size()).arg(columns)};
    const QDateTime time = needTime(fields[ReadingField::Time], "unreadable time");
    const auto index =
        need(recorded::parseSampleIndex(fields[ReadingField::Sample]), "unreadable sample number");
    const auto value =
        need(recorded::parseReading(fields[ReadingField::Value]), "unreadable value");
    const bool temperature = fields[ReadingField::Quantity] == "temperature";
    if (!temperature && fields[ReadingField::Quantity] != "humidity")
        throw RowError{QStringLiteral("unknown quantity")};
    const ReadingOrigin origin =
        layout_ == Layout::Readings ? need(recorded::parseOrigin(fields[ReadingField::Origin],
                                                                 fields[ReadingField::LogInterval]),
                                           "unknown origin or log interval")
                                    : ReadingOrigin{};

    if (runs_.empty() || index < lastIndex_) {
        finishRun();
        runs_.begin(time);
    }
    lastIndex_ = index;
    const Trace trace = temperature ? Trace::Temperature : Trace::Humidity;
    RecordedRun &run = runs_.last();
    if (!run.samples.empty() && run.samples.back().index == index) {
        const Sample &last = run.samples.back();
        if (!(temperature ? last.temperature : last.humidity)) {
            runs_.complete(trace, value);
            return;
        }
    }
    Sample sample{
        .index = index, .time = time, .temperature = {}, .humidity = {}, .origin = origin};
    (temperature ? sample.temperature : sample.humidity) = value;
    runs_.add(std::move(sample));
}

// A run of a layout without settings gets the ones its chart needs, assumed.
void Reader::finishRun()
{
    if (runs_.empty() || layout_ == Layout::Samples || !runs_.last().assumed.isEmpty())
        return;
    assumeSettings(runs_.last());
}

} // namespace

RecordingFile readRecording(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {.runs = {}, .problems = {}, .error = file.errorString()};
    return readRecording(file);
}

RecordingFile readRecording(QIODevice &device)
{
    return Reader(device).read();
}

RecordingFile parseRecording(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readRecording(buffer);
}
