#pragma once

#include "model/ActiveAppSnapshot.h"
#include "platform/ActiveAppSource.h"

namespace purlo {

// Tells the name and identifier of the application in front, for the coding-context
// reactions and for hiding the companion while other applications are in front.
class ActiveApplicationSensor {
public:
    // The source must outlive the sensor.
    explicit ActiveApplicationSensor(const ActiveAppSource& source);

    // "Unknown" without identifier when nothing is in front; "Unknown" with the
    // identifier when only the name is missing.
    ActiveAppSnapshot sample() const;

private:
    const ActiveAppSource& source_;
};

} // namespace purlo
