#include "platform/HtmlView.h"

#include <chrono>
#include <thread>

namespace pm {

void WaitUntilReady(HtmlView& view) {
    for (;;) {
        const std::string state = view.ReadyState();
        if (state == "complete" || state == "interactive") return;
        view.ProcessPendingEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace pm
