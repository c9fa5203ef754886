#include <cstdio>

#include "app/TMain.h"

namespace pm {

void TMain::Start() {
    templates.Load(config, programDir);
}

void TMain::Shutdown() {
    for (const auto& f : files.tempFiles) std::remove(f.c_str());
}

}  // namespace pm
