#pragma once

#include <QString>

// What the operator chose from the window's menu, kept between starts in the user's settings
// (the registry under HKEY_CURRENT_USER on Windows, ~/.config on Linux). Empty when nothing
// was chosen, or the choice was taken back.
namespace remembered {

QString port();
void setPort(const QString &path);

QString recordFile();
void setRecordFile(const QString &path);

// Continuous runs; off unless chosen.
bool continuous();
void setContinuous(bool on);

} // namespace remembered
