#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <vector>

// Reads a CSV file one record at a time, as RFC 4180 has it: fields split at commas, quoted
// fields with their doubled quotes and line breaks, CR LF or LF alone. Holds one record at
// most, so a file of any size is read in little memory.
class CsvRecords {
public:
    enum class Status {
        Record,     // fields() holds the next record
        TooLong,    // a record longer than MaxRecord, skipped to its line end
        Unfinished, // the last line has no line end: the file was cut, or is still written
        End,
    };

    static constexpr qsizetype MaxRecord = 16 * 1024;

    explicit CsvRecords(QIODevice &device) : device_(device) {}

    Status next();
    const std::vector<QByteArrayView> &fields() const { return fields_; }
    // The raw record, without its line end.
    QByteArrayView record() const { return record_; }
    // The line the last record started on, counted from 1.
    qint64 line() const { return line_; }

private:
    Status readLines();
    void skipRestOfLine();
    void split();
    void splitQuoted();

    QIODevice &device_;
    QByteArray record_;
    QByteArray unquoted_;
    QByteArray chunk_;
    std::vector<QByteArrayView> fields_;
    qint64 line_ = 0;
    qint64 nextLine_ = 1;
};
