#include "small_recording.h"

#include <QByteArrayList>
#include <QFile>

bool writeSmallRecording(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes = "日時,温度(℃),湿度(%RH),time,sample,origin,log_interval,mode,interval,"
                       "span_hours,run_start,link\r\n";
    const QByteArrayList samples = {"16:31:23,25.3,60.1,0", "16:41:23,27.5,48.5,1"};
    for (const QByteArray &sample : samples) {
        const QByteArrayList field = sample.split(',');
        bytes += "2026-12-09 " + field[0] + ',' + field[1] + ',' + field[2] + ",2026-12-09T" +
                 field[0] + "+09:00," + field[3] +
                 ",live,,send,PT10M,2,2026-12-09T16:30:00+09:00,\r\n";
    }
    return file.write(bytes) == bytes.size() && file.flush();
}
