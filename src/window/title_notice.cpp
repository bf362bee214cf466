#include "window/title_notice.h"

#include <QStringList>
#include <QWidget>

void TitleNotice::set(Topic topic, const QString &text)
{
    // The caption may have grown since the window was made (the simulation's mark).
    if (texts_.isEmpty())
        caption_ = window_.windowTitle();
    if (text.isEmpty())
        texts_.remove(topic);
    else
        texts_.insert(topic, text);
    const QStringList notices = texts_.values();
    window_.setWindowTitle(
        notices.isEmpty() ? caption_ : caption_ + QStringLiteral(" ― ") + notices.join(u'、'));
}

QString portNoticeText(const QString &device, QSerialPort::SerialPortError status)
{
    switch (status) {
    case QSerialPort::NoError:
        return {};
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("%1 が見つかりません").arg(device);
    case QSerialPort::PermissionError:
        return QStringLiteral("%1 を開けません（使用中か、使用する権限がありません）").arg(device);
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        return QStringLiteral("%1 との接続が切れました").arg(device);
    default:
        return QStringLiteral("%1 を開けません").arg(device);
    }
}
