#include "window/picture_items.h"

#include "chart/picture_box.h"
#include "report/chart_picture.h"
#include "window/main_window.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString FolderKey = QStringLiteral("picture/folder");

// The folder a picture or report was last saved in, else the user's documents.
QString startFolder()
{
    const QString last = QSettings().value(FolderKey).toString();
    if (!last.isEmpty() && QDir(last).exists())
        return last;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString askForFile(Form1 &form, const QString &title, const QString &suffix, const QString &filter)
{
    QFileDialog dialog(&form, title, startFolder(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(runFileName(form.readings.start(), suffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    QSettings().setValue(FolderKey, QFileInfo(path).absolutePath());
    return path;
}

void warnCannotWrite(Form1 &form, const QString &path, const QString &reason)
{
    QMessageBox::warning(
        &form, QStringLiteral("Tarnwick"),
        QStringLiteral("%1 に書き込めません：%2").arg(QDir::toNativeSeparators(path), reason));
}

void saveChartPicture(Form1 &form)
{
    const QImage picture = shownChart(form);
    const QString path = askForFile(form, QStringLiteral("グラフを PNG で保存"),
                                    QStringLiteral("png"), QStringLiteral("PNG (*.png)"));
    QString error;
    if (!path.isEmpty() && !savePng(picture, path, &error))
        warnCannotWrite(form, path, error);
}

void saveReport(Form1 &form)
{
    const QString path = askForFile(form, QStringLiteral("PDF レポート"), QStringLiteral("pdf"),
                                    QStringLiteral("PDF (*.pdf)"));
    QString error;
    if (!path.isEmpty() && !writeReport(reportSubject(form), path, &error))
        warnCannotWrite(form, path, error);
}

bool assumedSettings(const RecordingView &view)
{
    const std::vector<RecordedRun> &runs = view.file().runs;
    return view.isShowing() && view.shownRun() < runs.size() &&
           !runs[view.shownRun()].assumed.isEmpty();
}

} // namespace

void addPictureItems(QMenu &menu, Form1 &form)
{
    QObject::connect(menu.addAction(QStringLiteral("グラフをコピー(&C)")), &QAction::triggered,
                     &form, [&form] { QGuiApplication::clipboard()->setImage(shownChart(form)); });
    QObject::connect(menu.addAction(QStringLiteral("グラフを PNG で保存(&G)...")),
                     &QAction::triggered, &form, [&form] { saveChartPicture(form); });
    QObject::connect(menu.addAction(QStringLiteral("PDF レポート(&D)...")), &QAction::triggered,
                     &form, [&form] { saveReport(form); });
}

QImage shownChart(Form1 &form)
{
    return chartPicture(*form.Picture1, *form.Label7);
}

ReportSubject reportSubject(const Form1 &form)
{
    const RunReadings &run = form.readings;
    const bool fromRecording = run.source() == RunReadings::Source::Recording;
    return {run.settings(),
            run.start(),
            run.samples(),
            fromRecording,
            form.Picture1->drawingLog(),
            fromRecording ? QString() : form.MSComm1.deviceName(),
            fromRecording ? QDir::toNativeSeparators(form.viewing.path()) : QString(),
            QCoreApplication::applicationVersion(),
            fromRecording && assumedSettings(form.viewing)};
}
