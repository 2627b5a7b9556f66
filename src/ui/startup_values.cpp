#include "ui/startup_values.h"

namespace clipwright {

StartupValues& TheStartupValues() {
    static StartupValues values;
    return values;
}

}  // namespace clipwright
