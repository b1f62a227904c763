#pragma once
// The running program: its shared state and its six windows, created in their order.

#include "app/main_window.h"
#include "records/shared_state.h"

#include <memory>

namespace kalidor {

class KalidorProgram {
public:
    // `executableFolder` becomes the data folder; the logo and icon are read from it.
    KalidorProgram(Platform& platform, const QString& executableFolder);
    ~KalidorProgram();

    SharedState state;
    std::unique_ptr<TF_une> F_une;
    KalidorWindows windows;
};

} // namespace kalidor
