#include "app/LoadedUpdateTransport.h"

#include "integrations/qt/QtUpdateTransportModule.h"

#include <dlfcn.h>
#include <memory>
#include <string>
#include <utility>

namespace purlo {
namespace {

// The module's transport once it is open; the module itself is never closed, as Qt's
// libraries do not expect to be taken away while the program runs.
class Module {
public:
    explicit Module(std::filesystem::path file)
        : file_(std::move(file)) {}

    void send(const PurloUpdateRequest& request, PurloUpdateTransportCompletion completion) {
        if (!transport_) {
            open();
        }
        if (!transport_) {
            completion(PurloUpdateCheckFailure{PurloUpdateTransportError{problem_}});
            return;
        }
        transport_(request, std::move(completion));
    }

private:
    void open() {
        void* handle = ::dlopen(file_.c_str(), RTLD_NOW | RTLD_LOCAL);
        void* entry = handle ? ::dlsym(handle, qtUpdateTransportEntry) : nullptr;
        if (!entry) {
            const char* why = ::dlerror();
            problem_ = "The update transport could not be loaded: " +
                       std::string(why ? why : file_.string());
            return;
        }
        reinterpret_cast<QtUpdateTransportEntry>(entry)(&transport_);
    }

    std::filesystem::path file_;
    PurloUpdateTransport transport_;
    std::string problem_;
};

} // namespace

PurloUpdateTransport loadedUpdateTransport(std::filesystem::path moduleFolder) {
    auto module = std::make_shared<Module>(moduleFolder / qtUpdateTransportModuleFile);
    return [module](const PurloUpdateRequest& request, PurloUpdateTransportCompletion completion) {
        module->send(request, std::move(completion));
    };
}

} // namespace purlo
