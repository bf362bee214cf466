#include "event_script.h"

namespace {

constexpr int PollMs = 5;

} // namespace

EventScript::EventScript()
{
    poller_.setInterval(PollMs);
    connect(&poller_, &QTimer::timeout, this, &EventScript::poll);
}

void EventScript::add(std::function<bool()> ready, std::function<void()> action)
{
    steps_.append({std::move(ready), std::move(action)});
}

void EventScript::add(std::function<void()> action)
{
    add([] { return true; }, std::move(action));
}

void EventScript::start()
{
    poller_.start();
}

void EventScript::poll()
{
    if (finished()) {
        poller_.stop();
        return;
    }
    Step &step = steps_[next_];
    if (!step.ready())
        return;
    ++next_;
    QTimer::singleShot(0, this, step.action);
}
