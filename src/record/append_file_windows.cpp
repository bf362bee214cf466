#include "record/append_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace {

// Windows' own words for why the file did not open, in the user's language, as its other
// messages are; the C library knows its reasons in English only.
QString openFailure()
{
    const unsigned long code = _doserrno;
    wchar_t *text = nullptr;
    const DWORD length =
        code == 0 ? 0
                  : FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    if (length == 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    const QString reason = QString::fromWCharArray(text, int(length)).trimmed();
    LocalFree(text);
    return reason;
}

} // namespace

bool openForAppending(QFile &file, const QString &path, QString *error)
{
    // Binary, so that the rows' own CR LF are written as they are.
    const int fd =
        _wopen(reinterpret_cast<const wchar_t *>(path.utf16()),
               _O_WRONLY | _O_CREAT | _O_APPEND | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (fd < 0) {
        *error = openFailure();
        return false;
    }
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        *error = file.errorString();
        _close(fd);
        return false;
    }
    return true;
}
