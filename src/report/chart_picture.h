#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>

class PictureBox;
class QWidget;

// The chart as the window shows it, at the screen's device pixel ratio: the picture's
// inner area with the status line on it, and nothing else laid over it (the pointer's
// marker stays out).
QImage chartPicture(PictureBox &picture, QWidget &statusLine);

// A file name for what a run gives, from its start: tarnwick-2026-12-09-1631.png.
QString runFileName(const QDateTime &start, const QString &suffix);

// Writes the image as PNG, whole or not at all; the reason when it cannot.
bool savePng(const QImage &image, const QString &path, QString *error);
