// Device font width tables (placeholder until they land).
#pragma once

namespace pm {
class FontTable {
public:
    int lineWidth = 312;
};
}  // namespace pm
