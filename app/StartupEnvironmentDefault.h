#pragma once

#include <string>
#include <string_view>

namespace purlo {

// A variable the toolkit reads once while it starts, given this program's value where
// the user set none, and taken back once the toolkit has read it: the programs Purlo
// starts later (the browser a link opens, the file manager) keep their own defaults.
// A value the user set, even an empty one, stands and is never touched.
class StartupEnvironmentDefault {
public:
    StartupEnvironmentDefault(std::string name, std::string_view value);
    ~StartupEnvironmentDefault();
    StartupEnvironmentDefault(const StartupEnvironmentDefault&) = delete;
    StartupEnvironmentDefault& operator=(const StartupEnvironmentDefault&) = delete;

    // Takes the value back now; later calls, and the end of the scope, do nothing.
    void takeBack();

private:
    std::string name_;
    bool setHere_;
};

} // namespace purlo
