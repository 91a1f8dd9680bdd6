#pragma once

#include <optional>
#include <string>

namespace purlo {

// What the desktop tells about the application in front; either part may be missing.
struct FrontmostApplication {
    std::optional<std::string> name;
    std::optional<std::string> identifier;

    friend bool operator==(const FrontmostApplication&, const FrontmostApplication&) = default;
};

class ActiveAppSource {
public:
    virtual ~ActiveAppSource() = default;

    // The application in front; nothing when no application is (or can be) known.
    virtual std::optional<FrontmostApplication> frontmostApplication() const = 0;
};

} // namespace purlo
