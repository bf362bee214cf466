#pragma once

#include <QObject>
#include <memory>

// Keeps the system from sleeping while held, so that a run that records for days is not cut
// by a suspend; the display may still blank. Windows is asked through its execution state;
// Linux through the login manager's sleep inhibitor, where a system bus offers one. Where
// there is none, nothing is said and nothing happens.
class SleepInhibitor : public QObject {
    Q_OBJECT

public:
    explicit SleepInhibitor(QObject *parent = nullptr);
    ~SleepInhibitor() override;

    // Holding twice holds once; releasing what is not held does nothing.
    void hold();
    void release();
    bool held() const { return held_; }

private:
    struct Platform;
    std::unique_ptr<Platform> platform_;
    bool held_ = false;
};
