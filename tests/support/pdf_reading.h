#pragma once

#include <QImage>
#include <QString>

// A PDF file as a reader sees it, through Poppler's command-line tools.

// Its text, laid out as on the page (pdftotext -layout); empty when it cannot be read.
QString pdfText(const QString &pdf);
// The fonts it uses, one line each, as pdffonts lists them under its heading.
QString pdfFonts(const QString &pdf);
// Its first page rendered at the resolution; null when it cannot be.
QImage pdfFirstPage(const QString &pdf, int dotsPerInch);
