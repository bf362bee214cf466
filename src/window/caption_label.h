#pragma once

#include <QHash>
#include <QImage>
#include <QLabel>

// A label whose plain-text caption changes with every reading. Laying out and drawing the
// caption's text was half of what a live run costs, and readings come back to the same
// few values; so the label keeps the picture QLabel draws of each caption (the background
// it stands on included) and copies it when the caption comes back. Its text format,
// alignment, margin and indent are taken once, at its first paint.
class CaptionLabel : public QLabel {
public:
    CaptionLabel(const QString &caption, QWidget *parent);

    // The most pictures kept; past it they are all let go and drawn again as needed.
    static constexpr qsizetype MostKept = 256;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage drawnByQLabel();
    void forgetPictures();

    QLabel twin_; // draws the pictures, never shown: a widget cannot draw elsewhere while it paints
    bool twinAlike_ = false;
    QHash<QString, QImage> pictures_;
    qreal ratio_ = 0; // the device pixel ratio the pictures were drawn at
};
