#include "record/recording_layout.h"

namespace recording {

QByteArray header(Layout layout)
{
    switch (layout) {
    case Layout::Samples:
        return QByteArrayLiteral("日時,温度(℃),湿度(%RH),time,sample,origin,log_interval,mode,"
                                 "interval,span_hours,run_start,link\r\n");
    case Layout::Readings:
        return QByteArrayLiteral("time,sample,quantity,value,unit,origin,log_interval\r\n");
    case Layout::EarlierReadings:
        break;
    }
    return QByteArrayLiteral("time,sample,quantity,value,unit\r\n");
}

std::optional<Layout> layoutOfHeader(QByteArrayView line)
{
    if (line.startsWith(ByteOrderMark))
        line = line.sliced(ByteOrderMark.size());
    line = line.trimmed();
    for (const Layout layout : {Layout::Samples, Layout::Readings, Layout::EarlierReadings}) {
        if (line == QByteArrayView(header(layout)).trimmed())
            return layout;
    }
    return std::nullopt;
}

} // namespace recording
