#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Rows of a CSV file as RFC 4180 has them.
namespace csv {

// The field as it stands, or in double quotes with its quotes doubled when it holds a
// comma, a double quote, a CR or an LF.
QString field(const QString &text);

// The fields joined by commas and ended by CR LF, in UTF-8.
QByteArray row(const QStringList &fields);

} // namespace csv
