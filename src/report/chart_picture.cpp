#include "report/chart_picture.h"

#include "chart/picture_box.h"

#include <QImageWriter>
#include <QSaveFile>
#include <QWidget>
#include <cmath>

QImage chartPicture(PictureBox &picture, QWidget &statusLine)
{
    const QRect inner = picture.contentsRect();
    const qreal ratio = picture.devicePixelRatioF();
    QImage image(
        QSize(int(std::ceil(inner.width() * ratio)), int(std::ceil(inner.height() * ratio))),
        QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(picture.palette().color(QPalette::Base));
    // The picture alone, then the status line where it stands on it.
    picture.render(&image, QPoint(), QRegion(inner), QWidget::DrawWindowBackground);
    if (statusLine.isVisible())
        statusLine.render(&image, statusLine.pos() - inner.topLeft());
    return image;
}

QString runFileName(const QDateTime &start, const QString &suffix)
{
    const QDateTime time = start.isValid() ? start : QDateTime::currentDateTime();
    return QStringLiteral("tarnwick-%1.%2")
        .arg(time.toString(QStringLiteral("yyyy-MM-dd-HHmm")), suffix);
}

bool savePng(const QImage &image, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        *error = writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
