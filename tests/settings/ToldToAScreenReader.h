#pragma once

#include <QAccessible>
#include <QStringList>
#include <string>

namespace purlo::testing {

// What a screen reader's bridge is told of one object while this lives: each change of its
// value, and each change of its text with the text it replaced. Qt hands its accessibility
// events to an update handler, and to the platform's bridge, only while a screen reader is
// active, which it never is on the offscreen platform; it hands them to the bridges of
// accessibility plugins always, and the test program carries such a bridge.
class ToldToAScreenReader {
public:
    explicit ToldToAScreenReader(const QObject& object);
    ~ToldToAScreenReader();
    ToldToAScreenReader(const ToldToAScreenReader&) = delete;
    ToldToAScreenReader& operator=(const ToldToAScreenReader&) = delete;

    // What was told since the last time, in order: "value", or the text's "old → new".
    std::string take();
    // Takes one event the bridge is told.
    void hear(const QAccessibleEvent& event);

private:
    const QObject& object_;
    QStringList told_;
};

} // namespace purlo::testing
