#include "record/append_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

bool openForAppending(QFile &file, const QString &path, QString *error)
{
    // Binary, so that the rows' own CR LF are written as they are.
    const int fd =
        _wopen(reinterpret_cast<const wchar_t *>(path.utf16()),
               _O_WRONLY | _O_CREAT | _O_APPEND | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (fd < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
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
