#include "report/report_page.h"

#include "chart/drawing_log.h"
#include "chart/picture_box.h"
#include "chart/qb_color.h"
#include "figures/run_figures.h"
#include "report/chart_vectors.h"
#include "report/report_texts.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <array>

namespace {

constexpr int Resolution = 300; // dots per inch of the page's coordinates
constexpr qreal MarginMm = 15;

qreal dots(qreal mm)
{
    return mm * Resolution / 25.4;
}

// The IPA face where it is installed, embedded as a subset by the PDF writer.
QFont pageFont(qreal points, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("MS UI Gothic")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The page from the top down: each piece takes the room it needs below the last.
class PageWriter {
public:
    PageWriter(QPainter &painter, qreal width) : painter_(painter), width_(width) {}

    void line(const QString &text, const QFont &font, const QColor &colour = Qt::black)
    {
        painter_.setFont(font);
        painter_.setPen(colour);
        const QFontMetricsF metrics(font, painter_.device());
        painter_.drawText(QPointF(0, top_ + metrics.ascent()), text);
        top_ += metrics.lineSpacing();
    }

    // A row of cells, each starting at its column (millimetres from the left).
    template <std::size_t N>
    void row(const QStringList &cells, const std::array<qreal, N> &columns, const QFont &font)
    {
        painter_.setFont(font);
        painter_.setPen(Qt::black);
        const QFontMetricsF metrics(font, painter_.device());
        for (std::size_t i = 0; i < N && qsizetype(i) < cells.size(); ++i)
            painter_.drawText(QPointF(dots(columns[i]), top_ + metrics.ascent()),
                              cells[qsizetype(i)]);
        top_ += metrics.lineSpacing() * 1.3;
    }

    void chart(const DrawingLog &log)
    {
        const qreal height = width_ * PictureBox::InnerHeight / PictureBox::InnerWidth;
        const QRectF target(0, top_, width_, height);
        paintChart(painter_, log, target);
        painter_.setPen(QPen(Qt::gray, dots(0.2)));
        painter_.drawRect(target);
        top_ += height;
    }

    // The two traces' colours and what they stand for.
    void legend(const QFont &font)
    {
        painter_.setFont(font);
        const QFontMetricsF metrics(font, painter_.device());
        qreal left = 0;
        for (const auto &[colour, name] : {std::pair{QBColor(12), QStringLiteral("温度 ℃")},
                                           std::pair{QBColor(9), QStringLiteral("湿度 %RH")}}) {
            const qreal middle = top_ + metrics.ascent() - metrics.xHeight() / 2;
            painter_.setPen(QPen(colour, dots(0.5)));
            painter_.drawLine(QPointF(left, middle), QPointF(left + dots(8), middle));
            painter_.setPen(Qt::black);
            painter_.drawText(QPointF(left + dots(10), top_ + metrics.ascent()), name);
            left += dots(10) + metrics.horizontalAdvance(name) + dots(8);
        }
        top_ += metrics.lineSpacing();
    }

    void gap(qreal mm) { top_ += dots(mm); }

private:
    QPainter &painter_;
    qreal width_;
    qreal top_ = 0;
};

void writeFigures(PageWriter &page, const std::vector<Sample> &samples)
{
    const figures::RunFigures figures = figures::figuresOf(samples);
    constexpr std::array<qreal, 7> columns{0, 26, 44, 82, 100, 138, 158};
    using report::Values;
    page.row({QString(), QStringLiteral("最小"), QStringLiteral("その時刻"), QStringLiteral("最大"),
              QStringLiteral("その時刻"), QStringLiteral("平均"), QStringLiteral("読み取り数")},
             columns, pageFont(9, true));
    page.row(report::figuresRow(QStringLiteral("温度 ℃"), figures.temperature, Values::Readings),
             columns, pageFont(9));
    page.row(report::figuresRow(QStringLiteral("湿度 %RH"), figures.humidity, Values::Readings),
             columns, pageFont(9));
    page.row(report::figuresRow(QStringLiteral("露点 ℃"), figures.dewPoint, Values::Computed),
             columns, pageFont(9));
    page.gap(2);
    page.line(QStringLiteral("最初の読み取り：%1　　最後の読み取り：%2")
                  .arg(report::timeText(figures.first), report::timeText(figures.last)),
              pageFont(9));
}

void writeConditions(PageWriter &page, const ReportSubject &subject)
{
    const RunSettings &settings = subject.settings;
    page.line(QStringLiteral("条件"), pageFont(10, true));
    page.line(QStringLiteral("モード：%1　　測定間隔：%2　　測定時間：%3")
                  .arg(report::modeText(settings), report::intervalText(settings),
                       report::spanText(settings)),
              pageFont(9));
    if (!subject.port.isEmpty())
        page.line(QStringLiteral("ポート：%1").arg(subject.port), pageFont(9));
    if (subject.settingsAssumed)
        page.line(
            QStringLiteral("（古い形式の記録のため、モード・測定間隔・測定時間は推定した値です）"),
            pageFont(9));
    if (!subject.recordingPath.isEmpty())
        page.line(QStringLiteral("記録ファイル：%1").arg(subject.recordingPath), pageFont(9));
}

void writePage(QPainter &painter, const ReportSubject &subject)
{
    PageWriter page(painter, painter.viewport().width());
    page.line(QStringLiteral("測定レポート"), pageFont(16, true));
    page.line(QStringLiteral("開始：%1　　%2")
                  .arg(report::timeText(subject.start),
                       report::originText(subject.samples, subject.fromRecording)),
              pageFont(10));
    page.gap(3);
    page.chart(subject.chart);
    page.gap(2);
    page.legend(pageFont(9));
    page.gap(5);
    writeFigures(page, subject.samples);
    page.gap(5);
    writeConditions(page, subject);
    page.gap(8);
    page.line(QStringLiteral("Tarnwick %1　　作成：%2")
                  .arg(subject.version, report::timeText(QDateTime::currentDateTime())),
              pageFont(8), Qt::darkGray);
}

} // namespace

bool writeReport(const ReportSubject &subject, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(Resolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(QStringLiteral("測定レポート %1").arg(report::timeText(subject.start)));
        writer.setCreator(QStringLiteral("Tarnwick %1").arg(subject.version));
        QPainter painter;
        if (!painter.begin(&writer)) {
            *error = QStringLiteral("the PDF writer could not start");
            file.cancelWriting();
            return false;
        }
        writePage(painter, subject);
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
