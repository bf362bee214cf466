#include "pdf_reading.h"

#include "process_output.h"

#include <QTemporaryDir>

namespace {

QString toolOutput(const QString &tool, const QStringList &arguments)
{
    const ChildEnd end = runChild(tool, arguments);
    return end.exitCode == 0 ? QString::fromUtf8(end.standardOutput) : QString();
}

} // namespace

QString pdfText(const QString &pdf)
{
    return toolOutput(QStringLiteral("pdftotext"),
                      {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                       pdf, QStringLiteral("-")});
}

QString pdfFonts(const QString &pdf)
{
    const QStringList lines = toolOutput(QStringLiteral("pdffonts"), {pdf}).split(u'\n');
    return lines.mid(2).join(u'\n');
}

QImage pdfFirstPage(const QString &pdf, int dotsPerInch)
{
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    toolOutput(QStringLiteral("pdftoppm"),
               {QStringLiteral("-r"), QString::number(dotsPerInch), QStringLiteral("-png"),
                QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}
