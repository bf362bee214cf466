#include "record/csv_records.h"

#include <algorithm>

CsvRecords::Status CsvRecords::next()
{
    const Status status = readLines();
    if (status != Status::Record)
        return status;
    if (record_.endsWith('\n'))
        record_.chop(1);
    if (record_.endsWith('\r'))
        record_.chop(1);
    split();
    return Status::Record;
}

// Whole lines until the quotes are balanced: a quoted field may hold line breaks.
CsvRecords::Status CsvRecords::readLines()
{
    record_.clear();
    line_ = nextLine_;
    bool quoted = false;
    while (true) {
        const qsizetype room = MaxRecord - record_.size();
        chunk_.resize(room + 1); // readLine keeps the last byte for a terminating zero
        const qint64 read = device_.readLine(chunk_.data(), chunk_.size());
        if (read <= 0)
            return record_.isEmpty() ? Status::End : Status::Unfinished;
        const QByteArrayView piece(chunk_.constData(), read);
        record_.append(piece);
        if (!piece.endsWith('\n')) {
            if (device_.atEnd())
                return Status::Unfinished;
            skipRestOfLine();
            return Status::TooLong;
        }
        ++nextLine_;
        quoted ^= std::count(piece.begin(), piece.end(), '"') % 2 != 0;
        if (!quoted)
            return Status::Record;
        if (record_.size() >= MaxRecord)
            return Status::TooLong;
    }
}

void CsvRecords::skipRestOfLine()
{
    char byte = 0;
    while (device_.getChar(&byte)) {
        if (byte == '\n')
            break;
    }
    ++nextLine_;
}

void CsvRecords::split()
{
    fields_.clear();
    if (record_.contains('"')) {
        splitQuoted();
        return;
    }
    qsizetype start = 0;
    while (true) {
        const qsizetype comma = record_.indexOf(',', start);
        const qsizetype end = comma < 0 ? record_.size() : comma;
        fields_.emplace_back(record_.constData() + start, end - start);
        if (comma < 0)
            return;
        start = comma + 1;
    }
}

// The fields unquoted into a buffer of their own, which holds them all without growing.
void CsvRecords::splitQuoted()
{
    unquoted_.clear();
    unquoted_.reserve(record_.size());
    std::vector<qsizetype> ends;
    bool quoted = false;
    for (qsizetype i = 0; i < record_.size(); ++i) {
        const char byte = record_[i];
        if (byte == '"' && quoted && i + 1 < record_.size() && record_[i + 1] == '"') {
            unquoted_.append('"');
            ++i;
        } else if (byte == '"') {
            quoted = !quoted;
        } else if (byte == ',' && !quoted) {
            ends.push_back(unquoted_.size());
        } else {
            unquoted_.append(byte);
        }
    }
    ends.push_back(unquoted_.size());
    qsizetype start = 0;
    for (const qsizetype end : ends) {
        fields_.emplace_back(unquoted_.constData() + start, end - start);
        start = end;
    }
}
