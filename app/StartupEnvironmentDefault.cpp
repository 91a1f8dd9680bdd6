#include "app/StartupEnvironmentDefault.h"

#include <cstdlib>
#include <utility>

namespace purlo {

StartupEnvironmentDefault::StartupEnvironmentDefault(std::string name, std::string_view value)
    : name_(std::move(name))
    , setHere_(std::getenv(name_.c_str()) == nullptr &&
               setenv(name_.c_str(), std::string(value).c_str(), 0) == 0) {}

StartupEnvironmentDefault::~StartupEnvironmentDefault() {
    takeBack();
}

void StartupEnvironmentDefault::takeBack() {
    if (setHere_) {
        unsetenv(name_.c_str());
        setHere_ = false;
    }
}

} // namespace purlo
