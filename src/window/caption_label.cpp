#include "window/caption_label.h"

#include <QEvent>
#include <QPainter>

CaptionLabel::CaptionLabel(const QString &caption, QWidget *parent) : QLabel(caption, parent)
{
    // Every picture covers the whole label, background and all.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    if (const qreal ratio = devicePixelRatioF(); ratio != ratio_ || pictures_.size() >= MostKept) {
        pictures_.clear();
        ratio_ = ratio;
    }
    auto picture = pictures_.constFind(text());
    if (picture == pictures_.cend())
        picture = pictures_.insert(text(), drawnByQLabel());
    QPainter(this).drawImage(QPoint(0, 0), *picture);
}

void CaptionLabel::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::EnabledChange:
    case QEvent::LayoutDirectionChange:
        forgetPictures();
        break;
    default:
        break;
    }
    QLabel::changeEvent(event);
}

void CaptionLabel::resizeEvent(QResizeEvent *event)
{
    forgetPictures();
    QLabel::resizeEvent(event);
}

void CaptionLabel::forgetPictures()
{
    pictures_.clear();
    twinAlike_ = false;
}

// QLabel's own drawing of the caption, on the background the label stands on.
QImage CaptionLabel::drawnByQLabel()
{
    if (!twinAlike_) {
        twin_.setStyle(style());
        twin_.setTextFormat(textFormat());
        twin_.setAlignment(alignment());
        twin_.setMargin(margin());
        twin_.setIndent(indent());
        twin_.setLayoutDirection(layoutDirection());
        twin_.setFont(font());
        twin_.setPalette(palette());
        twin_.setEnabled(isEnabled());
        twin_.resize(size());
        twinAlike_ = true;
    }
    twin_.setText(text());
    QImage picture((QSizeF(size()) * ratio_).toSize(), QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio_);
    twin_.render(&picture, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return picture;
}
