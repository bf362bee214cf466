#pragma once

#include <QString>

// A recording of one run as the recorder writes it: two live samples, 25.3 ℃ 60.1 %RH at
// 16:31:23 and 27.5 ℃ 48.5 %RH at 16:41:23 on 2026-12-09 (+09:00), mode send, every 10
// minutes, over 2 hours. False when it cannot be written.
bool writeSmallRecording(const QString &path);
