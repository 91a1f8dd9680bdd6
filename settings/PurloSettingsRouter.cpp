#include "settings/PurloSettingsRouter.h"

namespace purlo {

PurloSettingsRouter& PurloSettingsRouter::shared() {
    static PurloSettingsRouter router;
    return router;
}

} // namespace purlo
