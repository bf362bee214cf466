#pragma once

#include <QObject>

// Watches for message boxes, as an operator would: each one shown is closed after a
// short while, so that more can arrive while it is open; with LeaveOpen it stays until
// closeAll().
class BoxWatcher : public QObject {
public:
    static constexpr int LeaveOpen = -1;

    explicit BoxWatcher(int closeAfterMs = 20);
    ~BoxWatcher() override;

    int shown() const { return shown_; }
    // The most message boxes open at the same time.
    int mostOpenAtOnce() const { return mostOpen_; }
    static int openBoxes();
    static void closeAll();

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    int closeAfterMs_;
    int shown_ = 0;
    int mostOpen_ = 0;
};
