#include "process_output.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QElapsedTimer>

QByteArray withoutEnvironmentNotes(const QByteArray &standardError)
{
    QByteArrayList lines = standardError.split('\n');
    lines.removeIf([](const QByteArray &line) {
        // Wine lacks the per-monitor DPI calls that Qt's windows platform tries first.
        return line.isEmpty() || line.startsWith("QStandardPaths: ") ||
               line.contains("DpiAwarenessContext(") || line.contains("NonClientDpiScaling()");
    });
    return lines.join('\n');
}

ChildEnd runChild(const QString &program, const QStringList &arguments,
                  const QProcessEnvironment &environment, int timeoutMs)
{
    QProcess child;
    child.setProcessEnvironment(environment);
    // Text mode: a Windows program's CR LF reads as the line end it is.
    child.start(program, arguments, QIODevice::ReadWrite | QIODevice::Text);
    ChildEnd end;
    end.finished = child.waitForFinished(timeoutMs);
    if (!end.finished) {
        child.kill();
        child.waitForFinished();
    }
    end.exitStatus = child.exitStatus();
    if (end.finished && end.exitStatus == QProcess::NormalExit)
        end.exitCode = child.exitCode();
    end.standardOutput = child.readAllStandardOutput();
    end.standardError = child.readAllStandardError();
    return end;
}

ChildEnd runThisProgramWith(const QString &variable, const QString &value)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(variable, value);
    QElapsedTimer clock;
    clock.start();
    const ChildEnd end = runChild(QCoreApplication::applicationFilePath(), {}, environment);
    qInfo("the child ended %lld ms after it started", clock.elapsed());
    return end;
}
