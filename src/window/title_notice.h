#pragma once

#include <QMap>
#include <QSerialPort>
#include <QString>

class QWidget;

// What the title bar says beside the window's caption when something the operator relies on
// has failed: the port and why, or a recording that could not start; and a recording shown
// instead of the instrument. A title rather than a message box, so that a fault met by every
// command shows once and no wait is held up.
class TitleNotice {
public:
    enum class Topic { Port, Recording, Viewing };

    explicit TitleNotice(QWidget &window) : window_(window) {}

    // text empty takes the topic's notice away.
    void set(Topic topic, const QString &text);
    QString text(Topic topic) const { return texts_.value(topic); }

private:
    QWidget &window_;
    QString caption_; // the title without any notice
    QMap<Topic, QString> texts_;
};

// The port's notice for a status MSComm reports; empty for NoError.
QString portNoticeText(const QString &device, QSerialPort::SerialPortError status);
